#pragma once
// The scene's layers and working surfaces, and the names a saved game rebuilds them from. The
// CompositionSurface and DisplaySurface sit in EngineState itself: nearly everything uses them.

#include "core/graphics/pixel_ops.h"
#include "core/graphics/surface.h"
#include "core/shell/fixed_string.h"

namespace vespin {

inline constexpr Rect kScreenRect{0, 0, kScreenWidth, kScreenHeight};

using SceneName = FixedString<64>;  // at most 63 bytes

struct SceneState {
    Surface BackgroundLayer;
    Surface CentreCharacterLayer, CentreCharacterMask;
    Surface LeftCharacterLayer, LeftCharacterMask;
    Surface RightCharacterLayer, RightCharacterMask;
    Surface PreviousFrameSurface;  // the frame on screen before the change
    Surface WorkSurface;           // transition scratch; the parts mask of `partsload`
    Surface SpareSurface;          // used by the choice display
    Surface PartsSheet;            // loaded by `partsload` and `direct`
    // Per-pixel weights of the shape transitions: created when one starts, released at its end.
    Surface TransitionAlphaMap;
    Surface TransitionShapeMap;

    SceneName BackgroundName;
    SceneName LeftCentreName;
    SceneName RightName;
    int Selector = 0;  // 0 after `gra`, 1 after `grb`; the [gra] tag keeps the last one
    // The transition number the last ShowScene ran (-1: none was given), for state dumps and
    // for checking which effect a command asked for.
    int LastTransition = -1;
    uint32_t ScenesShown = 0;  // counts ShowScene calls, so a pass can bound its drawing
};

}  // namespace vespin
