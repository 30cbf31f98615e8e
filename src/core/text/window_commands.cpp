#include "core/text/window_commands.h"

#include <cstring>
#include <string_view>

#include "core/graphics/drawing_area.h"
#include "core/graphics/frame_clock.h"
#include "core/graphics/pixel_ops.h"
#include "core/script/text_parse.h"
#include "core/shell/engine_state.h"
#include "core/shell/skip_auto.h"
#include "core/text/message_window.h"
#include "core/text/plain_text.h"
#include "core/text/sjis_strings.h"
#include "core/text/text_renderer.h"

namespace vespin {

namespace {

constexpr int kCloseFadeStep = 8;
constexpr uint32_t kCloseFadePeriod = 10;
inline constexpr char kSubtitleFace[] = "\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9";  // ＭＳ 明朝
inline constexpr char kGothicFace[] =  // ＭＳ ゴシック
    "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";

int SubtitleHeight(std::string_view text) {
    if (text.size() <= 15) return 72;
    if (text.size() > 23) return 32;
    return 48;
}

// One line of the card fading in from black to white at (centre - width) / 2, y.
void FadeInLine(EngineState& e, std::string_view text, int centre_width, int y) {
    PlainFont font{kSubtitleFace, FontSize{SubtitleHeight(text), SizeUnit::Cell}, FontWeight::Bold};
    FontSource& fonts = e.TextRenderer.Fonts;
    PlainTextExtent extent = MeasurePlainText(fonts, text, font);
    int x = (centre_width - extent.Width) / 2;
    Rect box{x, y, extent.Width, extent.Height};
    auto draw = [&](uint8_t level) {
        Surface card(std::max(box.w, 1), std::max(box.h, 1));
        DrawPlainText(fonts, card, 0, 0, text, font, Rgb{level, level, level});
        BlitToDrawingArea(e, card, Rect{0, 0, box.w, box.h}, box.x, box.y);
    };
    StartClock(e);
    for (int level = 0; level < 256; level += 4 * WaitPeriod(e, 20))
        draw(static_cast<uint8_t>(level));
    draw(255);
}

}  // namespace

void CloseMessageWindow(EngineState& e) {
    TextState& t = e.Text;
    ShellState& sh = e.Shell;
    t.WideSpacing = false;
    t.TextColour = 0;
    t.TextRow = t.TextColumn = 0;
    t.WindowDisplayKind = 0;
    if (!t.WindowShown) return;
    if (sh.SkipState == 0) {
        sh.InterruptRequest = 0;
        sh.EngineBusy = sh.TransitionRunning = true;
        StartClock(e);
        Surface& work = e.Scene.WorkSurface;
        for (int level = 0; level < kFullWeight && sh.InterruptRequest == 0;) {
            CrossFadeSurface(e.CompositionSurface, e.DisplaySurface, level, work);
            ShowOnDrawingArea(e, work);
            level += kCloseFadeStep * WaitPeriod(e, kCloseFadePeriod);
        }
        sh.EngineBusy = sh.TransitionRunning = false;
    }
    e.DisplaySurface = e.CompositionSurface;
    ShowOnDrawingArea(e, e.DisplaySurface);
    t.WindowShown = false;
    t.PageEmpty = true;
}

void ShowSubtitle(EngineState& e, std::string_view title, std::string_view subtitle) {
    e.Shell.EngineBusy = true;
    WaitProcessingMessages(e, e.Host.NowMs(), 300);
    FadeInLine(e, title, 640, 120);
    FadeInLine(e, subtitle, kScreenWidth, 260);
    e.Text.PlainFontFace = kGothicFace;
    WaitProcessingMessages(e, e.Host.NowMs(), 1500);
    e.Shell.EngineBusy = false;
}

CommandResult RunWinOpen(EngineState& e, const char*) {
    OpenMessageWindow(e);
    return CommandResult::NextLine;
}

CommandResult RunWinClose(EngineState& e, const char*) {
    if (!e.FullTextMode()) CloseMessageWindow(e);
    return CommandResult::NextLine;
}

CommandResult RunTwSet(EngineState& e, const char* arg) {
    e.Text.WindowShown = ParseDecimal(arg) != 0;
    return CommandResult::NextLine;
}

CommandResult RunSubtitle(EngineState& e, const char* arg) {
    // The title ends at the first comma among the line's bytes 11 to 49; the subtitle follows.
    const char* line = e.Script.LineBuffer.data();
    std::string_view rest(arg);
    std::string_view title = rest, subtitle;
    for (int i = 11; i < 50 && line[i] != 0 && i <= static_cast<int>(std::strlen(line)); ++i) {
        if (line[i] == ',') {
            title = std::string_view(arg, line + i - arg);
            subtitle = std::string_view(line + i + 1);
            break;
        }
    }
    StopSkipAndAuto(e, StopMode::Unforced);
    ShowSubtitle(e, title, subtitle);
    e.Text.WindowShown = false;
    return CommandResult::EndPass;
}

}  // namespace vespin
