// Coding R entries of any bytes: decoding stays within the entry and the output it promises.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/audio/wady.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vespin;
    std::span<const uint8_t> entry(data, size);
    wady::Header header;
    bool is_wady = wady::ParseHeader(entry, header);
    PcmFormat format;
    if (is_wady) wady::PlayFormat(header, format);
    // Huge claimed sizes only cost zero-filled memory (the cap has its unit test); keeping the
    // outputs small keeps the fuzzer fast.
    if (is_wady && header.PcmBytes > (1u << 20)) return 0;
    std::vector<int16_t> pcm = wady::DecodeR(entry);
    size_t promised = is_wady ? std::min<size_t>(header.PcmBytes, wady::kMaxPcmBytes) / 2 : 0;
    if (pcm.size() != promised) __builtin_trap();
    return 0;
}
