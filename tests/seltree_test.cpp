// The selection tree through the headless host: which entries show, where child columns open,
// moving between columns, and what a click does.

#include <gtest/gtest.h>

#include "core/screens/seltree.h"
#include "core/script/choice_state.h"
#include "test_game.h"

namespace vespin {
namespace {

using test::At;
using test::Pixel;

// Tree 0: a hidden entry with a child between shown ones, and a branch two levels deep.
// Tree 1: branches at rows 2, 3 and 4 with 1, 4 and 2 children.
// Tree 2: nothing shown (flag 9 is never set). Tree 3: entries missing their fields.
const char* kTrees =
    "Alpha,1,leaf\n"
    "Branch,2,\n"
    " Child1,3,leaf:second\n"
    " Child2,3,\n"
    "  Deep,3,leaf\n"
    "Hidden,4,\n"
    " Secret,3,leaf\n"
    "Omega,1,leaf\n"
    "END\n"
    "A,1,x\nB,1,x\nC,1,\n C1,1,x\nD,1,\n D1,1,x\n D2,1,x\n D3,1,x\n D4,1,x\n"
    "E,1,\n E1,1,x\n E2,1,x\n"
    "END\n"
    "Nothing,9,leaf\n"
    "END\n"
    "Lone,1\nBare\n"
    "ALLEND\n";

const char* kLeaf = "In leaf\n\\\n*end\n:second\nIn second\n\\\n*end\n";

// Normal buttons red, highlighted ones green, both opaque; the scene is black.
Surface ButtonSheet() {
    Surface s(136, 120);
    for (int y = 0; y < 120; ++y) {
        uint8_t* row = s.Row(y);
        for (int x = 0; x < 136; ++x) {
            uint8_t* p = row + 3 * x;
            int band = y / 30;
            p[0] = 0, p[1] = band == 2 ? 200 : 0, p[2] = band == 0 ? 200 : 0;
            if (band % 2 == 1) p[0] = p[1] = p[2] = 255;
        }
    }
    return s;
}

constexpr Pixel kNormal{0, 0, 200};
constexpr Pixel kHighlighted{0, 200, 0};
constexpr Pixel kDimmed{0, 0, 99};  // 200 through a mask of 127 over black
constexpr Pixel kScene{0, 0, 0};

struct Game : test::TestGame {
    explicit Game(const std::string& main)
        : TestGame({{"main", main}, {"seltree", kTrees}, {"leaf", kLeaf}}, Options()) {}
    static test::GameOptions Options() {
        test::GameOptions o = test::WholeLines();
        o.Pictures["sys2"] = ButtonSheet();
        return o;
    }
    SelectionTreeState& T() { return State().Simulation.Tree; }
    void Open() {
        RunUntil([&] { return State().Shell.ChoiceKind == kChoiceSelectionTree; }, 3000);
    }
    // The pointer over row `row` (counted from the top of the area) of column `column`.
    void Point(int column, int row) { MouseMove(26 + 136 * column + 60, 123 + 30 * row + 15); }
    // A pixel of the button at that place, clear of its label.
    Pixel Button(int column, int row) {
        return At(Host().DrawingArea(), 26 + 136 * column + 130, 123 + 30 * row + 2);
    }
    void ClickHere() {
        RunFor(600);  // the click lockout runs out
        Click();
    }
};

const char* kMain = "!T0001=1;T0002=1;T0003=1\n*seltree 0\nAfter\n\\\n";

TEST(SelectionTree, AnEntryWithItsFlagClearIsAbsentAndItsChildrenUnreachable) {
    Game g(kMain);
    g.Open();
    EXPECT_EQ(g.T().ColumnMaps[0][2], 7);  // Omega closes up under Branch
    EXPECT_EQ(g.Button(0, 2), kNormal);
    EXPECT_EQ(g.Button(0, 3), kScene);
    for (int row = 0; row < 4; ++row) {
        g.Point(0, row);
        g.Point(1, row);
        for (const auto& map : g.T().ColumnMaps) {
            for (int entry : map)
                EXPECT_NE(entry, 6) << "Secret shown from row " << row;
        }
    }
}

TEST(SelectionTree, AChildColumnEndsLevelWithItsBranchUnlessItHasMoreChildrenThanRowsAbove) {
    struct Case {
        int row;     // of the branch
        int offset;  // of its child column
    } cases[] = {{2, 2}, {3, 0}, {4, 3}};
    Game g("!T0001=1\n*seltree 1\n");
    g.Open();
    for (const Case& c : cases) {
        g.Point(0, c.row);
        EXPECT_EQ(g.T().RowOffsets[1], c.offset) << "branch at row " << c.row;
        EXPECT_EQ(g.Button(1, c.offset), kNormal) << "branch at row " << c.row;
        EXPECT_EQ(g.Button(0, c.row), kNormal);               // the branch stays normal,
        EXPECT_EQ(g.Button(0, c.row == 2 ? 3 : 2), kDimmed);  // the others are dimmed
    }
}

TEST(SelectionTree, MovingBackIntoTheParentColumnKeepsItAndDropsTheColumnsRightOfIt) {
    Game g(kMain);
    g.Open();
    g.Point(0, 1);  // Branch: Child1 and Child2 open at the top of column 1
    g.Point(1, 1);  // into column 1
    EXPECT_EQ(g.T().FocusColumn, 1);
    g.Point(1, 1);  // Child2: Deep opens level with it
    EXPECT_EQ(g.Button(2, 1), kNormal);
    EXPECT_EQ(g.Button(1, 0), kDimmed);
    g.Point(0, 1);  // back into column 0
    EXPECT_EQ(g.T().FocusColumn, 0);
    EXPECT_EQ(g.Button(1, 0), kDimmed);  // column 1 stays as it was
    EXPECT_EQ(g.Button(1, 1), kNormal);
    EXPECT_EQ(g.Button(2, 1), kScene);  // column 2 is gone
}

TEST(SelectionTree, AClickWithoutATargetKeepsTheTreeAndOneWithATargetCallsIt) {
    Game g(kMain);
    g.Open();
    g.Point(0, 1);  // a branch: no target
    g.ClickHere();
    EXPECT_EQ(g.State().Shell.ChoiceKind, kChoiceSelectionTree);
    g.MouseMove(700, 500);  // off the tree
    g.ClickHere();
    EXPECT_EQ(g.State().Shell.ChoiceKind, kChoiceSelectionTree);
    EXPECT_EQ(g.Button(0, 0), kNormal);

    g.Point(0, 1);
    g.Point(1, 0);  // into column 1, then Child1 ("leaf:second")
    g.Point(1, 0);
    EXPECT_EQ(g.Button(1, 0), kHighlighted);
    g.ClickHere();
    EXPECT_EQ(g.State().Shell.ChoiceKind, 0);
    EXPECT_EQ(g.Button(0, 0), kScene);  // the tree is taken away
    g.RunUntil([&] { return g.Transcript().find("In second") != std::string::npos; }, 3000);
    EXPECT_EQ(g.State().Script.CallDepth, 1);
    EXPECT_EQ(g.Transcript().find("In leaf"), std::string::npos);
    g.ClickHere();
    g.RunUntil([&] { return g.Transcript().find("After") != std::string::npos; }, 3000);
    EXPECT_EQ(g.State().Script.CallDepth, 0);
}

TEST(SelectionTree, TreesWithNothingToClickLetTheScriptGoOn) {
    const char* commands[] = {"*seltree 7", "*seltree -1", "*seltree 2", "*seltree 4"};
    for (const char* command : commands) {
        Game g(std::string("!T0001=1\n") + command + "\nGoes on\n");
        g.RunFor(2000);
        EXPECT_NE(g.Transcript().find("Goes on"), std::string::npos) << command;
    }
}

TEST(SelectionTree, AnEntryWithoutItsTargetIsABranchAndOneWithoutItsFlagUsesT0) {
    Game g("!T0001=1\n*seltree 3\n");
    g.Open();
    EXPECT_EQ(g.T().ColumnMaps[0][0], 0);
    EXPECT_EQ(g.T().ColumnMaps[0][1], kNoEntry);  // "Bare": flag T0000, clear
    g.Point(0, 0);
    EXPECT_TRUE(g.T().ChildColumnOpen);  // an empty one
    g.ClickHere();
    EXPECT_EQ(g.State().Shell.ChoiceKind, kChoiceSelectionTree);
}

TEST(SelectionTree, AMissingTargetScriptClosesTheTreeAndKeepsTheScriptName) {
    Game g("!T0001=1\n*seltree 1\nAfter\n\\\n");
    g.Open();
    g.Point(0, 0);  // "A", whose script x does not exist
    g.ClickHere();
    EXPECT_EQ(g.State().Shell.ChoiceKind, 0);
    g.RunUntil([&] { return g.Transcript().find("After") != std::string::npos; }, 3000);
    EXPECT_EQ(g.State().Script.CurrentScriptName.View(), "main");
    EXPECT_EQ(g.State().Script.CallDepth, 0);
}

}  // namespace
}  // namespace vespin
