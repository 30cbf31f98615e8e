// WAV files as authors hand them to vespin-tool: a reason for a rejection, or 16-bit samples of
// whole frames that write and read back unchanged.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/audio/wav_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vespin;
    PcmFormat format;
    std::vector<int16_t> samples;
    std::string error;
    if (!DecodeWav({data, size}, format, samples, error)) {
        if (error.empty()) __builtin_trap();
        return 0;
    }
    if (format.Channels < 1 || format.Channels > 2) __builtin_trap();
    if (samples.size() % static_cast<size_t>(format.Channels) != 0) __builtin_trap();
    PcmFormat again_format;
    std::vector<int16_t> again;
    if (!DecodeWav(EncodeWav(format, samples), again_format, again, error)) __builtin_trap();
    if (again_format != format || again != samples) __builtin_trap();
    return 0;
}
