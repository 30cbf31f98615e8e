// The demo game's first minute on the headless host: its voices, effects and music play, and the
// mixed output is a valid WAV in which they can be heard.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "core/audio/audio_state.h"
#include "core/audio/wav_file.h"
#include "core/shell/engine.h"
#include "headless/event_script.h"
#include "headless/headless_host.h"

namespace vespin {
namespace {

double Rms(const std::vector<int16_t>& mix, size_t from, size_t to) {
    double sum = 0;
    to = std::min(to, mix.size());
    for (size_t i = from; i < to; ++i)
        sum += double(mix[i]) * mix[i];
    return to > from ? std::sqrt(sum / double(to - from)) : 0.0;
}

TEST(DemoSound, TheFirstMinuteHasVoicesEffectsAndMusic) {
    std::filesystem::path game = std::filesystem::path(VESPIN_BINARY_DIR) / "game";
    if (!std::filesystem::exists(game / "vg_bgm.vsp")) GTEST_SKIP() << "the demo is not built";
    std::ifstream in(std::filesystem::path(VESPIN_SOURCE_DIR) / "demo" / "replay_sound.events");
    std::stringstream events;
    events << in.rdbuf();
    HeadlessHost host;
    EventScriptResult parsed = ParseEventScript(events.str());
    ASSERT_TRUE(parsed.Error.empty()) << parsed.Error;
    host.SetEvents(parsed.Events);
    host.Sound().StartCapture();
    Engine engine(host, game);
    int voice_fills = 0, music_seen = 0;
    while (host.NowMs() < 60000 && !engine.State().Shell.WindowClosed) {
        engine.Step();
        voice_fills = host.Sound().FillCount(kSlotVoice);
        music_seen += host.Sound().Holds(kSlotMusic) ? 1 : 0;
    }
    EXPECT_GE(voice_fills, 3);
    EXPECT_GE(host.Sound().FillCount(kSlotEffect), 2);
    EXPECT_GE(host.Sound().FillCount(kSlotLoopingEffect), 1);
    EXPECT_GE(host.Sound().FillCount(kSlotMusic), 2);  // both tracks
    EXPECT_GT(music_seen, 0);

    // The last loop turn may end a little past the minute (a blocking effect finishing).
    std::vector<int16_t> mix = host.Sound().Captured();
    ASSERT_GE(mix.size(), 2u * 44100 * 60);
    mix.resize(2u * 44100 * 60);
    std::vector<uint8_t> wav = EncodeWav(PcmFormat{2, 44100}, mix);
    PcmFormat format;
    std::vector<int16_t> back;
    std::string error;
    ASSERT_TRUE(DecodeWav(wav, format, back, error)) << error;
    EXPECT_EQ(back, mix);
    // Once the sound chapter starts (its menu entry is taken at 19 s), no second is silent.
    size_t second = 2 * 44100;
    size_t first_loud = 20;
    while (first_loud < 60 && Rms(mix, first_loud * second, (first_loud + 1) * second) < 100)
        ++first_loud;
    ASSERT_LT(first_loud, 30u);
    for (size_t s = first_loud; s < 60; ++s)
        EXPECT_GT(Rms(mix, s * second, (s + 1) * second), 300) << "second " << s;
}

}  // namespace
}  // namespace vespin
