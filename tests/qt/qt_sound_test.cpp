// The Qt host's sound: OpenAL Soft behind the engine (on its file writer, see main.cpp), the
// application's activation reaching the device, and a game that runs silently without one.

#include <AL/al.h>
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cmath>

#include "core/audio/audio_state.h"
#include "core/audio/sound.h"
#include "qt_test_game.h"
#include "tools/wady_encoder.h"

namespace vespin {
namespace {

using test::QtGameOptions;
using test::QtTestGame;

std::vector<int16_t> Tone(const PcmFormat& f, int seconds) {
    std::vector<int16_t> out;
    for (int i = 0; i < f.SampleRate * seconds; ++i) {
        auto v = static_cast<int16_t>(8000 * std::sin(i * 0.05));
        for (int c = 0; c < f.Channels; ++c)
            out.push_back(v);
    }
    return out;
}

// A voice, an effect, a looping effect and a music track, each a few seconds long, and a script
// that starts them all and then marks its end in V001.
QtGameOptions SoundGame(std::string script) {
    PcmFormat mono{1, 11025};
    PcmFormat stereo{2, 22050};
    QtGameOptions o;
    o.Scripts["main"] = std::move(script);
    o.Archives["vg_wav1.vsp"] = {{"V0001", EncodeWady(WadyCoding::R, mono, Tone(mono, 3))}};
    o.Archives["vg_se0.vsp"] = {{"SE_BELL", EncodeWady(WadyCoding::R, mono, Tone(mono, 3))}};
    o.Archives["vg_se2.vsp"] = {{"SE_WAVES", EncodeWady(WadyCoding::R, mono, Tone(mono, 1))}};
    o.Archives["vg_bgm.vsp"] = {{"M01", EncodeWady(WadyCoding::M, stereo, Tone(stereo, 6))}};
    return o;
}

constexpr const char* kEverySound =
    "*voice V0001\n*se SE_BELL\n*seloop SE_WAVES\n*music 1\n!V001=7\n\\\n";

float ListenerGain() {
    ALfloat gain = -1;
    alGetListenerf(AL_GAIN, &gain);
    return gain;
}

void ApplicationBecomes(Qt::ApplicationState state) {
    // What Qt says when the desktop moves the focus to another program and back.
    emit qGuiApp->applicationStateChanged(state);
}

TEST(QtSound, WithoutADeviceTheGameRunsSilently) {
    QtGameOptions o = SoundGame(std::string("*wait_v_end\n") + kEverySound);
    o.OpenSound = [](bool) { return std::unique_ptr<OpenAlSoundDevice>(); };
    QtTestGame game(std::move(o));
    game.Start();
    ASSERT_TRUE(game.RunUntil([&] { return game.State().Vars.V[1] == 7; }, 5000));
    EXPECT_EQ(game.Host().Sound(), nullptr);
    EXPECT_FALSE(SoundReady(game.State()));
    // Music asked for and remembered, even though nothing plays.
    EXPECT_EQ(game.State().Vars.S[3], 1);
    ApplicationBecomes(Qt::ApplicationInactive);  // nothing to mute, nothing breaks
    ApplicationBecomes(Qt::ApplicationActive);
}

TEST(QtSound, TheGamePlaysThroughOpenAlAndFallsSilentInTheBackground) {
    QtTestGame game(SoundGame(kEverySound));
    game.Start();
    ASSERT_TRUE(game.RunUntil([&] { return game.State().Vars.V[1] == 7; }, 5000));
    OpenAlSoundDevice* device = game.Host().Sound();
    ASSERT_NE(device, nullptr) << "OpenAL Soft's file writer did not open";
    EXPECT_TRUE(SoundReady(game.State()));
    EXPECT_TRUE(device->IsPlaying(kSlotVoice));
    EXPECT_TRUE(device->IsPlaying(kSlotEffect));
    EXPECT_TRUE(device->IsPlaying(kSlotLoopingEffect));
    EXPECT_TRUE(device->IsPlaying(kSlotMusic));

    // DirectSoundGlobal is 0 by default: another program in front silences the game. The game
    // itself was in front when the device opened.
    EXPECT_EQ(ListenerGain(), 1.0f);
    ApplicationBecomes(Qt::ApplicationInactive);
    EXPECT_EQ(ListenerGain(), 0.0f);
    ApplicationBecomes(Qt::ApplicationActive);
    EXPECT_EQ(ListenerGain(), 1.0f);
    // Sounds went on meanwhile; only the output was muted.
    EXPECT_TRUE(device->IsPlaying(kSlotLoopingEffect));
}

TEST(QtSound, WithDirectSoundGlobalTheGameKeepsSoundingInTheBackground) {
    QtGameOptions o = SoundGame(kEverySound);
    o.Settings["DirectSoundGlobal"] = "1";
    QtTestGame game(std::move(o));
    game.Start();
    ASSERT_TRUE(game.RunUntil([&] { return game.State().Vars.V[1] == 7; }, 5000));
    ASSERT_NE(game.Host().Sound(), nullptr);
    ApplicationBecomes(Qt::ApplicationInactive);
    EXPECT_EQ(ListenerGain(), 1.0f);
    ApplicationBecomes(Qt::ApplicationActive);
    EXPECT_EQ(ListenerGain(), 1.0f);
}

TEST(QtSound, TheDeviceOpensOnceAndClosingFreesIt) {
    QTemporaryDir dir;
    QtHost host(dir.filePath("s.ini"));
    EXPECT_EQ(host.Sound(), nullptr);
    SoundDevice* first = host.OpenSoundDevice(false);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(host.OpenSoundDevice(true), first);  // the first choice stands
    ApplicationBecomes(Qt::ApplicationInactive);
    EXPECT_EQ(ListenerGain(), 0.0f);
    host.CloseSoundDevice();
    EXPECT_EQ(host.Sound(), nullptr);
    ApplicationBecomes(Qt::ApplicationActive);  // reaches no device, harms nothing
    host.CloseSoundDevice();

    // Reopened for a game that keeps playing in the background.
    SoundDevice* second = host.OpenSoundDevice(true);
    ASSERT_NE(second, nullptr);
    ApplicationBecomes(Qt::ApplicationInactive);
    EXPECT_EQ(ListenerGain(), 1.0f);
    ApplicationBecomes(Qt::ApplicationActive);
}

}  // namespace
}  // namespace vespin
