#pragma once
// The idle pass (the engine's frame), the 55 ms timer tick and start-up.

namespace vespin {

struct EngineState;
struct InputEvent;

// Window creation: installation settings, the setup check, then InitialiseEngine.
void CreateMainWindow(EngineState& e);
void InitialiseEngine(EngineState& e);
// The system values every game starts with (S000 = 3 until the scenario allows saving, ...).
void ResetSystemValues(EngineState& e);
void RunFirstIdlePass(EngineState& e);
void OnIdle(EngineState& e);
void OnTimerTick(EngineState& e);
// The drawing area was repainted by the window system: the frame (the scene alone while the
// player hides the message window), the drawing area's font face and the sound volumes again.
void OnRepaint(EngineState& e);
// Input routing (mouse, wheel, keys, toolbar, menu, close requests).
void HandleInput(EngineState& e, const InputEvent& event);

// Milliseconds an idle pass lasts at least.
inline constexpr int kIdlePeriodMs = 30;

}  // namespace vespin
