#pragma once
// The log screen: the backlog's lines over the darkened scene, with voice marks to replay. While
// it is open it takes the mouse, the wheel and a few keys, and the script waits.

namespace vespin {

struct EngineState;

// Opens the log screen; it stays open (the script waits) until the player closes it.
void OpenLog(EngineState& e);
// The wheel: a positive delta scrolls back 4 lines, any other forward 4; forward from the newest
// line closes the log.
void LogWheel(EngineState& e, int delta);
// The left button: the scroll bar's buttons and track, or a voice icon (the right one closes).
void LogMouseDown(EngineState& e, int x, int y);
// Dragging the thumb.
void LogMouseMove(EngineState& e, int x, int y);
void LogMouseUp(EngineState& e);
// Puts the frame from before the log back and lets the script go on.
void CloseLog(EngineState& e);

}  // namespace vespin
