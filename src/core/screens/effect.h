#pragma once
// `effect` name: a screen effect from the labelled entry `name` of the data script `effect`.
// Each entry line is a flash ("F"), a negative flash ("N") or a window shake ("S"), written as
// comma-separated fields; together they make one list of timed steps.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/script/commands.h"

namespace vespin {

struct EngineState;

enum class EffectKind : uint8_t {
    MoveWindow = 1,  // the main window at its starting place + (Arg1, Arg2)
    ShowNormal = 2,  // the DisplaySurface
    Fill = 3,        // the whole drawing area in colour Arg1
    Blend = 4,       // colour Arg1 over the picture with opacity Arg2
    Negative = 5,    // the DisplaySurface with every byte inverted
};

struct EffectStep {
    EffectKind Kind = EffectKind::ShowNormal;
    int DurationMs = 0;
    int Arg1 = 0;  // x offset, or a colour reference (red in the low byte)
    int Arg2 = 0;  // y offset, or the opacity 0..255
};

inline constexpr size_t kMaxEffectSteps = 200;

// The steps of entry `name` (compared ignoring case) among the lines of the effect script; empty
// when there is no such entry.
std::vector<EffectStep> ReadEffectEntry(const std::vector<std::string>& lines,
                                        std::string_view name);
// Plays the steps, each followed by a wait of its duration on the frame clock; at the end the
// DisplaySurface is shown and the window is back where it was.
void PlayEffect(EngineState& e, const std::vector<EffectStep>& steps);

CommandResult RunEffect(EngineState& e, const char* arg);

}  // namespace vespin
