#pragma once
// The recollection screen (MainMode 8): the scenes reached, page by page, and ten slots of play
// lists; a scene or a slot plays back as ordinary script with ReplayActive set, and the screen
// comes back, on the same page and slot, when the last scene ends.

#include "core/host/events.h"
#include "core/script/commands.h"

namespace vespin {

struct EngineState;

// `kaisou`: opens the screen; the script goes on after it when the player leaves.
CommandResult RunKaisou(EngineState& e, const char* arg);

// Pointer moves and clicks while MainMode is 8.
void RecollectionHover(EngineState& e, int x, int y);
void RecollectionClick(EngineState& e, MouseButton button, int x, int y);

// The cell menu's 登録 and 確認.
void RecollectionRegister(EngineState& e);
void RecollectionConfirm(EngineState& e);

// `end` at call depth 0 in a scene of a play list, and シーンスキップ: the next scene, or the
// screen after the last.
void NextRecollectionScene(EngineState& e);
// True while a scene of one of this screen's play lists runs.
bool InRecollectionReplay(const EngineState& e);
// 回想モード終了, and `exit` in a scene of a play list: back to the screen.
void ReturnToRecollection(EngineState& e);

// The two popup items of a running play list (after the voice and the looping sound stop);
// false when no play list of this screen runs.
bool RecollectionMenuItem(EngineState& e, UiCommand command);

// A name from the slot dialog: at most 36 bytes, never ending inside a two-byte character.
std::string SlotNameFromDialog(std::string_view text);

}  // namespace vespin
