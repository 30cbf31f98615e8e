// Ogg voices of any bytes through libvorbisfile over memory: a rejection or a bounded sound.

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/audio/ogg_decoder.h"
#include "core/audio/wady.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vespin::DecodedSound sound;
    if (vespin::DecodeOgg(std::span<const uint8_t>(data, size), sound)) {
        if (sound.Samples.size() * 2 > vespin::wady::kMaxPcmBytes) __builtin_trap();
        if (sound.Samples.size() % static_cast<size_t>(sound.Format.Channels) != 0)
            __builtin_trap();
    }
    return 0;
}
