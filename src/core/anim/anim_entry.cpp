#include "core/anim/anim_entry.h"

namespace vespin {

namespace {

int32_t Read32(const uint8_t* p) {
    return static_cast<int32_t>(uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 |
                                uint32_t{p[3]} << 24);
}

uint16_t Read16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

}  // namespace

AnimHeader ParseAnimHeader(std::span<const uint8_t, kAnimHeaderBytes> bytes) {
    const uint8_t* p = bytes.data();
    AnimHeader h;
    h.Count = Read32(p);
    h.FrameTime = Read32(p + 4);
    h.Width = Read32(p + 8);
    h.Height = Read32(p + 12);
    h.SoundSize = Read32(p + 16);
    h.SoundOffset = Read32(p + 20);
    return h;
}

AnimEntryError CheckAnimHeader(const AnimHeader& header, int64_t entry_size) {
    if (entry_size < kAnimHeaderBytes) return AnimEntryError::Truncated;
    if (header.Count < 0) return AnimEntryError::BadCount;
    if (AnimArraysBytes(header.Count) > entry_size - kAnimHeaderBytes)
        return AnimEntryError::BadCount;
    if (header.FrameTime <= 0 || header.FrameTime > kLongestFrameTimeMs)
        return AnimEntryError::BadFrameTime;
    return AnimEntryError::None;
}

void ParseAnimEvents(std::span<const uint8_t> arrays, int32_t count, std::vector<AnimEvent>& out) {
    out.assign(static_cast<size_t>(count), AnimEvent{});
    const size_t n = static_cast<size_t>(count);
    if (arrays.size() < n * kAnimEventBytes) return;
    const uint8_t* types = arrays.data();
    const uint8_t* xs = types + 2 * n;
    const uint8_t* ys = xs + 2 * n;
    const uint8_t* offsets = ys + 2 * n;
    const uint8_t* sizes = offsets + 4 * n;
    for (size_t i = 0; i < n; ++i) {
        AnimEvent& ev = out[i];
        ev.Type = Read16(types + 2 * i);
        ev.X = static_cast<int16_t>(Read16(xs + 2 * i));
        ev.Y = static_cast<int16_t>(Read16(ys + 2 * i));
        ev.Offset = Read32(offsets + 4 * i);
        ev.Size = Read32(sizes + 4 * i);
    }
}

AnimEntryError ParseAnimEntry(std::span<const uint8_t> prefix, int64_t entry_size, AnimEntry& out) {
    out = AnimEntry{};
    out.EntrySize = entry_size;
    if (prefix.size() < kAnimHeaderBytes || entry_size < kAnimHeaderBytes)
        return AnimEntryError::Truncated;
    out.Header = ParseAnimHeader(prefix.first<kAnimHeaderBytes>());
    if (AnimEntryError error = CheckAnimHeader(out.Header, entry_size);
        error != AnimEntryError::None)
        return error;
    const int64_t arrays = AnimArraysBytes(out.Header.Count);
    if (static_cast<int64_t>(prefix.size()) - kAnimHeaderBytes < arrays)
        return AnimEntryError::Truncated;
    ParseAnimEvents(prefix.subspan(kAnimHeaderBytes, static_cast<size_t>(arrays)), out.Header.Count,
                    out.Events);
    return AnimEntryError::None;
}

bool AnimRangeInside(int64_t offset, int64_t size, int64_t entry_size) {
    return offset >= 0 && size > 0 && offset <= entry_size && size <= entry_size - offset;
}

bool AnimSizeUsable(const AnimHeader& header) {
    return header.Width > 0 && header.Height > 0 && header.Width <= kLargestAnimSide &&
           header.Height <= kLargestAnimSide;
}

}  // namespace vespin
