#include "core/text/backlog_screen.h"

#include <algorithm>

#include "core/audio/sound.h"
#include "core/graphics/drawing_area.h"
#include "core/graphics/pixel_ops.h"
#include "core/resources/picture.h"
#include "core/screens/overlays.h"
#include "core/shell/engine_state.h"
#include "core/shell/skip_auto.h"
#include "core/shell/toolbar.h"
#include "core/text/plain_text.h"
#include "core/text/text_renderer.h"

namespace vespin {

namespace {

constexpr int kBackdropLevel = 40;  // in 256ths
constexpr int kBarX = 690, kBarY = 10;
constexpr int kThumbX = 694, kThumbBottom = 530, kThumbTravel = 500;
constexpr int kTextX = 150, kTextY = 10, kIconY = 8, kRowStep = 19;
constexpr int kFontHeight = 18;
constexpr int kWheelLines = 4, kButtonLines = 2;

// Scroll offsets run from 0 (the newest line at the bottom) to the count less one screenful.
int MaxScroll(const EngineState& e) {
    return std::max(e.Backlog.LineCount - kLogRows, 0);
}

void BlendScrollBar(Surface& backdrop, const Surface& bar) {
    int half = bar.Width() / 2;
    int pixels = std::min(half, backdrop.Width() - kBarX);
    int rows = std::min(bar.Height(), backdrop.Height() - kBarY);
    for (int y = 0; y < rows; ++y) {
        const uint8_t* row = bar.Row(y);
        BlendWithColour(backdrop.Row(kBarY + y) + kBarX * 3, row, row + half * 3, pixels);
    }
}

void BuildBackdrop(EngineState& e) {
    LogScreenState& log = e.BacklogView.Log;
    log.Backdrop.Resize(kScreenWidth, kScreenHeight);
    ScaleSurface(e.CompositionSurface, log.Backdrop, kBackdropLevel);
    Surface bar;
    if (LoadPicture(e.Archives, "sys_bl_bar", bar)) BlendScrollBar(log.Backdrop, bar);
    log.ThumbPicture = Surface();
    log.VoicePicture = Surface();
    LoadPicture(e.Archives, "sys_bl_cur", log.ThumbPicture);
    LoadPicture(e.Archives, "sys_blVR", log.VoicePicture);
}

void DrawPicture(Surface& target, const Surface& picture, int x, int y) {
    if (!picture.Empty())
        CopyRect(picture, Rect{0, 0, picture.Width(), picture.Height()}, target, x, y);
}

void DrawLog(EngineState& e) {
    LogScreenState& log = e.BacklogView.Log;
    const BacklogState& text = e.Backlog;
    e.DisplaySurface = log.Backdrop;
    PlainFont font = TextPlainFont(e);
    font.Size = FontSize{kFontHeight, SizeUnit::Cell};
    font.Weight = FontWeight::Regular;
    int count = text.LineCount;
    int first = std::max(count - (log.Scroll + kLogRows), 0);
    for (int i = 0; i < kLogRows; ++i) {
        log.RowVoices[i].Clear();
        if (first + i >= count) continue;
        std::string_view line = BacklogLine(text, first + i);
        std::string_view voice = VoiceMarkName(line);
        if (voice.empty() && !line.empty() && line[0] != '@') {
            DrawPlainText(e.TextRenderer.Fonts, e.DisplaySurface, kTextX, kTextY + kRowStep * i,
                          line, font, kWhite);
        } else if (!voice.empty()) {
            DrawPicture(e.DisplaySurface, log.VoicePicture, kTextX, kIconY + kRowStep * i);
            log.RowVoices[i] = voice;
        }
    }
    if (count > kLogRows) {
        int y = kThumbBottom - log.Scroll * kThumbTravel / (count - kLogRows);
        DrawPicture(e.DisplaySurface, log.ThumbPicture, kThumbX, y);
    }
    ShowOnDrawingArea(e, e.DisplaySurface);
}

void ScrollTo(EngineState& e, int scroll) {
    scroll = std::clamp(scroll, 0, MaxScroll(e));
    if (scroll == e.BacklogView.Log.Scroll) return;
    e.BacklogView.Log.Scroll = scroll;
    DrawLog(e);
}

// The thumb follows the pointer: the top of the track is the oldest screenful.
void ScrollToTrack(EngineState& e, int y) {
    int along = std::min(std::max(y - 40, 0), kThumbTravel);
    ScrollTo(e, MaxScroll(e) * (kThumbTravel - along) / kThumbTravel);
}

}  // namespace

void OpenLog(EngineState& e) {
    if (e.Shell.BacklogOpen) return;
    PlayVoice(e, "SSE09");
    EndSkipping(e);
    LogScreenState& log = e.BacklogView.Log;
    log.KeptDisplay = e.DisplaySurface;
    BuildBackdrop(e);
    log.Scroll = 0;
    DrawLog(e);
    e.Shell.BacklogOpen = true;
    SetToolbarLocked(e, true);
    log.Drag = LogDrag::None;
}

void LogWheel(EngineState& e, int delta) {
    LogScreenState& log = e.BacklogView.Log;
    if (delta > 0) {
        ScrollTo(e, log.Scroll + kWheelLines);
    } else if (log.Scroll == 0) {
        CloseLog(e);  // past the newest line: back to the game
    } else {
        ScrollTo(e, log.Scroll - kWheelLines);
    }
}

void LogMouseDown(EngineState& e, int x, int y) {
    LogScreenState& log = e.BacklogView.Log;
    if (x >= 691 && x <= 721) {
        if (y >= 10 && y <= 29) {
            log.Drag = LogDrag::UpButton;
            ScrollTo(e, log.Scroll + kButtonLines);
        } else if (y >= 560 && y <= 579) {
            log.Drag = LogDrag::DownButton;
            ScrollTo(e, log.Scroll - kButtonLines);
        } else if (y >= 30 && y <= 559) {
            log.Drag = LogDrag::Thumb;
            ScrollToTrack(e, y);
        }
        return;
    }
    if (x >= kTextX && x <= 405 && y >= kTextY && y <= 560) {
        int row = (y - kTextY) / kRowStep;
        if (row < kLogRows && !log.RowVoices[row].Empty()) PlayVoice(e, log.RowVoices[row].View());
    }
}

void LogMouseMove(EngineState& e, int, int y) {
    if (e.BacklogView.Log.Drag == LogDrag::Thumb) ScrollToTrack(e, y);
}

void LogMouseUp(EngineState& e) {
    e.BacklogView.Log.Drag = LogDrag::None;
}

void CloseLog(EngineState& e) {
    if (!e.Shell.BacklogOpen) return;
    LogScreenState& log = e.BacklogView.Log;
    e.DisplaySurface = log.KeptDisplay;
    ShowOnDrawingArea(e, e.DisplaySurface);
    log.KeptDisplay = Surface();
    log.Backdrop = Surface();
    log.ThumbPicture = Surface();
    log.VoicePicture = Surface();
    log.Drag = LogDrag::None;
    e.Shell.BacklogOpen = false;
    SetToolbarLocked(e, false);
    e.Vars.S[65] = 0;
    DrawQuickButtons(e, QuickButtonTarget::Display);
}

}  // namespace vespin
