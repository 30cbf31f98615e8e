#include "core/graphics/pixel_ops.h"

namespace vespin {

void BlendWithColour(uint8_t* dst, const uint8_t* colour, const uint8_t* alpha, int pixels) {
    for (int i = 0; i < pixels; ++i, dst += 3, colour += 3, alpha += 3) {
        unsigned a = alpha[0];
        if (a == 0) continue;
        for (int c = 0; c < 3; ++c) {
            dst[c] =
                a == 255
                    ? colour[c]
                    : static_cast<uint8_t>(((dst[c] * (255 - a)) >> 8) + ((colour[c] * a) >> 8));
        }
    }
}

}  // namespace vespin
