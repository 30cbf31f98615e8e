// The line interpreter: line kinds, inline marks, blocks, calls, pacing. Each test builds a tiny
// game and steps the interpreter directly, so the pass boundaries are visible.

#include <gtest/gtest.h>

#include <cstring>

#include "core/script/interpreter.h"
#include "core/script/script_loader.h"
#include "core/text/sjis.h"
#include "test_game.h"

namespace vespin {
namespace {

using test::GameOptions;
using test::TestGame;
using test::WholeLines;

// Whole lines in one pass: the typing effect off.
// A game whose `main` is loaded (the first idle pass has run).
struct Game : TestGame {
    explicit Game(test::ScriptList scripts, GameOptions o = WholeLines()) : TestGame(scripts, o) {
        Steps(1);
    }
    void Run() { RunScript(State()); }
    // Replaces the loaded script with raw bytes (for input the script encoder refuses).
    void LoadRaw(std::string_view bytes) {
        ScriptState& s = State().Script;
        SetScriptText(State(),
                      std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
        s.ReadPosition = 0;
        s.FetchLine = true;
    }
    std::string Page() const { return Transcript(); }
};

std::string Utf8Row(const EngineState& e, int row) {
    const auto& r = e.Text.Page.Text[row];
    std::string bytes;
    for (uint8_t b : r)
        if (b) bytes += static_cast<char>(b);
    return sjis::ToUtf8(bytes);
}

TEST(Interpreter, PercentWaitsTicksAndPercentZeroTypesItsDigit) {
    Game g({{"main", "A%B%0C%5D\n"}});
    g.Run();
    EXPECT_EQ(g.State().Shell.WaitTicks, 10);  // no digits: 10 ticks
    g.State().Shell.WaitTicks = 0;
    g.Run();
    EXPECT_EQ(g.State().Shell.WaitTicks, 10);  // %0: 10 ticks, and the 0 is typed next
    g.State().Shell.WaitTicks = 0;
    g.Run();
    EXPECT_EQ(g.State().Shell.WaitTicks, 5);
    g.State().Shell.WaitTicks = 0;
    g.Run();
    EXPECT_EQ(Utf8Row(g.State(), 1), "AB0CD");
}

TEST(Interpreter, PercentDoesNotWaitWhileSkipping) {
    Game g({{"main", "A%7B\n"}});
    g.State().Shell.SkipState = 1;
    g.Run();
    EXPECT_EQ(g.State().Shell.WaitTicks, 0);
}

TEST(Interpreter, BlankLineMovesTheRowDown) {
    Game g({{"main", "AB\n\nC\n"}});
    g.Run();
    int row_after_text = g.State().Text.TextRow;  // the line's end already moved one row
    g.Run();
    EXPECT_EQ(g.State().Text.TextRow, row_after_text + 2);  // blank line, then C's line end
    EXPECT_EQ(Utf8Row(g.State(), 1), "AB");
    EXPECT_EQ(Utf8Row(g.State(), 3), "C");
}

TEST(Interpreter, BlockWithoutEndSkipsToTheEndOfTheScript) {
    Game g({{"main", "A\n{\nhidden\n"}});
    g.RunFor(2000);
    EXPECT_EQ(g.Transcript().find("hidden"), std::string::npos);
    EXPECT_GE(g.State().Script.ReadPosition, g.State().Script.ScriptSize);
}

TEST(Interpreter, BlocksAreSkippedUnlessJumpedInto) {
    Game g({{"main", "{\nno1\n}\n{:Named(x)\nno2\n}:other\nno3\n}:NAMED\nyes\n"}});
    g.RunFor(2000);
    EXPECT_EQ(g.Transcript(), "[page]\nyes\n");
}

TEST(Interpreter, CalledScriptEndingInTextReturnsToTheCaller) {
    Game g({{"main", "*call sub\nback\n"}, {"sub", "in sub"}});
    g.RunFor(2000);
    EXPECT_NE(g.Transcript().find("in sub\nback\n"), std::string::npos) << g.Transcript();
    EXPECT_EQ(g.State().Script.CurrentScriptName.View(), "main");
    EXPECT_EQ(g.State().Script.CallDepth, 0);
}

TEST(Interpreter, NameMarksInsertSlotsAndHetareOverridesTheFirstTwo) {
    // "A" first: opening the window clears the page and its colour.
    Game g({{"main", "A[col 3]＄０＄２X\n"}});
    g.State().StringSlots[2] = "Bob";
    g.State().Vars.F.Set(28, true);
    g.Run();
    EXPECT_EQ(Utf8Row(g.State(), 1), "AへたれBobX");
    // The character after an inserted name is typed in colour 0; the name keeps the tag's colour.
    EXPECT_EQ(g.State().Text.Page.Colour[1][3], 3);  // へ, after the indent and A
    int x_column = 2 + 1 + 6 + 3;                    // indent, A, へたれ, Bob
    EXPECT_EQ(g.State().Text.Page.Colour[1][x_column], 0);
}

TEST(Interpreter, TypingEffectTypesOneCharacterAPass) {
    Game g({{"main", "ABC\n"}}, GameOptions{});
    g.Run();
    EXPECT_EQ(Utf8Row(g.State(), 1), "A");
    g.Run();
    EXPECT_EQ(Utf8Row(g.State(), 1), "AB");
}

TEST(Interpreter, WaitTagStopsAWholeLine) {
    Game g({{"main", "AB[wait 4]CD\n"}});
    g.Run();
    EXPECT_EQ(Utf8Row(g.State(), 1), "AB");
    EXPECT_EQ(g.State().Shell.WaitTicks, 4);
    g.Run();
    EXPECT_EQ(Utf8Row(g.State(), 1), "ABCD");
}

TEST(Interpreter, TagsAndTheirEnds) {
    Game g({{"main", "A[?2+3*4]B[$1][unknown]C[=]D[2]E\nnext [col 1\nF\n"}});
    g.State().StringSlots[1] = "s1";
    g.Run();
    EXPECT_EQ(Utf8Row(g.State(), 1), "A20Bs1CDE");
    EXPECT_EQ(g.State().Shell.WaitKind, 2);  // [=] sets the wait but the line goes on
    EXPECT_TRUE(g.State().Text.WideSpacing);
    g.State().Shell.WaitKind = 0;
    g.Run();  // a tag without ']' drops the rest of its line; the next line follows at once
    EXPECT_EQ(Utf8Row(g.State(), 2), "next F");
}

TEST(Interpreter, WaitLinesAndMarks) {
    Game g({{"main", "A▼lost\n=\nB〓lost\n~\n+\nC▽lost\nD\n"}});
    int kinds[] = {1, 2, 2, 4, 5};
    for (int kind : kinds) {
        g.Run();
        EXPECT_EQ(g.State().Shell.WaitKind, kind);
        g.State().Shell.WaitKind = 0;
    }
    g.Run();  // ▽: a new page at once, no wait
    EXPECT_EQ(g.State().Shell.WaitKind, 0);
    g.Run();
    EXPECT_EQ(Utf8Row(g.State(), 1), "D");
    EXPECT_EQ(g.Transcript().find("lost"), std::string::npos);
}

TEST(Interpreter, CommandsMatchIgnoringCase) {
    Game g({{"main", "*GO There\nskipped\n:there\nhere\n"}});
    g.RunFor(2000);
    EXPECT_EQ(g.Transcript(), "[page]\nhere\n");
}

TEST(Interpreter, RubyDoesNotMoveTheCursor) {
    Game g({{"main", "<4 かんじ>漢字<x\nZ\n"}});
    g.Run();
    // The ruby comes before the first character opens the window. The unclosed ruby drops the
    // rest of its line, and Z follows at once on the same row.
    EXPECT_EQ(g.Transcript(), "<かんじ>[page]\n漢字<x>Z\n");
    EXPECT_EQ(Utf8Row(g.State(), 1), "漢字Z");
}

TEST(Interpreter, OverlongLinesAreCutAndTheScriptGoesOn) {
    Game g({{"main", ""}});
    std::string raw = std::string(3000, 'A') + '\0' + "B" + '\0';
    g.LoadRaw(raw);
    g.Run();
    std::string t = g.Transcript();
    size_t typed = 0;
    for (char c : t)
        typed += c == 'A';
    EXPECT_EQ(typed, 2047u);
    g.Run();
    EXPECT_NE(g.Transcript().find("B\n"), std::string::npos);
}

TEST(Interpreter, LeadByteAtLineEndDoesNotSwallowTheLineEnd) {
    Game g({{"main", ""}});
    EngineState& e = g.State();
    g.LoadRaw(std::string_view("A\x82\0B\0", 5));
    g.Run();
    g.Run();
    EXPECT_EQ(e.Script.ReadPosition, e.Script.ScriptSize);
    EXPECT_EQ(e.Text.Page.Text[2][2], 'B');
}

TEST(Interpreter, TextPastTheLastRowIsLost) {
    std::string script;
    for (int i = 0; i < 30; ++i)
        script += "line\n";
    Game g({{"main", script}});
    for (int i = 0; i < 30; ++i)
        g.Run();
    EXPECT_GT(g.State().Text.TextRow, 20);
    EXPECT_EQ(Utf8Row(g.State(), 19), "line");
}

TEST(Interpreter, AFailingExpressionTagIsReportedOnceAndTypingGoesOn) {
    // "1+2" is no index: the pass is abandoned, and the tag is not run again on every pass.
    Game g({{"main", "A[?V1+2]B\n"}});
    g.Steps(20);
    EXPECT_EQ(g.Host().Errors().size(), 1u);
    EXPECT_EQ(Utf8Row(g.State(), 1), "AB");
}

TEST(Interpreter, RunawayJumpLoopsEndThePass) {
    Game g({{"main", ":top\n*go top\n"}});
    g.Run();  // returns instead of hanging
    SUCCEED();
}

}  // namespace
}  // namespace vespin
