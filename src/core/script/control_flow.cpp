#include "core/script/control_flow.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "core/screens/recollection.h"
#include "core/screens/viewer.h"
#include "core/screens/viewer_state.h"
#include "core/script/expression.h"
#include "core/script/script_loader.h"
#include "core/script/text_parse.h"
#include "core/shell/close.h"
#include "core/shell/engine_state.h"
#include "core/shell/skip_auto.h"
#include "core/text/sjis.h"
#include "core/text/sjis_strings.h"

namespace vespin {

namespace {

constexpr size_t kNameScanEnd = 99;  // `chain` and `call` read names up to this byte
constexpr size_t kIfActionLimit = 200;

bool NameFits(std::string_view name) {
    return name.size() < kScriptNameField;
}

}  // namespace

NameAndLabel SplitNameAndLabel(const char* line, const char* name) {
    NameAndLabel out;
    size_t start = static_cast<size_t>(name - line);
    size_t end = start + (*name != 0 ? 1 : 0);
    while (line[end] != 0 && end <= kNameScanEnd && line[end] != ' ' && line[end] != ':')
        ++end;
    out.Name = std::string_view(name, end - start);
    if (line[end] == ':') {
        out.HasLabel = true;
        out.Label = std::string_view(line + end + 1);
    }
    return out;
}

void SetStringSlot(EngineState& e, int slot, std::string_view text) {
    if (slot < 0 || slot >= kStringSlotCount) return;
    e.StringSlots[slot] = sjis::CutAtCharBoundary(text, StringSlot::Capacity() - 1);
}

CommandResult RunGo(EngineState& e, const char* arg) {
    JumpToLabel(e, arg);
    return CommandResult::NextLine;
}

CommandResult RunChain(EngineState& e, const char* arg) {
    NameAndLabel target = SplitNameAndLabel(e.Script.LineBuffer.data(), arg);
    // A name the call stack's fields cannot hold is never a script: the line is ignored.
    if (!NameFits(target.Name)) return CommandResult::EndPass;
    e.Script.CallDepth = 0;
    e.Script.CurrentScriptName = target.Name;
    ResetWaits(e);
    LoadScript(e, target.Name, ScriptMode::Scenario);
    if (target.HasLabel) JumpToLabel(e, target.Label);
    return CommandResult::EndPass;
}

CommandResult RunCall(EngineState& e, const char* arg) {
    ScriptState& s = e.Script;
    NameAndLabel target = SplitNameAndLabel(s.LineBuffer.data(), arg);
    // A tenth nested call has no room in the stack: refused, the script goes on.
    if (s.CallDepth >= kCallStackDepth) return CommandResult::EndPass;
    std::string name;
    if (arg[0] == '$') {
        int slot = (arg[1] >= '0' && arg[1] <= '9') ? arg[1] - '0' : 0;
        name = std::string(e.StringSlots[slot].View());
        if (!NameFits(name)) return CommandResult::EndPass;  // as for a named call
    } else {
        if (!NameFits(target.Name)) return CommandResult::EndPass;
        name = std::string(target.Name);
    }
    s.CallStack[s.CallDepth] = CallFrame{s.CurrentScriptName, s.ReadPosition};
    if (arg[0] == '$') s.CurrentScriptName = name;
    if (LoadScript(e, name, ScriptMode::Scenario)) {
        s.CurrentScriptName = name;
        ResetWaits(e);
        s.CallDepth += 1;
    }
    if (target.HasLabel) JumpToLabel(e, target.Label);
    return CommandResult::EndPass;
}

CommandResult RunEnd(EngineState& e, const char*) {
    // A scene replayed from a screen that simply ends at depth 0 goes back to that screen (or,
    // in a recollection play list, on to the next scene) rather than stopping where nothing
    // follows.
    if (e.Script.CallDepth <= 0 && InViewerReplay(e)) {
        ReturnToViewer(e);
        return CommandResult::EndPass;
    }
    if (e.Script.CallDepth <= 0 && InRecollectionReplay(e)) {
        NextRecollectionScene(e);
        return CommandResult::EndPass;
    }
    ReturnFromCall(e);
    return CommandResult::EndPass;
}

CommandResult RunReturn(EngineState&, const char*) {
    return CommandResult::NextLine;
}

CommandResult RunIf(EngineState& e, const char* arg) {
    if (!EvaluateCondition(e, arg)) return CommandResult::EndPass;
    std::string_view rest(arg, strnlen(arg, kIfActionLimit));
    size_t close = rest.find(')');
    if (close == std::string_view::npos) return CommandResult::EndPass;  // no ')': nothing runs
    const char* action = arg + close + 1;
    while (*action == ' ' || *action == '\t')
        ++action;
    if (*action == '*' || *action == '@' || *action == '!') {
        size_t length = strnlen(action, kIfActionLimit);
        if (length >= kIfActionLimit) return CommandResult::EndPass;
        // The action moves to the front of the line; memmove because the two overlap.
        std::memmove(e.Script.LineBuffer.data(), action, length + 1);
        return CommandResult::Redispatch;
    }
    JumpToLabel(e, action);
    return CommandResult::EndPass;
}

CommandResult RunComputedJump(EngineState& e, const char* arg) {
    ScriptState& s = e.Script;
    int index = *arg == 0 ? e.Vars.G[1] : EvaluateExpression(e, arg);
    int close = SkipToLineStartingWith(e, s.ReadPosition, '}');
    int end = close == kNoLine ? s.ScriptSize : close + 2;
    int p = s.ReadPosition;
    for (int i = 0; i <= index; ++i) {
        int open = SkipToLineStartingWith(e, p, '{');
        p = open == kNoLine ? end + 1 : open + 2;
        if (p > end) {
            s.ReadPosition = end;
            break;
        }
        if (i == index) s.ReadPosition = p;
    }
    s.FetchLine = true;
    return CommandResult::NextLine;
}

CommandResult RunSleep(EngineState& e, const char* arg) {
    int passes = ParseDecimal(arg) / 30;
    e.Shell.SleepPasses = passes != 0 ? passes : -1;
    return CommandResult::EndPass;
}

CommandResult RunWaitVoiceEnd(EngineState& e, const char*) {
    if (e.Shell.SoundDevicePresent) e.Shell.VoiceWaitPending = true;
    return CommandResult::EndPass;
}

CommandResult RunString(EngineState& e, const char* arg) {
    int slot = ParseDecimal(arg);
    const char* line = e.Script.LineBuffer.data();
    const char* text = std::strlen(line) >= 10 ? line + 10 : line + std::strlen(line);
    if (slot < 0 || slot >= kStringSlotCount) return CommandResult::NextLine;
    SetStringSlot(e, slot, text);
    if (slot == 0) {
        e.Settings.PlayerName = std::string(e.StringSlots[0].View());
        bool is_default = e.StringSlots[0] == sjis_text::kDefaultPlayerName;
        e.Vars.S[sys::kPlayerNameChanged] = is_default ? 0 : 1;
        WriteTextSetting(e.Host.Settings(), "PlayerName", e.Settings.PlayerName);
    }
    return CommandResult::NextLine;
}

CommandResult RunTitle(EngineState& e, const char* arg) {
    SetStringSlot(e, 9, arg);
    return CommandResult::NextLine;
}

CommandResult RunCalc(EngineState& e, const char* arg) {
    ExecuteAssignment(e, arg);
    return CommandResult::NextLine;
}

CommandResult RunGetMax(EngineState& e, const char* arg) {
    if (*arg != 'V' && *arg != 'v') return CommandResult::NextLine;
    int target = ParseDecimal(arg + 1);
    int maximum = 0;
    for (const char* p = std::strchr(arg, ','); p != nullptr; p = std::strchr(p + 1, ',')) {
        if (p[1] == 0) break;
        maximum = std::max(maximum, e.Vars.V.Get(ParseDecimal(p + 2)));
    }
    e.Vars.V.Put(target, maximum);
    return CommandResult::NextLine;
}

CommandResult RunGameInit(EngineState& e, const char*) {
    e.Vars.F.Clear();
    e.Vars.T.Clear();
    e.Vars.V.Clear();
    return CommandResult::NextLine;
}

CommandResult RunBackTo(EngineState& e, const char*) {
    e.Vars.S[sys::kResumePoint] = e.Script.ReadPosition;
    return CommandResult::NextLine;
}

CommandResult RunBreak(EngineState& e, const char*) {
    EndSkipping(e);
    StopSkipAndAuto(e, StopMode::Forced);
    return CommandResult::EndPass;
}

CommandResult RunExitGame(EngineState& e, const char*) {
    RequestClose(e);
    return CommandResult::EndPass;
}

CommandResult RunExit(EngineState& e, const char*) {
    // Leaving a replayed scene returns to the screen it was started from: a scene of a
    // recollection play list goes back to the recollection screen, not to a viewer never opened.
    if (InViewerReplay(e)) ReturnToViewer(e);
    if (InRecollectionReplay(e)) ReturnToRecollection(e);
    return CommandResult::EndPass;
}

CommandResult RunCgFull(EngineState& e, const char*) {
    MarkAllPicturesSeen(e);
    return CommandResult::EndPass;
}

}  // namespace vespin
