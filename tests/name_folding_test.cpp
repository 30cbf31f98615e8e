// Names in Shift-JIS: only single-byte ASCII letters fold, so two names that differ only in the
// second byte of a double-byte character (ヂ is 0x83 0x61, ア is 0x83 0x41) stay apart in every
// kind of lookup.

#include <gtest/gtest.h>

#include "audio_test_util.h"
#include "core/audio/audio_state.h"
#include "core/audio/sound.h"
#include "core/resources/picture.h"
#include "core/script/choice_state.h"
#include "core/text/sjis.h"
#include "test_game.h"
#include "tools/wady_encoder.h"

namespace vespin {
namespace {

using test::GameOptions;
using test::TestGame;
using test::WholeLines;

constexpr char kA[] = "\x83\x41";   // ア
constexpr char kDi[] = "\x83\x61";  // ヂ: its second byte is the ASCII 'a'
constexpr char kSa[] = "\x83\x54";  // サ
constexpr char kFu[] = "\x83\x74";  // フ: its second byte is the ASCII 't'

TEST(NameFolding, OnlySingleByteLettersFold) {
    struct Case {
        std::string in, out;
    };
    const Case cases[] = {
        {"main", "MAIN"},
        {"Bg01_x", "BG01_X"},
        {std::string(kDi) + "x", std::string(kDi) + "X"},
        {std::string("a") + kFu + "b", std::string("A") + kFu + "B"},
        {"\x93\x61", "\x93\x61"},      // 殿, a kanji with the same second byte
        {"\xB1z", "\xB1Z"},            // a half-width katakana is one byte
        {"\x83", "\x83"},              // a lead byte at the very end stands alone
        {"\x83z\x83z", "\x83z\x83z"},  // pairs all the way
        {"{}[]`@", "{}[]`@"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sjis::UpperAscii(c.in), c.out) << sjis::ToUtf8(c.in);
}

TEST(NameFolding, ComparisonsIgnoreOnlyAsciiCase) {
    struct Case {
        std::string a, b;
        bool equal;
    };
    const Case cases[] = {
        {"label", "LABEL", true},
        {kDi, kA, false},
        {kFu, kSa, false},
        {std::string(kDi) + "x", std::string(kDi) + "X", true},
        {std::string("\x83") + "ab", std::string("\x83") + "Ab", false},  // 'a' is a trail
        {std::string("\x83") + "ab", std::string("\x83") + "aB", true},
        {"\xB1z", "\xB1Z", true},
        {"", "", true},
        {"a", "ab", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sjis::EqualsIgnoringCase(c.a, c.b), c.equal) << sjis::ToUtf8(c.a);
        EXPECT_EQ(sjis::EqualsIgnoringCase(c.b, c.a), c.equal) << sjis::ToUtf8(c.a);
    }
    EXPECT_TRUE(sjis::StartsWithIgnoringCase(std::string(kDi) + "rest", kDi));
    EXPECT_FALSE(sjis::StartsWithIgnoringCase(std::string(kDi) + "rest", kA));
    EXPECT_TRUE(sjis::StartsWithIgnoringCase("GO x", "go "));
    EXPECT_FALSE(sjis::StartsWithIgnoringCase("\x83go", "\x83GO"));
}

TEST(NameFolding, ArchiveLookupsKeepSecondBytes) {
    ArchiveDirectory dir;
    // Names are read as the directory holds them, and folded as the engine keeps them.
    test::TempFolder folder;
    test::WriteRawArchive(folder.Path() / "vg_gra.vsp", false,
                          {{std::string(kDi) + "x", {1}}, {std::string(kA) + "x", {2}}});
    ReadDirectory(folder.Path() / "vg_gra.vsp", DirectoryLayout::Sized, dir);
    ASSERT_EQ(dir.Count(), 2);
    EXPECT_EQ(dir.Names[0], std::string(kDi) + "X");
    EXPECT_EQ(FindEntry(dir, std::string(kA) + "x"), 1);
    EXPECT_EQ(FindEntry(dir, std::string(kDi) + "X"), 0);
}

// Each kind of lookup in a game whose names differ only in a second byte; the name that would
// be found by folding that byte always comes first.
TEST(NameFolding, LabelsScriptsAndBlocksInAGame) {
    struct Case {
        const char* what;
        std::string main;
        std::string expected;
    };
    const std::string a = sjis::ToUtf8(kA), di = sjis::ToUtf8(kDi);
    const std::string sa = sjis::ToUtf8(kSa), fu = sjis::ToUtf8(kFu);
    const Case cases[] = {
        {"go", "*go " + a + "\n:" + di + "\nwrong\n\\\n:" + a + "\nright\n", "right\n"},
        {"label mid-line", "*go " + sa + "\nx:" + fu + "\nwrong\n\\\n:" + sa + "\nright\n",
         "right\n"},
        {"call", "*call " + a + "\n*call " + di + "\n", "in a\nin di\n"},
        {"call with label", "*call " + a + ":" + a + "\n", "a label\n"},
        {"chain with label", "*chain " + a + ":" + a + "\n", "a label\n"},
        {"named switch entry",
         "*switch " + a + "\n{:" + di + "\nwrong\n{:" + a + "\nright\n}:" + a + "\nafter\n",
         "right\nafter\n"},
        {"named block end",
         "*switch " + a + "\n{:" + a + "(V001=1)\nno\n}:" + di + "\nmid\n}:" + a + "\nafter\n",
         "after\n"},
    };
    for (const Case& c : cases) {
        // Script names are kept in the archive as the engine writes them: Shift-JIS.
        TestGame g({{"main", c.main},
                    {kDi, "in di\n*end\n"},
                    {kA, "in a\n*end\n:" + di + "\nwrong label\n*end\n:" + a + "\na label\n"}},
                   WholeLines());
        g.RunFor(500);
        EXPECT_EQ(g.Transcript(), "[page]\n" + c.expected) << c.what;
    }
}

TEST(NameFolding, ClickmapNamesPicturesAndSounds) {
    const std::string a = sjis::ToUtf8(kA), di = sjis::ToUtf8(kDi);
    GameOptions o = WholeLines();
    Surface small(2, 2), large(3, 3);
    o.Pictures = {{kDi, large}, {kA, small}};
    PcmFormat slow{1, 8000}, fast{1, 16000};
    o.Archives["vg_wav1.vsp"] = {{kDi, EncodeWady(WadyCoding::R, fast, test::Tone(fast, 800))},
                                 {kA, EncodeWady(WadyCoding::R, slow, test::Tone(slow, 800))}};
    TestGame g({{"main", "*clickmap " + a + "\n{\nbody\n}\n"},
                {"map", ":" + di + "\n1\nX,0,0,10,10\n:" + a + "\n1\nY,100,100,300,200\n"}},
               o);
    g.RunUntil([&] { return g.State().Shell.ChoiceKind != 0; }, 3000);
    EXPECT_EQ(g.State().Choices.ChoiceRects[0].Left, 100);

    Surface s;
    ASSERT_TRUE(LoadPicture(g.State().Archives, kA, s));
    EXPECT_EQ(s.Width(), 2);
    ASSERT_TRUE(LoadPicture(g.State().Archives, kDi, s));
    EXPECT_EQ(s.Width(), 3);

    ASSERT_EQ(PlaySound(g.State(), kA), 0);
    EXPECT_EQ(g.Host().Sound().Format(kSlotVoice).SampleRate, 8000);
    ASSERT_EQ(PlaySound(g.State(), kDi), 0);
    EXPECT_EQ(g.Host().Sound().Format(kSlotVoice).SampleRate, 16000);
}

}  // namespace
}  // namespace vespin
