// The plain definitions of the row kernels: one byte or one pixel at a time, exactly the formulas
// whose rounding the engine's pictures depend on. The vector kernels are tested against these.

#include <algorithm>

#include "core/graphics/pixel_kernels.h"

namespace vespin {

namespace {

void CrossFadeScalar(const uint8_t* x, const uint8_t* y, size_t bytes, unsigned a, uint8_t* out) {
    const unsigned b = 256 - a;
    for (size_t i = 0; i < bytes; ++i) {
        unsigned v =
            (i & 7) < 4 ? (x[i] * a + y[i] * b) >> 8 : ((x[i] * a) >> 8) + ((y[i] * b) >> 8);
        out[i] = static_cast<uint8_t>(std::min(v, 255u));
    }
}

void MaskedBlendScalar(const uint8_t* b, const uint8_t* s, const uint8_t* mask, size_t pixels,
                       uint8_t* out) {
    for (size_t i = 0; i < pixels; ++i, b += 3, s += 3, mask += 3, out += 3) {
        const unsigned m = mask[0];
        for (int c = 0; c < 3; ++c) {
            if (m == 0) {
                out[c] = b[c];
            } else if (m == 255) {
                out[c] = s[c];
            } else {
                out[c] = static_cast<uint8_t>(((b[c] * (255 - m)) >> 8) + ((s[c] * m) >> 8));
            }
        }
    }
}

void WeightMapBlendScalar(const uint8_t* n, const uint8_t* o, const uint8_t* map, size_t bytes,
                          uint8_t* out) {
    for (size_t i = 0; i < bytes; ++i) {
        const unsigned m = map[i];
        out[i] = static_cast<uint8_t>(((o[i] * (255 - m)) >> 8) + ((n[i] * m) >> 8));
    }
}

void AddSaturateScalar(const uint8_t* p, const uint8_t* q, size_t bytes, uint8_t* out) {
    for (size_t i = 0; i < bytes; ++i) {
        out[i] = static_cast<uint8_t>(std::min(unsigned(p[i]) + q[i], 255u));
    }
}

void ScaleScalar(const uint8_t* s, size_t bytes, unsigned a, uint8_t* out) {
    for (size_t i = 0; i < bytes; ++i) {
        out[i] = static_cast<uint8_t>(std::min((s[i] * a) >> 8, 255u));
    }
}

void ScaleAddScalar(const uint8_t* p, const uint8_t* q, size_t bytes, unsigned a, uint8_t* out) {
    for (size_t i = 0; i < bytes; ++i) {
        out[i] = static_cast<uint8_t>(std::min(((p[i] * a) >> 8) + q[i], 255u));
    }
}

}  // namespace

const PixelKernels& ScalarPixelKernels() {
    static constexpr PixelKernels kKernels = {
        "scalar",          CrossFadeScalar, MaskedBlendScalar, WeightMapBlendScalar,
        AddSaturateScalar, ScaleScalar,     ScaleAddScalar,
    };
    return kKernels;
}

}  // namespace vespin
