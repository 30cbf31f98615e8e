// The picture side of the content library: PNG in and out (with the conversions and refusals an
// author meets), entries decoded by their content, and packing with the smallest stages.

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "core/resources/packed_picture.h"
#include "picture_test_util.h"
#include "tools/picture_codec.h"
#include "tools/png_io.h"

namespace vespin {
namespace {

using test::Bytes;
using test::SameSurface;

// A PNG written by the library's simplified interface from rows in `format`.
Bytes MakePng(int w, int h, png_uint_32 format, const Bytes& pixels, const Bytes& colormap = {},
              int colormap_entries = 0) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = w;
    image.height = h;
    image.format = format;
    image.colormap_entries = colormap_entries;
    png_alloc_size_t size = 0;
    const void* map = colormap.empty() ? nullptr : colormap.data();
    EXPECT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, map));
    Bytes out(size);
    EXPECT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, map));
    out.resize(size);
    return out;
}

TEST(PngIo, RoundTripsEveryShapeExactly) {
    for (auto [w, h] : {std::pair{1, 1}, {3, 5}, {17, 9}, {800, 2}}) {
        Surface picture = test::PatternPicture(w, h, w * 31 + h);
        Bytes png;
        std::string error, note;
        ASSERT_TRUE(EncodePng(picture, png, error)) << error;
        Surface back;
        ASSERT_TRUE(ReadPng(png, back, error, &note)) << error;
        EXPECT_TRUE(SameSurface(picture, back)) << w << "x" << h;
        EXPECT_EQ(note, "");
    }
}

TEST(PngIo, ChannelsLandInBlueGreenRedOrder) {
    Bytes png = MakePng(2, 1, PNG_FORMAT_RGB, {10, 20, 30, 40, 50, 60});
    Surface s;
    std::string error;
    ASSERT_TRUE(ReadPng(png, s, error)) << error;
    EXPECT_EQ(Bytes(s.Data(), s.Data() + 6), (Bytes{30, 20, 10, 60, 50, 40}));
}

TEST(PngIo, GreyPaletteAndSixteenBitPicturesAreConverted) {
    Surface s;
    std::string error, note;
    ASSERT_TRUE(ReadPng(MakePng(2, 1, PNG_FORMAT_GRAY, {7, 200}), s, error, &note)) << error;
    EXPECT_EQ(Bytes(s.Data(), s.Data() + 6), (Bytes{7, 7, 7, 200, 200, 200}));
    EXPECT_NE(note.find("grey"), std::string::npos);

    Bytes colormap = {255, 0, 0, 0, 128, 255};  // two RGB entries
    ASSERT_TRUE(
        ReadPng(MakePng(3, 1, PNG_FORMAT_RGB_COLORMAP, {1, 0, 1}, colormap, 2), s, error, &note))
        << error;
    EXPECT_EQ(Bytes(s.Data(), s.Data() + 9), (Bytes{255, 128, 0, 0, 0, 255, 255, 128, 0}));
    EXPECT_NE(note.find("palette"), std::string::npos);

    // Linear 16-bit samples: the full value is 255 and the scale rounds to the nearest.
    Bytes wide(2 * 3);
    uint16_t samples[3] = {0xFFFF, 0x8080, 0};
    std::memcpy(wide.data(), samples, sizeof samples);
    ASSERT_TRUE(ReadPng(MakePng(1, 1, PNG_FORMAT_LINEAR_RGB, wide), s, error, &note)) << error;
    EXPECT_EQ(Bytes(s.Data(), s.Data() + 3), (Bytes{0, 128, 255}));
    EXPECT_NE(note.find("16-bit"), std::string::npos);
}

