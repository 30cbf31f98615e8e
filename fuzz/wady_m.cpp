// Coding M entries of any bytes through the whole-track decoder the tools use (the engine streams
// music instead: see music_stream): decoding stays within the entry and the output it promises.

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
    std::vector<int16_t> pcm = wady::DecodeMusicEntry(entry);
    if (is_wady && pcm.size() > size - wady::kHeaderSize) __builtin_trap();
    return 0;
}
