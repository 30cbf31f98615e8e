#include "core/effects/presentation.h"

#include <algorithm>
#include <string>

#include "core/audio/music.h"
#include "core/graphics/picture_commands.h"
#include "core/host/host.h"
#include "core/script/control_flow.h"
#include "core/script/script_loader.h"
#include "core/script/text_parse.h"
#include "core/shell/engine_state.h"
#include "core/text/sjis.h"

namespace vespin {

namespace {

constexpr uint32_t kIdleSleepMs = 100;
constexpr int kColourEffect = 11;  // S011: 0 none, 1 darken by S013 / 16, 2 sepia
constexpr int kDarkness = 13;      // S013
constexpr int kNoDarkening = 16;
// A pause longer than a day is a script's mistake; it is cut to that.
constexpr int64_t kLongestPauseMs = 24 * 60 * 60 * 1000;

// The number after the first comma of `text` (0 without one).
int AfterComma(std::string_view text) {
    size_t comma = text.find(',');
    if (comma == std::string_view::npos) return 0;
    return ParseDecimal(std::string(text.substr(comma + 1)).c_str());
}

int Number(std::string_view text) {
    return ParseDecimal(std::string(text).c_str());
}

enum class Step : bool { GoesOn, Ends };

// A line starting with '*'; `c` is the text after it.
Step RunPresentationCommand(EngineState& e, std::string_view c) {
    PresentationState& p = e.Effects.Presentation;
    auto is = [&](std::string_view word) { return sjis::StartsWithIgnoringCase(c, word); };
    if (is("gra ")) {
        RunGra(e, std::string(c.substr(4)).c_str());
    } else if (is("music ")) {
        SetMusic(e, Number(c.substr(6)));
    } else if (is("pos ")) {
        p.TextX = std::clamp(Number(c.substr(4)), -kScreenWidth, kScreenWidth);
        p.TextY = std::clamp(AfterComma(c.substr(4)), -kScreenHeight, kScreenHeight);
    } else if (is("wait ")) {
        int64_t ms = std::clamp<int64_t>(int64_t{Number(c.substr(5))} * 100, 0, kLongestPauseMs);
        p.Paused = true;
        p.PauseStart = e.Host.NowMs();
        p.PauseLength = static_cast<uint32_t>(ms);
    } else if (is("put")) {
        AnimatePresentationText(e, Reveal::Put);
    } else if (is("era")) {
        AnimatePresentationText(e, Reveal::Erase);
    } else if (is("end")) {
        EndPresentation(e);
    } else if (is("type ")) {
        SelectPresentationType(e, Number(c.substr(5)));
    } else if (is("dark ")) {
        int n = Number(c.substr(5));
        e.Vars.S[kColourEffect] = n == kNoDarkening ? 0 : 1;
        if (n != kNoDarkening) e.Vars.S[kDarkness] = n;
    } else if (is("click")) {
        p.WaitingForClick = true;
    } else if (is("sepia")) {
        e.Vars.S[kColourEffect] = 2;
    } else {
        return Step::GoesOn;  // an unknown command is skipped
    }
    return Step::Ends;
}

// Whether the step still waits (a click, or a pause that has not run out).
bool Waiting(EngineState& e) {
    PresentationState& p = e.Effects.Presentation;
    if (p.WaitingForClick) return true;
    if (!p.Paused) return false;
    if (e.Host.NowMs() - p.PauseStart < p.PauseLength) return true;
    p.Paused = false;
    return false;
}

void EndFromClick(EngineState& e) {
    EndPresentation(e);
    ReturnFromCall(e);
}

}  // namespace

CommandResult RunPresent(EngineState& e, const char* arg) {
    int depth = e.Script.CallDepth;
    RunCall(e, arg);
    if (e.Script.CallDepth > depth) StartPresentation(e);
    return CommandResult::EndPass;
}

void StartPresentation(EngineState& e) {
    e.Effects.Presentation = PresentationState{};
    SelectPresentationType(e, 1);
    e.Shell.MainMode = kModeRoll;
}

void PresentationStep(EngineState& e) {
    PresentationState& p = e.Effects.Presentation;
    ScriptState& s = e.Script;
    if (p.EndRequested || e.Shell.QuitRequested) {
        EndFromClick(e);
        return;
    }
    if (Waiting(e)) {
        e.Host.SleepMs(kIdleSleepMs);
        return;
    }
    while (e.Shell.MainMode == kModeRoll && !e.Shell.WindowClosed) {
        if (s.ReadPosition >= s.ScriptSize) {
            // The script ends without `end`: the mode ends as with it, and the interpreter
            // runs off the script's end as it always does.
            EndPresentation(e);
            return;
        }
        std::string_view line = ScriptLineAt(e, s.ReadPosition);
        s.ReadPosition += static_cast<int>(line.size()) + 1;
        if (line.empty()) {
            p.Line += 1;
            p.Column = 0;
        } else if (line[0] == '*') {
            if (RunPresentationCommand(e, line.substr(1)) == Step::Ends) return;
        } else if (line[0] != ';') {
            AddPresentationText(e, line);
        }
    }
}

void PresentationClick(EngineState& e) {
    e.Effects.Presentation.EndRequested = true;
}

void EndPresentation(EngineState& e) {
    e.Vars.S[kColourEffect] = 0;
    e.Shell.MainMode = kModeScript;
    PresentationState& p = e.Effects.Presentation;
    p.Text = Surface{};
    p.Frame = Surface{};
    p.Work = Surface{};
}

}  // namespace vespin
