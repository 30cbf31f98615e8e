#pragma once
// Building animation entries: the inverse of the engine's animation reader, for vespin-tool, the
// demo recipe and the tests.

#include <cstdint>
#include <string>
#include <vector>

#include "core/anim/anim_entry.h"

namespace vespin {

struct AnimEventInput {
    uint16_t Type = kKeyFrame;
    int16_t X = 0, Y = 0;       // patch frames: the picture's place in the animation
    std::vector<uint8_t> Jpeg;  // the picture; empty for a resync event (the writer fills it)
};

struct AnimInput {
    int32_t FrameTime = 33;
    int32_t Width = 0, Height = 0;  // the pictures' size (animq and the battle use it)
    std::vector<uint8_t> Sound;     // a coding-D WADY entry, or music when larger than 3999999
    std::vector<AnimEventInput> Events;
};

// Lays the entry out: header, the five arrays, the sound, then each event's data. A resync event
// without data gets copies of the key frames that precede it, nearest first, up to the first
// patch frame: what the player redraws from it. False with `error` set when a field cannot hold
// what it must.
bool BuildAnimEntry(const AnimInput& input, std::vector<uint8_t>& out, std::string& error);

}  // namespace vespin
