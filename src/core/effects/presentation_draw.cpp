// The presentation mode's text: laid out on its text surface by type, animated in and out, and
// laid over the background with a drop shadow.

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/effects/presentation.h"
#include "core/graphics/drawing_area.h"
#include "core/graphics/frame_clock.h"
#include "core/shell/engine_state.h"
#include "core/text/plain_text.h"

namespace vespin {

namespace {

constexpr int kCell = kPresentationCellSize;
constexpr int kTextWidth = kPresentationCells * kCell;   // 288
constexpr int kTextHeight = kPresentationLines * kCell;  // 192
constexpr int kWorkWidth = 408, kWorkHeight = 200;
constexpr int kShadowOffset = 4;
constexpr unsigned kFullWidthSpace = 0x8140;

bool CellType(int type) {
    return type == 1 || type == 5;
}

PlainFont TextFont(const EngineState& e, int pixels) {
    return PlainFont{e.TextRenderer.FaceName, FontSize{pixels, SizeUnit::Cell},
                     e.TextRenderer.Weight};
}

std::string CharBytes(uint16_t code) {
    return std::string{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

void PutCharacter(EngineState& e, std::string_view chars) {
    PresentationState& p = e.Effects.Presentation;
    if (p.Column >= kPresentationCells) p.Line += 1, p.Column = 0;
    int q = p.Line * kPresentationCells + p.Column;
    p.Column += 1;
    if (q < 0 || q >= kPresentationCharSlots) return;  // beyond the eight lines: not shown
    auto code =
        static_cast<uint16_t>(static_cast<uint8_t>(chars[0]) << 8 | static_cast<uint8_t>(chars[1]));
    p.Codes[q] = code == kFullWidthSpace ? 0 : code;
    if (p.Codes[q] != 0)
        DrawPlainText(e.TextRenderer.Fonts, p.Text, 0, q * kCell, chars, TextFont(e, kCell),
                      kWhite);
}

// Lays the frame over the background at the text position, with a shadow half as bright
// four pixels down and right, and shows it.
void Compose(EngineState& e) {
    PresentationState& p = e.Effects.Presentation;
    Surface& work = p.Work;
    if (work.Width() != kWorkWidth) work.Resize(kWorkWidth, kWorkHeight);
    work.Fill(0, 0, 0);
    CopyRect(e.Scene.BackgroundLayer, Rect{p.TextX, p.TextY, kWorkWidth, kWorkHeight}, work, 0, 0);
    for (int r = 0; r < kTextHeight; ++r) {
        const uint8_t* text = p.Frame.Row(r);
        uint8_t* shadow = work.Row(r + kShadowOffset) + kShadowOffset * 3;
        uint8_t* row = work.Row(r);
        for (int i = 0; i < kTextWidth * 3; ++i) {
            shadow[i] = static_cast<uint8_t>(std::max(shadow[i] - text[i] / 2, 0));
            row[i] = static_cast<uint8_t>(std::min(row[i] + text[i], 255));
        }
    }
    BlitToDrawingArea(e, work, Rect{0, 0, kWorkWidth, kWorkHeight}, p.TextX, p.TextY);
}

// ---- Types 2 to 4: the whole text surface at one stage of its animation --------------------

void ZoomFrame(PresentationState& p, int s) {
    p.Frame.Fill(0, 0, 0);
    Rect to{2 * s, s, kTextWidth - 4 * s, kTextHeight - 2 * s};
    if (to.w <= 0 || to.h <= 0) return;
    for (int y = 0; y < to.h; ++y) {
        const uint8_t* src = p.Text.Row(y * kTextHeight / to.h);
        uint8_t* dst = p.Frame.Row(to.y + y) + to.x * 3;
        for (int x = 0; x < to.w; ++x)
            std::copy_n(src + (x * kTextWidth / to.w) * 3, 3, dst + x * 3);
    }
}

void RowsFrame(PresentationState& p, int visible) {
    p.Frame.Fill(0, 0, 0);
    for (int line = 0; line < kPresentationLines; ++line)
        CopyRect(p.Text, Rect{0, line * kCell, kTextWidth, visible}, p.Frame, 0, line * kCell);
}

void GreyFrame(PresentationState& p, int g) {
    for (int r = 0; r < kTextHeight; ++r) {
        const uint8_t* src = p.Text.Row(r);
        uint8_t* dst = p.Frame.Row(r);
        for (int i = 0; i < kTextWidth * 3; ++i)
            dst[i] = static_cast<uint8_t>(src[i] & g);
    }
}

struct Sweep {
    int First, Last, Step;
    uint32_t PeriodMs;
    void (*Draw)(PresentationState&, int);
};

Sweep SweepFor(int type, Reveal reveal) {
    bool put = reveal == Reveal::Put;
    switch (type) {
        case 2:
            return put ? Sweep{79, 0, -1, 60, ZoomFrame} : Sweep{0, 80, 1, 60, ZoomFrame};
        case 3:
            return put ? Sweep{1, 24, 1, 60, RowsFrame} : Sweep{24, 0, -1, 60, RowsFrame};
        default:
            return put ? Sweep{0, 248, 8, 40, GreyFrame} : Sweep{248, 0, -8, 40, GreyFrame};
    }
}

// Frames from First to Last; late frames are dropped, the last one is always shown.
void RunSweep(EngineState& e, const Sweep& s) {
    PresentationState& p = e.Effects.Presentation;
    auto before_last = [&](int v) { return s.Step > 0 ? v < s.Last : v > s.Last; };
    StartClock(e);
    int v = s.First;
    while (before_last(v) && !p.EndRequested && !e.Shell.WindowClosed) {
        s.Draw(p, v);
        Compose(e);
        v += s.Step * WaitPeriod(e, s.PeriodMs);
    }
    if (p.EndRequested || e.Shell.WindowClosed) return;
    s.Draw(p, s.Last);
    Compose(e);
}

// ---- Types 1 and 5: the characters change one after the other ------------------------------

constexpr int kGrowSteps = 10;   // type 1: sizes 6 to 24
constexpr int kSlideSteps = 12;  // type 5: corners 2 to 24

Rect CellOf(int q) {
    return Rect{(q % kPresentationCells) * kCell, (q / kPresentationCells) * kCell, kCell, kCell};
}

void ClearCell(PresentationState& p, const Rect& cell) {
    for (int y = 0; y < kCell; ++y)
        std::fill_n(p.Frame.Row(cell.y + y) + cell.x * 3, kCell * 3, uint8_t{0});
}

// Each character drawn beforehand at the sizes 6, 8, ... 24 (index d - 1 for size 4 + 2d).
using SizedCopies = std::vector<std::array<Surface, kGrowSteps>>;

SizedCopies DrawSizedCopies(EngineState& e) {
    PresentationState& p = e.Effects.Presentation;
    SizedCopies copies(kPresentationCharSlots);
    for (int q = 0; q < kPresentationCharSlots; ++q) {
        if (p.Codes[q] == 0) continue;
        std::string chars = CharBytes(p.Codes[q]);
        for (int d = 1; d <= kGrowSteps; ++d) {
            int size = 4 + 2 * d;
            Surface& copy = copies[q][d - 1];
            copy.Resize(size, size);
            copy.Fill(0, 0, 0);
            DrawPlainText(e.TextRenderer.Fonts, copy, 0, 0, chars, TextFont(e, size), kWhite);
        }
    }
    return copies;
}

// Character q at stage d; false when it does not change at this stage.
bool DrawCharacterStage(PresentationState& p, const SizedCopies& copies, int q, int d) {
    if (p.Codes[q] == 0 || d < 1) return false;
    Rect cell = CellOf(q);
    if (p.TextType == 1) {
        if (d > kGrowSteps) return false;
        const Surface& copy = copies[q][d - 1];
        int inset = (kCell - copy.Width()) / 2;
        ClearCell(p, cell);
        CopyRect(copy, Rect{0, 0, copy.Width(), copy.Height()}, p.Frame, cell.x + inset,
                 cell.y + inset);
        return true;
    }
    if (d > kSlideSteps) return false;
    int corner = 2 * d;
    ClearCell(p, cell);
    CopyRect(p.Text, Rect{kCell - corner, q * kCell + kCell - corner, corner, corner}, p.Frame,
             cell.x, cell.y);
    return true;
}

void AnimateCharacters(EngineState& e, Reveal reveal) {
    PresentationState& p = e.Effects.Presentation;
    SizedCopies copies = p.TextType == 1 ? DrawSizedCopies(e) : SizedCopies{};
    int top = p.TextType == 1 ? 108 : 60;
    bool put = reveal == Reveal::Put;
    if (put) p.Frame.Fill(0, 0, 0);
    StartClock(e);
    for (int v = put ? 2 : top; put ? v <= top : v >= 1; v += put ? 1 : -1) {
        if (p.EndRequested || e.Shell.WindowClosed) return;
        bool changed = false;
        int last = std::min(v - 1, kPresentationCharSlots - 1);
        for (int q = 0; q <= last; ++q)
            changed = DrawCharacterStage(p, copies, q, v - q) || changed;
        if (!changed) continue;
        Compose(e);
        WaitPeriod(e, 60);
    }
}

}  // namespace

void AddPresentationText(EngineState& e, std::string_view line) {
    PresentationState& p = e.Effects.Presentation;
    if (!CellType(p.TextType)) {
        DrawPlainText(e.TextRenderer.Fonts, p.Text, 0, kCell * p.Line, line, TextFont(e, kCell),
                      kWhite);
        return;
    }
    for (size_t i = 0; i < line.size(); ++i) {
        if (static_cast<uint8_t>(line[i]) < 0x80) continue;  // only double-byte text has cells
        if (i + 1 >= line.size()) break;
        PutCharacter(e, line.substr(i, 2));
        ++i;
    }
}

void SelectPresentationType(EngineState& e, int n) {
    PresentationState& p = e.Effects.Presentation;
    if (n >= 1 && n <= 5) p.TextType = n;
    if (CellType(p.TextType)) {
        p.Text.Resize(kCell, kCell * kPresentationCharSlots);
    } else {
        p.Text.Resize(kTextWidth, kTextHeight);
    }
    p.Frame.Resize(kTextWidth, kTextHeight);
    p.Codes.fill(0);
    p.Column = p.Line = 0;
}

void AnimatePresentationText(EngineState& e, Reveal reveal) {
    PresentationState& p = e.Effects.Presentation;
    if (p.Text.Empty()) SelectPresentationType(e, p.TextType);
    if (CellType(p.TextType)) {
        AnimateCharacters(e, reveal);
    } else {
        RunSweep(e, SweepFor(p.TextType, reveal));
    }
}

}  // namespace vespin
