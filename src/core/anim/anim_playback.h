#pragma once
// The loop the three players share: the argument, the sound, the engine's busy flags and the
// event schedule.

#include <string>
#include <string_view>

#include "core/anim/anim_canvas.h"

namespace vespin {

struct EngineState;

struct AnimRequest {
    std::string Name;
    int X = 0, Y = 0;
    bool Cuttable = false;  // the expression e was not 0: a click stops the animation
};

// "name,x,y,e": the name runs to the first comma, x and y are decimal numbers after the first and
// second comma, e after the third is an expression (evaluated only when `with_e`).
AnimRequest ParseAnimRequest(EngineState& e, std::string_view args, bool with_e);

// Plays the request's animation in `form`; returns at once when no archive holds the name.
void RunAnimation(EngineState& e, AnimForm form, const AnimRequest& request);

}  // namespace vespin
