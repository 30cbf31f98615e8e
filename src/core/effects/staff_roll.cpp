// `sroll`: the staff lines of the data script "sroll" drawn once into a tall column and rolled
// up the middle of a black screen.

#include <algorithm>
#include <string_view>
#include <vector>

#include "core/audio/music.h"
#include "core/effects/scroll.h"
#include "core/graphics/drawing_area.h"
#include "core/graphics/frame_clock.h"
#include "core/script/script_loader.h"
#include "core/shell/engine_state.h"
#include "core/shell/toolbar.h"
#include "core/text/plain_text.h"

namespace vespin {

namespace {

inline constexpr char kStaffRollScript[] = "sroll";
inline constexpr char kStaffFace[] =  // ＭＳ ゴシック
    "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";
constexpr int kLineHeight = 24;
constexpr int kColumnWidth = 420;
constexpr int kViewHeight = 560;
constexpr int kViewX = 270, kViewY = 20;
constexpr int kRollPeriodMs = 30;
// The column ends 240 rows (ten lines) below the last view's top.
constexpr int kTailRows = 240;
// More lines than any staff roll has; it keeps the column within a sane size (about 40 MB).
constexpr int kMaxLines = 4096;
constexpr int kFlagGameCleared = 999;

// The lines of the data script up to the line "}" (or its end).
std::vector<std::string_view> StaffLines(const EngineState& e) {
    std::string_view text(reinterpret_cast<const char*>(e.Script.DataScriptBuffer.data()),
                          static_cast<size_t>(e.Script.DataScriptSize));
    std::vector<std::string_view> lines;
    size_t at = 0;
    while (at < text.size() && static_cast<int>(lines.size()) < kMaxLines) {
        size_t end = std::min(text.find('\0', at), text.size());
        std::string_view line = text.substr(at, end - at);
        if (line == "}") break;
        lines.push_back(line);
        at = end + 1;
    }
    return lines;
}

Surface DrawColumn(EngineState& e, const std::vector<std::string_view>& lines) {
    Surface column(kColumnWidth, kLineHeight * static_cast<int>(lines.size()));
    column.Fill(0, 0, 0);
    FontWeight weight = e.Settings.FONTBOLD ? FontWeight::Bold : FontWeight::Regular;
    PlainFont font{kStaffFace, FontSize{20, SizeUnit::Cell}, weight};
    for (size_t i = 0; i < lines.size(); ++i) {
        DrawPlainText(e.TextRenderer.Fonts, column, 0, kLineHeight * static_cast<int>(i), lines[i],
                      font, kWhite);
    }
    return column;
}

// The 420 x 560 view of the column from row `y`; rows the column does not have are black.
void ShowView(EngineState& e, const Surface& column, Surface& view, int y) {
    view.Fill(0, 0, 0);
    CopyRect(column, Rect{0, y, kColumnWidth, kViewHeight}, view, 0, 0);
    BlitToDrawingArea(e, view, Rect{0, 0, kColumnWidth, kViewHeight}, kViewX, kViewY);
}

}  // namespace

void StaffRoll(EngineState& e) {
    ShellState& sh = e.Shell;
    // Without its script there is nothing to roll: the screen and the music stay as they are.
    if (!LoadScript(e, kStaffRollScript, ScriptMode::Data)) return;
    SetToolbarLocked(e, true);
    e.Effects.StaffRollAbort = false;
    sh.MainMode = kModeScrollingCredits;
    Surface column = DrawColumn(e, StaffLines(e));

    e.DisplaySurface.Fill(0, 0, 0);
    ShowOnDrawingArea(e, e.DisplaySurface);
    Surface view(kColumnWidth, kViewHeight);
    int last = column.Height() - kTailRows;
    StartClock(e);
    for (int y = 0; y < last; y += WaitPeriod(e, kRollPeriodMs)) {
        ShowView(e, column, view, y);
        if (e.Effects.StaffRollAbort || sh.WindowClosed) break;
    }
    ShowView(e, column, view, last);
    SetMusic(e, 0);
    sh.MainMode = kModeScript;
    SetToolbarLocked(e, false);
}

void StaffRollClick(EngineState& e) {
    if (e.Vars.E.Test(kFlagGameCleared)) e.Effects.StaffRollAbort = true;
}

}  // namespace vespin
