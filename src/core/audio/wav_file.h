#pragma once
// 16-bit PCM WAV files: what the headless host writes of the mixed sound, and what the tools
// read and write beside the engine's own formats.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/host/sound_device.h"

namespace vespin {

std::vector<uint8_t> EncodeWav(const PcmFormat& format, std::span<const int16_t> samples);
// Reads a RIFF WAVE file of 16-bit PCM, mono or stereo. False with a reason otherwise.
bool DecodeWav(std::span<const uint8_t> bytes, PcmFormat& format, std::vector<int16_t>& samples,
               std::string& error);

}  // namespace vespin
