// The WADY codings, the WAV and Ogg readers and the encoders, byte by byte.

#include <gtest/gtest.h>

#include <cmath>

#include "audio_test_util.h"
#include "core/audio/ogg_decoder.h"
#include "core/audio/wady.h"
#include "core/audio/wav_file.h"
#include "tools/ogg_encoder.h"
#include "tools/wady_encoder.h"

namespace vespin {
namespace {

using test::RawWady;
using test::RBlock;
using test::Tone;

TEST(WadyTables, EndsAndSignsAreWhereTheCodingsNeedThem) {
    EXPECT_EQ(wady::kTableC[0], 0);
    EXPECT_EQ(wady::kTableC[31], 8000);
    EXPECT_EQ(wady::kTableC[32], 0);
    EXPECT_EQ(wady::kTableC[63], -8000);
    EXPECT_EQ(wady::kTableA[127], 32767);
    EXPECT_EQ(wady::kTableA[128], -32767);
    EXPECT_EQ(wady::kTableA[255], 0);
    EXPECT_EQ(wady::kTableA[254], -2);
    EXPECT_EQ(wady::kTableB[63], 1000);
    EXPECT_EQ(wady::kTableB[64], 0);
    EXPECT_EQ(wady::kTableB[127], -1000);
}

TEST(WadyCodingR, OneByteCodesStepOrSetTheValue) {
    // 0x81: c = 0x40 sets 0; 0xFF: c = 0x7F sets -1024; 0x03: +4; 0x43: -0 (C[33] = -4).
    std::vector<uint8_t> codes = {0x03, 0x03, 0x81, 0xFF, 0x45, 0xBF};
    auto entry = RawWady(1, 22050, RBlock(6, 100, codes), 7 * 2);
    EXPECT_EQ(wady::DecodeR(entry), (std::vector<int16_t>{100, 104, 108, 0, -1024, -1032, 31744}));
}

TEST(WadyCodingR, RunsInterpolateInSinglePrecision) {
    // Run code with index 0 (3 samples) to the target 1000 & 0xFFF0 = 992 from 1: the steps are
    // (992 - 1) / 3 = 330.333f, truncated after each float addition.
    uint16_t w = 992 | 0 << 1;
    std::vector<uint8_t> codes = {static_cast<uint8_t>(w), static_cast<uint8_t>(w >> 8), 0x03};
    auto entry = RawWady(1, 22050, RBlock(2, 1, codes), 5 * 2);
    float step = (992.0f - 1.0f) / 3.0f, a = 1.0f;
    std::vector<int16_t> expected = {1};
    for (int k = 0; k < 3; ++k)
        expected.push_back(static_cast<int16_t>(static_cast<int>(a += step)));
    expected.push_back(992 + 4);  // the run leaves the value at its target
    EXPECT_EQ(wady::DecodeR(entry), expected);
    // A negative target truncates toward zero and the 256-sample run fills the buffer only.
    uint16_t down = static_cast<uint16_t>(-500 & 0xFFF0) | 7 << 1;
    auto cut = RawWady(1, 22050,
                       RBlock(1, 0, {static_cast<uint8_t>(down), static_cast<uint8_t>(down >> 8)}),
                       11 * 2);
    std::vector<int16_t> got = wady::DecodeR(cut);
    ASSERT_EQ(got.size(), 11u);
    float s = static_cast<float>(static_cast<int16_t>(down & 0xFFF0)) / 256.0f;
    float b = 0;
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(got[1 + k], static_cast<int>(b += s)) << k;
}

TEST(WadyCodingR, TheLastThreeHundredCodesStartFromZero) {
    std::vector<uint8_t> codes(301, 0x3F);  // +8000 each, saturating through the 16-bit wrap
    codes[0] = 0x03;                        // +4
    auto entry = RawWady(1, 22050, RBlock(301, 10, codes), 4 * 2);
    // Code 0 is N - 301: it still steps from 10; code 1 is N - 300 and steps from zero.
    EXPECT_EQ(wady::DecodeR(entry), (std::vector<int16_t>{10, 14, 8000, 16000}));
}

TEST(WadyCodingR, StereoBlocksInterleaveFromTheirOffsets) {
    std::vector<uint8_t> left = RBlock(1, 1, {0x03});
    std::vector<uint8_t> right = RBlock(1, -1, {0x43});
    std::vector<uint8_t> data(4, 0);
    uint32_t l = static_cast<uint32_t>(left.size() - 4);
    data[0] = static_cast<uint8_t>(l);
    data.insert(data.end(), left.begin(), left.end());
    data.insert(data.end(), right.begin(), right.end());
    auto entry = RawWady(2, 22050, data, 4 * 2);
    EXPECT_EQ(wady::DecodeR(entry), (std::vector<int16_t>{1, -1, 5, -5}));
}

TEST(WadyCodingR, MalformedEntriesDecodeQuietlyWithinTheirBytes) {
    // Not WADY, or too short for the header.
    EXPECT_TRUE(wady::DecodeR(std::vector<uint8_t>(47, 'W')).empty());
    auto bad_magic = RawWady(1, 22050, RBlock(1, 5, {0x03}), 4);
    bad_magic[0] = 'X';
    EXPECT_TRUE(wady::DecodeR(bad_magic).empty());
    // A code count far past the data, and a two-byte code cut in half: decoding stops at the end.
    auto runs_out = RawWady(1, 22050, RBlock(0xFFFFFFFF, 7, {0x03, 0x02}), 8 * 2);
    EXPECT_EQ(wady::DecodeR(runs_out), (std::vector<int16_t>{7, 11, 0, 0, 0, 0, 0, 0}));
    // A block header cut short and a stereo right offset past the entry: zeros, no overrun.
    auto short_block = RawWady(1, 22050, {1, 2, 3}, 4 * 2);
    EXPECT_EQ(wady::DecodeR(short_block), std::vector<int16_t>(4, 0));
    std::vector<uint8_t> data = {0xF0, 0xFF, 0xFF, 0xFF};
    auto block = RBlock(1, 3, {0x03});
    data.insert(data.end(), block.begin(), block.end());
    auto far_right = RawWady(2, 22050, data, 4 * 2);
    EXPECT_EQ(wady::DecodeR(far_right), (std::vector<int16_t>{3, 0, 7, 0}));
    // A claimed PCM size of 4 GiB is capped, and an odd size rounds down.
    auto huge = RawWady(1, 22050, RBlock(1, 1, {0x03}), 0xFFFFFFFF);
    EXPECT_EQ(wady::DecodeR(huge).size(), wady::kMaxPcmBytes / 2);
    EXPECT_EQ(wady::DecodeR(RawWady(1, 22050, RBlock(1, 1, {0x03}), 5)).size(), 2u);
}

TEST(WadyCodingD, DeltasPerChannelFromZero) {
    // Mono: +2, +4, -2 (A[254]), then past 32767 the value wraps around.
    auto mono = RawWady(1, 22050, {1, 2, 254, 127, 127}, 5 * 2, 5);
    std::vector<int16_t> d = wady::DecodeD(mono);
    ASSERT_EQ(d.size(), 5u);
    EXPECT_EQ(d[0], 2);
    EXPECT_EQ(d[1], 6);
    EXPECT_EQ(d[2], 4);
    EXPECT_EQ(d[3], static_cast<int16_t>(4 + 32767));
    EXPECT_EQ(d[4], static_cast<int16_t>(d[3] + 32767));
    // Stereo: bytes alternate left and right, each with its own running value.
    auto stereo = RawWady(2, 22050, {1, 128, 1, 128}, 4 * 2, 2);
    EXPECT_EQ(wady::DecodeD(stereo), (std::vector<int16_t>{2, -32767, 4, 2}));
    // Counts past the data or the output stop there; three channels play nothing.
    EXPECT_EQ(wady::DecodeD(RawWady(1, 22050, {1, 1}, 6 * 2, 1000)),
              (std::vector<int16_t>{2, 4, 0, 0, 0, 0}));
    EXPECT_EQ(wady::DecodeD(RawWady(1, 22050, {1, 1, 1}, 2 * 2, 3)), (std::vector<int16_t>{2, 4}));
    EXPECT_TRUE(wady::DecodeD(RawWady(3, 22050, {1, 1, 1}, 6, 1)).empty());
}

TEST(WadyCodingM, AbsoluteAndScaledDeltaCodes) {
    std::array<int16_t, 2> running{0, 0};
    // 0xC0 sets -32768, 0x80 sets 0, 0xBF sets 63 << 9, 0x01 adds scale x 2, 0x41 subtracts it.
    const uint8_t coded[] = {0xC0, 0x80, 0xBF, 0x01, 0x41, 0x41};
    int16_t out[6];
    wady::DecodeM(coded, 6, 1, 3, running, out);
    EXPECT_EQ(std::vector<int16_t>(out, out + 6),
              (std::vector<int16_t>{-32768, 0, 32256, 32262, 32256, 32250}));
    EXPECT_EQ(running[0], 32250);
    // Stereo alternates; the running values carry into the next call; 16-bit wrap-around.
    std::array<int16_t, 2> r2{32767, -5};
    const uint8_t st[] = {0x01, 0x80, 0x3F, 0x01};
    int16_t o2[4];
    wady::DecodeM(st, 2, 2, 1, r2, o2);
    EXPECT_EQ(std::vector<int16_t>(o2, o2 + 4), (std::vector<int16_t>{-32767, 0, -31767, 2}));
}

TEST(WadyHeader, FieldsAndFormatRecord) {
    wady::Header h;
    h.Channels = 2;
    h.SampleRate = 44100;
    h.Scale = 7;
    h.LoopStart = 1234;
    h.LoopLeft = -3;
    h.LoopRight = 9;
    uint8_t bytes[48];
    wady::WriteHeader(h, bytes);
    wady::Header back;
    ASSERT_TRUE(wady::ParseHeader(std::span<const uint8_t>(bytes, 48), back));
    EXPECT_EQ(back.Scale, 7);
    EXPECT_EQ(back.LoopStart, 1234u);
    EXPECT_EQ(back.LoopLeft, -3);
    EXPECT_EQ(back.LoopRight, 9);
    EXPECT_EQ(back.FormatBlockAlign, 4);
    EXPECT_EQ(back.FormatBytesPerSecond, 176400u);
    PcmFormat f;
    ASSERT_TRUE(wady::PlayFormat(back, f));
    EXPECT_EQ(f, (PcmFormat{2, 44100}));
    back.FormatBits = 8;
    EXPECT_FALSE(wady::PlayFormat(back, f));
    back.FormatBits = 16;
    back.FormatChannels = 6;
    EXPECT_FALSE(wady::PlayFormat(back, f));
}

double SnrDb(const std::vector<int16_t>& a, const std::vector<int16_t>& b) {
    double signal = 0, noise = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        signal += double(a[i]) * a[i];
        noise += (double(a[i]) - b[i]) * (double(a[i]) - b[i]);
    }
    return 10 * std::log10(signal / std::max(noise, 1.0));
}

class WadyRoundTrip : public ::testing::TestWithParam<std::tuple<WadyCoding, int>> {};

TEST_P(WadyRoundTrip, DecodingWhatWeEncodeGivesTheSoundBack) {
    auto [coding, channels] = GetParam();
    PcmFormat f{channels, 22050};
    std::vector<int16_t> pcm = Tone(f, 5000);
    for (size_t i = 0; i < 300; ++i)
        pcm.push_back(0);  // silence, then a loud click
    pcm.resize(pcm.size() / channels * channels);
    for (int c = 0; c < channels; ++c)
        pcm.push_back(30000);
    std::vector<uint8_t> entry = EncodeWady(coding, f, pcm);
    std::vector<int16_t> back = coding == WadyCoding::R   ? wady::DecodeR(entry)
                                : coding == WadyCoding::D ? wady::DecodeD(entry)
                                                          : wady::DecodeMusicEntry(entry);
    ASSERT_EQ(back.size(), pcm.size());
    EXPECT_GT(SnrDb(pcm, back), 35.0);
    EXPECT_NEAR(back.back(), 30000, 800);
    wady::Header h;
    ASSERT_TRUE(wady::ParseHeader(entry, h));
    EXPECT_EQ(h.CodedLength, entry.size() - 48);
    EXPECT_EQ(h.PcmBytes, pcm.size() * 2);
}

INSTANTIATE_TEST_SUITE_P(Codings, WadyRoundTrip,
                         ::testing::Combine(::testing::Values(WadyCoding::R, WadyCoding::D,
                                                              WadyCoding::M),
                                            ::testing::Values(1, 2)));

TEST(WadyEncoder, MusicLoopPointCarriesTheRunningValues) {
    PcmFormat f{2, 8000};
    std::vector<int16_t> pcm = Tone(f, 4000, 220.0);
    WadyEncodeOptions o;
    o.LoopFrame = 1000;
    std::vector<uint8_t> entry = EncodeWady(WadyCoding::M, f, pcm, o);
    wady::Header h;
    ASSERT_TRUE(wady::ParseHeader(entry, h));
    EXPECT_EQ(h.LoopStart, 2000u);
    std::vector<int16_t> whole = wady::DecodeMusicEntry(entry);
    EXPECT_EQ(h.LoopLeft, whole[1998]);
    EXPECT_EQ(h.LoopRight, whole[1999]);
}

TEST(WavFile, RoundTripAndRejections) {
    PcmFormat f{2, 32000};
    std::vector<int16_t> pcm = Tone(f, 100);
    std::vector<uint8_t> bytes = EncodeWav(f, pcm);
    PcmFormat back_format;
    std::vector<int16_t> back;
    std::string error;
    ASSERT_TRUE(DecodeWav(bytes, back_format, back, error)) << error;
    EXPECT_EQ(back_format, f);
    EXPECT_EQ(back, pcm);
    // A data chunk claiming more than the file holds reads what is there.
    bytes.resize(bytes.size() - 3);
    ASSERT_TRUE(DecodeWav(bytes, back_format, back, error));
    EXPECT_EQ(back.size(), pcm.size() - 2);
    std::vector<uint8_t> eight = EncodeWav(f, pcm);
    eight[34] = 8;  // bits per sample
    EXPECT_FALSE(DecodeWav(eight, back_format, back, error));
    EXPECT_FALSE(DecodeWav(std::vector<uint8_t>(11, 0), back_format, back, error));
}

// A rate is read from four bytes; one past what any device plays is refused rather than carried
// into the byte rate of the file written back, where it would overflow.
TEST(WavFile, SampleRatesBeyondWhatPlaysAreRefused) {
    struct Case {
        uint32_t rate;
        bool accepted;
    };
    for (Case c : {Case{1, true}, Case{200000, true}, Case{200001, false}, Case{805328418, false},
                   Case{0x80000000u, false}, Case{0, false}}) {
        SCOPED_TRACE(c.rate);
        std::vector<int16_t> pcm = Tone(PcmFormat{1, 8000}, 10);
        std::vector<uint8_t> bytes = EncodeWav(PcmFormat{1, 8000}, pcm);
        for (int i = 0; i < 4; ++i)
            bytes[24 + i] = static_cast<uint8_t>(c.rate >> (8 * i));
        PcmFormat format;
        std::vector<int16_t> back;
        std::string error;
        ASSERT_EQ(DecodeWav(bytes, format, back, error), c.accepted) << error;
        if (!c.accepted) continue;
        EXPECT_EQ(format.SampleRate, static_cast<int>(c.rate));
        std::vector<uint8_t> again = EncodeWav(format, back);
        EXPECT_EQ(again[28] | again[29] << 8 | again[30] << 16 | again[31] << 24,
                  static_cast<int>(c.rate * 2));  // the byte rate
    }
}

TEST(OggVoice, DecodesAndTrimsTrailingSilence) {
    PcmFormat f{2, 22050};
    std::vector<int16_t> pcm = Tone(f, 22050);
    pcm.resize(pcm.size() + 2 * 11025, 0);  // half a second of silence
    std::vector<uint8_t> ogg = EncodeOggVorbis(f, pcm);
    ASSERT_FALSE(ogg.empty());
    DecodedSound sound;
    ASSERT_TRUE(DecodeOgg(ogg, sound));
    EXPECT_EQ(sound.Format, f);
    // Stereo reserves exactly the PCM; the silent tail goes, but never below half.
    size_t frames = sound.Samples.size() / 2;
    EXPECT_GE(frames, 22050u * 3 / 4);
    EXPECT_LT(frames, 22050u + 11025u);
}

TEST(OggVoice, MonoKeepsAtLeastHalfItsReservation) {
    PcmFormat f{1, 11025};
    std::vector<int16_t> pcm(11025, 0);  // all silence
    std::vector<uint8_t> ogg = EncodeOggVorbis(f, pcm);
    DecodedSound sound;
    ASSERT_TRUE(DecodeOgg(ogg, sound));
    // Three bytes per frame reserved, trimmed to half of that: 1.5 bytes a frame.
    EXPECT_EQ(sound.Samples.size() * 2, 11025u * 3 / 2 / 2 * 2);
}

TEST(OggVoice, RejectsWhatIsNotAVorbisStream) {
    DecodedSound sound;
    EXPECT_FALSE(DecodeOgg(std::vector<uint8_t>(), sound));
    EXPECT_FALSE(DecodeOgg(std::vector<uint8_t>(4000, 0x4F), sound));
    std::vector<uint8_t> ogg = EncodeOggVorbis(PcmFormat{1, 8000}, Tone(PcmFormat{1, 8000}, 800));
    ogg.resize(ogg.size() / 3);  // headers only, or less
    DecodedSound cut;
    DecodeOgg(ogg, cut);  // either rejected or short; never past its bytes
    SUCCEED();
}

}  // namespace
}  // namespace vespin
