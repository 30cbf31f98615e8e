#include "core/text/message_window.h"

#include <string>

#include "core/host/host.h"
#include "core/shell/engine_state.h"
#include "core/text/backlog.h"

namespace vespin {

namespace {

unsigned CharCode(std::string_view chars) {
    if (chars.size() < 2) return static_cast<uint8_t>(chars[0]);
    return static_cast<unsigned>(static_cast<uint8_t>(chars[0])) << 8 |
           static_cast<uint8_t>(chars[1]);
}

constexpr unsigned kOpeningQuote = 0x8175;  // 「

void StoreOnPage(TextState& t, std::string_view chars) {
    // A script that writes past the last row or column loses those characters and nothing else.
    if (t.TextRow < 0 || t.TextRow >= kPageRows) return;
    if (t.TextColumn < 0 || t.TextColumn + 1 >= kPageColumns) return;
    auto& row = t.Page.Text[t.TextRow];
    row[t.TextColumn] = static_cast<uint8_t>(chars[0]);
    row[t.TextColumn + 1] = chars.size() > 1 ? static_cast<uint8_t>(chars[1]) : 0;
    t.Page.Colour[t.TextRow][t.TextColumn] = static_cast<uint8_t>(t.TextColour);
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
        EndBacklogLine(e.Backlog);
        e.Host.Transcript(TranscriptMark::LineEnd, {});
    }
    if (!full_text && code != kOpeningQuote && t.TextColumn == 0 && t.TextRow != 0) {
        t.TextColumn = 2;
    }
    StoreOnPage(t, chars);
    if (!name_mode) t.PageEmpty = false;
    e.Host.Transcript(TranscriptMark::Char, chars);
    t.PageCharCount += 1;
    t.TextColumn += (t.WideSpacing && !full_text) ? 3 : static_cast<int>(chars.size());
}

void EndTextLine(EngineState& e) {
    EndBacklogLine(e.Backlog);
    e.Text.TextColumn = 0;
    e.Text.TextRow += 1;
    e.Script.NameLine = false;
    e.Host.Transcript(TranscriptMark::LineEnd, {});
}

void SetWideSpacing(EngineState& e, bool on) {
    e.Text.WideSpacing = on;
}

void SetColourIndex(EngineState& e, int index) {
    e.Text.TextColour = index;
}

void BeginSpeakerName(EngineState& e, std::string_view name) {
    if (!e.FullTextMode() && !e.Text.WindowShown) NewPage(e);
    int column_step = e.FullTextMode() ? 14 : (e.Settings.PictureWindowStyle ? 12 : 15);
    e.Text.NameOffset = (120 - column_step * static_cast<int>(name.size())) / 2;
    e.Script.NameLine = true;
    e.Host.Transcript(TranscriptMark::SpeakerName, name);
}

void DrawRuby(EngineState& e, int /*n*/, std::string_view text) {
    TextState& t = e.Text;
    if (!e.FullTextMode() && t.TextColumn == 0 && t.TextRow == 0) {
        t.TextColumn = 2;
        t.TextRow = 1;
    }
    e.Host.Transcript(TranscriptMark::Ruby, text);
}

void BeginWait(EngineState& e, int kind) {
    if (kind == 1 || kind == 4 || kind == 5) EndBacklogLine(e.Backlog);
    e.Shell.WaitKind = kind;
    int a = e.AutoDelay();
    // An out-of-range level (a script may write S026) must not divide by zero.
    int divisor = 14 - a != 0 ? 14 - a : 1;
    e.Shell.AutoCountdown = e.Text.PageCharCount / divisor + a * 3 + 3;
    e.Text.PageCompleteRequested = false;
    e.Script.FetchLine = true;
    e.Host.Transcript(TranscriptMark::Wait, std::to_string(kind));
}

void SetClickWaitKind(EngineState& e) {
    e.Shell.WaitKind = 2;
    e.Host.Transcript(TranscriptMark::Wait, "2");
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
    if (e.FullTextMode()) {
        e.Text.WindowDisplayKind = 2;
    } else {
        e.Text.WindowShown = true;
        e.Text.WindowDisplayKind = 1;
    }
    e.Host.Transcript(TranscriptMark::NewPage, {});
}

void ResetPlainTextFonts(EngineState& /*e*/) {
    // The plain-text fonts (ruby, subtitle) come with the message window's drawing.
}

void PaintWindowOntoDisplay(EngineState& /*e*/) {
    // The window image and its text come with the message window's drawing.
}

void OpenMessageWindow(EngineState& e) {
    if (!e.Text.WindowShown) e.Text.WindowShown = true;
}

}  // namespace vespin
