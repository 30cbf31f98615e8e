#include "core/audio/wady.h"

#include <algorithm>
#include <cstring>

namespace vespin::wady {

namespace {

uint16_t U16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
void Put16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void Put32(uint8_t* p, uint32_t v) {
    Put16(p, v);
    Put16(p + 2, v >> 16);
}

constexpr int16_t kStepsC[32] = {0,    4,    8,    12,   19,   24,   30,   38,   47,   59,  74,
                                 92,   115,  144,  180,  225,  281,  352,  440,  550,  687, 859,
                                 1073, 1342, 1678, 2097, 2621, 3277, 4096, 5120, 6400, 8000};

constexpr int16_t kStepsA[128] = {
    0,     2,     4,     6,     8,     10,    12,    15,    18,    21,    24,    28,    32,
    36,    40,    44,    49,    54,    59,    64,    70,    76,    82,    88,    95,    102,
    109,   116,   124,   132,   140,   148,   160,   170,   180,   190,   200,   210,   220,
    230,   240,   255,   270,   285,   300,   320,   340,   360,   380,   400,   425,   450,
    475,   500,   525,   550,   580,   610,   640,   670,   700,   735,   770,   805,   840,
    875,   910,   950,   990,   1030,  1070,  1110,  1150,  1190,  1230,  1270,  1310,  1350,
    1390,  1430,  1470,  1510,  1550,  1600,  1700,  1800,  1900,  2000,  2100,  2200,  2300,
    2400,  2550,  2700,  2850,  3000,  3200,  3500,  3800,  4200,  4600,  5000,  5500,  6000,
    6500,  7000,  7500,  8000,  8500,  9000,  9500,  10000, 11000, 12000, 13000, 14000, 15000,
    16000, 17000, 18000, 19000, 20000, 22000, 24000, 26000, 28000, 30000, 32767};

constexpr int16_t kStepsB[64] = {0,   2,   4,   6,   8,   10,  12,  15,  18,  21,  24,  28,  32,
                                 36,  40,  44,  49,  54,  59,  64,  70,  76,  82,  88,  95,  102,
                                 109, 116, 124, 132, 140, 148, 160, 170, 180, 190, 200, 210, 220,
                                 230, 240, 255, 270, 285, 300, 320, 340, 360, 380, 400, 425, 450,
                                 475, 500, 525, 550, 580, 610, 650, 700, 750, 800, 900, 1000};

constexpr std::array<int16_t, 64> BuildC() {
    std::array<int16_t, 64> t{};
    for (int i = 0; i < 32; ++i) {
        t[i] = kStepsC[i];
        t[32 + i] = static_cast<int16_t>(-kStepsC[i]);
    }
    return t;
}

constexpr std::array<int16_t, 256> BuildA() {
    std::array<int16_t, 256> t{};
    for (int i = 0; i < 128; ++i)
        t[i] = kStepsA[i];
    for (int j = 0; j < 128; ++j)
        t[128 + j] = static_cast<int16_t>(-kStepsA[127 - j]);
    return t;
}

constexpr std::array<int16_t, 128> BuildB() {
    std::array<int16_t, 128> t{};
    for (int i = 0; i < 64; ++i) {
        t[i] = kStepsB[i];
        t[64 + i] = static_cast<int16_t>(-kStepsB[i]);
    }
    return t;
}

size_t PcmSamples(uint32_t pcm_bytes, bool round_to_even) {
    size_t bytes = std::min<size_t>(pcm_bytes, kMaxPcmBytes);
    if (round_to_even) bytes &= ~size_t{1};
    return bytes / 2;
}

// One channel block of coding R into every `stride`-th sample of `out`, from `first`. A block is
// an unread 32-bit value, the code count N, the initial sample, then N codes of one or two bytes.
void DecodeRBlock(std::span<const uint8_t> entry, uint64_t at, std::span<int16_t> out, size_t first,
                  size_t stride) {
    if (at > entry.size() || entry.size() - at < 10) return;
    const uint8_t* p = entry.data() + at;
    const uint8_t* end = entry.data() + entry.size();
    int64_t code_count = U32(p + 4);
    int16_t v = static_cast<int16_t>(U16(p + 8));
    p += 10;
    size_t o = first;
    if (o >= out.size()) return;
    out[o] = v;
    o += stride;
    for (int64_t i = 0; i < code_count; ++i) {
        if (o >= out.size() || p >= end) return;
        if (i == code_count - 300) v = 0;  // the last 300 codes continue from zero
        uint8_t b0 = *p++;
        if (b0 & 1) {
            int c = (b0 >> 1) & 0x7F;
            if (c & 0x40) {
                v = static_cast<int16_t>(static_cast<uint16_t>((c & 0x3F) << 10));
            } else {
                v = static_cast<int16_t>(v + kTableC[c]);
            }
            out[o] = v;
            o += stride;
            continue;
        }
        if (p >= end) return;
        uint8_t b1 = *p++;
        int length = kRunLengths[(b0 >> 1) & 7];
        int16_t target = static_cast<int16_t>(static_cast<uint16_t>((b0 | b1 << 8) & 0xFFF0));
        // The interpolation is single precision on purpose: the rounding of each step is part
        // of the sound.
        float step = static_cast<float>(target - v) / static_cast<float>(length);
        float a = v;
        for (int k = 0; k < length && o < out.size(); ++k) {
            a = a + step;
            out[o] = static_cast<int16_t>(static_cast<int>(a));
            o += stride;
        }
        v = target;
    }
}

}  // namespace

const std::array<int16_t, 64> kTableC = BuildC();
const std::array<int, 8> kRunLengths = {3, 4, 5, 6, 8, 16, 32, 256};
const std::array<int16_t, 256> kTableA = BuildA();
const std::array<int16_t, 128> kTableB = BuildB();

bool ParseHeader(std::span<const uint8_t> entry, Header& h) {
    if (entry.size() < kHeaderSize || std::memcmp(entry.data(), "WADY", 4) != 0) return false;
    const uint8_t* p = entry.data();
    h.Scale = p[5];
    h.Channels = U16(p + 6);
    h.SampleRate = U32(p + 8);
    h.CodedLength = U32(p + 12);
    h.SamplesPerChannel = U32(p + 16);
    h.PcmBytes = U32(p + 20);
    h.LoopStart = U32(p + 24);
    h.LoopLeft = static_cast<int16_t>(U16(p + 28));
    h.LoopRight = static_cast<int16_t>(U16(p + 30));
    h.FormatTag = U16(p + 32);
    h.FormatChannels = U16(p + 34);
    h.FormatRate = U32(p + 36);
    h.FormatBytesPerSecond = U32(p + 40);
    h.FormatBlockAlign = U16(p + 44);
    h.FormatBits = U16(p + 46);
    return true;
}

void WriteHeader(const Header& h, uint8_t* out) {
    std::memset(out, 0, kHeaderSize);
    std::memcpy(out, "WADY", 4);
    out[5] = h.Scale;
    Put16(out + 6, h.Channels);
    Put32(out + 8, h.SampleRate);
    Put32(out + 12, h.CodedLength);
    Put32(out + 16, h.SamplesPerChannel);
    Put32(out + 20, h.PcmBytes);
    Put32(out + 24, h.LoopStart);
    Put16(out + 28, static_cast<uint16_t>(h.LoopLeft));
    Put16(out + 30, static_cast<uint16_t>(h.LoopRight));
    Put16(out + 32, 1);
    Put16(out + 34, h.Channels);
    Put32(out + 36, h.SampleRate);
    Put32(out + 40, h.SampleRate * h.Channels * 2u);
    Put16(out + 44, h.Channels * 2u);
    Put16(out + 46, 16);
}

bool PlayFormat(const Header& h, PcmFormat& out) {
    // The rates a sound buffer accepts.
    if (h.FormatTag != 1 || h.FormatBits != 16) return false;
    if (h.FormatChannels != 1 && h.FormatChannels != 2) return false;
    if (h.FormatRate < 100 || h.FormatRate > 200000) return false;
    out.Channels = h.FormatChannels;
    out.SampleRate = static_cast<int>(h.FormatRate);
    return true;
}

std::vector<int16_t> DecodeR(std::span<const uint8_t> entry) {
    Header h;
    if (!ParseHeader(entry, h)) return {};
    std::vector<int16_t> out(PcmSamples(h.PcmBytes, true), 0);
    if (h.FormatChannels == 2) {
        if (entry.size() < kHeaderSize + 4) return out;
        uint64_t left_length = U32(entry.data() + kHeaderSize);
        DecodeRBlock(entry, 52, out, 0, 2);
        DecodeRBlock(entry, 56 + left_length, out, 1, 2);
    } else {
        DecodeRBlock(entry, kHeaderSize, out, 0, 1);
    }
    return out;
}

std::vector<int16_t> DecodeD(std::span<const uint8_t> entry) {
    Header h;
    if (!ParseHeader(entry, h) || (h.Channels != 1 && h.Channels != 2)) return {};
    std::vector<int16_t> out(PcmSamples(h.PcmBytes, false), 0);
    const uint8_t* data = entry.data() + kHeaderSize;
    uint64_t count = static_cast<uint64_t>(h.SamplesPerChannel) * h.Channels;
    count = std::min<uint64_t>({count, entry.size() - kHeaderSize, out.size()});
    int16_t value[2] = {0, 0};
    for (uint64_t i = 0; i < count; ++i) {
        int16_t& v = value[h.Channels == 2 ? (i & 1) : 0];
        v = static_cast<int16_t>(v + kTableA[data[i]]);
        out[i] = v;
    }
    return out;
}

void DecodeM(const uint8_t* coded, size_t frames, int channels, uint8_t scale,
             std::array<int16_t, 2>& running, int16_t* out) {
    size_t count = frames * static_cast<size_t>(channels);
    for (size_t i = 0; i < count; ++i) {
        int16_t& v = running[channels == 2 ? (i & 1) : 0];
        uint8_t b = coded[i];
        if (b >= 0x80) {
            v = static_cast<int16_t>(static_cast<uint16_t>((b & 0x7F) << 9));
        } else {
            v = static_cast<int16_t>(v + scale * kTableB[b]);
        }
        out[i] = v;
    }
}

std::vector<int16_t> DecodeMusicEntry(std::span<const uint8_t> entry) {
    Header h;
    if (!ParseHeader(entry, h) || (h.Channels != 1 && h.Channels != 2)) return {};
    size_t bytes =
        std::min<uint64_t>({h.CodedLength, entry.size() - kHeaderSize, kMaxPcmBytes / 2});
    size_t frames = bytes / h.Channels;
    std::vector<int16_t> out(frames * h.Channels);
    std::array<int16_t, 2> running{0, 0};
    DecodeM(entry.data() + kHeaderSize, frames, h.Channels, h.Scale, running, out.data());
    return out;
}

}  // namespace vespin::wady
