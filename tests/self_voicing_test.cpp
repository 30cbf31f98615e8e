// Reading aloud through the headless host, whose speech lands in the transcript: what is read,
// what a voice covers, skipping, the switch and a host without a synthesiser.

#include <gtest/gtest.h>

#include "core/shell/engine_state.h"
#include "test_game.h"

namespace vespin {
namespace {

using test::GameOptions;
using test::TestGame;

GameOptions Reading(bool on) {
    GameOptions o;
    o.Settings["SelfVoicing"] = on ? "1" : "0";
    return o;
}

std::string RunToEnd(TestGame& g) {
    g.RunUntil([&] { return g.State().Shell.WaitKind != 0; });
    for (int page = 0; page < 3; ++page) {
        g.RunFor(600);
        g.MouseDown(100, 100);
        g.RunUntil([&] { return g.State().Shell.WaitKind != 0; });
    }
    return g.Transcript();
}

TEST(SelfVoicing, EachFinishedPageIsReadUnlessAVoiceCoversIt) {
    struct Case {
        const char* script;
        bool on;
        std::vector<std::string> spoken;  // in order
        std::vector<std::string> unspoken;
    };
    const Case cases[] = {
        {">灯台守\nこんにちは。\n二行目。\n\\\n*voice V0001\n「声のある行。」\n\\\n終わり。\n\\\n",
         true,
         {"[speech] 灯台守　こんにちは。　二行目。\n", "[speech] 終わり。\n"},
         {"[speech] 「声"}},
        {"一つ目\n=\n二つ目\n\\\n", true, {"[speech] 一つ目\n", "[speech] 二つ目\n"}, {}},
        {"読まない。\n\\\n", false, {}, {"[speech]"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        TestGame g({{"main", c.script}}, Reading(c.on));
        std::string t = RunToEnd(g);
        size_t at = 0;
        for (const std::string& s : c.spoken) {
            size_t found = t.find(s, at);
            ASSERT_NE(found, std::string::npos) << s << "\n" << t;
            at = found + s.size();
        }
        for (const std::string& s : c.unspoken)
            EXPECT_EQ(t.find(s), std::string::npos) << t;
    }
}

TEST(SelfVoicing, SkippingReadsNothing) {
    TestGame g({{"main", "一\n\\\n二\n\\\n三\n\\\n*sleep 60000\n"}}, Reading(true));
    g.Key(vk::kShift, true);
    g.RunFor(3000);
    EXPECT_NE(g.Transcript().find("三"), std::string::npos);
    EXPECT_EQ(g.Transcript().find("[speech]"), std::string::npos) << g.Transcript();
}

TEST(SelfVoicing, SwitchedOnItReadsThePageOnScreen) {
    TestGame g({{"main", ">灯台守\nよく来たね。\n\\\n"}}, Reading(false));
    g.RunUntil([&] { return g.State().Shell.WaitKind != 0; });
    EXPECT_EQ(g.Transcript().find("[speech]"), std::string::npos);
    g.Key(vk::kV, true);
    EXPECT_NE(g.Transcript().find("[speech] 灯台守　よく来たね。\n"), std::string::npos)
        << g.Transcript();
}

TEST(SelfVoicing, TheHoveredChoiceIsRead) {
    TestGame g({{"main", "*select\n{東へ\n*end\n{西へ\n*end\n}\n"}}, Reading(true));
    g.RunUntil([&] { return g.State().Shell.ChoiceKind != 0; });
    const ChoiceState& c = g.State().Choices;
    g.MouseMove(c.ChoiceBoxLeft + 20, c.ChoiceBoxTop + 50 + 25);  // rows are 50 pixels high
    EXPECT_NE(g.Transcript().find("[speech] 西へ\n"), std::string::npos) << g.Transcript();
}

TEST(SelfVoicing, TheKeyAndTheMenuSwitchItOnlyWithASynthesiser) {
    for (bool available : {true, false}) {
        SCOPED_TRACE(available);
        GameOptions o = Reading(false);
        o.ConfigureHost = [&](HeadlessHost& h) { h.SetSpeechAvailable(available); };
        TestGame g({{"main", "*sleep 60000\n"}}, o);
        g.Steps(1);
        EXPECT_EQ(g.Host().Toolbar().SelfVoicingAvailable, available);
        g.Key(vk::kV, true);
        EXPECT_EQ(g.State().Speech.On, available);
        EXPECT_EQ(g.Host().Toolbar().SelfVoicingOn, available);
        EXPECT_EQ(g.Host().Settings().Read("SelfVoicing").value_or("none"), available ? "1" : "0");
        g.Command(UiCommand::MenuReading);
        EXPECT_FALSE(g.State().Speech.On);
    }
}

}  // namespace
}  // namespace vespin
