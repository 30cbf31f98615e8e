// LoadPicture's search order over real archive files, and JPEG decoding: colours land in
// blue-green-red order, broken streams fail without touching the target.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/resources/jpeg_picture.h"
#include "core/resources/packed_picture.h"
#include "core/resources/picture.h"
#include "picture_test_util.h"

namespace vespin {
namespace {

using test::ArchiveEntry;
using test::Bytes;

Bytes Packed(const Surface& s, PackOptions options = {}) {
    Bytes out;
    EXPECT_TRUE(EncodePackedPicture(s, options, out));
    return out;
}

class LoadPictureTest : public ::testing::Test {
  protected:
    void Write(const char* archive, const std::vector<ArchiveEntry>& entries) {
        test::WriteSizedArchive(folder_.Path() / archive, entries);
    }
    void Open() { ReadDirectories(folder_.Path(), archives_); }

    test::TempFolder folder_{"pictures"};
    ArchiveSet archives_;
};

TEST_F(LoadPictureTest, JpegArchiveComesFirstThenGra3Gra2Gra) {
    Write("vg_gjp.vsp", {{"BOTH", test::EncodeJpeg(test::SolidPicture(16, 8, 250, 10, 10))}});
    Write("vg_gra.vsp", {{"BOTH", Packed(test::SolidPicture(4, 4, 1, 1, 1))},
                         {"G1ONLY", Packed(test::SolidPicture(3, 1, 11, 11, 11))},
                         {"G123", Packed(test::SolidPicture(1, 1, 1, 0, 0))}});
    Write("vg_gra2.vsp", {{"G123", Packed(test::SolidPicture(1, 1, 2, 0, 0))},
                          {"G2G3", Packed(test::SolidPicture(1, 1, 2, 0, 0))}});
    Write("vg_gra3.vsp", {{"G123", Packed(test::SolidPicture(1, 1, 3, 0, 0))},
                          {"G2G3", Packed(test::SolidPicture(1, 1, 3, 0, 0))}});
    Open();
    Surface s;
    ASSERT_TRUE(LoadPicture(archives_, "both", s));  // lower case finds the stored name
    EXPECT_EQ(s.Width(), 16);
    EXPECT_GT(s.Row(0)[0], 200);  // blue first
    EXPECT_LT(s.Row(0)[2], 60);
    ASSERT_TRUE(LoadPicture(archives_, "G123", s));
    EXPECT_EQ(s.Row(0)[0], 3);
    ASSERT_TRUE(LoadPicture(archives_, "g2g3", s));
    EXPECT_EQ(s.Row(0)[0], 3);
    ASSERT_TRUE(LoadPicture(archives_, "G1only", s));
    EXPECT_EQ(s.Width(), 3);
    EXPECT_EQ(s.Row(0)[8], 11);
}

TEST_F(LoadPictureTest, WithoutTheJpegArchivePackedPicturesStillLoad) {
    Surface picture = test::PatternPicture(37, 21);
    Write("vg_gra.vsp", {{"A012", Packed(picture)}});
    Open();
    Surface s(800, 600);
    ASSERT_TRUE(LoadPicture(archives_, "A012", s));
    EXPECT_TRUE(test::SameSurface(s, picture));  // previous size and content are gone
}

TEST_F(LoadPictureTest, MissingNamesLeaveTheTargetUntouched) {
    Write("vg_gra.vsp", {{"A1", Packed(test::SolidPicture(2, 2, 5, 5, 5))}});
    Open();
    Surface s = test::SolidPicture(3, 3, 7, 7, 7);
    const Surface before = s;
    PictureError error = PictureError::None;
    EXPECT_FALSE(LoadPicture(archives_, "A2", s, &error));
    EXPECT_EQ(error, PictureError::NotFound);
    EXPECT_FALSE(LoadPicture(archives_, "", s, &error));
    EXPECT_TRUE(test::SameSurface(s, before));
}

TEST_F(LoadPictureTest, PackedEntriesAreReadByTheirHeaderNotTheDirectorySize) {
    Surface picture = test::PatternPicture(20, 10);
    ArchiveEntry entry{"P", Packed(picture), 3};  // the directory claims 3 bytes
    Write("vg_gra2.vsp", {entry, {"NEXT", Bytes(100, 0xAB)}});
    Open();
    Surface s;
    ASSERT_TRUE(LoadPicture(archives_, "P", s));
    EXPECT_TRUE(test::SameSurface(s, picture));
}

TEST_F(LoadPictureTest, BrokenEntriesFailWithoutFallingThrough) {
    Bytes packed = Packed(test::PatternPicture(20, 10));
    Bytes cut(packed.begin(), packed.end() - 10);  // the header announces more than the file has
    Write("vg_gjp.vsp", {{"J", Bytes{0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3}}});
    Write("vg_gra.vsp", {{"J", Packed(test::SolidPicture(1, 1, 0, 0, 0))}, {"CUT", cut}});
    Open();
    Surface s = test::SolidPicture(2, 2, 4, 4, 4);
    const Surface before = s;
    PictureError error = PictureError::None;
    EXPECT_FALSE(LoadPicture(archives_, "J", s, &error));
    EXPECT_EQ(error, PictureError::BadJpeg);
    EXPECT_FALSE(LoadPicture(archives_, "CUT", s, &error));
    EXPECT_EQ(error, PictureError::Truncated);
    EXPECT_TRUE(test::SameSurface(s, before));
}

TEST_F(LoadPictureTest, EntryOffsetsOutsideTheFileFailQuietly) {
    // A directory whose one entry points far past the end of the file.
    Bytes file = {1, 0, 0, 0, 4, 0, 0, 0, 'B', 'A', 'D', 0, 0xF0, 0xFF, 0xFF, 0x0F, 16, 0, 0, 0};
    std::ofstream(folder_.Path() / "vg_gra.vsp", std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    Open();
    Surface s;
    PictureError error = PictureError::None;
    EXPECT_FALSE(LoadPicture(archives_, "BAD", s, &error));
    EXPECT_EQ(error, PictureError::Truncated);
}

TEST_F(LoadPictureTest, ArchiveGoneAfterStartUpIsAReadFailure) {
    Write("vg_gra3.vsp", {{"X", Packed(test::SolidPicture(1, 1, 0, 0, 0))}});
    Write("vg_gra.vsp", {{"X", Packed(test::SolidPicture(1, 1, 0, 0, 0))}});
    Open();
    std::filesystem::remove(folder_.Path() / "vg_gra3.vsp");
    Surface s;
    PictureError error = PictureError::None;
    EXPECT_FALSE(LoadPicture(archives_, "X", s, &error));  // the name was found: no fall-through
    EXPECT_EQ(error, PictureError::ReadFailed);
}

TEST(JpegPicture, DecodesAtFullSizeInBlueGreenRedOrder) {
    Surface picture(40, 24);
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 40; ++x) {
            uint8_t* p = picture.Row(y) + x * 3;
            p[0] = x < 20 ? 240 : 20;  // blue on the left
            p[1] = 30;
            p[2] = x < 20 ? 20 : 240;  // red on the right
        }
    }
    Surface s;
    ASSERT_EQ(DecodeJpegPicture(test::EncodeJpeg(picture), s), PictureError::None);
    ASSERT_EQ(s.Width(), 40);
    ASSERT_EQ(s.Height(), 24);
    EXPECT_NEAR(s.Row(12)[5 * 3], 240, 8);
    EXPECT_NEAR(s.Row(12)[5 * 3 + 2], 20, 8);
    EXPECT_NEAR(s.Row(12)[35 * 3], 20, 8);
    EXPECT_NEAR(s.Row(12)[35 * 3 + 2], 240, 8);
}

TEST(JpegPicture, GreyPicturesFillAllThreeChannels) {
    Surface s;
    ASSERT_EQ(DecodeJpegPicture(test::EncodeJpeg(test::SolidPicture(9, 5, 100, 0, 0), 95, true), s),
              PictureError::None);
    EXPECT_EQ(s.Width(), 9);
    EXPECT_NEAR(s.Row(4)[24], 100, 2);
    EXPECT_EQ(s.Row(4)[24], s.Row(4)[25]);
    EXPECT_EQ(s.Row(4)[24], s.Row(4)[26]);
}

TEST(JpegPicture, BrokenStreamsFailAndLeaveTheTargetAlone) {
    Bytes good = test::EncodeJpeg(test::PatternPicture(64, 48));
    Bytes flipped = good;
    flipped[good.size() / 3] ^= 0xFF;  // damage inside the header tables or the scan
    const std::pair<const char*, Bytes> cases[] = {
        {"empty", {}},
        {"not a JPEG", Bytes(200, 0x55)},
        {"header only", Bytes(good.begin(), good.begin() + 20)},
        {"cut in the middle of the scan", Bytes(good.begin(), good.begin() + good.size() / 2)},
    };
    for (const auto& [what, bytes] : cases) {
        Surface s = test::SolidPicture(3, 3, 1, 2, 3);
        const Surface before = s;
        EXPECT_NE(DecodeJpegPicture(bytes, s), PictureError::None) << what;
        EXPECT_TRUE(test::SameSurface(s, before)) << what;
    }
    // Damaged data may still decode (the library resynchronises), but never crashes or resizes
    // the target to anything but the picture's size.
    Surface s = test::SolidPicture(3, 3, 1, 2, 3);
    if (DecodeJpegPicture(flipped, s) == PictureError::None) {
        EXPECT_EQ(s.Width(), 64);
    }
}

TEST(JpegPicture, PicturesAboveTheLimitAreRefusedBeforeDecoding) {
    Surface s;
    EXPECT_EQ(DecodeJpegPicture(test::EncodeJpeg(test::SolidPicture(64, 64, 0, 0, 0)), s, 4095),
              PictureError::TooLarge);
    EXPECT_TRUE(s.Empty());
}

TEST(JpegPicture, KeptMalformedFilesFailQuietly) {
    const std::filesystem::path folder = std::filesystem::path(VESPIN_TEST_DATA) / "malformed";
    int seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".jpg") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        Surface target = test::SolidPicture(2, 2, 1, 2, 3);
        EXPECT_NE(DecodeJpegPicture(bytes, target), PictureError::None) << entry.path();
        EXPECT_EQ(target.Width(), 2) << entry.path();
        ++seen;
    }
    EXPECT_GT(seen, 0);
}

}  // namespace
}  // namespace vespin
