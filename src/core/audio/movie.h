#pragma once
// Movies: the host's player shows a file over the drawing area while the engine holds still.

#include <string_view>

namespace vespin {

struct EngineState;

// `path` is Shift-JIS, relative to the game folder. Nothing when the file does not exist or the
// host has no player; a file that cannot be opened is skipped.
void PlayMovie(EngineState& e, std::string_view path);
// Hides the panel, stops and closes the movie and lets the engine go on.
void EndMovie(EngineState& e);
bool MoviePanelVisible(EngineState& e);
// The timer's movie check: every 11th tick, ends a movie that has stopped playing.
void MovieTimerCheck(EngineState& e);

}  // namespace vespin
