#pragma once
// The animation entry: a 24-byte header, five parallel arrays of n events, then the events' JPEG
// pictures and an optional sound, all inside one entry of vg_anim.vsp or vg_anim2.vsp.
//
// Entries are untrusted. The reader checks the header and the arrays against the entry's size;
// each event's data is checked on its own when it is played, so one bad event skips only itself.

#include <cstdint>
#include <span>
#include <vector>

namespace vespin {

inline constexpr int kAnimHeaderBytes = 24;
inline constexpr int kAnimEventBytes = 14;  // 2 type + 2 x + 2 y + 4 offset + 4 size
// A sound larger than this is music streamed from the archive rather than an effect.
inline constexpr int32_t kLargestEffectSound = 3999999;
// Frame times beyond a minute are no animation; such a header would hold the engine for days.
inline constexpr int32_t kLongestFrameTimeMs = 60000;
// animq and the battle make surfaces of the header's size (animq twice as wide and high); the
// screen is 800 x 600, and no real animation comes near this.
inline constexpr int32_t kLargestAnimSide = 1024;

enum AnimEventType : uint16_t {
    kKeyFrame = 0,
    kPatchFrame = 1,
    kResyncEvent = 2,
};

struct AnimHeader {
    int32_t Count = 0;
    int32_t FrameTime = 0;  // t: milliseconds per event, with the two exceptions of the period
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t SoundSize = 0;    // 0: no sound
    int32_t SoundOffset = 0;  // from the entry's start
};

struct AnimEvent {
    uint16_t Type = kKeyFrame;
    int16_t X = 0, Y = 0;  // patch frames: where the picture goes, from the animation's position
    int32_t Offset = 0;    // from the entry's start
    int32_t Size = 0;
};

struct AnimEntry {
    AnimHeader Header;
    std::vector<AnimEvent> Events;
    int64_t EntrySize =
        0;  // the bytes the entry really has (the directory size, cut at the file end)
};

enum class AnimEntryError : uint8_t {
    None,
    Truncated,     // the header or the arrays reach past the entry
    BadCount,      // a negative count, or more events than the entry can hold
    BadFrameTime,  // a frame time of 0, negative or beyond kLongestFrameTimeMs
};

AnimHeader ParseAnimHeader(std::span<const uint8_t, kAnimHeaderBytes> bytes);
// Checks a header against the entry's size; on success the arrays take ArraysBytes(count).
AnimEntryError CheckAnimHeader(const AnimHeader& header, int64_t entry_size);
inline int64_t AnimArraysBytes(int32_t count) {
    return int64_t{count} * kAnimEventBytes;
}
// Reads the five arrays (`arrays` holds AnimArraysBytes(count) bytes).
void ParseAnimEvents(std::span<const uint8_t> arrays, int32_t count, std::vector<AnimEvent>& out);
// The whole reader over the first bytes of an entry (at least header and arrays when valid).
AnimEntryError ParseAnimEntry(std::span<const uint8_t> prefix, int64_t entry_size, AnimEntry& out);

// Whether `size` bytes at `offset` from the entry's start lie inside the entry and are not empty.
bool AnimRangeInside(int64_t offset, int64_t size, int64_t entry_size);
// Whether the header's width and height make surfaces (animq and the battle need them).
bool AnimSizeUsable(const AnimHeader& header);

}  // namespace vespin
