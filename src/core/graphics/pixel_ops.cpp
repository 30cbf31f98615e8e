#include "core/graphics/pixel_ops.h"

#include <algorithm>
#include <initializer_list>

#include "core/graphics/pixel_kernels.h"

namespace vespin {

namespace {

constexpr int kScreenRowBytes = kScreenWidth * 3;
constexpr int kMaxScaleWeight = 65535;

unsigned ClampWeight(int weight, int top) {
    return static_cast<unsigned>(std::clamp(weight, 0, top));
}

// The rows and row bytes that every surface of a full-screen operation holds.
struct Area {
    int Rows = 0;
    int RowBytes = 0;
};
Area ScreenArea(std::initializer_list<const Surface*> surfaces) {
    Area area{kScreenHeight, kScreenRowBytes};
    for (const Surface* s : surfaces) {
        area.Rows = std::min(area.Rows, s->Height());
        area.RowBytes = std::min(area.RowBytes, s->Stride());
    }
    return area;
}

}  // namespace

void CrossFadeRow(const uint8_t* x, const uint8_t* y, int groups, int weight, uint8_t* out) {
    if (groups <= 0) return;
    ActivePixelKernels().CrossFade(x, y, static_cast<size_t>(groups) * 8,
                                   ClampWeight(weight, kFullWeight), out);
}

void MaskedBlendPixels(const uint8_t* background, const uint8_t* source, int groups,
                       const uint8_t* mask, uint8_t* out) {
    if (groups <= 0) return;
    ActivePixelKernels().MaskedBlend(background, source, mask, static_cast<size_t>(groups) * 8 / 3,
                                     out);
}

void BlendWithColour(uint8_t* dst, const uint8_t* colour, const uint8_t* alpha, int pixels) {
    // The colour blend and the masked blend are one formula, special cases included.
    if (pixels <= 0) return;
    ActivePixelKernels().MaskedBlend(dst, colour, alpha, static_cast<size_t>(pixels), dst);
}

void CrossFadeSurface(const Surface& x, const Surface& y, int weight, Surface& out) {
    const Area area = ScreenArea({&x, &y, &out});
    const PixelKernels& k = ActivePixelKernels();
    const unsigned a = ClampWeight(weight, kFullWeight);
    for (int r = 0; r < area.Rows; ++r) {
        k.CrossFade(x.Row(r), y.Row(r), static_cast<size_t>(area.RowBytes), a, out.Row(r));
    }
}

void CrossFadeBlock(const Surface& x, const Surface& y, int left, int top, int weight,
                    Surface& out) {
    // The group pattern is anchored at the block's first byte, so a block cannot be clipped on
    // its left; the engine's blocks lie on a grid inside the screen.
    if (left < 0) return;
    int bytes = kFadeBlockWidth * 3;
    int rows_end = top + kFadeBlockHeight;
    for (const Surface* s : {&x, &y, static_cast<const Surface*>(&out)}) {
        bytes = std::min(bytes, s->Stride() - left * 3);
        rows_end = std::min(rows_end, s->Height());
    }
    if (bytes <= 0) return;
    const PixelKernels& k = ActivePixelKernels();
    const unsigned a = ClampWeight(weight, kFullWeight);
    const size_t offset = static_cast<size_t>(left) * 3;
    for (int r = std::max(top, 0); r < rows_end; ++r) {
        k.CrossFade(x.Row(r) + offset, y.Row(r) + offset, static_cast<size_t>(bytes), a,
                    out.Row(r) + offset);
    }
}

void WeightMapBlend(const Surface& display, const Surface& previous, const Surface& alpha_map,
                    Surface& work) {
    const Area area = ScreenArea({&display, &previous, &alpha_map, &work});
    const PixelKernels& k = ActivePixelKernels();
    for (int r = 0; r < area.Rows; ++r) {
        k.WeightMapBlend(display.Row(r), previous.Row(r), alpha_map.Row(r),
                         static_cast<size_t>(area.RowBytes), work.Row(r));
    }
}

void AccumulateMap(Surface& alpha_map, const Surface& shape_map) {
    const Area area = ScreenArea({&alpha_map, &shape_map});
    const PixelKernels& k = ActivePixelKernels();
    for (int r = 0; r < area.Rows; ++r) {
        k.AddSaturate(alpha_map.Row(r), shape_map.Row(r), static_cast<size_t>(area.RowBytes),
                      alpha_map.Row(r));
    }
}

void ScaleSurface(const Surface& source, Surface& destination, int weight) {
    const Area area = ScreenArea({&source, &destination});
    const PixelKernels& k = ActivePixelKernels();
    const unsigned a = ClampWeight(weight, kMaxScaleWeight);
    for (int r = 0; r < area.Rows; ++r) {
        k.Scale(source.Row(r), static_cast<size_t>(area.RowBytes), a, destination.Row(r));
    }
}

void ScaleAddSurface(const Surface& p, const Surface& q, Surface& out, int weight) {
    const Area area = ScreenArea({&p, &q, &out});
    const PixelKernels& k = ActivePixelKernels();
    const unsigned a = ClampWeight(weight, kMaxScaleWeight);
    for (int r = 0; r < area.Rows; ++r) {
        k.ScaleAdd(p.Row(r), q.Row(r), static_cast<size_t>(area.RowBytes), a, out.Row(r));
    }
}

void AddSurfaces(const Surface& p, const Surface& q, Surface& out) {
    const int rows = std::min({p.Height(), q.Height(), out.Height()});
    const int bytes = std::min({p.Width() * 3 / 8 * 8, q.Stride(), out.Stride()});
    if (bytes <= 0) return;
    const PixelKernels& k = ActivePixelKernels();
    for (int r = 0; r < rows; ++r) {
        k.AddSaturate(p.Row(r), q.Row(r), static_cast<size_t>(bytes), out.Row(r));
    }
}

void SpriteBlit(Surface& destination, const Surface& picture, int x, int y, const Surface& mask) {
    // A mask left over from another picture (its own load failed) may be smaller: never read
    // past it.
    int w = std::min(picture.Width(), mask.Width());
    int h = std::min(picture.Height(), mask.Height());
    const int dw = destination.Width();
    const int dh = destination.Height();
    int sx = 0;
    int sy = 0;
    if (x < 0) {
        w += x;
        sx = -x;
        x = 0;
    }
    if (y < 0) {
        h += y;
        sy = -y;
        y = 0;
    }
    if (x >= dw || y > dh || w <= 0 || h <= 0) return;
    w = std::min(w, dw - x);
    h = std::min(h, dh - y);

    const PixelKernels& k = ActivePixelKernels();
    const int blended = w / 8 * 8;
    for (int r = 0; r < h; ++r) {
        uint8_t* d = destination.Row(y + r) + x * 3;
        const uint8_t* p = picture.Row(sy + r) + sx * 3;
        const uint8_t* m = mask.Row(sy + r) + sx * 3;
        k.MaskedBlend(d, p, m, static_cast<size_t>(blended), d);
        // The last pixels of a row that do not fill a run of 8: each byte by its own mask byte.
        for (int i = blended * 3; i < w * 3; ++i) {
            d[i] = static_cast<uint8_t>(std::min(std::max(d[i] - m[i], 0) + p[i], 255));
        }
    }
}

bool StackedSpriteBlit(Surface& destination, int x, int y, const Surface& picture) {
    const int w = picture.Width();
    const int h = picture.Height() / 2;
    if (x < 0 || y < 0 || destination.Width() < w + x || destination.Height() < h + y) {
        return false;
    }
    const PixelKernels& k = ActivePixelKernels();
    const size_t pixels = static_cast<size_t>(w) * 3 / 8 * 8 / 3;
    for (int r = 0; r < h; ++r) {
        uint8_t* d = destination.Row(y + r) + x * 3;
        k.MaskedBlend(d, picture.Row(r), picture.Row(h + r), pixels, d);
    }
    return true;
}

}  // namespace vespin
