#include "core/script/commands.h"

#include <cstring>

#include "core/audio/sound_commands.h"
#include "core/graphics/picture_commands.h"
#include "core/graphics/transitions.h"
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

struct CommandEntry {
    std::string_view Text;  // matched over its full length, trailing blank included
    int ArgumentOffset;     // byte of the line where the argument starts (the prefix is byte 0)
    Handler Run;            // null while the owning subsystem is not built: skipped like unknown
};

// The table's order decides between entries that share a beginning ("exitgame" before "exit").
constexpr CommandEntry kCommands[kCommandCount] = {
    {"gra ", 5, RunGra},
    {"music ", 7, RunMusic},
    {"voice", 7, RunVoice},
    {"go ", 4, RunGo},
    {"clrb", 6, RunClrb},
    {"select", 0, RunSelect},
    {"clickmap ", 10, RunClickmap},
    {"switch", 8, RunSwitch},
    {"chain ", 7, RunChain},
    {"wait_v_end", 0, RunWaitVoiceEnd},
    {"string ", 8, RunString},
    {"calc ", 6, RunCalc},
    {"if ", 4, RunIf},
    {"ptset ", 7, RunPtSet},
    {"call ", 6, RunCall},
    {"end", 0, RunEnd},
    {"mode ", 6, RunMode},
    {"load", 0, nullptr},
    {"gameinit", 0, RunGameInit},
    {"grb ", 5, RunGrb},
    {"win_close", 0, RunWinClose},
    {"special ", 9, nullptr},
    {"gameclr", 0, nullptr},
    {"partsload ", 11, RunPartsLoad},
    {"movie ", 7, RunMovie},
    {"mark ", 6, nullptr},
    {"iris", 6, RunIris},
    {"fix", 0, RunFix},
    {"sleep ", 7, RunSleep},
    {"seltree", 9, nullptr},
    {"update", 0, RunUpdate},
    {"direct ", 8, RunDirect},
    {"save", 0, nullptr},
    {"break", 0, RunBreak},
    {"win_open", 0, RunWinOpen},
    {"title ", 7, RunTitle},
    {"backto", 0, RunBackTo},
    {"sel2", 0, RunSel2},
    {"return ", 0, RunReturn},
    {"roll ", 6, nullptr},
    {"anim", 6, nullptr},
    {"shake", 7, nullptr},
    {"cjmp", 6, RunComputedJump},
    {"setname", 0, nullptr},
    {"subtitle", 10, RunSubtitle},
    {"viewer", 8, nullptr},
    {"se ", 4, RunSoundEffect},
    {"seloop ", 8, RunSoundEffect},
    {"seoff", 0, RunSoundEffectOff},
    {"exitgame", 0, RunExitGame},
    {"get_max", 9, RunGetMax},
    {"tw_set ", 8, RunTwSet},
    {"exit", 0, RunExit},
    {"obj_", 5, nullptr},
    {"sroll", 0, nullptr},
    {"scroll ", 8, nullptr},
    {"kaisou", 0, nullptr},
    {"chgprm", 0, nullptr},
    {"cgfull", 0, RunCgFull},
    {"effect", 8, nullptr},
    {"battle", 0, nullptr},
};

constexpr int kSwitch = 7;
constexpr int kAnim = 40;

// Where the argument starts; a line shorter than the offset has an empty argument.
const char* ArgumentOf(const char* line, int index) {
    size_t length = std::strlen(line);
    int offset = kCommands[index].ArgumentOffset;
    if (index == kSwitch && length <= 7) offset = 7;
    if (index == kAnim && length > 5 && line[5] == 'q') offset = 7;
    return static_cast<size_t>(offset) <= length ? line + offset : line + length;
}

}  // namespace

int FindCommand(std::string_view text) {
    for (int i = 0; i < kCommandCount; ++i) {
        if (sjis::StartsWithIgnoringCase(text, kCommands[i].Text)) return i;
    }
    return -1;
}

std::string_view CommandName(int index) {
    return (index >= 0 && index < kCommandCount) ? kCommands[index].Text : "";
}

CommandResult ExecuteCommand(EngineState& e, int index) {
    if (index < 0 || index >= kCommandCount || kCommands[index].Run == nullptr)
        return CommandResult::NextLine;
    const char* line = e.Script.LineBuffer.data();
    return kCommands[index].Run(e, ArgumentOf(line, index));
}

}  // namespace vespin
