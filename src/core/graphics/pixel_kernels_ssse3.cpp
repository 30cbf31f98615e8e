// SSSE3 adds a byte shuffle, which is what the masked blend needs most: spreading the first mask
// byte of each pixel over the pixel's three bytes is one instruction instead of six. The other
// kernels gain nothing from it and are the SSE2 ones.

#include "core/graphics/pixel_kernels.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

#define VESPIN_SSSE3 __attribute__((target("ssse3")))

namespace vespin {

namespace {

VESPIN_SSSE3 inline __m128i Load(const uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// One vector of the masked blend at byte offset q, R = q mod 3. The mask is loaded from R bytes
// earlier so that it starts on a pixel; `spread` then gives byte t the byte 3 ⌊(t + R) / 3⌋.
template <int R>
VESPIN_SSSE3 inline void MaskedBlendVector(const uint8_t* b, const uint8_t* s, const uint8_t* mask,
                                           size_t q, __m128i spread, uint8_t* out) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i m = _mm_shuffle_epi8(Load(mask + q - R), spread);
    const __m128i vb = Load(b + q);
    const __m128i vs = Load(s + q);
    const __m128i inv = _mm_xor_si128(m, _mm_set1_epi8(-1));
    // A byte in the high half of a 16-bit lane, high-multiplied by w, is (v * w) >> 8.
    const __m128i lo =
        _mm_add_epi16(_mm_mulhi_epu16(_mm_unpacklo_epi8(zero, vb), _mm_unpacklo_epi8(inv, zero)),
                      _mm_mulhi_epu16(_mm_unpacklo_epi8(zero, vs), _mm_unpacklo_epi8(m, zero)));
    const __m128i hi =
        _mm_add_epi16(_mm_mulhi_epu16(_mm_unpackhi_epi8(zero, vb), _mm_unpackhi_epi8(inv, zero)),
                      _mm_mulhi_epu16(_mm_unpackhi_epi8(zero, vs), _mm_unpackhi_epi8(m, zero)));
    const __m128i take_b = _mm_cmpeq_epi8(m, zero);
    const __m128i take_s = _mm_cmpeq_epi8(m, _mm_set1_epi8(-1));
    const __m128i mixed = _mm_andnot_si128(_mm_or_si128(take_b, take_s), _mm_packus_epi16(lo, hi));
    const __m128i kept = _mm_or_si128(_mm_and_si128(take_b, vb), _mm_and_si128(take_s, vs));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + q), _mm_or_si128(mixed, kept));
}

VESPIN_SSSE3 void MaskedBlendSsse3(const uint8_t* b, const uint8_t* s, const uint8_t* mask,
                                   size_t pixels, uint8_t* out) {
    const __m128i spread0 = _mm_setr_epi8(0, 0, 0, 3, 3, 3, 6, 6, 6, 9, 9, 9, 12, 12, 12, 15);
    const __m128i spread1 = _mm_setr_epi8(0, 0, 3, 3, 3, 6, 6, 6, 9, 9, 9, 12, 12, 12, 15, 15);
    const __m128i spread2 = _mm_setr_epi8(0, 3, 3, 3, 6, 6, 6, 9, 9, 9, 12, 12, 12, 15, 15, 15);
    size_t i = 0;
    for (; i + 16 <= pixels; i += 16) {
        const size_t q = i * 3;
        MaskedBlendVector<0>(b, s, mask, q, spread0, out);
        MaskedBlendVector<1>(b, s, mask, q + 16, spread1, out);
        MaskedBlendVector<2>(b, s, mask, q + 32, spread2, out);
    }
    ScalarPixelKernels().MaskedBlend(b + i * 3, s + i * 3, mask + i * 3, pixels - i, out + i * 3);
}

}  // namespace

const PixelKernels* Ssse3PixelKernels() {
    const PixelKernels* sse2 = Sse2PixelKernels();
    if (!sse2) return nullptr;
    __builtin_cpu_init();
    if (!__builtin_cpu_supports("ssse3")) return nullptr;
    static const PixelKernels kKernels = [sse2] {
        PixelKernels k = *sse2;
        k.Name = "ssse3";
        k.MaskedBlend = MaskedBlendSsse3;
        return k;
    }();
    return &kKernels;
}

}  // namespace vespin

#else

namespace vespin {
const PixelKernels* Ssse3PixelKernels() {
    return nullptr;
}
}  // namespace vespin

#endif
