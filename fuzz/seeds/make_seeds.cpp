// Writes the fuzz targets' seed files: small, real files of every kind the readers take, made by
// the same encoders the content tool uses. Run as `vespin-fuzz-seeds fuzz/corpus` (make fuzz-seeds)
// and commit what changed; each file is named for what it holds.

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/audio/wav_file.h"
#include "core/graphics/surface.h"
#include "core/resources/archive.h"
#include "core/resources/packed_picture.h"
#include "tools/anim_writer.h"
#include "tools/archive_writer.h"
#include "tools/ogg_encoder.h"
#include "tools/picture_codec.h"
#include "tools/png_io.h"
#include "tools/script_codec.h"
#include "tools/wady_encoder.h"

namespace {

using namespace vespin;
using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;

fs::path g_root;  // the corpus folder; this small program's only state

void Put(const std::string& target, const std::string& name, const Bytes& bytes) {
    fs::create_directories(g_root / target);
    std::ofstream(g_root / target / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A picture with edges, gradients and flat runs, so every stage of the encoders has work.
Surface TestPicture(int w, int h) {
    Surface s(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint8_t* p = s.Row(y) + x * 3;
            bool flat = x < w / 3;
            p[0] = flat ? 200 : static_cast<uint8_t>(x * 255 / w);
            p[1] = flat ? 40 : static_cast<uint8_t>(y * 255 / h);
            p[2] = static_cast<uint8_t>((x + y) % 2 ? 255 : 0);
        }
    }
    return s;
}

// A tone that slides and stops, `frames` long.
std::vector<int16_t> Tone(const PcmFormat& f, int frames) {
    std::vector<int16_t> out;
    for (int i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / f.SampleRate;
        double level = i < frames * 3 / 4 ? 9000.0 : 0.0;
        for (int c = 0; c < f.Channels; ++c)
            out.push_back(
                static_cast<int16_t>(level * std::sin(2 * M_PI * (440 + 200 * c) * t * (1 + t))));
    }
    return out;
}

Bytes Script(const std::string& utf8) {
    Bytes out;
    std::string error;
    if (!EncodeScript(utf8, out, error)) throw std::runtime_error(error);
    return out;
}

Bytes Prefixed(uint8_t first, Bytes rest) {
    rest.insert(rest.begin(), first);
    return rest;
}

Bytes Joined(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes Archive(DirectoryLayout layout, const std::vector<ArchiveInput>& entries) {
    Bytes out;
    std::string error;
    if (!BuildArchive(entries, layout, 0, out, error)) throw std::runtime_error(error);
    return out;
}

void Pictures() {
    Surface picture = TestPicture(24, 16);
    Put("jpeg_picture", "colour_24x16", EncodeJpeg(picture, 75));
    Put("jpeg_picture", "grey_9x7", EncodeJpeg(TestPicture(9, 7), 90, JpegColour::Grey));
    Put("jpeg_picture", "low_quality_33x5", EncodeJpeg(TestPicture(33, 5), 10));
    for (auto [name, rle, delta] : {std::tuple{"stages_none_24x16", false, false},
                                    std::tuple{"stages_runs_24x16", true, false},
                                    std::tuple{"stages_delta_24x16", false, true},
                                    std::tuple{"stages_both_24x16", true, true}}) {
        Bytes packed;
        if (!EncodePackedPicture(picture, PackOptions{rle, delta}, packed))
            throw std::runtime_error(name);
        Put("packed_picture", name, packed);
    }
    Bytes png;
    std::string error;
    if (!EncodePng(picture, png, error)) throw std::runtime_error(error);
    Put("png_reader", "rgb_24x16", png);
}

void Sounds() {
    PcmFormat mono{1, 11025}, stereo{2, 22050};
    std::vector<int16_t> m = Tone(mono, 300), s = Tone(stereo, 300);
    Put("wady_r", "mono_11k", EncodeWady(WadyCoding::R, mono, m));
    Put("wady_r", "stereo_22k", EncodeWady(WadyCoding::R, stereo, s));
    Put("wady_d", "mono_11k", EncodeWady(WadyCoding::D, mono, m));
    Put("wady_d", "stereo_22k", EncodeWady(WadyCoding::D, stereo, s));
    for (const char* target : {"wady_m", "music_stream"}) {
        Put(target, "mono_loop_at_100", EncodeWady(WadyCoding::M, mono, m, {100, 0}));
        Put(target, "stereo_whole_loop", EncodeWady(WadyCoding::M, stereo, s));
    }
    Put("ogg_voice", "mono_22k", EncodeOggVorbis({1, 22050}, Tone({1, 22050}, 2000), 0.0f));
    Put("ogg_voice", "stereo_22k", EncodeOggVorbis(stereo, Tone(stereo, 2000), 0.0f));
    Put("wav_reader", "mono_11k", EncodeWav(mono, m));
    Put("wav_reader", "stereo_22k", EncodeWav(stereo, s));
}

void Archives() {
    Bytes packed;
    EncodePackedPicture(TestPicture(8, 6), PackOptions{}, packed);
    Bytes jpeg = EncodeJpeg(TestPicture(8, 6), 50);
    Bytes script_layout =
        Archive(DirectoryLayout::Script,
                {{"main", Script("*call sub\n:end\n")}, {"sub", Script("テキスト\n\\\n*end\n")}});
    Bytes sized = Archive(DirectoryLayout::Sized, {{"A0101", jpeg}, {"B0101", packed}});
    Put("archive_directory", "script_layout_two_scripts", script_layout);
    Put("archive_directory", "sized_layout_two_pictures", sized);
    // The first byte picks the archive: 0 scripts, 1 packed pictures, 2 JPEG pictures.
    Put("archive_file", "scripts_two", Prefixed(0, script_layout));
    Put("archive_file", "packed_pictures_jpeg_and_packed", Prefixed(1, sized));
    Put("archive_file", "jpeg_pictures_jpeg_and_packed", Prefixed(2, sized));
}

// Animation entries as the players take them: a mode byte (the player, AnimQuality), a stall byte
// (milliseconds added to every other picture), then the entry.
void Animations() {
    auto key = [](int w, int h) {
        return AnimEventInput{kKeyFrame, 0, 0, EncodeJpeg(TestPicture(w, h), 60)};
    };
    auto patch = [](int x, int y) {
        return AnimEventInput{kPatchFrame, int16_t(x), int16_t(y),
                              EncodeJpeg(TestPicture(6, 4), 60)};
    };
    const AnimEventInput resync{kResyncEvent, 0, 0, {}};
    auto put = [](const char* name, uint8_t mode, uint8_t stall, AnimInput in) {
        Bytes entry;
        std::string error;
        if (!BuildAnimEntry(in, entry, error)) throw std::runtime_error(error);
        Put("anim_entry", name, Prefixed(mode, Prefixed(stall, entry)));
    };
    put("anim_key_frames", 0, 0,
        AnimInput{33, 16, 12, {}, {key(16, 12), key(16, 12), key(16, 12)}});
    PcmFormat mono{1, 11025};
    put("anim_late_patch_resync_sound", 0, 40,
        AnimInput{
            33,
            16,
            12,
            EncodeWady(WadyCoding::D, mono, Tone(mono, 300)),
            {key(16, 12), resync, patch(2, 3), patch(8, 6), key(16, 12), resync, patch(1, 1)}});
    put("animq_quality_at_fifteen", 4 | 1, 20,
        AnimInput{15, 16, 12, {}, {key(16, 12), patch(4, 4), resync, key(16, 12), patch(0, 0)}});
    put("battle_effect", 3, 0, AnimInput{33, 16, 12, {}, {key(16, 12), patch(3, 3), key(16, 12)}});
}

void Texts() {
    std::string events =
        "# comment\n100 click 400 300 left\n150 down 1 2 right\n160 up 1 2 right\n"
        "200 key shift down\n300 wheel -1\n400 char enter\n500 command SpeedButton7\n"
        "600 command TrackBar1 4\n700 answer cancel\n800 move 10 20\n900 close\n";
    Put("event_script", "every_kind", Bytes(events.begin(), events.end()));
    Put("avi_header", "forty_ms_fifty_frames",
        Bytes{'R',  'I',  'F', 'F', 0,   0,   0,   0,   'A', 'V', 'I', ' ', 'L', 'I', 'S', 'T',
              0,    0,    0,   0,   'h', 'd', 'r', 'l', 'a', 'v', 'i', 'h', 56,  0,   0,   0,
              0x40, 0x9C, 0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,
              50,   0,    0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0});
    Put("expression", "assignment_and_condition",
        Script("!V001=5;V002=V001*3+F010;S026=2\n?(V001=5&V002>=3|F010=1)\nV002/0+R10-S026\n"));
    // The first byte: 1 full-text mode, 2 wide spacing, 4 the typing effect.
    Put("message_text", "window_text_with_marks",
        Prefixed(4, Script(">案内人\n「こんにちは」%5[col 3]色[1][2]広い<4 るび>字[?V001+2][$0]"
                           "＄０▼\n[voice V0001]声[delay 2]\n")));
    Put("message_text", "full_text_ruby",
        Prefixed(1, Script("<12 ずっと先>文字[wait 3]〓\n<200000000 x>\n")));
    // Scenarios that reach the fuzz game's scripts, pictures, sounds, music and click map.
    Put("script_interpreter", "call_chain_and_pictures",
        Script("*call sub\n*call sub:L\n*gra A0101 3\n*grb B0101 L\n*gra B0102 R 6\n"
               "*partsload PARTS\n*iris 1\n*chain next\n"));
    Put("script_interpreter", "sounds_music_and_voices",
        Script("*se SE01\n*seloop SE01\n[voice V0002]声\n*voice V0001\n*music 1\n\\\n"
               "*music -200\n*music 2\n*seoff\n*wait_v_end\n"));
    Put("script_interpreter", "clickmap_and_choices",
        Script("*clickmap island\n{灯台\n{港\n{岬\n}\n*select\n{(V001=0)行く\n{戻る\n}\n"
               "*sel2\n{a\n{b\n}\n*switch\n{(V001=1)x\n{y\n}\n"));
    // The data script `map`, then after a 0xFF byte the entry lines of the choice block.
    Bytes map = Script(":A\n2\n灯台,80,60,300,260\n*岬,560,200,760,380\n:B\n1\n@港,1,2,3,4\n");
    Put("choice_data", "two_maps_default_block", map);
    Put("choice_data", "two_maps_with_conditions",
        Joined(map, Prefixed(0xFF, Script("{(V001=0)行く\n{(F001=1)戻る\n{三つ目\n}\n"))));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: vespin-fuzz-seeds CORPUS_FOLDER\n", stderr);
        return 2;
    }
    g_root = argv[1];
    try {
        Pictures();
        Sounds();
        Archives();
        Animations();
        Texts();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vespin-fuzz-seeds: %s\n", error.what());
        return 1;
    }
    return 0;
}
