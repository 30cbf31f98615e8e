#pragma once
// What the rest of the engine may ask of the animation players while one plays.

namespace vespin {

struct AnimState {
    bool Playing = false;  // an animation runs its loop; the tool buttons stay disabled meanwhile
};

}  // namespace vespin
