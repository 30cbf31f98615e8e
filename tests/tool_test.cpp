// The content library behind vespin-tool: archives and scripts round-trip, bad input is named.

#include <gtest/gtest.h>

#include "core/resources/archive.h"
#include "tools/archive_writer.h"
#include "tools/script_codec.h"

namespace vespin {
namespace {

TEST(ScriptCodec, RoundTripsLinesIncludingBlankOnes) {
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(EncodeScript("\xEF\xBB\xBF>名前\r\n\nテキスト\n", bytes, error)) << error;
    std::string expected =
        std::string(">\x96\xBC\x91\x4F") + '\0' + '\0' + "\x83\x65\x83\x4C\x83\x58\x83\x67" + '\0';
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected);
    EXPECT_EQ(DecodeScript(bytes), ">名前\n\nテキスト\n");
}

TEST(ScriptCodec, NamesTheLineOfAnUnencodableCharacter) {
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_FALSE(EncodeScript("fine\nalso fine\nemoji 😀 here\n", bytes, error));
    EXPECT_EQ(error, "line 3: a character has no Shift-JIS form");
    EXPECT_FALSE(EncodeScript(std::string(2048, 'A'), bytes, error));
    EXPECT_EQ(error, "line 1: longer than 2,047 bytes");
}

TEST(ArchiveWriter, BuildsWhatTheReaderReads) {
    std::vector<uint8_t> out;
    std::string error;
    ASSERT_TRUE(
        BuildArchive({{"main", {1, 2}}, {"sub", {3}}}, DirectoryLayout::Script, 0, out, error));
    ArchiveDirectory dir;
    ASSERT_TRUE(ParseDirectory(out.data(), out.size(), out.size(), DirectoryLayout::Script, dir));
    ASSERT_EQ(dir.Count(), 2);
    EXPECT_EQ(dir.Names[1], "SUB");
    EXPECT_EQ(out[dir.Offsets[0]], uint8_t(-1));  // stored negated
    EXPECT_EQ(dir.Sizes[1], 1);

    ASSERT_TRUE(BuildArchive({{"CG01", {9}}}, DirectoryLayout::Sized, 12, out, error));
    ASSERT_TRUE(ParseDirectory(out.data(), out.size(), out.size(), DirectoryLayout::Sized, dir));
    EXPECT_EQ(out[4], 12);
    EXPECT_EQ(out[dir.Offsets[0]], 9);
}

TEST(ArchiveWriter, RefusesNamesThatDoNotFit) {
    std::vector<uint8_t> out;
    std::string error;
    EXPECT_FALSE(BuildArchive({{"SIXTEEN_BYTES_XX", {}}}, DirectoryLayout::Script, 0, out, error));
    EXPECT_FALSE(BuildArchive({{"ABCD", {}}}, DirectoryLayout::Sized, 4, out, error));
    EXPECT_TRUE(BuildArchive({{"ABC", {}}}, DirectoryLayout::Sized, 4, out, error));
}

}  // namespace
}  // namespace vespin