TEST(PngIo, InterlacedFilesReadLikePlainOnes) {
    std::ifstream in(std::string(VESPIN_TEST_DATA) + "/png/interlaced_5x3.png", std::ios::binary);
    Bytes png((std::istreambuf_iterator<char>(in)), {});
    Surface s;
    std::string error;
    ASSERT_TRUE(ReadPng(png, s, error)) << error;
    ASSERT_EQ(s.Width(), 5);
    ASSERT_EQ(s.Height(), 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const uint8_t* p = s.Row(y) + x * 3;  // the file's red, green, blue by formula
            EXPECT_EQ(p[2], (x * 40 + y * 7) % 256);
            EXPECT_EQ(p[1], (x * 3 + y * 50) % 256);
            EXPECT_EQ(p[0], (x + y * 90) % 256);
        }
    }
}

TEST(PngIo, AlphaIsDroppedWhenOpaqueAndRefusedOtherwise) {
    Surface s = test::SolidPicture(1, 1, 1, 2, 3);
    std::string error, note;
    ASSERT_TRUE(
        ReadPng(MakePng(2, 1, PNG_FORMAT_RGBA, {1, 2, 3, 255, 4, 5, 6, 255}), s, error, &note))
        << error;
    EXPECT_EQ(Bytes(s.Data(), s.Data() + 6), (Bytes{3, 2, 1, 6, 5, 4}));
    EXPECT_NE(note.find("alpha"), std::string::npos);

    Surface kept = test::SolidPicture(1, 1, 9, 9, 9);
    EXPECT_FALSE(
        ReadPng(MakePng(2, 1, PNG_FORMAT_RGBA, {1, 2, 3, 255, 4, 5, 6, 254}), kept, error));
    EXPECT_NE(error.find("transparent"), std::string::npos);
    // A palette with a transparent entry is the same thing in another form.
    Bytes colormap = {1, 2, 3, 255, 4, 5, 6, 0};
    EXPECT_FALSE(
        ReadPng(MakePng(2, 1, PNG_FORMAT_RGBA_COLORMAP, {0, 1}, colormap, 2), kept, error));
    EXPECT_NE(error.find("transparent"), std::string::npos);
    EXPECT_TRUE(SameSurface(kept, test::SolidPicture(1, 1, 9, 9, 9)));
}

TEST(PngIo, BrokenFilesFailWithoutTouchingTheTarget) {
    Bytes png;
    std::string error;
    ASSERT_TRUE(EncodePng(test::PatternPicture(40, 30), png, error));
    Surface kept = test::SolidPicture(2, 2, 5, 6, 7);
    for (size_t cut :
         {size_t{0}, size_t{7}, size_t{8}, size_t{33}, png.size() / 2, png.size() - 20}) {
        Bytes part(png.begin(), png.begin() + cut);
        EXPECT_FALSE(ReadPng(part, kept, error)) << cut;
        EXPECT_FALSE(error.empty());
    }
    Bytes corrupt = png;
    corrupt[png.size() / 2] ^= 0x55;  // a damaged compressed block
    EXPECT_FALSE(ReadPng(corrupt, kept, error));
    EXPECT_FALSE(ReadPng(Bytes{'G', 'I', 'F', '8', '9', 'a', 0, 0}, kept, error));
    EXPECT_EQ(error, "not a PNG file");
    EXPECT_TRUE(SameSurface(kept, test::SolidPicture(2, 2, 5, 6, 7)));
}

TEST(PngIo, HugePicturesAreRefusedBeforeAllocating) {
    // Only the header is real: 100000 x 100000 pixels would be 30 GB.
    Bytes png = MakePng(1, 1, PNG_FORMAT_RGB, {0, 0, 0});
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            png[at + i] = uint8_t(v >> (24 - 8 * i));
    };
    put32(16, 100000);
    put32(20, 100000);
    uint32_t crc = png_uint_32(crc32(0, png.data() + 12, 17));
    put32(29, crc);
    Surface s;
    std::string error;
    EXPECT_FALSE(ReadPng(png, s, error));
    EXPECT_NE(error.find("8192"), std::string::npos) << error;
}

