// Assignments, expressions and conditions over the variable banks.

#include <gtest/gtest.h>

#include <climits>

#include "core/host/null_host.h"
#include "core/script/expression.h"
#include "core/shell/engine_state.h"

namespace vespin {
namespace {

struct Expressions : ::testing::Test {
    NullHost host;
    EngineState e{host, "."};
    int Eval(std::string_view text) { return EvaluateExpression(e, text); }
    bool Cond(std::string_view text) { return EvaluateCondition(e, text); }
};

TEST_F(Expressions, LeftToRightWithoutPrecedence) {
    EXPECT_EQ(Eval("2+3*4"), 20);
    EXPECT_EQ(Eval("10/3"), 3);
    EXPECT_EQ(Eval("-7/2"), -3);
    EXPECT_EQ(Eval("-7%2"), -1);
    EXPECT_EQ(Eval("5/0"), 0);
    EXPECT_EQ(Eval("5%0"), 0);
    EXPECT_EQ(Eval("-5"), -5);
    EXPECT_EQ(Eval("3*-5"), -5);  // a '-' after an operator is not a sign
    EXPECT_EQ(Eval("12_&10"), 8);
    EXPECT_EQ(Eval("12_|3"), 15);
    EXPECT_EQ(Eval("12_X10"), 6);
    EXPECT_EQ(Eval("1_2"), 12);  // a lone '_' is skipped
    EXPECT_EQ(Eval("7;ignored"), 7);
    EXPECT_EQ(Eval("4]"), 4);
}

TEST_F(Expressions, InvalidCharactersVoidTheWholeExpression) {
    EXPECT_EQ(Eval("5+(2)"), 0);
    EXPECT_EQ(Eval("5 + 2"), 0);
    EXPECT_EQ(Eval("5+x"), 0);
    EXPECT_EQ(Eval("f001"), 0);  // only V has a lower-case form
}

TEST_F(Expressions, ArithmeticWrapsInThirtyTwoBits) {
    EXPECT_EQ(Eval("2147483647+1"), INT_MIN);
    EXPECT_EQ(Eval("4294967295"), -1);
    e.Vars.V[1] = INT_MIN;
    EXPECT_EQ(Eval("V001/-1"), -1);  // "/-1" reads as "/0" (which gives 0), then "-1"
    e.Vars.V[2] = -1;
    EXPECT_EQ(Eval("V001/V002"), INT_MIN);
    EXPECT_EQ(Eval("V001%V002"), 0);
    EXPECT_EQ(Eval("V001*V002"), INT_MIN);
}

TEST_F(Expressions, ReferencesReplaceDigitsBeforeThem) {
    e.Vars.V[12] = 40;
    e.Vars.S[3] = 5;
    e.Vars.P[999] = -2;
    e.Vars.G[7] = 9;
    e.Vars.F.Set(10, true);
    e.Vars.T.Set(9999, true);
    EXPECT_EQ(Eval("V012+S003"), 45);
    EXPECT_EQ(Eval("v012"), 40);
    EXPECT_EQ(Eval("9V012"), 40);
    EXPECT_EQ(Eval("P999*G7"), -18);
    EXPECT_EQ(Eval("F010+F011+T9999+E000"), 2);
}

TEST_F(Expressions, RandomNumbersComeFromTheSharedGenerator) {
    e.Rng.Seed = 12345;
    Random copy = e.Rng;
    EXPECT_EQ(Eval("R100"), copy.Next() % 100);
    EXPECT_EQ(Eval("R1"), 0);
    EXPECT_EQ(Eval("R0"), 0);  // no numbers to draw from: 0
}

TEST_F(Expressions, AssignmentsNormaliseAndChain) {
    ExecuteAssignment(e, "V001=5;V002=V001*2");
    EXPECT_EQ(e.Vars.V[1], 5);
    EXPECT_EQ(e.Vars.V[2], 10);
    ExecuteAssignment(e, "v003 = 7");
    EXPECT_EQ(e.Vars.V[3], 7);
    ExecuteAssignment(e, "V004\x81\x40=\t8");  // the Shift-JIS full-width blank is removed
    EXPECT_EQ(e.Vars.V[4], 8);
    ExecuteAssignment(e, "V001+=1");  // no compound assignment: stores the value of "=1", 0
    EXPECT_EQ(e.Vars.V[1], 0);
    ExecuteAssignment(e, "G9=3;P000=-4;T0001=1;E999=1;X001=5");
    EXPECT_EQ(e.Vars.G[9], 3);
    EXPECT_EQ(e.Vars.P[0], -4);
    EXPECT_TRUE(e.Vars.T.Test(1));
    EXPECT_TRUE(e.Vars.E.Test(999));
}

TEST_F(Expressions, AnUnknownBankEvaluatesItsValueAndStoresNothing) {
    struct Case {
        const char* text;
        int draws;  // random numbers the statement takes from the sequence
    };
    const Case cases[] = {
        {"X001=R100", 1},
        {"Q999=R7+R7", 2},
        {"R001=R3", 1},  // R draws in expressions, but names no bank
        {"X001=5", 0},
    };
    for (const Case& c : cases) {
        e.Rng.Seed = 4242;
        Random expected = e.Rng;
        for (int i = 0; i < c.draws; ++i)
            expected.Next();
        ExecuteAssignment(e, c.text);
        EXPECT_EQ(e.Rng.Seed, expected.Seed) << c.text;
    }
    // The next statement then draws the number that follows in the sequence.
    e.Rng.Seed = 99;
    Random expected = e.Rng;
    expected.Next();
    int second = expected.Next();
    ExecuteAssignment(e, "X001=R1000;V005=R1000");
    EXPECT_EQ(e.Vars.V[5], second % 1000);
    // Its index is read like any other.
    EXPECT_THROW(ExecuteAssignment(e, "X1=R5"), ScriptConversionError);
}

TEST_F(Expressions, FlagsTakeOnlyZeroAndOne) {
    ExecuteAssignment(e, "F010=2");
    EXPECT_FALSE(e.Vars.F.Test(10));
    ExecuteAssignment(e, "F010=1");
    EXPECT_TRUE(e.Vars.F.Test(10));
    ExecuteAssignment(e, "F010=2");
    EXPECT_TRUE(e.Vars.F.Test(10));
    ExecuteAssignment(e, "F010=0");
    EXPECT_FALSE(e.Vars.F.Test(10));
    ExecuteAssignment(e, "F1023=1");  // three digits: F102, then "3=1" is the expression "3"
    EXPECT_FALSE(e.Vars.F.Test(102));
}

TEST_F(Expressions, NonDecimalIndexIsAConversionFailure) {
    EXPECT_THROW(ExecuteAssignment(e, "V1=2"), ScriptConversionError);
    EXPECT_THROW(Eval("V0x1"), ScriptConversionError);
    EXPECT_THROW(ExecuteAssignment(e, "V-01=2"), ScriptConversionError);
}

TEST_F(Expressions, WritingS000RefreshesTheToolbar) {
    ExecuteAssignment(e, "S000=0");
    EXPECT_TRUE(host.Toolbar().SaveEnabled);
    ExecuteAssignment(e, "S000=1");
    EXPECT_FALSE(host.Toolbar().SaveEnabled);
    EXPECT_TRUE(host.Toolbar().LoadEnabled);
    ExecuteAssignment(e, "S000=3");
    EXPECT_FALSE(host.Toolbar().LoadEnabled);
}

TEST_F(Expressions, ConditionsShortCircuitLeftToRight) {
    e.Vars.V[1] = 1;
    e.Vars.V[3] = 1;
    EXPECT_TRUE(Cond("(V001=1|V002=1)"));
    EXPECT_TRUE(Cond("(V001=1&V002=1|V003=1)"));
    e.Vars.V[1] = 2;
    EXPECT_FALSE(Cond("(V001=1&V002=1|V003=1)"));  // A and (B or C)
    EXPECT_TRUE(Cond("(V002=1|V003=1)"));
    e.Vars.V[1] = 3;
    EXPECT_TRUE(Cond("(V001>=3)"));
    EXPECT_TRUE(Cond("(V001<=3)"));
    EXPECT_FALSE(Cond("(V001<3)"));
    EXPECT_FALSE(Cond("(V001>3)"));
    EXPECT_TRUE(Cond("(V001!5)"));
    EXPECT_TRUE(Cond("(V001!=5)"));
    EXPECT_TRUE(Cond("( v001 == 3 )"));
    EXPECT_FALSE(Cond("(F001)"));  // a comparison needs an operator
    EXPECT_FALSE(Cond("()"));
    EXPECT_FALSE(Cond("(V001="));
}

TEST_F(Expressions, LongConditionsAreCutAtAHundredCharacters) {
    e.Vars.V[1] = 3;
    std::string cond = "(";
    for (int i = 0; i < 40; ++i)
        cond += "V001=1|";
    cond += "V001=3)";
    EXPECT_FALSE(Cond(cond));  // the true comparison lies beyond the cut
}

}  // namespace
}  // namespace vespin
