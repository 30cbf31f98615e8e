#include "core/text/message_window.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "core/graphics/drawing_area.h"
#include "core/graphics/frame_clock.h"
#include "core/graphics/pixel_ops.h"
#include "core/host/host.h"
#include "core/screens/overlays.h"
#include "core/shell/engine_state.h"
#include "core/text/backlog.h"
#include "core/text/plain_text.h"
#include "core/text/self_voicing.h"
#include "core/text/text_renderer.h"
#include "core/text/window_style.h"

namespace vespin {

namespace {

constexpr unsigned kOpeningQuote = 0x8175;    // 「
constexpr unsigned kFullWidthSpace = 0x8140;  // stored but not drawn in full-text mode
constexpr int kRubyHeight = 10;
// A ruby's number comes from the script and may be as large as an int holds. Positions this far
// off the screen draw nothing, so clamping to them changes no pixel and keeps the sums in range.
constexpr int64_t kFarOffScreen = int64_t{1} << 20;

int OffScreenBound(int64_t v) {
    return static_cast<int>(std::clamp(v, -kFarOffScreen, kFarOffScreen));
}

unsigned CharCode(std::string_view chars) {
    if (chars.size() < 2) return static_cast<uint8_t>(chars[0]);
    return static_cast<unsigned>(static_cast<uint8_t>(chars[0])) << 8 |
           static_cast<uint8_t>(chars[1]);
}

void StoreOnPage(TextState& t, std::string_view chars) {
    // A script that writes past the last row or column loses those characters and nothing else.
    if (t.TextRow < 0 || t.TextRow >= kPageRows) return;
    if (t.TextColumn < 0 || t.TextColumn + 1 >= kPageColumns) return;
    auto& row = t.Page.Text[t.TextRow];
    row[t.TextColumn] = static_cast<uint8_t>(chars[0]);
    row[t.TextColumn + 1] = chars.size() > 1 ? static_cast<uint8_t>(chars[1]) : 0;
    t.Page.Colour[t.TextRow][t.TextColumn] = static_cast<uint8_t>(t.TextColour);
}

void DrawTypedChar(EngineState& e, std::string_view chars, unsigned code, bool name_mode) {
    if (!name_mode) e.Text.PageEmpty = false;
    if (e.FullTextMode() && code == kFullWidthSpace) return;
    SelectTextColour(e, e.Text.TextColour);
    PrepareChar(e, chars);
    CellPosition p = CharacterPosition(e, e.Text.TextRow, e.Text.TextColumn, name_mode);
    DrawCharAndShow(e, p.X, p.Y);
}

void DrawRubyText(EngineState& e, int x, int y, int w, std::string_view text,
                  const PlainFont& font) {
    DrawPlainText(e.TextRenderer.Fonts, e.DisplaySurface, x, y, text, font, kWhite);
    ShowOnDrawingArea(e, e.DisplaySurface, Rect{x, y, w, kRubyHeight + 4});
    e.Host.Transcript(TranscriptMark::Ruby, text);
}

}  // namespace

bool IsLineStartForbidden(unsigned code) {
    switch (code) {
        case 0x8141:
        case 0x8142:
        case 0x8143:
        case 0x8144:
        case 0x8148:
        case 0x8149:
        case 0x8166:
        case 0x816A:
        case 0x8172:
        case 0x8174:
        case 0x8176:
        case 0x8178:
        case 0x817A:
            return true;
        default:
            return false;
    }
}

void PutChar(EngineState& e, std::string_view chars) {
    TextState& t = e.Text;
    bool full_text = e.FullTextMode();
    bool name_mode = e.Script.NameLine;
    if (!full_text) {
        if (!t.WindowShown) NewPage(e);
        if (t.TextColumn == 0 && t.TextRow == 0 && !name_mode) t.TextRow = 1;
    }
    unsigned code = CharCode(chars);
    int break_at = full_text ? 50 : 46;
    int hang_until = full_text ? 52 : 48;
    if (t.TextColumn >= break_at && !(IsLineStartForbidden(code) && t.TextColumn < hang_until)) {
        t.TextColumn = 0;
        t.TextRow += 1;
        CommitLogLine(e.Backlog);
        e.Host.Transcript(TranscriptMark::LineEnd, {});
    }
    // Logged after the line break, so the log's lines hold what the page's rows hold.
    AppendLogText(e.Backlog, chars);
    if (!full_text && code != kOpeningQuote && t.TextColumn == 0 && t.TextRow != 0) {
        t.TextColumn = 2;
    }
    StoreOnPage(t, chars);
    DrawTypedChar(e, chars, code, name_mode);
    e.Host.Transcript(TranscriptMark::Char, chars);
    NoteTypedText(e, chars);
    t.PageCharCount += 1;
    t.TextColumn += (t.WideSpacing && !full_text) ? 3 : static_cast<int>(chars.size());
}

void EndTextLine(EngineState& e) {
    CommitLogLine(e.Backlog);
    e.Text.TextColumn = 0;
    e.Text.TextRow += 1;
    e.Script.NameLine = false;
    e.Host.Transcript(TranscriptMark::LineEnd, {});
    NoteLineEnd(e);
}

void SetWideSpacing(EngineState& e, bool on) {
    e.Text.WideSpacing = on;
    ResetPlainTextFonts(e);
}

void SetColourIndex(EngineState& e, int index) {
    e.Text.TextColour = index;
}

void BeginSpeakerName(EngineState& e, std::string_view name) {
    if (!e.FullTextMode() && !e.Text.WindowShown) NewPage(e);
    e.Text.NameOffset = (120 - Geometry(e).ColumnStep * static_cast<int>(name.size())) / 2;
    e.Script.NameLine = true;
    e.Host.Transcript(TranscriptMark::SpeakerName, name);
}

void DrawRuby(EngineState& e, int n, std::string_view text) {
    TextState& t = e.Text;
    const WindowGeometry& g = Geometry(e);
    PlainFont font = TextPlainFont(e);
    font.Size = FontSize{kRubyHeight, SizeUnit::Cell};
    font.Weight = FontWeight::Regular;
    int w = MeasurePlainText(e.TextRenderer.Fonts, text, font).Width;
    if (!e.FullTextMode() && t.TextColumn == 0 && t.TextRow == 0) t.TextColumn = 2, t.TextRow = 1;
    int64_t column = t.TextColumn, row = t.TextRow, offset = n;
    int64_t x, y;
    if (!e.FullTextMode()) {
        bool next_line = column == 46;  // the ruby belongs to the next line's first character
        int64_t column_part = (column == 0 || next_line) ? 2 * g.ColumnStep : column * g.ColumnStep;
        x = g.Left + g.MarginLeft + offset + 3 + column_part;
        y = g.Top + g.MarginTop + (row + (next_line ? 1 : 0)) * g.RowStep - 10;
    } else if (column < 50) {
        x = g.FullLeft + g.FullColumnStep * (column + offset) - w / 2;
        y = g.FullTop + row * g.FullRowStep - 10;
    } else {
        x = g.FullLeft + g.FullColumnStep * offset - w / 2;
        y = g.FullTop + (row + 1) * g.FullRowStep - 10;
    }
    DrawRubyText(e, OffScreenBound(x), OffScreenBound(y), w, text, font);
}

void SetClickWaitKind(EngineState& e) {
    e.Shell.WaitKind = 2;
    e.Host.Transcript(TranscriptMark::Wait, "2");
    SpeakFinishedText(e);
}

void BeginWait(EngineState& e, int kind) {
    if (kind == 1 || kind == 4 || kind == 5) CommitLogLine(e.Backlog);
    e.Shell.WaitKind = kind;
    PrepareWaitMarker(e);
    int a = e.AutoDelay();
    // An out-of-range level (a script may write S026) must not divide by zero.
    int divisor = 14 - a != 0 ? 14 - a : 1;
    e.Shell.AutoCountdown = e.Text.PageCharCount / divisor + a * 3 + 3;
    e.Text.PageCompleteRequested = false;
    e.Script.FetchLine = true;
    e.Host.Transcript(TranscriptMark::Wait, std::to_string(kind));
    SpeakFinishedText(e);
}

void AdvanceFromWait(EngineState& e) {
    int kind = e.Shell.WaitKind;
    if ((kind == 1 || kind == 4 || kind == 5) && (e.Text.WindowShown || e.FullTextMode())) {
        NewPage(e);
    }
    e.Shell.WaitKind = 0;
}

void ClearPage(EngineState& e) {
    TextState& t = e.Text;
    t.Page = TextPage{};
    t.PageEmpty = true;
    t.TextColumn = 0;
    t.TextRow = 0;
    t.WideSpacing = false;
    t.TextColour = 0;
    t.PageCharCount = 0;
}

void NewPage(EngineState& e) {
    ClearPage(e);
    e.Saves.PassThrough.PageName.Clear();
    TextState& t = e.Text;
    const WindowGeometry& g = Geometry(e);
    if (e.FullTextMode()) {
        t.WindowDisplayKind = 2;
        ScaleSurface(e.CompositionSurface, e.DisplaySurface, e.Vars.S[sys::kFullTextDarkness] * 16);
        DrawQuickButtons(e, QuickButtonTarget::Display);
        ShowOnDrawingArea(e, e.DisplaySurface);
    } else if (!t.WindowShown) {
        t.WindowShown = true;
        PaintWindowOntoDisplay(e);
        ShowOnDrawingArea(e, e.DisplaySurface);
        t.WindowDisplayKind = 1;
    } else if (e.Shell.SkipState < 3) {
        Rect window{g.Left, g.Top, g.Width, g.Height};
        ComposeWindowImage(e);  // restores the clean copy when the scene has not changed
        CopyRect(t.WindowImage, Rect{0, 0, g.Width, g.Height}, e.DisplaySurface, g.Left, g.Top);
        t.WindowDisplayKind = 1;
        ShowOnDrawingArea(e, e.DisplaySurface, window);
        DrawQuickButtons(e, QuickButtonTarget::Display);
    }
    ResetPlainTextFonts(e);
    e.Host.Transcript(TranscriptMark::NewPage, {});
}

void OpenMessageWindow(EngineState& e) {
    if (e.Text.WindowShown) return;
    e.Text.WindowShown = true;
    PaintWindowOntoDisplay(e);
}

void ResetPlainTextFonts(EngineState& e) {
    TextState& t = e.Text;
    t.PlainFontSize = e.FullTextMode() ? 28 : (t.WideSpacing ? 30 : 18);
}

}  // namespace vespin
