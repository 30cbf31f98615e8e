#include "core/audio/movie.h"

#include <string>
#include <system_error>

#include "core/shell/engine.h"
#include "core/shell/engine_state.h"
#include "core/shell/screen_mode.h"
#include "core/shell/toolbar.h"
#include "core/text/sjis.h"

namespace vespin {

namespace {

constexpr int kMovieCheckPeriod = 10;  // the countdown restarts at 10: every 11th tick
// How long EndMovie waits for a stopped player to say so before closing it anyway, so that a
// player that never reports the stop cannot hang the engine.
constexpr int kStopWaitRounds = 100;
constexpr uint32_t kStopWaitMs = 10;

}  // namespace

std::filesystem::path MoviePath(const std::filesystem::path& game_folder,
                                std::string_view path_sjis) {
    std::string utf8 = sjis::ToUtf8(path_sjis);
    for (char& c : utf8) {
        if (c == '\\') c = '/';
    }
    return game_folder / utf8;
}

bool MoviePanelVisible(EngineState& e) {
    MoviePlayer* player = e.Host.Movies();
    return player && player->PanelVisible();
}

bool MovieUnderWay(EngineState& e) {
    return e.Shell.MoviePreparing || MoviePanelVisible(e);
}

// The player may take its time to prepare a file (seconds, for some media pipelines). The engine
// holds meanwhile as it does while the movie plays, but its loop, its timer and the window go on;
// the timer starts the movie once it is ready.
void PlayMovie(EngineState& e, std::string_view path) {
    MoviePlayer* player = e.Host.Movies();
    std::filesystem::path file = MoviePath(e.GameFolder, path);
    std::error_code ec;
    if (!player || path.empty() || !std::filesystem::is_regular_file(file, ec)) return;
    e.Shell.EngineBusy = true;
    if (!player->Open(file)) {
        e.Shell.EngineBusy = false;
        return;
    }
    e.Shell.MoviePreparing = true;
    StartPreparedMovie(e);
}

void StartPreparedMovie(EngineState& e) {
    MoviePlayer* player = e.Host.Movies();
    if (!e.Shell.MoviePreparing || (player && player->Preparing())) return;
    e.Shell.MoviePreparing = false;
    if (!player || !player->IsOpen()) {
        // Prepared in vain: the movie is skipped, as one that cannot be opened at all.
        e.Shell.EngineBusy = false;
        return;
    }
    SetToolbarLocked(e, true);
    player->ShowAndPlay();
}

void EndMovie(EngineState& e) {
    MoviePlayer* player = e.Host.Movies();
    if (!player) return;
    player->HidePanel();
    // The exclusive display is given back while the player stops, and taken again afterwards.
    bool was_full_screen = e.Shell.FullScreenActive != 0;
    if (was_full_screen) LeaveFullScreen(e);
    player->Stop();
    for (int i = 0; i < kStopWaitRounds && player->IsPlaying(); ++i) {
        PumpMessages(e);
        e.Host.SleepMs(kStopWaitMs);
    }
    player->Close();
    e.Shell.MoviePreparing = false;
    e.Shell.EngineBusy = false;
    SetToolbarLocked(e, false);
    if (was_full_screen) EnterFullScreen(e);
}

void MovieTimerCheck(EngineState& e) {
    StartPreparedMovie(e);
    ShellState& sh = e.Shell;
    sh.MovieCountdown -= 1;
    if (sh.MovieCountdown >= 0) return;
    sh.MovieCountdown = kMovieCheckPeriod;
    MoviePlayer* player = e.Host.Movies();
    if (player && player->PanelVisible() && !player->IsPlaying()) EndMovie(e);
}

}  // namespace vespin