TEST(PictureEntry, JpegAndPackedEntriesAreToldApartByContent) {
    Surface picture = test::PatternPicture(40, 30);
    Bytes jpeg = test::EncodeJpeg(picture);
    Bytes packed;
    std::string error;
    ASSERT_TRUE(EncodeSmallestPacked(picture, {}, packed, error)) << error;
    EXPECT_EQ(DetectEntryFormat(jpeg), EntryFormat::Jpeg);
    EXPECT_EQ(DetectEntryFormat(packed), EntryFormat::Packed);
    Surface s;
    ASSERT_EQ(DecodePictureEntry(jpeg, s), PictureError::None);
    EXPECT_EQ(s.Width(), 40);
    ASSERT_EQ(DecodePictureEntry(packed, s), PictureError::None);
    EXPECT_TRUE(SameSurface(s, picture));
    EXPECT_EQ(DecodePictureEntry(Bytes(jpeg.begin(), jpeg.begin() + 40), s), PictureError::BadJpeg);
    EXPECT_EQ(DecodePictureEntry(Bytes{1, 2, 3}, s), PictureError::Truncated);
    EXPECT_TRUE(SameSurface(s, picture));
}

TEST(PictureEntry, RawRowsAreBlueGreenRedFromTheTop) {
    Surface s(2, 2);
    s.Row(1)[3] = 11, s.Row(1)[4] = 22, s.Row(1)[5] = 33;
    Bytes raw = RawBgr(s);
    ASSERT_EQ(raw.size(), 12u);
    EXPECT_EQ(Bytes(raw.begin() + 9, raw.end()), (Bytes{11, 22, 33}));
}

size_t PackedSize(const Surface& s, bool rle, bool delta) {
    Bytes out;
    EXPECT_TRUE(EncodePackedPicture(s, PackOptions{rle, delta}, out));
    return out.size();
}

TEST(SmallestPacked, PicksTheSmallestAllowedStagesAndRoundTrips) {
    Surface gradient(64, 48);  // smooth: the delta filter turns it into runs
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            uint8_t* p = gradient.Row(y) + x * 3;
            p[0] = uint8_t(x * 3 + y), p[1] = uint8_t(x + y * 2), p[2] = uint8_t(200 - x);
        }
    Surface noise = test::PatternPicture(61, 37, 9);
    Surface flat = test::SolidPicture(33, 7, 4, 5, 6);
    for (const Surface* picture : {&gradient, &noise, &flat}) {
        for (StageChoice allowed : {StageChoice{true, true}, StageChoice{false, true},
                                    StageChoice{true, false}, StageChoice{false, false}}) {
            Bytes out;
            std::string error;
            ASSERT_TRUE(EncodeSmallestPacked(*picture, allowed, out, error)) << error;
            PackedHeader header;
            ASSERT_TRUE(ParsePackedHeader(out, header));
            if (!allowed.RunLength) {
                EXPECT_EQ(header.Flags & kPackedRunLength, 0);
            }
            if (!allowed.Delta) {
                EXPECT_EQ(header.Flags & kPackedDelta, 0);
            }
            for (bool rle : {false, true}) {
                for (bool delta : {false, true}) {
                    if ((rle && !allowed.RunLength) || (delta && !allowed.Delta)) continue;
                    EXPECT_LE(out.size(), PackedSize(*picture, rle, delta));
                }
            }
            Surface back;
            ASSERT_EQ(DecodePackedPicture(out, back), PictureError::None);
            EXPECT_TRUE(SameSurface(back, *picture));
        }
    }
    Bytes out;
    std::string error;
    ASSERT_TRUE(EncodeSmallestPacked(gradient, {}, out, error));
    EXPECT_NE(out[2] & kPackedDelta, 0);  // the stage that pays here is taken
}

TEST(SmallestPacked, RefusesWhatTheHeaderCannotHold) {
    Bytes out;
    std::string error;
    EXPECT_FALSE(EncodeSmallestPacked(Surface(65536, 1), {}, out, error));
    EXPECT_NE(error.find("65535"), std::string::npos);
    EXPECT_FALSE(EncodeSmallestPacked(Surface(), {}, out, error));
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(EncodeSmallestPacked(Surface(65535, 1), {}, out, error)) << error;
}

}  // namespace
}  // namespace vespin
