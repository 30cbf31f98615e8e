#include "core/screens/status_bars.h"

#include <algorithm>

#include "core/graphics/pixel_ops.h"
#include "core/shell/engine_state.h"

namespace vespin {

namespace {

constexpr int kBar1Scale = 274, kBar3Scale = 241;
constexpr int kBar1DefaultMaximum = 120, kBar2DefaultMaximum = 150, kBar3Maximum = 150;
constexpr int kAttributeMaximum = 999;

// value × scale / maximum in whole pixels, from 0 to the full bar: a value above its maximum
// fills the bar, a negative one (or a negative maximum) leaves it empty.
int ScaledWidth(int64_t value, int scale, int64_t maximum) {
    if (maximum == 0) return 0;
    return static_cast<int>(std::clamp<int64_t>(value * scale / maximum, 0, scale));
}

int DefaultedMaximum(EngineState& e, int index, int fallback) {
    int& maximum = e.Vars.V[index];
    if (maximum == 0) maximum = fallback;
    return maximum;
}

// Pixels past the last whole group of the vector blend take the same rule one at a time.
void BlendRow(uint8_t* row, const uint8_t* source, const uint8_t* mask, int pixels) {
    int groups = pixels * 3 / 8;
    if (groups > 0) MaskedBlendPixels(row, source, groups, mask, row);
    for (int p = groups * 8 / 3; p < pixels; ++p) {
        int m = mask[p * 3];
        for (int c = 0; c < 3; ++c) {
            int b = row[p * 3 + c], s = source[p * 3 + c];
            int v = m == 0 ? b : m == 255 ? s : ((b * (255 - m)) >> 8) + ((s * m) >> 8);
            row[p * 3 + c] = static_cast<uint8_t>(v);
        }
    }
}

}  // namespace

bool PanelAShown(const EngineState& e) {
    return (e.Vars.S[50] & 1) != 0;
}
bool PanelBShown(const EngineState& e) {
    return (e.Vars.S[50] & 2) != 0;
}
bool PanelCShown(const EngineState& e) {
    return e.Vars.S[51] != 0;
}

std::array<int, kPanelABars> PanelAWidths(EngineState& e, int bar2_scale) {
    int bar1_maximum = DefaultedMaximum(e, 901, kBar1DefaultMaximum);
    int bar2_maximum = DefaultedMaximum(e, 103, kBar2DefaultMaximum);
    return {ScaledWidth(e.Vars.V[111], kBar1Scale, bar1_maximum),
            ScaledWidth(e.Vars.V[102], bar2_scale, bar2_maximum),
            ScaledWidth(e.Vars.V[2], kBar3Scale, kBar3Maximum)};
}

std::array<int, kPanelBBars> PanelBWidths(const EngineState& e, int scale) {
    std::array<int, kPanelBBars> widths{};
    for (int i = 0; i < kPanelBBars; ++i) {
        int variable = i < 5 ? 112 + i : 120;
        widths[i] = ScaledWidth(e.Vars.V[variable], scale, kAttributeMaximum);
    }
    return widths;
}

void FillBox(Surface& s, int x0, int y0, int x1, int y1, uint32_t colour) {
    x0 = std::max(x0, 0), y0 = std::max(y0, 0);
    x1 = std::min(x1, s.Width()), y1 = std::min(y1, s.Height());
    uint8_t red = colour & 0xFF, green = (colour >> 8) & 0xFF, blue = (colour >> 16) & 0xFF;
    for (int y = y0; y < y1; ++y) {
        uint8_t* p = s.Row(y);
        for (int x = x0; x < x1; ++x) {
            p[x * 3] = blue, p[x * 3 + 1] = green, p[x * 3 + 2] = red;
        }
    }
}

void BlendMasked(Surface& target, int x, int y, const Surface& source, Rect image,
                 MaskPlace mask_at) {
    const Surface& masks = mask_at.Masks;
    int c0 = std::max({0, -image.x, -mask_at.X, -x});
    int c1 = std::min(
        {image.w, source.Width() - image.x, masks.Width() - mask_at.X, target.Width() - x});
    if (c1 <= c0) return;
    for (int r = 0; r < image.h; ++r) {
        int sy = image.y + r, my = mask_at.Y + r, ty = y + r;
        if (sy < 0 || sy >= source.Height() || my < 0 || my >= masks.Height() || ty < 0 ||
            ty >= target.Height())
            continue;
        BlendRow(target.Row(ty) + (x + c0) * 3, source.Row(sy) + (image.x + c0) * 3,
                 masks.Row(my) + (mask_at.X + c0) * 3, c1 - c0);
    }
}

void BlendStacked(Surface& target, int x, int y, const Surface& picture) {
    int half = picture.Height() / 2;
    BlendMasked(target, x, y, picture, Rect{0, 0, picture.Width(), half},
                MaskPlace{picture, 0, half});
}

}  // namespace vespin
