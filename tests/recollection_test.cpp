// The recollection screen through the headless host: the catalogue and the marks of the scenes
// reached, the grid, the slot panel's buttons and cell menu, play lists and the way back, the
// slot naming dialog and kaiso.dat.

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "core/persistence/system_data.h"
#include "core/screens/recollection.h"
#include "core/screens/recollection_catalogue.h"
#include "core/shell/engine_state.h"
#include "core/text/sjis.h"
#include "test_game.h"

namespace vespin {
namespace {

using test::GameOptions;
using test::TestGame;

// Lines: 0 :NIGHT1, 1 Scene Zero, 2 *GROUP A, 3 Scene One, 4 Scene Two, 5 *GROUP B,
// 6 Scene Three, 7 :NIGHT2, 8 Scene Four, 9 :END.
constexpr char kCatalogue[] =
    ":NIGHT1\n"
    "Scene Zero,s0\n"
    "*Group A\n"
    "Scene One,s1\n"
    "\n"
    "Scene Two,s2\n"
    "*Group B\n"
    "Scene Three,s3\n"
    ":NIGHT2\n"
    "Scene Four,s4\n"
    ":END\n"
    "Never,s0\n";

struct Game {
    TestGame game;
    explicit Game(GameOptions options = test::WholeLines())
        : game({{"main", "*call s1\n:open\n*kaisou\nback in main\n*go open\n"},
                {"sys_flashbak", kCatalogue},
                {"s0", "zero\n*end\n"},
                {"s1", "one\n*end\n"},
                {"s2", "two\n*end\n"},
                {"s3", "three\n*exit\nnever\n"},
                {"s4", "four\n\\\nfour later\n*end\n"}},
               options) {
        game.RunUntil([&] { return State().Shell.MainMode == kModeRecollection; });
    }
    EngineState& State() { return game.State(); }
    RecollectionScreen& Screen() { return State().Recollection.Screen; }
    int32_t* Slot(int n) { return State().Recollection.SlotEntries.data() + 50 * n; }
    void Click(int x, int y, MouseButton button = MouseButton::Left) {
        game.MouseMove(x, y);
        game.MouseDown(x, y, button);
    }
    void Reopen() {  // the grid again after changing the marks
        Click(15, 124);
        Click(15, 80);
    }
    void RunBack() {
        game.RunUntil([&] { return State().Shell.MainMode == kModeRecollection; }, 20000);
    }
};

TEST(Recollection, LoadingAScriptMarksItsSceneAndItsGroupHeader) {
    Game g;
    const FlagBank<2000>& seen = g.State().Recollection.SceneSeenBits;
    for (int line = 0; line < 10; ++line)
        EXPECT_EQ(seen.Test(line), line == 2 || line == 3) << line;
    EXPECT_EQ(g.State().Recollection.Catalogue.Size(), 10);  // nothing after :END
    EXPECT_EQ(g.Screen().Cells[6], 3);                       // the row after the header's
}

TEST(Recollection, TheCatalogueIsBounded) {
    std::string text;
    for (int i = 0; i < 2100; ++i)
        text += (i == 1 ? std::string(101, '\x82') + "," + std::string(40, 'n') : "t,s") + '\0';
    RecollectionCatalogue catalogue;
    ReadRecollectionCatalogue(catalogue, text);
    ASSERT_EQ(catalogue.Size(), kCatalogueLineLimit);
    EXPECT_EQ(catalogue.Display[1].size(), 64u);  // whole two-byte characters only
    EXPECT_EQ(catalogue.Scripts[1], std::string(29, 'N'));
    // A page the catalogue lacks is empty, whatever is marked.
    Game g;
    for (int line = 0; line < 10; ++line)
        g.State().Recollection.SceneSeenBits.Set(line, true);
    g.Click(15, 171);
    EXPECT_EQ(g.Screen().Page, 2);
    EXPECT_EQ(g.Screen().Cells, (std::array<int, kRecollectionCells>{}));
}

TEST(Recollection, AHeaderTakesThreeCellsAndStartsARowOnlyWhenReached) {
    struct Case {
        std::vector<int> Seen;
        std::vector<std::pair<int, int>> Cells;  // cell, line
    };
    const Case cases[] = {
        // Group A unseen: its three cells follow Scene Zero's without a new row.
        {{1, 3, 4}, {{0, 1}, {4, 3}, {5, 4}}},
        // Group A seen: it moves to the next row, its scenes to the row after.
        {{1, 2, 3}, {{0, 1}, {6, 3}}},
        // Unseen scenes leave their cells empty; Group B seen starts the row after them.
        {{5, 6}, {{9, 6}}},
    };
    Game g;
    for (const Case& c : cases) {
        g.State().Recollection.SceneSeenBits.Clear();
        for (int line : c.Seen)
            g.State().Recollection.SceneSeenBits.Set(line, true);
        g.Reopen();
        std::array<int, kRecollectionCells> expected{};
        for (auto [cell, line] : c.Cells)
            expected[cell] = line;
        EXPECT_EQ(g.Screen().Cells, expected) << c.Seen.size();
    }
}

TEST(Recollection, SlotButtonsAndTheCellMenu) {
    Game g;
    int32_t* slot = g.Slot(0);
    g.Click(60, 106);   // Scene One, cell 6
    g.Click(466, 560);  // add
    g.Click(60, 106, MouseButton::Right);
    g.game.Command(UiCommand::Popup2Register);
    EXPECT_EQ(std::vector<int>(slot, slot + 3), (std::vector<int>{3, 3, 0}));
    // Deleting the last entry selects the one before it.
    g.Click(600, 154 + 13 + 5);  // entry 2
    EXPECT_EQ(g.Screen().SelectedEntry, 2);
    g.Click(590, 549);  // delete
    EXPECT_EQ(slot[1], 0);
    EXPECT_EQ(g.Screen().SelectedEntry, 1);
    // A full slot takes no more.
    std::fill_n(slot, 27, 3);
    slot[26] = 1;
    g.Click(466, 560);
    g.game.Command(UiCommand::Popup2Register);
    EXPECT_EQ(slot[26], 1);
    EXPECT_EQ(slot[27], 0);
    g.Click(656, 549);  // clear
    EXPECT_EQ(slot[0], 0);
}

TEST(Recollection, APlayListRunsThroughAndReturnsOnTheSamePageAndSlot) {
    Game g;
    g.State().Recollection.SceneSeenBits.Set(8, true);
    g.Click(15, 124);  // page 2
    g.Click(615, 70);  // slot 3
    int32_t* slot = g.Slot(2);
    slot[0] = 3, slot[1] = 5, slot[2] = 4, slot[3] = 8;  // a header line is passed over
    std::size_t start = g.game.Transcript().size();
    g.Click(740, 549);  // play
    EXPECT_TRUE(g.State().Shell.ReplayActive);
    EXPECT_TRUE(g.State().Toolbar.MenuSceneSkipVisible);
    EXPECT_TRUE(g.State().Toolbar.MenuRecollectionEndVisible);
    g.game.RunUntil([&] { return g.game.Transcript().find("four") != std::string::npos; });
    EXPECT_FALSE(g.State().Toolbar.MenuSceneSkipVisible);  // the last scene
    g.game.RunFor(500);
    g.game.Click();
    g.RunBack();
    std::string t = g.game.Transcript().substr(start);
    EXPECT_EQ(t.find("back in main"), std::string::npos);
    ASSERT_NE(t.find("four later"), std::string::npos) << t;
    EXPECT_LT(t.find("one"), t.find("two"));
    EXPECT_LT(t.find("two"), t.find("four"));
    EXPECT_EQ(g.Screen().Page, 1);
    EXPECT_EQ(g.Screen().CurrentSlot, 2);
    EXPECT_FALSE(g.State().Shell.ReplayActive);
    EXPECT_FALSE(g.State().Toolbar.MenuRecollectionEndVisible);
    // The return button lets the script go on after kaisou.
    g.Click(660, 25);
    g.game.RunUntil([&] { return g.State().Shell.MainMode == kModeRecollection; });
    EXPECT_NE(g.game.Transcript().find("back in main"), std::string::npos);
}

TEST(Recollection, SceneSkipEndAndExitLeaveAScene) {
    struct Case {
        const char* Name;
        std::vector<int> List;
        UiCommand Command;  // MenuN1, MenuN2, or Screenshot for none
        const char* Absent;
    };
    const Case cases[] = {
        {"skip", {8, 3}, UiCommand::MenuN1, "four later"},
        {"end", {8, 3}, UiCommand::MenuN2, "one"},
        {"exit", {6, 3}, UiCommand::Screenshot, "never"},
    };
    for (const Case& c : cases) {
        Game g;
        std::size_t start = g.game.Transcript().size();
        std::copy(c.List.begin(), c.List.end(), g.Slot(0));
        g.Click(740, 549);
        g.game.Steps(3);
        if (c.Command != UiCommand::Screenshot) g.game.Command(c.Command);
        g.RunBack();
        std::string t = g.game.Transcript().substr(start);
        EXPECT_EQ(t.find(c.Absent), std::string::npos) << c.Name << ": " << t;
        EXPECT_EQ(g.State().Shell.MainMode, kModeRecollection) << c.Name;
        EXPECT_FALSE(g.State().Shell.ReplayActive) << c.Name;
    }
}

TEST(Recollection, SlotNamesAreCutTo36BytesOnWholeCharacters) {
    GameOptions options = test::WholeLines();
    options.Events = "0 names ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴ\n";
    Game g(options);
    g.Click(750, 95);
    EXPECT_EQ(sjis::ToUtf8(g.State().Recollection.SlotNames[0].View()),
              "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲ");
    const std::pair<std::string, std::string> cuts[] = {
        {std::string(35, 'a') + "\x82\x60", std::string(35, 'a')},
        {std::string(40, 'a'), std::string(36, 'a')},
        {"", ""},
    };
    for (const auto& [in, out] : cuts)
        EXPECT_EQ(SlotNameFromDialog(in), out);
}

TEST(Recollection, KaisoDatIsReadBackKeptToTheCatalogue) {
    Game g;
    EngineState& e = g.State();
    std::vector<uint8_t> file(2640, 0);
    auto put = [&](int index, int32_t v) { std::memcpy(&file[index * 4], &v, 4); };
    put(0, 3), put(1, 2), put(2, 99999), put(3, 6);  // a header and a line past the catalogue
    put(50, -4), put(51, 8);
    std::memset(&file[2000], 'x', 64);  // a name that fills its field
    std::memcpy(&file[2064], "Night", 6);
    std::ofstream(g.game.Folder() / "kaiso.dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), file.size());
    ReadRecollectionSlots(e);
    KeepSlotsToCatalogue(e);
    EXPECT_EQ(std::vector<int>(g.Slot(0), g.Slot(0) + 3), (std::vector<int>{3, 6, 0}));
    EXPECT_EQ(g.Slot(1)[0], 8);  // the entries after a dropped one close up
    EXPECT_EQ(e.Recollection.SlotNames[0].View(), std::string(63, 'x'));
    EXPECT_EQ(e.Recollection.SlotNames[1].View(), "Night");
    // A file of another size changes nothing.
    file.resize(100);
    std::ofstream(g.game.Folder() / "kaiso.dat", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(file.data()), file.size());
    ReadRecollectionSlots(e);
    EXPECT_EQ(g.Slot(0)[0], 3);
}

}  // namespace
}  // namespace vespin
