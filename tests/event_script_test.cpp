// The headless host's event scripts and its virtual clock.

#include <gtest/gtest.h>

#include "headless/event_script.h"
#include "headless/headless_host.h"

namespace vespin {
namespace {

TEST(EventScript, ParsesEveryKindOfEvent) {
    EventScriptResult r = ParseEventScript(
        "# a comment\n"
        "1200 click 400 300 left\n"
        "3000 key shift down   # Shift held\n"
        "4000 wheel 1\n"
        "5000 char enter\n"
        "5000 char a\n"
        "5500 command TrackBar1 4\n"
        "5600 answer cancel\n"
        "6000 close\n"
        "7000 save 3\n"
        "7100 load 99\n");
    ASSERT_EQ(r.Error, "");
    ASSERT_EQ(r.Events.size(), 12u);  // a click is a move, a press and a release
    EXPECT_EQ(r.Events[1].Input.kind, InputKind::MouseDown);
    EXPECT_EQ(r.Events[1].Input.x, 400);
    EXPECT_EQ(r.Events[3].Input.key, vk::kShift);
    EXPECT_EQ(r.Events[4].Input.delta, 1);
    EXPECT_EQ(r.Events[5].Input.key, vk::kEnter);
    EXPECT_EQ(r.Events[6].Input.key, 'a');
    EXPECT_EQ(r.Events[7].Input.command, UiCommand::TrackBar1);
    EXPECT_EQ(r.Events[7].Input.value, 4);
    EXPECT_EQ(r.Events[8].Answer, MessageResult::Cancel);
    EXPECT_EQ(r.Events[9].Input.kind, InputKind::CloseRequest);
    EXPECT_EQ(r.Events[10].Input.kind, InputKind::SaveSlot);
    EXPECT_EQ(r.Events[10].Input.value, 3);
    EXPECT_EQ(r.Events[11].Input.kind, InputKind::LoadSlot);
    EXPECT_EQ(r.Events[11].Input.value, 99);
}

TEST(EventScript, BadLinesAreReportedWithTheirNumber) {
    EXPECT_EQ(ParseEventScript("100 click 1\n").Error.substr(0, 7), "line 1:");
    EXPECT_EQ(ParseEventScript("\n\n100 jump\n").Error, "line 3: unknown event 'jump'");
    EXPECT_EQ(ParseEventScript("200 close\n100 close\n").Error, "line 2: times must not decrease");
    EXPECT_EQ(ParseEventScript("soon close\n").Error.substr(0, 7), "line 1:");
    EXPECT_EQ(ParseEventScript("100 key shift sideways\n").Error.substr(0, 7), "line 1:");
    EXPECT_EQ(ParseEventScript("100 save\n").Error, "line 1: save takes a slot number");
    EXPECT_EQ(ParseEventScript("100 load -2\n").Error, "line 1: load takes a slot number");
    EXPECT_TRUE(ParseEventScript("100 close\n").Error.empty());
}

struct CountingEvents : EngineEvents {
    int Ticks = 0;
    int Inputs = 0;
    void OnInput(const InputEvent&) override { ++Inputs; }
    void OnTimerTick() override { ++Ticks; }
};

TEST(HeadlessHost, TicksCoalesceAndInputComesFirst) {
    HeadlessHost host;
    host.SetEvents(ParseEventScript("60 close\n").Events);
    CountingEvents events;
    host.PumpMessages(events);
    EXPECT_EQ(events.Ticks, 0);
    host.SleepMs(60);
    host.PumpMessages(events);
    EXPECT_EQ(events.Inputs, 1);
    EXPECT_EQ(events.Ticks, 1);
    host.SleepMs(500);  // nine periods pass while the engine is busy: one tick arrives
    host.PumpMessages(events);
    host.PumpMessages(events);
    EXPECT_EQ(events.Ticks, 2);
}

TEST(HeadlessHost, ShotsSeeTheFrameOfTheirTime) {
    HeadlessHost host;
    Surface red(800, 600);
    red.Fill(0, 0, 255);
    int taken = 0;
    uint8_t seen = 0;
    host.AddShot(100, [&](const Surface& s) {
        ++taken;
        seen = s.Row(0)[2];
    });
    host.SleepMs(50);
    host.Present(red, Rect{0, 0, 800, 600});
    host.SleepMs(100);  // the shot falls inside this sleep
    host.TakeDueShots();
    EXPECT_EQ(taken, 1);
    EXPECT_EQ(seen, 255);
}

}  // namespace
}  // namespace vespin
