#include "tools/anim_writer.h"

#include <climits>

namespace vespin {

namespace {

void Put16(std::vector<uint8_t>& out, size_t at, uint16_t v) {
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}

void Put32(std::vector<uint8_t>& out, size_t at, int64_t value) {
    auto v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

std::vector<uint8_t> ResyncData(const AnimInput& input, size_t k) {
    std::vector<uint8_t> data;
    for (size_t j = k; j-- > 0;) {
        const AnimEventInput& ev = input.Events[j];
        if (ev.Type == kPatchFrame) break;
        if (ev.Type == kKeyFrame) data.insert(data.end(), ev.Jpeg.begin(), ev.Jpeg.end());
    }
    return data;
}

}  // namespace

bool BuildAnimEntry(const AnimInput& input, std::vector<uint8_t>& out, std::string& error) {
    const size_t n = input.Events.size();
    const size_t arrays = kAnimHeaderBytes + n * kAnimEventBytes;
    out.assign(arrays, 0);
    Put32(out, 0, static_cast<int64_t>(n));
    Put32(out, 4, input.FrameTime);
    Put32(out, 8, input.Width);
    Put32(out, 12, input.Height);
    Put32(out, 16, static_cast<int64_t>(input.Sound.size()));
    Put32(out, 20, input.Sound.empty() ? 0 : static_cast<int64_t>(arrays));
    out.insert(out.end(), input.Sound.begin(), input.Sound.end());
    for (size_t k = 0; k < n; ++k) {
        const AnimEventInput& ev = input.Events[k];
        std::vector<uint8_t> resync;
        if (ev.Type == kResyncEvent && ev.Jpeg.empty()) resync = ResyncData(input, k);
        const std::vector<uint8_t>& data = resync.empty() ? ev.Jpeg : resync;
        const size_t at = kAnimHeaderBytes;
        Put16(out, at + 2 * k, ev.Type);
        Put16(out, at + 2 * n + 2 * k, static_cast<uint16_t>(ev.X));
        Put16(out, at + 4 * n + 2 * k, static_cast<uint16_t>(ev.Y));
        Put32(out, at + 6 * n + 4 * k, static_cast<int64_t>(out.size()));
        Put32(out, at + 10 * n + 4 * k, static_cast<int64_t>(data.size()));
        out.insert(out.end(), data.begin(), data.end());
        if (out.size() > INT32_MAX) {
            error = "the animation is larger than 2 GiB";
            return false;
        }
    }
    return true;
}

}  // namespace vespin
