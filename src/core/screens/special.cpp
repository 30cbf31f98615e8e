#include "core/screens/special.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "core/graphics/drawing_area.h"
#include "core/graphics/frame_clock.h"
#include "core/graphics/transition_kit.h"
#include "core/graphics/transitions.h"
#include "core/screens/ending_credits.h"
#include "core/script/text_parse.h"
#include "core/shell/engine_state.h"
#include "core/text/plain_text.h"
#include "core/text/text_renderer.h"

namespace vespin {

namespace {

constexpr int kFlashCount = 7;
constexpr uint32_t kFlashSleepMs = 20;
constexpr int kShakeSteps = 10;
constexpr uint32_t kShakeStepMs = 50;
constexpr int kShakeDistance = 20;
constexpr int kPercentRight = 570;
constexpr int kPercentTop = 12;
constexpr int kPercentHeight = 32;

constexpr std::array<std::pair<int, int>, 7> kCompletionRanges{
    {{1, 38}, {101, 131}, {201, 250}, {301, 337}, {401, 444}, {501, 521}, {601, 607}}};

// Blocking scenes keep the idle pass, the timer and most input away while they run.
class BusyScope {
  public:
    explicit BusyScope(EngineState& e) : m_e(e), m_was(e.Shell.EngineBusy) {
        e.Shell.EngineBusy = true;
    }
    ~BusyScope() { m_e.Shell.EngineBusy = m_was; }

  private:
    EngineState& m_e;
    bool m_was;
};

// special 0: the screen flashes white seven times.
void WhiteFlash(EngineState& e) {
    BusyScope busy(e);
    Surface& work = transition::WorkFrame(e);
    work = e.DrawingArea;
    Surface white(kScreenWidth, kScreenHeight);
    white.Fill(255, 255, 255);
    for (int i = 0; i < kFlashCount; ++i) {
        ShowOnDrawingArea(e, white);
        e.Host.SleepMs(kFlashSleepMs);
        ShowOnDrawingArea(e, work);
        e.Host.SleepMs(kFlashSleepMs);
    }
}

// special 1: the window jumps 20 pixels up and down, ten times 50 ms.
void VerticalShake(EngineState& e) {
    BusyScope busy(e);
    int x = 0, y = 0;
    e.Host.WindowPosition(x, y);
    StartClock(e);
    for (int i = 0; i < kShakeSteps && !e.Shell.WindowClosed; ++i) {
        e.Host.MoveWindow(x, y + (i % 2 == 0 ? -kShakeDistance : kShakeDistance));
        WaitPeriod(e, kShakeStepMs);
    }
    e.Host.MoveWindow(x, y);
}

// "2,a,b,c" or "2 a,b,c": the three numbers after the code.
void Bands(EngineState& e, std::string_view rest) {
    int v[3] = {};
    for (int& n : v) {
        while (!rest.empty() && (rest[0] == ',' || rest[0] == ' '))
            rest.remove_prefix(1);
        n = ParseDecimal(std::string(rest.substr(0, rest.find(','))).c_str());
        size_t comma = rest.find(',');
        rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma);
    }
    DarkenBands(e, v[0], v[1], v[2]);
}

// special 6: the percentage in white, right-aligned to x 570, straight on the drawing area.
void ShowCompletion(EngineState& e) {
    const std::string text = std::to_string(CompletionPercent(e));
    PlainFont font = TextPlainFont(e);
    font.Size = FontSize{kPercentHeight, SizeUnit::Cell};
    FontSource& fonts = e.TextRenderer.Fonts;
    const PlainTextExtent extent = MeasurePlainText(fonts, text, font);
    if (extent.Width <= 0 || extent.Height <= 0) return;
    const Rect area{kPercentRight - extent.Width, kPercentTop, extent.Width, extent.Height};
    Surface patch(area.w, area.h);
    CopyRect(e.DrawingArea, area, patch, 0, 0);
    DrawPlainText(fonts, patch, 0, 0, text, font, kWhite);
    BlitToDrawingArea(e, patch, Rect{0, 0, area.w, area.h}, area.x, area.y);
}

}  // namespace

int CompletionPercent(const EngineState& e) {
    int count = 0;
    for (auto [first, last] : kCompletionRanges) {
        for (int n = first; n <= last; ++n)
            count += e.Vars.E.Test(n) ? 1 : 0;
    }
    return count * 100 / kCompletionFlagCount;
}

void DarkenBands(EngineState& e, int a, int b, int c) {
    a = std::clamp(a, 0, kScreenHeight);
    b = std::clamp(b, 0, kScreenHeight);
    // Factors above 16 brighten; bytes stop at white rather than wrapping.
    std::array<uint8_t, 256> scaled{};
    for (int v = 0; v < 256; ++v)
        scaled[static_cast<size_t>(v)] =
            static_cast<uint8_t>(std::clamp(v * std::clamp(c, 0, 4096) / 16, 0, 255));
    Surface& display = transition::NewFrame(e);
    for (int y = 0; y < kScreenHeight; ++y) {
        if (y >= a && y < b) continue;
        uint8_t* row = display.Row(y);
        for (int i = 0; i < kScreenWidth * 3; ++i)
            row[i] = scaled[row[i]];
    }
    ShowOnDrawingArea(e, display);
}

CommandResult RunSpecial(EngineState& e, const char* arg) {
    switch (arg[0]) {
        case '0':
            WhiteFlash(e);
            break;
        case '1':
            VerticalShake(e);
            break;
        case '2':
            Bands(e, std::string_view(arg + 1));
            break;
        case '3':
        case '4':
            SepiaFreeze(e);
            break;
        case '5':
            PlayEndingCredits(e);
            break;
        case '6':
            ShowCompletion(e);
            break;
        default:
            break;
    }
    return CommandResult::EndPass;
}

}  // namespace vespin
