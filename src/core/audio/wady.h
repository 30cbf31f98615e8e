#pragma once
// The engine's own sound format: a 48-byte header and coded 16-bit samples in one of three
// codings. Which coding an entry uses follows from where it is played, not from the header:
// voices and effects use coding R, sounds inside animations coding D, music coding M.
//
// Every entry is untrusted: counts, lengths and offsets are checked against the entry's bytes,
// decoding stops quietly where the data or the output ends, and output sizes are capped.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/host/sound_device.h"

namespace vespin::wady {

inline constexpr size_t kHeaderSize = 48;
// Decoded sounds larger than this are cut (about six minutes of 44.1 kHz stereo): the header's
// size field is untrusted and a voice or effect is never that long.
inline constexpr size_t kMaxPcmBytes = 64u << 20;

struct Header {
    uint8_t Scale = 0;               // coding M's step multiplier
    uint16_t Channels = 0;           // music and coding D
    uint32_t SampleRate = 0;         // music
    uint32_t CodedLength = 0;        // bytes of coded data after the header (music)
    uint32_t SamplesPerChannel = 0;  // coding D
    uint32_t PcmBytes = 0;           // size of the decoded PCM (codings R and D)
    uint32_t LoopStart = 0;          // offset of the loop point within the coded data (music)
    int16_t LoopLeft = 0;            // running values at the loop point (music)
    int16_t LoopRight = 0;
    // The wave format record the playing buffer takes.
    uint16_t FormatTag = 0;
    uint16_t FormatChannels = 0;
    uint32_t FormatRate = 0;
    uint32_t FormatBytesPerSecond = 0;
    uint16_t FormatBlockAlign = 0;
    uint16_t FormatBits = 0;
};

// False unless `entry` holds at least a header and begins with "WADY".
bool ParseHeader(std::span<const uint8_t> entry, Header& out);
// Writes a header (the format record follows from channels and rate, 16 bits).
void WriteHeader(const Header& h, uint8_t* out48);
// The playing format of a sound: the header's format record. False when it is not 16-bit PCM
// with one or two channels at a rate a sound device accepts.
bool PlayFormat(const Header& h, PcmFormat& out);

// The decoding tables.
extern const std::array<int16_t, 64> kTableC;   // coding R steps
extern const std::array<int, 8> kRunLengths;    // coding R runs
extern const std::array<int16_t, 256> kTableA;  // coding D steps
extern const std::array<int16_t, 128> kTableB;  // coding M steps (times the scale)

// Coding R: the whole entry in, (PcmBytes rounded down to even) bytes of samples out, mono or
// stereo by the format record's channel count. Empty when the entry is not WADY.
std::vector<int16_t> DecodeR(std::span<const uint8_t> entry);
// Coding D: the whole entry in, PcmBytes / 2 samples out. Empty when not WADY or the channel
// count is not 1 or 2.
std::vector<int16_t> DecodeD(std::span<const uint8_t> entry);

// Coding M, incrementally: decodes `frames` frames from `coded` (one byte per sample, channels
// interleaved) into `out`, carrying the running values in `running` from call to call. Every
// call starts with the left (or only) channel. `coded` must hold frames * channels bytes and
// `out` as many samples.
void DecodeM(const uint8_t* coded, size_t frames, int channels, uint8_t scale,
             std::array<int16_t, 2>& running, int16_t* out);
// Coding M of a whole entry, start to end without looping, for tools: CodedLength bytes (as far
// as the entry holds them). Empty when not WADY or the channel count is not 1 or 2.
std::vector<int16_t> DecodeMusicEntry(std::span<const uint8_t> entry);

}  // namespace vespin::wady
