#include "core/screens/ending_credits.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "core/graphics/drawing_area.h"
#include "core/graphics/frame_clock.h"
#include "core/screens/data_lines.h"
#include "core/script/script_loader.h"
#include "core/script/text_parse.h"
#include "core/shell/engine_state.h"
#include "core/text/plain_text.h"
#include "core/text/sjis_strings.h"

namespace vespin {

namespace {

constexpr int kFirstLineY = kScreenHeight;  // the credits start just below the column
constexpr int kFontHeight = 30;
constexpr int kSourceX = 64;  // the column shows picture columns 64..319
constexpr int kFadeRows = 128;
constexpr int kLowestTextRow = 479;  // text fades out toward this row and is not shown below it
constexpr int kScrollStep = 2;
constexpr int kMaxPeriodMs = 60000;

// The grey of a text pixel in each row of the column.
constexpr std::array<uint8_t, kScreenHeight> kRowLevels = [] {
    std::array<uint8_t, kScreenHeight> levels{};
    for (int r = 0; r < kScreenHeight; ++r) {
        int level = 255;
        if (r < kFadeRows) level = 2 * r;
        if (r > kLowestTextRow - kFadeRows && r <= kLowestTextRow) level = 2 * (kLowestTextRow - r);
        if (r > kLowestTextRow) level = 0;
        levels[static_cast<size_t>(r)] = static_cast<uint8_t>(level);
    }
    return levels;
}();

bool Quitting(const EngineState& e) {
    return e.Shell.QuitRequested || e.Shell.WindowClosed || e.Rolls.Abort;
}

// Row `rr` of a rendered line into row `row` of the picture: a pixel is text where it is lit.
void PackRow(const Surface& line, int rr, CreditsPicture& picture, int row) {
    const uint8_t* s = line.Row(rr);
    uint8_t* bits = picture.Bits.data() + static_cast<size_t>(row) * CreditsPicture::kRowBytes;
    for (int x = 0; x < kCreditsPictureWidth; ++x) {
        if (s[x * 3] >= 128) bits[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    }
}

}  // namespace

CreditsScript ReadCreditsScript(const std::vector<std::string>& lines) {
    CreditsScript out;
    if (lines.empty()) return out;
    out.PeriodMs = std::clamp(ParseDecimal(lines[0].c_str()), 0, kMaxPeriodMs);
    auto it = std::find(lines.begin() + 1, lines.end(), "*");
    if (it == lines.end()) return out;
    for (++it; it != lines.end() && out.Credits.size() < kMaxCreditLines; ++it) {
        if (!it->empty() && (*it)[0] == '*') break;
        out.Credits.push_back(*it);
    }
    return out;
}

CreditsPicture BuildCreditsPicture(FontSource& fonts, const std::vector<std::string>& credits) {
    const int count = static_cast<int>(std::min(credits.size(), kMaxCreditLines));
    CreditsPicture picture;
    // Tall enough for the whole of the last line.
    picture.Height = kFirstLineY + kCreditsLineHeight * count;
    picture.Bits.assign(static_cast<size_t>(picture.Height) * CreditsPicture::kRowBytes, 0);
    const PlainFont font{sjis_text::kDefaultFontName, FontSize{kFontHeight, SizeUnit::Cell},
                         FontWeight::Regular};
    Surface line(kCreditsPictureWidth, kCreditsLineHeight);
    for (int i = 0; i < count; ++i) {
        const std::string& text = credits[static_cast<size_t>(i)];
        if (text.empty()) continue;
        line.Fill(0, 0, 0);
        DrawPlainText(fonts, line, 0, 0, text, font, kWhite);
        for (int rr = 0; rr < kCreditsLineHeight; ++rr)
            PackRow(line, rr, picture, kFirstLineY + kCreditsLineHeight * i + rr);
    }
    return picture;
}

void DrawCreditsColumn(const CreditsPicture& picture, int y, Surface& frame) {
    constexpr int kBytes = kCreditsColumnWidth * 3;
    constexpr int kFirstByte = kSourceX / 8;
    if (frame.Width() < kCreditsColumnX + kCreditsColumnWidth) return;
    const int rows = std::min(frame.Height(), kScreenHeight);
    for (int r = 0; r < rows; ++r) {
        uint8_t* d = frame.Row(r) + kCreditsColumnX * 3;
        const int sy = y + r;
        const uint8_t level = kRowLevels[static_cast<size_t>(r)];
        if (sy < 0 || sy >= picture.Height || level == 0) {
            std::memset(d, 0, kBytes);
            continue;
        }
        const uint8_t* bits =
            picture.Bits.data() + static_cast<size_t>(sy) * CreditsPicture::kRowBytes + kFirstByte;
        for (int b = 0; b < kCreditsColumnWidth / 8; ++b, d += 24) {
            const uint8_t byte = bits[b];
            if (byte == 0) {
                std::memset(d, 0, 24);
                continue;
            }
            for (int bit = 0; bit < 8; ++bit) {
                const uint8_t v = (byte & (0x80 >> bit)) ? level : 0;
                d[bit * 3] = d[bit * 3 + 1] = d[bit * 3 + 2] = v;
            }
        }
    }
}

int CreditsScrollEnd(size_t credit_lines) {
    return kCreditsLineHeight * static_cast<int>(std::min(credit_lines, kMaxCreditLines)) +
           kScreenHeight;
}

void PlayEndingCredits(EngineState& e) {
    if (!LoadScript(e, "endroll", ScriptMode::Data)) return;
    RunCreditsRoll(e, ReadCreditsScript(DataScriptLines(e)));
}

void RunCreditsRoll(EngineState& e, const CreditsScript& script) {
    const CreditsPicture picture = BuildCreditsPicture(e.TextRenderer.Fonts, script.Credits);
    ScrollCredits(e, picture, script.PeriodMs, CreditsScrollEnd(script.Credits.size()));
}

void ScrollCredits(EngineState& e, const CreditsPicture& picture, int period_ms, int end) {
    Surface frame(kScreenWidth, kScreenHeight);
    CopyRect(e.Scene.BackgroundLayer, Rect{0, 0, kCreditsColumnX, kScreenHeight}, frame, 0, 0);
    e.Rolls.Abort = false;
    // A roll like any other while it runs: clicks, the toolbar and the timer leave the script
    // alone, and closing the window asks.
    const int mode = std::exchange(e.Shell.MainMode, kModeRoll);
    for (int y = 0; y < end && !Quitting(e); y += kScrollStep) {
        const uint32_t deadline = e.Host.NowMs() + static_cast<uint32_t>(std::max(period_ms, 0));
        DrawCreditsColumn(picture, y, frame);
        ShowOnDrawingArea(e, frame);
        WaitUntil(e, deadline);
    }
    e.Shell.MainMode = mode;
}

}  // namespace vespin
