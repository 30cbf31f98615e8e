// The archive container: directory layouts, lookups and the untrusted-input rules.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "core/resources/archive.h"
#include "test_game.h"

namespace vespin {
namespace {

std::vector<uint8_t> Le32(int32_t v) {
    auto u = static_cast<uint32_t>(v);
    return {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
}

void Append(std::vector<uint8_t>& out, const std::vector<uint8_t>& more) {
    out.insert(out.end(), more.begin(), more.end());
}

// A sized directory with one record whose name field is `name` padded to `width` bytes.
std::vector<uint8_t> SizedDirectory(int32_t count, int32_t width, std::string_view name,
                                    int32_t offset, int32_t size) {
    std::vector<uint8_t> out;
    Append(out, Le32(count));
    Append(out, Le32(width));
    std::vector<uint8_t> field(width > 0 ? width : 0, 0);
    std::memcpy(field.data(), name.data(), std::min<size_t>(name.size(), field.size()));
    Append(out, field);
    Append(out, Le32(offset));
    Append(out, Le32(size));
    return out;
}

TEST(ArchiveDirectory, SizedLayoutReadsNamesUpperCasedInOrder) {
    std::vector<uint8_t> d = SizedDirectory(1, 8, "bg01", 24, 3);
    ArchiveDirectory dir;
    ASSERT_TRUE(ParseDirectory(d.data(), d.size(), 64, DirectoryLayout::Sized, dir));
    ASSERT_EQ(dir.Count(), 1);
    EXPECT_EQ(dir.Names[0], "BG01");
    EXPECT_EQ(dir.Offsets[0], 24);
    EXPECT_EQ(dir.Sizes[0], 3);
}

TEST(ArchiveDirectory, NameFillingItsFieldIsBoundedByTheField) {
    std::vector<uint8_t> d = SizedDirectory(1, 4, "ABCDEFGH", 0, 0);
    ArchiveDirectory dir;
    ASSERT_TRUE(ParseDirectory(d.data(), d.size(), d.size(), DirectoryLayout::Sized, dir));
    EXPECT_EQ(dir.Names[0], "ABCD");
}

TEST(ArchiveDirectory, ImpossibleCountsAndWidthsAreRejectedAsEmpty) {
    ArchiveDirectory dir;
    for (auto [count, width] : {std::pair{-1, 8}, {1, -8}, {1000000, 8}, {1, 0x7FFFFFF0}}) {
        std::vector<uint8_t> d = SizedDirectory(count, 8, "A", 0, 0);
        std::memcpy(d.data() + 4, Le32(width).data(), 4);
        EXPECT_FALSE(ParseDirectory(d.data(), d.size(), d.size(), DirectoryLayout::Sized, dir))
            << count << " " << width;
        EXPECT_EQ(dir.Count(), 0);
    }
    std::vector<uint8_t> shorter = {1, 0};
    EXPECT_FALSE(ParseDirectory(shorter.data(), shorter.size(), 2, DirectoryLayout::Script, dir));
}

TEST(ArchiveDirectory, CountZeroIsAnEmptyDirectory) {
    std::vector<uint8_t> d = Le32(0);
    ArchiveDirectory dir;
    EXPECT_TRUE(ParseDirectory(d.data(), d.size(), d.size(), DirectoryLayout::Script, dir));
    EXPECT_EQ(FindEntry(dir, "MAIN"), -1);
}

TEST(ArchiveDirectory, LookupIgnoresCaseAndTheEarlierDuplicateWins) {
    ArchiveDirectory dir;
    dir.Names = {"MAIN", "SUB", "MAIN"};
    dir.Offsets = {0, 0, 0};
    dir.Sizes = {0, 0, 0};
    EXPECT_EQ(FindEntry(dir, "main"), 0);
    EXPECT_EQ(FindEntry(dir, "Sub"), 1);
    EXPECT_EQ(FindEntry(dir, "SUB2"), -1);
}

TEST(ArchiveDirectory, UpperCaseFoldingLeavesDoubleByteCharactersAlone) {
    // The second byte of "ヂ" (0x83 0x61) is the ASCII 'a' and must not be folded, or the name
    // would read as "ア" (0x83 0x41); the single-byte 'x' after it folds.
    std::vector<uint8_t> d = SizedDirectory(1, 8, "\x83\x61x", 0, 0);
    ArchiveDirectory dir;
    ASSERT_TRUE(ParseDirectory(d.data(), d.size(), d.size(), DirectoryLayout::Sized, dir));
    EXPECT_EQ(dir.Names[0], "\x83\x61X");
    EXPECT_EQ(FindEntry(dir, "\x83\x41X"), -1);
    EXPECT_EQ(FindEntry(dir, "\x83\x61x"), 0);
}

TEST(ArchiveFiles, SearchOrderAndShortReads) {
    test::TempFolder folder;
    test::WriteRawArchive(folder.Path() / "vg_data.vsp", true, {{"MAIN", {1}}, {"ONLYDATA", {2}}});
    test::WriteRawArchive(folder.Path() / "vg_data2.vsp", true, {{"main", {3}}});
    test::WriteRawArchive(folder.Path() / "vg_gjp.vsp", false, {{"CG01", {4}}});
    test::WriteRawArchive(folder.Path() / "vg_gra.vsp", false, {{"CG01", {5}}, {"CG02", {6}}});
    ArchiveSet set;
    ReadDirectories(folder.Path(), set);

    auto read = [&](std::initializer_list<ArchiveId> order, const char* name) {
        std::vector<uint8_t> bytes;
        EntryRef ref = FindInOrder(set, order, name);
        if (!ref.Found() || !ReadEntry(set, ref, bytes)) return -1;
        return bytes.empty() ? -2 : int(bytes[0]);
    };
    // Script entries are stored negated; the raw read returns the stored bytes.
    EXPECT_EQ(read({ArchiveId::Data2, ArchiveId::Data}, "Main"), uint8_t(-3));
    EXPECT_EQ(read({ArchiveId::Data2, ArchiveId::Data}, "onlydata"), uint8_t(-2));
    EXPECT_EQ(read({ArchiveId::Gjp, ArchiveId::Gra3, ArchiveId::Gra2, ArchiveId::Gra}, "cg01"), 4);
    EXPECT_EQ(read({ArchiveId::Gjp, ArchiveId::Gra3, ArchiveId::Gra2, ArchiveId::Gra}, "cg02"), 6);
    EXPECT_EQ(set[ArchiveId::Gra3].Count(), 0);  // missing file: empty directory

    // An entry whose size runs past the end of the file reads short.
    set[ArchiveId::Gra].Sizes[1] = 1 << 30;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadEntry(set, EntryRef{ArchiveId::Gra, 1}, bytes));
    EXPECT_EQ(bytes.size(), 1u);
    set[ArchiveId::Gra].Offsets[1] = 1 << 30;
    ASSERT_TRUE(ReadEntry(set, EntryRef{ArchiveId::Gra, 1}, bytes));
    EXPECT_TRUE(bytes.empty());
    set[ArchiveId::Gra].Offsets[1] = -5;
    ASSERT_TRUE(ReadEntry(set, EntryRef{ArchiveId::Gra, 1}, bytes));
    EXPECT_TRUE(bytes.empty());
    // A directory entry whose file has gone: the load fails.
    std::filesystem::remove(folder.Path() / "vg_gjp.vsp");
    EXPECT_FALSE(ReadEntry(set, EntryRef{ArchiveId::Gjp, 0}, bytes));
}

TEST(ArchiveFiles, TruncatedDirectoryReadsAsEmpty) {
    test::TempFolder folder;
    std::vector<uint8_t> d = SizedDirectory(3, 8, "A", 0, 0);  // claims 3 records, holds 1
    std::ofstream(folder.Path() / "vg_gra.vsp", std::ios::binary)
        .write(reinterpret_cast<const char*>(d.data()), static_cast<std::streamsize>(d.size()));
    ArchiveDirectory dir;
    ReadDirectory(folder.Path() / "vg_gra.vsp", DirectoryLayout::Sized, dir);
    EXPECT_EQ(dir.Count(), 0);
}

TEST(ArchiveFiles, NegationIsItsOwnInverse) {
    uint8_t bytes[] = {0x00, 0x01, 0xFF, 0x80};
    NegateBytes(bytes, 4);
    EXPECT_EQ(bytes[0], 0x00);
    EXPECT_EQ(bytes[1], 0xFF);
    EXPECT_EQ(bytes[2], 0x01);
    EXPECT_EQ(bytes[3], 0x80);
}

}  // namespace
}  // namespace vespin
