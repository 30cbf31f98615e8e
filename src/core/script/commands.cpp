#include "core/script/commands.h"

#include <cstdio>
#include <cstring>

#include "core/anim/anim_commands.h"
#include "core/audio/sound_commands.h"
#include "core/battle/battle.h"
#include "core/effects/effect_commands.h"
#include "core/effects/presentation.h"
#include "core/graphics/picture_commands.h"
#include "core/graphics/transitions.h"
#include "core/persistence/read_marks.h"
#include "core/persistence/save_screen.h"
#include "core/persistence/system_data.h"
#include "core/screens/effect.h"
#include "core/screens/name_entry.h"
#include "core/screens/recollection.h"
#include "core/screens/roll.h"
#include "core/screens/seltree.h"
#include "core/screens/special.h"
#include "core/screens/status_panels.h"
#include "core/screens/viewer.h"
#include "core/script/choices.h"
#include "core/script/control_flow.h"
#include "core/shell/engine_state.h"
#include "core/text/sjis.h"
#include "core/text/window_commands.h"

namespace vespin {

namespace {

using Handler = CommandResult (*)(EngineState& e, const char* arg);

CommandResult RunIris(EngineState& e, const char* /*arg*/) {
    IrisClose(e);
    return CommandResult::NextLine;
}

constexpr CommandResult kGoesOn = CommandResult::NextLine;
constexpr CommandResult kEnds = CommandResult::EndPass;

struct CommandEntry {
    std::string_view Text;  // matched over its full length, trailing blank included
    int ArgumentOffset;     // byte of the line where the argument starts (the prefix is byte 0)
    // What the command's line does to the pass (`gra` may also end it, `if` may also dispatch
    // again). A command whose handler is not built yet still does this much, so that a game
    // using it does not run on past where it should stop.
    CommandResult Result;
    Handler Run;  // null while the owning subsystem is not built
};

// The table's order decides between entries that share a beginning ("exitgame" before "exit").
constexpr CommandEntry kCommands[kCommandCount] = {
    {"gra ", 5, kGoesOn, RunGra},
    {"music ", 7, kGoesOn, RunMusic},
    {"voice", 7, kGoesOn, RunVoice},
    {"go ", 4, kGoesOn, RunGo},
    {"clrb", 6, kGoesOn, RunClrb},
    {"select", 0, kEnds, RunSelect},
    {"clickmap ", 10, kEnds, RunClickmap},
    {"switch", 8, kEnds, RunSwitch},
    {"chain ", 7, kEnds, RunChain},
    {"wait_v_end", 0, kEnds, RunWaitVoiceEnd},
    {"string ", 8, kGoesOn, RunString},
    {"calc ", 6, kGoesOn, RunCalc},
    {"if ", 4, kEnds, RunIf},
    {"ptset ", 7, kGoesOn, RunPtSet},
    {"call ", 6, kEnds, RunCall},
    {"end", 0, kEnds, RunEnd},
    {"mode ", 6, kEnds, RunMode},
    {"load", 0, kEnds, RunLoad},
    {"gameinit", 0, kGoesOn, RunGameInit},
    {"grb ", 5, kGoesOn, RunGrb},
    {"win_close", 0, kGoesOn, RunWinClose},
    {"special ", 9, kEnds, RunSpecial},
    {"gameclr", 0, kGoesOn, RunGameClear},
    {"partsload ", 11, kGoesOn, RunPartsLoad},
    {"movie ", 7, kEnds, RunMovie},
    {"mark ", 6, kGoesOn, RunMark},
    {"iris", 6, kGoesOn, RunIris},
    {"fix", 0, kGoesOn, RunFix},
    {"sleep ", 7, kEnds, RunSleep},
    {"seltree", 9, kEnds, RunSeltree},
    {"update", 0, kGoesOn, RunUpdate},
    {"direct ", 8, kGoesOn, RunDirect},
    {"save", 0, kEnds, RunSave},
    {"break", 0, kEnds, RunBreak},
    {"win_open", 0, kGoesOn, RunWinOpen},
    {"title ", 7, kGoesOn, RunTitle},
    {"backto", 0, kGoesOn, RunBackTo},
    {"sel2", 0, kEnds, RunSel2},
    {"return ", 0, kGoesOn, RunReturn},
    {"roll ", 6, kEnds, RunRoll},
    {"anim", 6, kEnds, RunAnim},
    {"shake", 7, kEnds, RunShake},
    {"cjmp", 6, kGoesOn, RunComputedJump},
    {"setname", 0, kEnds, RunSetName},
    {"subtitle", 10, kEnds, RunSubtitle},
    {"viewer", 8, kEnds, RunViewer},
    {"se ", 4, kGoesOn, RunSoundEffect},
    {"seloop ", 8, kGoesOn, RunSoundEffect},
    {"seoff", 0, kGoesOn, RunSoundEffectOff},
    {"exitgame", 0, kEnds, RunExitGame},
    {"get_max", 9, kGoesOn, RunGetMax},
    {"tw_set ", 8, kGoesOn, RunTwSet},
    {"exit", 0, kEnds, RunExit},
    {"obj_", 5, kGoesOn, RunObject},
    {"sroll", 0, kEnds, RunStaffRoll},
    {"scroll ", 8, kEnds, RunScroll},
    {"kaisou", 0, kEnds, RunKaisou},
    {"chgprm", 0, kEnds, RunChgprm},
    {"cgfull", 0, kEnds, RunCgFull},
    {"effect", 8, kEnds, RunEffect},
    {"battle", 0, kEnds, RunBattle},
    {"present ", 9, kEnds, RunPresent},
};

constexpr int kSwitch = 7;
constexpr int kAnim = 40;

static_assert(kCommandCount <= static_cast<int>(ScriptState::UnbuiltCommandFlags().size()));

// Says once a run which command a game uses that the engine does not have yet.
void ReportUnbuilt(EngineState& e, int index) {
    auto& reported = e.Script.UnbuiltCommandsReported;
    if (reported[index]) return;
    reported[index] = true;
    std::string_view name = kCommands[index].Text;
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    std::fprintf(
        stderr, "vespin: the script command \"%.*s\" is not built yet; %s\n",
        static_cast<int>(name.size()), name.data(),
        kCommands[index].Result == kEnds ? "its line ends the pass" : "its line is skipped");
}

}  // namespace

const char* CommandArgument(const char* line, int index) {
    size_t length = std::strlen(line);
    if (index < 0 || index >= kCommandCount) return line + length;
    int offset = kCommands[index].ArgumentOffset;
    if (index == kSwitch && length <= 7) offset = 7;
    if (index == kAnim && length > 5 && line[5] == 'q') offset = 7;
    return static_cast<size_t>(offset) <= length ? line + offset : line + length;
}

int FindCommand(std::string_view text) {
    for (int i = 0; i < kCommandCount; ++i) {
        if (sjis::StartsWithIgnoringCase(text, kCommands[i].Text)) return i;
    }
    return -1;
}

std::string_view CommandName(int index) {
    return (index >= 0 && index < kCommandCount) ? kCommands[index].Text : "";
}

bool CommandBuilt(int index) {
    return index >= 0 && index < kCommandCount && kCommands[index].Run != nullptr;
}

CommandResult CommandRowResult(int index) {
    return (index >= 0 && index < kCommandCount) ? kCommands[index].Result
                                                 : CommandResult::NextLine;
}

CommandResult ExecuteCommand(EngineState& e, int index) {
    if (index < 0 || index >= kCommandCount) return CommandResult::NextLine;
    const CommandEntry& command = kCommands[index];
    if (command.Run == nullptr) {
        ReportUnbuilt(e, index);
        return command.Result;
    }
    const char* line = e.Script.LineBuffer.data();
    return command.Run(e, CommandArgument(line, index));
}

}  // namespace vespin
