#pragma once
// Movies: the host's player shows a file over the drawing area while the engine holds still.

#include <filesystem>
#include <string_view>

namespace vespin {

struct EngineState;

// The file a `movie` argument names: Shift-JIS, relative to the game folder, '\\' as separator.
std::filesystem::path MoviePath(const std::filesystem::path& game_folder,
                                std::string_view path_sjis);

// `path` is Shift-JIS, relative to the game folder. Nothing when the file does not exist or the
// host has no player; a file that cannot be opened is skipped. The engine holds until the movie
// ends; while the player prepares the file the loop and the timer run on.
void PlayMovie(EngineState& e, std::string_view path);
// Shows and starts the movie once the player has prepared it, or lets the engine go on when it
// could not; nothing while no movie is being prepared or the player is still at it.
void StartPreparedMovie(EngineState& e);
// Hides the panel, stops and closes the movie (or gives up preparing it) and lets the engine go
// on.
void EndMovie(EngineState& e);
bool MoviePanelVisible(EngineState& e);
// A movie being prepared or shown: what the close question ends first.
bool MovieUnderWay(EngineState& e);
// On every timer tick: starts a prepared movie; every 11th tick, ends a movie that has stopped
// playing.
void MovieTimerCheck(EngineState& e);

}  // namespace vespin
