#include "core/battle/battle_drawing.h"

#include <algorithm>
#include <string>

#include "core/graphics/pixel_ops.h"
#include "core/shell/engine_state.h"
#include "core/text/plain_text.h"
#include "core/text/text_renderer.h"

namespace vespin {

namespace {

constexpr int kDigitWidth = 18;
constexpr int kDigitHeight = 36;
constexpr int kBackX = 504;
constexpr int kSpecialX = 576;

// One digit cell of the font blended onto `target` at (x, y), clipped to both pictures.
void BlendDigit(const Surface& font, int digit, Surface& target, int x, int y) {
    int sx = kDigitWidth * digit;
    for (int row = 0; row < kDigitHeight; ++row) {
        int ty = y + row;
        if (ty < 0 || ty >= target.Height() || row + kDigitHeight >= font.Height()) continue;
        const uint8_t* picture = font.Row(row);
        const uint8_t* mask = font.Row(row + kDigitHeight);
        uint8_t* out = target.Row(ty);
        for (int col = 0; col < kDigitWidth; ++col) {
            int fx = sx + col, tx = x + col;
            if (fx >= font.Width() || tx < 0 || tx >= target.Width()) continue;
            for (int c = 0; c < 3; ++c) {
                int m = mask[fx * 3 + c];
                uint8_t& d = out[tx * 3 + c];
                d = static_cast<uint8_t>((d * (256 - m) + picture[fx * 3 + c] * m) / 256);
            }
        }
    }
}

}  // namespace

Rect OpponentHandPlace(int i) {
    return {10 + 74 * i, 10, kCardWidth, kCardHeight};
}
Rect OpponentRowPlace(int i) {
    return {218 + 74 * i, 128, kCardWidth, kCardHeight};
}
Rect PlayerRowPlace(int i) {
    return {218 + 74 * i, 364, kCardWidth, kCardHeight};
}
Rect PlayerHandPlace(int i) {
    return {274 + 74 * i, 482, kCardWidth, kCardHeight};
}

void DrawCardNumber(const Surface& font, Surface& target, int centre_x, int top, int value) {
    std::string digits = std::to_string(std::max(value, 0));
    int x = centre_x - 9 * static_cast<int>(digits.size());
    for (char d : digits) {
        BlendDigit(font, d - '0', target, x, top);
        x += kDigitWidth;
    }
}

void DrawCard(BattleState& b, int code, Surface& target, int x, int y) {
    Surface& picture = b.CardPicture;
    if (picture.Width() != kCardWidth || picture.Height() != kCardHeight)
        picture.Resize(kCardWidth, kCardHeight);
    int type = code / 50;
    int source_x = kBackX;
    if (code >= 0 && type <= 6) {
        source_x = kCardWidth * type;
    } else if (type == 7) {
        source_x = kSpecialX + kCardWidth * (code % 50);
    }
    // A "cards" picture smaller than the card leaves black where it has no pixels.
    picture.Fill(0, 0, 0);
    CopyRect(b.Cards, Rect{source_x, 0, kCardWidth, kCardHeight}, picture, 0, 0);
    if (code >= 0 && type <= 6) DrawCardNumber(b.CardFont, picture, 36, 30, code % 50);
    CopyRect(picture, Rect{0, 0, kCardWidth, kCardHeight}, target, x, y);
}

void RestorePlace(EngineState& e, const Rect& place) {
    CopyRect(e.CompositionSurface, place, e.DisplaySurface, place.x, place.y);
}

void DrawGuardMarker(EngineState& e) {
    SpriteBlit(e.DisplaySurface, e.Battle.Wall, 613, 375, e.Battle.Wall);
}

void DrawBattleText(EngineState& e, Surface& target, int x, int y, int height,
                    std::string_view text) {
    PlainFont font = TextPlainFont(e);
    font.Size = FontSize{height, SizeUnit::Cell};
    DrawPlainText(e.TextRenderer.Fonts, target, x, y, text, font, kWhite);
}

}  // namespace vespin
