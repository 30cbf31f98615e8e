#include "core/graphics/pixel_kernels.h"

namespace vespin {

const PixelKernels& ActivePixelKernels() {
    // Chosen once: the processor does not change under a running program.
    static const PixelKernels& kActive = []() -> const PixelKernels& {
        if (const PixelKernels* k = Avx2PixelKernels()) return *k;
        if (const PixelKernels* k = Ssse3PixelKernels()) return *k;
        if (const PixelKernels* k = Sse2PixelKernels()) return *k;
        return ScalarPixelKernels();
    }();
    return kActive;
}

}  // namespace vespin
