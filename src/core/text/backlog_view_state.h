#pragma once
// What the player's views of the past keep while they are shown: the log screen, the page replay
// and the view with the message window hidden. None of it is saved.

#include <array>

#include "core/graphics/surface.h"
#include "core/shell/fixed_string.h"
#include "core/text/backlog.h"

namespace vespin {

inline constexpr int kLogRows = 29;

enum class LogDrag { None, UpButton, DownButton, Thumb };

struct LogScreenState {
    int Scroll = 0;  // lines back from the newest; 0 shows the newest at the bottom
    LogDrag Drag = LogDrag::None;
    // The voice name behind each visible row's icon, empty for a text row.
    std::array<FixedString<kBacklogLineBytes>, kLogRows> RowVoices;
    Surface Backdrop;      // the scene darkened, with the scroll bar blended in
    Surface KeptDisplay;   // the frame under the log, put back on closing
    Surface ThumbPicture;  // "sys_bl_cur"
    Surface VoicePicture;  // "sys_blVR"
};

struct PageReplayState {
    int PagesBack = 0;  // 2..20 while replaying
    // The frame and the layout when the replay began: the present comes back exactly as it was.
    Surface KeptDisplay;
    int KeptLayout = 0;
};

struct BacklogViewState {
    LogScreenState Log;
    PageReplayState Replay;
    Surface HiddenWindowFrame;  // the frame with the window, while the player hides the window
};

}  // namespace vespin
