// The fuzz corpora's seeds are real files of their kind, and the fuzz game reaches what the
// script targets are meant to reach. A seed its reader rejects would only cost the fuzzer time.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "core/audio/audio_state.h"
#include "core/audio/ogg_decoder.h"
#include "core/audio/wady.h"
#include "core/audio/wav_file.h"
#include "core/resources/archive.h"
#include "core/resources/jpeg_picture.h"
#include "core/resources/packed_picture.h"
#include "fuzz/support/fuzz_game.h"
#include "headless/event_script.h"
#include "headless/virtual_sound_device.h"
#include "tools/png_io.h"

namespace vespin {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes SeedFile(const std::string& path) {
    std::ifstream in(std::filesystem::path(VESPIN_SOURCE_DIR) / "fuzz/corpus" / path,
                     std::ios::binary);
    EXPECT_TRUE(in) << path;
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

testing::AssertionResult PictureOf(PictureError error, const Surface& s, int w, int h) {
    if (error != PictureError::None) return testing::AssertionFailure() << PictureErrorText(error);
    if (s.Width() != w || s.Height() != h)
        return testing::AssertionFailure() << s.Width() << " x " << s.Height();
    return testing::AssertionSuccess();
}

testing::AssertionResult Wady(const Bytes& b, int channels, int rate) {
    wady::Header h;
    PcmFormat f;
    if (!wady::ParseHeader(b, h) || !wady::PlayFormat(h, f)) return testing::AssertionFailure();
    if (f != PcmFormat{channels, rate}) return testing::AssertionFailure() << f.SampleRate;
    return testing::AssertionSuccess();
}

TEST(FuzzSeeds, EachIsAcceptedByItsReader) {
    using Check = std::function<testing::AssertionResult(const Bytes&)>;
    auto jpeg = [](int w, int h) -> Check {
        return [=](const Bytes& b) {
            Surface s;
            return PictureOf(DecodeJpegPicture(b, s, kMaxPicturePixels), s, w, h);
        };
    };
    auto packed = [](const Bytes& b) {
        Surface s;
        return PictureOf(DecodePackedPicture(b, s), s, 24, 16);
    };
    auto ogg = [](int channels) -> Check {
        return [=](const Bytes& b) {
            DecodedSound sound;
            return testing::AssertionResult(DecodeOgg(b, sound) && !sound.Samples.empty() &&
                                            sound.Format.Channels == channels);
        };
    };
    auto wav = [](const Bytes& b) {
        PcmFormat f;
        std::vector<int16_t> samples;
        std::string error;
        return testing::AssertionResult(DecodeWav(b, f, samples, error) && samples.size() >= 300);
    };
    auto directory = [](DirectoryLayout layout, size_t skip, int count) -> Check {
        return [=](const Bytes& b) {
            ArchiveDirectory dir;
            return testing::AssertionResult(
                ParseDirectory(b.data() + skip, b.size() - skip, b.size() - skip, layout, dir) &&
                dir.Count() == count);
        };
    };
    const std::vector<std::pair<std::string, Check>> cases = {
        {"jpeg_picture/colour_24x16", jpeg(24, 16)},
        {"jpeg_picture/grey_9x7", jpeg(9, 7)},
        {"jpeg_picture/low_quality_33x5", jpeg(33, 5)},
        {"packed_picture/stages_none_24x16", packed},
        {"packed_picture/stages_runs_24x16", packed},
        {"packed_picture/stages_delta_24x16", packed},
        {"packed_picture/stages_both_24x16", packed},
        {"wady_r/mono_11k", [](const Bytes& b) { return Wady(b, 1, 11025); }},
        {"wady_r/stereo_22k", [](const Bytes& b) { return Wady(b, 2, 22050); }},
        {"wady_d/mono_11k", [](const Bytes& b) { return Wady(b, 1, 11025); }},
        {"wady_d/stereo_22k", [](const Bytes& b) { return Wady(b, 2, 22050); }},
        {"music_stream/mono_loop_at_100", [](const Bytes& b) { return Wady(b, 1, 11025); }},
        {"music_stream/stereo_whole_loop", [](const Bytes& b) { return Wady(b, 2, 22050); }},
        {"ogg_voice/mono_22k", ogg(1)},
        {"ogg_voice/stereo_22k", ogg(2)},
        {"wav_reader/mono_11k", wav},
        {"wav_reader/stereo_22k", wav},
        {"archive_directory/script_layout_two_scripts", directory(DirectoryLayout::Script, 0, 2)},
        {"archive_directory/sized_layout_two_pictures", directory(DirectoryLayout::Sized, 0, 2)},
        {"archive_file/scripts_two", directory(DirectoryLayout::Script, 1, 2)},
        {"archive_file/packed_pictures_jpeg_and_packed", directory(DirectoryLayout::Sized, 1, 2)},
        {"event_script/every_kind",
         [](const Bytes& b) {
             // Eleven lines; the click is a press and a release.
             EventScriptResult r = ParseEventScript(std::string(b.begin(), b.end()));
             return testing::AssertionResult(r.Error.empty() && r.Events.size() == 13) << r.Error;
         }},
        {"avi_header/forty_ms_fifty_frames",
         [](const Bytes& b) { return testing::AssertionResult(AviDurationMs(b) == 2000); }},
    };
    for (const auto& [path, check] : cases)
        EXPECT_TRUE(check(SeedFile(path))) << path;
}

TEST(FuzzSeeds, PackedStagesAndPngHoldTheSamePicture) {
    Surface plain, png;
    ASSERT_EQ(DecodePackedPicture(SeedFile("packed_picture/stages_none_24x16"), plain),
              PictureError::None);
    std::string error;
    ASSERT_TRUE(ReadPng(SeedFile("png_reader/rgb_24x16"), png, error)) << error;
    for (const char* stages : {"runs", "delta", "both"}) {
        Surface s;
        ASSERT_EQ(DecodePackedPicture(
                      SeedFile(std::string("packed_picture/stages_") + stages + "_24x16"), s),
                  PictureError::None);
        EXPECT_EQ(std::vector<uint8_t>(s.Data(), s.Data() + s.SizeBytes()),
                  std::vector<uint8_t>(plain.Data(), plain.Data() + plain.SizeBytes()))
            << stages;
    }
    EXPECT_EQ(std::vector<uint8_t>(png.Data(), png.Data() + png.SizeBytes()),
              std::vector<uint8_t>(plain.Data(), plain.Data() + plain.SizeBytes()));
}

// The script targets' game: a seed scenario calls and chains into the game's scripts, shows its
// pictures, plays its music and offers its click map, and the next input starts afresh.
TEST(FuzzSeeds, TheFuzzGameReachesItsScriptsPicturesMusicAndMap) {
    fuzz::FuzzGame& game = fuzz::FuzzGame::Get();
    EngineState& e = game.State();
    game.Reset();
    game.LoadScenario(SeedFile("script_interpreter/call_chain_and_pictures"));
    game.Play(12);
    EXPECT_EQ(e.Vars.V[10], 2);  // sub's label ran after the plain call and the labelled one
    EXPECT_EQ(e.Script.CurrentScriptName.View(), "next");
    EXPECT_EQ(e.Shell.ChoiceKind, 0);                       // next's choice was taken
    EXPECT_NE(e.Audio.Music.Source, MusicSource::Stopped);  // next's `*music 1`

    game.Reset();
    EXPECT_EQ(e.Vars.V[10], 0);
    EXPECT_EQ(e.Audio.Music.Source, MusicSource::Stopped);
    game.LoadScenario(SeedFile("script_interpreter/clickmap_and_choices"));
    game.Play(1);
    EXPECT_EQ(e.Choices.ChoiceCount, 3);  // the island map's regions
}

}  // namespace
}  // namespace vespin
