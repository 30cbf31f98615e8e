// The packed picture decoder: each stage on hand-built streams, whole pictures through the
// encoder and back, and malformed streams that must fail without touching the target.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/resources/packed_picture.h"
#include "picture_test_util.h"

namespace vespin {
namespace {

using test::Bytes;

// Runs the window stage into a buffer with guard bytes after `size`, which must stay untouched.
Bytes Inflate(const Bytes& in, size_t size, PictureError expect = PictureError::None) {
    Bytes out(size + 32, 0xEE);
    EXPECT_EQ(InflateWindowStage(in, out.data(), size), expect);
    for (size_t i = size; i < out.size(); ++i)
        EXPECT_EQ(out[i], 0xEE) << "guard byte " << i;
    out.resize(size);
    return out;
}

Bytes Expand(const Bytes& in, size_t size, PictureError expect = PictureError::None) {
    Bytes out(size + 32, 0xEE);
    EXPECT_EQ(ExpandRunLengthStage(in, out.data(), size), expect);
    for (size_t i = size; i < out.size(); ++i)
        EXPECT_EQ(out[i], 0xEE) << "guard byte " << i;
    out.resize(size);
    return out;
}

Bytes Repeat(uint8_t v, size_t n) {
    return Bytes(n, v);
}
Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes PackedStream(uint8_t flags, uint16_t w, uint16_t h, const Bytes& body, uint32_t m = 0,
                   uint8_t bpp = 3) {
    PackedHeader header;
    header.Flags = flags;
    header.BytesPerPixel = bpp;
    header.CompressedLength = uint32_t(body.size());
    header.IntermediateLength = m;
    header.Width = w;
    header.Height = h;
    Bytes out(kPackedHeaderSize);
    WritePackedHeader(header, out.data());
    return Concat(out, body);
}

// ---- Window stage ----------------------------------------------------------------------------

TEST(WindowStage, ShortMatchOfDistanceOneRepeatsTheLastByte) {
    // Control 0100...: a literal, then a code: distance 1, length 4.
    EXPECT_EQ(Inflate({0x40, 0x41, 0x02}, 5), Repeat(0x41, 5));
}

TEST(WindowStage, LongMatchLengthBytesAboveTwoHundredAndFiftyTwoAreSpecial) {
    const std::pair<uint8_t, size_t> cases[] = {
        {252, 255}, {253, 256}, {254, 1024}, {255, 4096}, {0, 3}};
    for (auto [c, length] : cases) {
        // Literal 'A', long match at distance 1, literal 'B': the B lands right after the match.
        Bytes out = Inflate({0x40, 'A', 0xC0, 0x00, c, 'B'}, length + 2);
        EXPECT_EQ(out, Concat(Repeat('A', length + 1), {'B'})) << int(c);
    }
}

TEST(WindowStage, MediumAndLongMatchesReachTheirFullDistance) {
    Bytes pattern(1024);
    for (size_t i = 0; i < pattern.size(); ++i)
        pattern[i] = uint8_t(i * 37 + i / 256);
    // 1024 literal bytes as 25 runs of 40 plus 24 singles, then a medium match of distance 1024,
    // length 18, and a long match of distance 1024 + 18, length 255.
    Bytes body;
    std::vector<bool> codes;
    size_t at = 0;
    for (int r = 0; r < 25; ++r, at += 40) {
        codes.push_back(true);
        body.push_back((40 - 9) << 2 | 3);
        body.insert(body.end(), pattern.begin() + at, pattern.begin() + at + 40);
    }
    for (; at < 1024; ++at) {
        codes.push_back(false);
        body.push_back(pattern[at]);
    }
    codes.push_back(true);
    body.insert(body.end(), {0x80 | (1023 >> 4), (1023 & 15) << 4 | 15});
    codes.push_back(true);
    const unsigned d = 1024 + 18 - 1;
    body.insert(body.end(), {uint8_t(0xC0 | d >> 8), uint8_t(d & 0xFF), 252});
    // Interleave control bytes: each announces the next eight tokens.
    Bytes stream;
    size_t pos = 0;
    for (size_t t = 0; t < codes.size(); ++t) {
        if (t % 8 == 0) {
            uint8_t control = 0;
            for (size_t k = 0; k < 8 && t + k < codes.size(); ++k) {
                if (codes[t + k]) control |= 0x80 >> k;
            }
            stream.push_back(control);
        }
        size_t n = codes[t] ? (body[pos] & 0x80       ? (body[pos] & 0x40 ? 3 : 2)
                               : (body[pos] & 3) == 3 ? 1 + (body[pos] >> 2) + 9
                                                      : 1)
                            : 1;
        stream.insert(stream.end(), body.begin() + pos, body.begin() + pos + n);
        pos += n;
    }
    Bytes want = pattern;
    want.insert(want.end(), pattern.begin(), pattern.begin() + 18);
    for (size_t i = 0; i < 255; ++i)
        want.push_back(want[want.size() - 1042]);
    EXPECT_EQ(Inflate(stream, want.size()), want);
}

TEST(WindowStage, StreamMayEndRightAfterTheEighthToken) {
    // Eight literals complete the output; no further control byte is needed.
    EXPECT_EQ(Inflate({0x00, 1, 2, 3, 4, 5, 6, 7, 8}, 8), (Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
    // With a ninth byte due, the stream is short.
    Inflate({0x00, 1, 2, 3, 4, 5, 6, 7, 8}, 9, PictureError::Truncated);
}

TEST(WindowStage, LastTokenIsCutAtTheEnd) {
    EXPECT_EQ(Inflate({0x40, 7, 0x02}, 3), Repeat(7, 3));  // match of 4 where 2 fit
    // A literal run of 40 where 5 fit needs only those 5 input bytes.
    EXPECT_EQ(Inflate({0x80, (40 - 9) << 2 | 3, 1, 2, 3, 4, 5}, 5), (Bytes{1, 2, 3, 4, 5}));
    // A long match of 4096 at the very end of a longer output.
    EXPECT_EQ(Inflate({0x40, 9, 0xC0, 0x00, 255}, 100), Repeat(9, 100));
}

TEST(WindowStage, MatchBeforeTheStartIsRejected) {
    Inflate({0x80, 0x00}, 4, PictureError::Malformed);     // distance 1 with nothing written
    Inflate({0x40, 1, 0x04}, 4, PictureError::Malformed);  // distance 2 after one byte
    Inflate({0x40, 1, 0xC0, 0x05, 0}, 9, PictureError::Malformed);  // distance 6
}

TEST(WindowStage, StreamsThatEndInsideATokenAreTruncated) {
    Inflate({}, 1, PictureError::Truncated);
    Inflate({0x00}, 1, PictureError::Truncated);
    Inflate({0x40, 1, 0x80}, 4, PictureError::Truncated);        // medium code without its byte
    Inflate({0x40, 1, 0xC0, 0x00}, 4, PictureError::Truncated);  // long code without its length
    Inflate({0x80, 0x03, 1, 2}, 9, PictureError::Truncated);     // literal run of 9, 2 given
    EXPECT_EQ(Inflate({}, 0), Bytes{});                          // nothing wanted, nothing read
}

TEST(WindowStage, OverlappingMatchesOfEveryShortDistanceRepeatTheirPattern) {
    // Distances 1..17 with a long length, against a plain byte-by-byte copy; once with more
    // tokens after the match (room for whole chunks) and once as the last token (no room).
    Bytes literals = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};
    for (unsigned d = 1; d <= 17; ++d) {
        Bytes stream = {0x00, 1,  2,  3,  4,  5,  6,  7,  8,    0x00,
                        9,    10, 11, 12, 13, 14, 15, 16, 0x40, 17};
        stream.insert(stream.end(), {uint8_t(0xC0), uint8_t(d - 1), 97});  // length 100
        Bytes want = literals;
        for (int i = 0; i < 100; ++i)
            want.push_back(want[want.size() - d]);
        EXPECT_EQ(Inflate(stream, want.size()), want) << "last token, distance " << d;

        Bytes more = stream;
        more[18] = 0x60;  // literal, match, then a literal run of 20
        more.push_back((20 - 9) << 2 | 3);
        for (uint8_t i = 0; i < 20; ++i)
            more.push_back(200 + i), want.push_back(200 + i);
        EXPECT_EQ(Inflate(more, want.size()), want) << "followed, distance " << d;
    }
}

// ---- Run-length stage and delta filter ---------------------------------------------------------

TEST(RunLengthStage, RunsAndLiteralBlocks) {
    EXPECT_EQ(Expand({0xA0, 0x02, 0x11, 0x22}, 6), (Bytes{0x11, 0x22, 0x11, 0x22, 0x11, 0x22}));
    EXPECT_EQ(Expand({0x02, 7, 8, 9, 0x80, 0x04, 5}, 8), (Bytes{7, 8, 9, 5, 5, 5, 5, 5}));
    // The longest run: 8192 units of 4 bytes.
    EXPECT_EQ(Expand({0xFF, 0xFF, 1, 2, 3, 4}, 32768).back(), 4);
}

TEST(RunLengthStage, RunPastTheEndIsCutToWholeUnits) {
    // 5 bytes wanted: a run of three 2-byte units writes two, a literal block the fifth byte.
    EXPECT_EQ(Expand({0xA0, 0x02, 0x11, 0x22, 0x00, 0x33}, 5),
              (Bytes{0x11, 0x22, 0x11, 0x22, 0x33}));
    // A 3-byte unit where 2 bytes remain writes nothing; the stage reads on.
    EXPECT_EQ(Expand({0x00, 1, 0xC0, 0x05, 9, 9, 9, 0x01, 2, 3}, 3), (Bytes{1, 2, 3}));
    // A literal block longer than what remains copies only what fits.
    EXPECT_EQ(Expand({0x7F, 1, 2}, 2), (Bytes{1, 2}));
}

TEST(RunLengthStage, ShortInputIsTruncated) {
    Expand({0x05, 1, 2}, 6, PictureError::Truncated);
    Expand({0x80}, 6, PictureError::Truncated);
    Expand({0xE0, 0x00, 1, 2}, 6, PictureError::Truncated);  // 4-byte unit, 2 given
    Expand({0x80, 0x00, 1}, 6, PictureError::Truncated);     // runs out after one unit
}

TEST(DeltaFilter, EachChannelIsARunningSum) {
    Bytes data = {0x10, 0x20, 0x30, 0x01, 0x01, 0x01};
    UndoDeltaFilter(data.data(), data.size());
    EXPECT_EQ(data, (Bytes{0x10, 0x20, 0x30, 0x11, 0x21, 0x31}));
    Bytes wrap = {0xFF, 0, 0, 0x02, 0, 0, 0x01};
    UndoDeltaFilter(wrap.data(), wrap.size());
    EXPECT_EQ(wrap, (Bytes{0xFF, 0, 0, 0x01, 0, 0, 0x02}));
}

// ---- Whole pictures --------------------------------------------------------------------------

TEST(PackedPicture, WithoutFlagsTheStreamIsThePicture) {
    Surface target;
    ASSERT_EQ(DecodePackedPicture(PackedStream(0, 1, 1, {0x00, 10, 20, 30}), target),
              PictureError::None);
    EXPECT_EQ(target.Width(), 1);
    EXPECT_EQ(target.Height(), 1);
    EXPECT_EQ(Bytes(target.Data(), target.Data() + 3), (Bytes{10, 20, 30}));
}

TEST(PackedPicture, AllStagesTogetherAndTrailingBytesIgnored) {
    // 2 x 1 picture, delta + run-length: runs give 10 20 30 01 01 01, the filter 10 20 30 11 21 31.
    Bytes runs = {0x02, 0x10, 0x20, 0x30, 0x80, 0x02, 0x01};
    Bytes body = {0x00, runs[0], runs[1], runs[2], runs[3], runs[4], runs[5], runs[6]};
    Bytes stream = Concat(PackedStream(kPackedDelta | kPackedRunLength, 2, 1, body, 7), {1, 2, 3});
    Surface target;
    ASSERT_EQ(DecodePackedPicture(stream, target), PictureError::None);
    EXPECT_EQ(Bytes(target.Data(), target.Data() + 6), (Bytes{0x10, 0x20, 0x30, 0x11, 0x21, 0x31}));
}

TEST(PackedPicture, EncoderRoundTripsEveryOptionAndShape) {
    const std::pair<int, int> sizes[] = {{1, 1}, {1, 7}, {5, 3}, {33, 17}, {160, 120}, {0, 4}};
    for (auto [w, h] : sizes) {
        for (int options = 0; options < 4; ++options) {
            PackOptions opt{bool(options & 1), bool(options & 2)};
            Surface picture = test::PatternPicture(w, h, uint32_t(w * 31 + h));
            Bytes packed;
            ASSERT_TRUE(EncodePackedPicture(picture, opt, packed));
            PackedHeader header;
            ASSERT_TRUE(ParsePackedHeader(packed, header));
            EXPECT_EQ(header.Flags,
                      (opt.RunLength ? kPackedRunLength : 0) | (opt.Delta ? kPackedDelta : 0));
            EXPECT_EQ(header.CompressedLength + kPackedHeaderSize, packed.size());
            Surface decoded;
            ASSERT_EQ(DecodePackedPicture(packed, decoded), PictureError::None) << w << "x" << h;
            EXPECT_TRUE(test::SameSurface(decoded, picture))
                << w << "x" << h << " options " << options;
        }
    }
}

TEST(PackedPicture, EncoderCompressesFlatPicturesHard) {
    Surface flat = test::SolidPicture(800, 600, 12, 34, 56);
    Bytes packed;
    ASSERT_TRUE(EncodePackedPicture(flat, {}, packed));
    EXPECT_LT(packed.size(), 2000u);
    Surface decoded;
    ASSERT_EQ(DecodePackedPicture(packed, decoded), PictureError::None);
    EXPECT_TRUE(test::SameSurface(decoded, flat));
}

struct BadStream {
    const char* What;
    Bytes Stream;
    PictureError Error;
};

TEST(PackedPicture, MalformedStreamsFailAndLeaveTheTargetAlone) {
    Bytes good = PackedStream(0, 1, 1, {0x00, 1, 2, 3});
    const BadStream cases[] = {
        {"empty", {}, PictureError::Truncated},
        {"shorter than the header", Bytes(good.begin(), good.begin() + 15),
         PictureError::Truncated},
        {"shorter than its announced length", Bytes(good.begin(), good.end() - 1),
         PictureError::Truncated},
        {"four bytes a pixel", PackedStream(0, 1, 1, {0x00, 1, 2, 3}, 0, 4),
         PictureError::Malformed},
        {"match before the start", PackedStream(0, 1, 1, {0x80, 0x04}), PictureError::Malformed},
        {"65535 x 65535", PackedStream(0, 65535, 65535, {0x00, 1}), PictureError::TooLarge},
        {"more output than the stream can hold",
         PackedStream(0, 8000, 8000, {0x40, 1, 0xC0, 0, 255}), PictureError::Truncated},
        {"absurd run-length length", PackedStream(kPackedRunLength, 2, 2, {0x00, 1}, 0x7FFFFFFF),
         PictureError::TooLarge},
        {"run-length stream too short for the picture",
         PackedStream(kPackedRunLength, 4000, 4000, {0x00, 1}, 1), PictureError::Truncated},
        {"run-length stage runs dry",
         PackedStream(kPackedRunLength, 2, 1, {0x00, 0x02, 1, 2, 3}, 4), PictureError::Truncated},
    };
    for (const BadStream& c : cases) {
        Surface target = test::SolidPicture(3, 2, 9, 8, 7);
        const Surface before = target;
        EXPECT_EQ(DecodePackedPicture(c.Stream, target), c.Error) << c.What;
        EXPECT_TRUE(test::SameSurface(target, before)) << c.What;
    }
}

TEST(PackedPicture, KeptMalformedFilesFailQuietly) {
    const std::filesystem::path folder = std::filesystem::path(VESPIN_TEST_DATA) / "malformed";
    int seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".pkd") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        Surface target = test::SolidPicture(2, 2, 1, 2, 3);
        EXPECT_NE(DecodePackedPicture(bytes, target), PictureError::None) << entry.path();
        EXPECT_EQ(target.Width(), 2) << entry.path();
        ++seen;
    }
    EXPECT_GT(seen, 0);
}

}  // namespace
}  // namespace vespin
