#pragma once
// The inner loops behind the row operations of pixel_ops.h, one table per instruction set. The
// scalar table is the definition; every other table must produce the same bytes for every input
// (tests/pixel_ops_test.cpp compares them on random rows). Callers normally go through
// pixel_ops.h, which uses ActivePixelKernels(); tests and benchmarks reach the tables directly.
//
// Counts are in bytes or pixels here (the public operations take groups of 8 bytes where the
// engine counts that way). An output may be exactly one of the inputs (drawing in place), except
// the mask of MaskedBlend, but must not partly overlap any of them.

#include <cstddef>
#include <cstdint>

namespace vespin {

struct PixelKernels {
    const char* Name;

    // out = the cross-fade of x (weight a, 0..256) and y (weight 256 - a). Bytes 0..3 of each
    // 8-byte group, counted from x's first byte, round the sum once; bytes 4..7 round each
    // product on its own.
    void (*CrossFade)(const uint8_t* x, const uint8_t* y, size_t bytes, unsigned a, uint8_t* out);

    // Per pixel, with m the first byte of the mask pixel: 0 keeps b, 255 takes s, otherwise
    // ((b * (255 - m)) >> 8) + ((s * m) >> 8) per byte.
    void (*MaskedBlend)(const uint8_t* b, const uint8_t* s, const uint8_t* mask, size_t pixels,
                        uint8_t* out);

    // Per byte: ((o * (255 - m)) >> 8) + ((n * m) >> 8), m the weight-map byte at the same place.
    void (*WeightMapBlend)(const uint8_t* n, const uint8_t* o, const uint8_t* map, size_t bytes,
                           uint8_t* out);

    // Per byte: min(p + q, 255).
    void (*AddSaturate)(const uint8_t* p, const uint8_t* q, size_t bytes, uint8_t* out);

    // Per byte: min((s * a) >> 8, 255), a in 0..65535 (larger weights give the same bytes as
    // 65535: every nonzero byte already saturates).
    void (*Scale)(const uint8_t* s, size_t bytes, unsigned a, uint8_t* out);

    // Per byte: min(((p * a) >> 8) + q, 255), a in 0..65535.
    void (*ScaleAdd)(const uint8_t* p, const uint8_t* q, size_t bytes, unsigned a, uint8_t* out);
};

const PixelKernels& ScalarPixelKernels();
// The vector tables, or nullptr when this build or this processor lacks the instructions.
const PixelKernels* Sse2PixelKernels();
const PixelKernels* Ssse3PixelKernels();
const PixelKernels* Avx2PixelKernels();
// The widest table the processor supports, chosen once.
const PixelKernels& ActivePixelKernels();

}  // namespace vespin
