#pragma once
// The ending credits of `special 5`: the credit lines of the data script `endroll` drawn once
// into a tall one-bit picture, then scrolled up two pixels a frame in a 256-pixel column at the
// right of the screen, their text greyed toward the column's top and bottom; the left of the
// screen shows the background layer.

#include <cstdint>
#include <string>
#include <vector>

#include "core/graphics/surface.h"
#include "core/text/font_source.h"

namespace vespin {

struct EngineState;

inline constexpr int kCreditsPictureWidth = 320;
inline constexpr int kCreditsLineHeight = 32;
inline constexpr int kCreditsColumnX = 544;
inline constexpr int kCreditsColumnWidth = 256;
// Longer credits are cut here: at two pixels a frame they already scroll for half an hour.
inline constexpr size_t kMaxCreditLines = 4096;

struct CreditsScript {
    int PeriodMs = 0;                  // the frame period, from the first line
    std::vector<std::string> Credits;  // the lines after the picture list's "*"
};

// Line 1 the period; then picture lines (read, not shown) up to a line "*"; then the credit lines
// up to a line beginning with "*".
CreditsScript ReadCreditsScript(const std::vector<std::string>& lines);

// One bit a pixel, 320 pixels a row, most significant bit first; set bits are text.
struct CreditsPicture {
    int Height = 0;
    std::vector<uint8_t> Bits;
    static constexpr int kRowBytes = kCreditsPictureWidth / 8;
};

// Line i drawn white in "ＭＳ 明朝" of height 30 at (0, 600 + 32 i), on black.
CreditsPicture BuildCreditsPicture(FontSource& fonts, const std::vector<std::string>& credits);

// The column for scroll position y: rows y..y+599 and columns 64..319 of the picture, drawn into
// `frame` (800 x 600) at (544, 0). Text is white, grey 2k in row k and row 479 - k (k < 128),
// and not shown below row 479; rows past the picture's end are black.
void DrawCreditsColumn(const CreditsPicture& picture, int y, Surface& frame);

// The scroll positions the roll runs through: 0, 2, ... while below this.
int CreditsScrollEnd(size_t credit_lines);

// Scrolls a built picture through, a frame every `period_ms`, for scroll positions below `end`,
// until the player quits; the left of the screen shows the background layer.
void ScrollCredits(EngineState& e, const CreditsPicture& picture, int period_ms, int end);
// Builds the picture once and scrolls it through.
void RunCreditsRoll(EngineState& e, const CreditsScript& script);
// special 5: RunCreditsRoll over the data script `endroll`; nothing when there is none.
void PlayEndingCredits(EngineState& e);

}  // namespace vespin
