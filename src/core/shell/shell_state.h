#pragma once
// The engine shell's mode, wait and control state: what the idle pass, the 55 ms timer and the
// input handlers read and write to steer everything else.

#include <cstdint>

namespace vespin {

enum MainModeValue : int {
    kModeScript = 0,
    kModeWindowHidden = 1,  // the player hid the message window
    kModeRoll = 3,
    kModeBattle = 4,
    kModeScrollingCredits = 5,
    kModeViewer = 6,
    kModeScrollScene = 7,
    kModeRecollection = 8,
    kModePageHistory = 9,
};

// The screen a replayed scene goes back to; `exit` and the last `end` ask it.
enum class ReplayScreen : uint8_t { None, Viewer, Recollection };

struct ShellState {
    int MainMode = kModeScript;
    bool QuitRequested = false;
    bool FirstIdlePending = false;
    bool InterpreterEnabled = false;
    bool EngineBusy = false;
    bool TransitionRunning = false;
    int InterruptRequest = 0;  // 0 none, 1 a click, 2 a close request
    bool BacklogOpen = false;
    int ConfirmKind = 0;
    int SaveScreenState = 0;
    int ChoiceKind = 0;
    int WaitKind = 0;  // 1, 4, 5: a click then a new page (5 without marker); 2: same page
    int WaitTicks = 0;
    int SleepPasses = 0;  // negative: until a click
    int ClickLockout = 0;
    int AutoCountdown = 0;
    int SkipState = 0;  // 0 off; 1, 2 skipping with display; 3 fast skip that draws nothing
    bool VoiceWaitPending = false;
    bool SoundDevicePresent = false;
    bool ReplayActive = false;
    ReplayScreen ReplayOrigin = ReplayScreen::None;
    bool ToolbarLocked = false;
    int FullScreenActive = 0;                // 1 while the exclusive full-screen display is held
    bool FullScreenLayout = false;           // the borderless full-screen layout is applied
    int SavedWindowX = 0, SavedWindowY = 0;  // where the window was before full screen
    int LastMouseX = 0, LastMouseY = 0;

    uint32_t IdlePassCount = 0;
    uint32_t TimerTickCount = 0;
    int MovieCountdown = 10;
    bool MoviePreparing = false;  // the player is preparing the movie of a `movie` command

    // The window has been closed: the message loop ends.
    bool WindowClosed = false;
};

}  // namespace vespin
