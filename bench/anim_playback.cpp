// Animation playback: a 30-frame 800 x 600 animation of key frames played by `anim` on the
// headless host, whose virtual clock makes the waits cost nothing, so the time measured is what
// the player spends decoding and drawing (the thread's processor time, the least of five runs).
// period_share is that time per frame as a share of the 33.333 ms event period (goal: under
// 0.25); vs_picture_load compares a frame with loading the same JPEG as a picture (into a fresh
// surface each time), in the same run.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <vector>

#include "core/anim/anim_player.h"
#include "core/resources/jpeg_picture.h"
#include "core/shell/engine.h"
#include "headless/headless_host.h"
#include "tools/anim_writer.h"
#include "tools/archive_writer.h"
#include "tools/picture_codec.h"

namespace vespin {
namespace {

constexpr int kFrames = 30;

// A sky, a sea with texture and a disc that moves: frames of a real animation's kind.
Surface Frame(int k) {
    Surface s(800, 600);
    for (int y = 0; y < 600; ++y) {
        uint8_t* row = s.Row(y);
        for (int x = 0; x < 800; ++x) {
            uint8_t* p = row + x * 3;
            const bool sea = y > 380;
            p[0] = uint8_t(sea ? 120 + (x * 7 + y * 13) % 40 : 250 - y / 4);
            p[1] = uint8_t(sea ? 80 + (x * 3 + y * 5) % 30 : 190 - y / 6);
            p[2] = uint8_t(sea ? 30 : 120 + y / 5);
            if (std::hypot(x - 100 - 20 * k, y - 250 + 3 * k) < 70)
                p[0] = 60, p[1] = 200, p[2] = 250;
        }
    }
    return s;
}

struct Game {
    std::filesystem::path folder;
    HeadlessHost host;
    std::unique_ptr<Engine> engine;
    std::vector<uint8_t> first_jpeg;

    Game() {
        folder = std::filesystem::temp_directory_path() / "vespin-bench-anim";
        std::filesystem::create_directories(folder);
        AnimInput in;
        in.FrameTime = 33;
        in.Width = 800;
        in.Height = 600;
        for (int k = 0; k < kFrames; ++k)
            in.Events.push_back({kKeyFrame, 0, 0, EncodeJpeg(Frame(k), 90)});
        first_jpeg = in.Events[0].Jpeg;
        std::vector<uint8_t> entry, archive;
        std::string error;
        if (!BuildAnimEntry(in, entry, error) ||
            !BuildArchive({{"FILM", entry}}, DirectoryLayout::Sized, 16, archive, error))
            std::abort();
        FILE* f = std::fopen((folder / "vg_anim.vsp").c_str(), "wb");
        std::fwrite(archive.data(), 1, archive.size(), f);
        std::fclose(f);
        engine = std::make_unique<Engine>(host, folder);
    }
    ~Game() {
        engine.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
};

Game& TheGame() {
    static Game game;
    return game;
}

// The thread's own processor time: on a shared machine the wall clock also counts the time other
// programs held the processor, which the player did not spend.
double ThreadNanos() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
}

template <class F>
double MinNanos(F&& f, int rounds) {
    double best = 1e30;
    for (int i = 0; i < rounds; ++i) {
        double t0 = ThreadNanos();
        f();
        best = std::min(best, ThreadNanos() - t0);
    }
    return best;
}

void AnimPlayback(benchmark::State& state) {
    Game& g = TheGame();
    EngineState& e = g.engine->State();
    auto play = [&] { PlayAnimation(e, "FILM,0,0,0"); };
    for (auto _ : state)
        play();
    const double per_frame = MinNanos(play, 5) / kFrames;
    Surface picture;
    auto load = [&] {
        if (DecodeJpegPicture(g.first_jpeg, picture) != PictureError::None) std::abort();
    };
    state.counters["frame_ms"] = per_frame / 1e6;
    state.counters["period_share"] = per_frame / 33333333.0;
    state.counters["vs_picture_load"] = per_frame / MinNanos(load, 15);
}

BENCHMARK(AnimPlayback)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vespin
