// SSE2 row kernels: 16 bytes at a time in packed 16-bit arithmetic, the scalar kernels for the
// bytes that do not fill a vector. SSE2 is part of every x86-64 processor, so this table is the
// floor on that architecture.
//
// Two identities carry most of the work. A byte v placed in the high half of a 16-bit lane is
// v * 256, so an unsigned high multiply by a weight w gives (v * w) >> 8 in one instruction, the
// exact rounding of the definitions. And 255 - m is m with all bits flipped.

#include "core/graphics/pixel_kernels.h"

#if defined(__SSE2__)
#include <emmintrin.h>

namespace vespin {

namespace {

// (v * w) >> 8 for the low or the high eight bytes of `v`, w in 16-bit lanes.
inline __m128i MulShiftLo(__m128i v, __m128i w) {
    return _mm_mulhi_epu16(_mm_unpacklo_epi8(_mm_setzero_si128(), v), w);
}
inline __m128i MulShiftHi(__m128i v, __m128i w) {
    return _mm_mulhi_epu16(_mm_unpackhi_epi8(_mm_setzero_si128(), v), w);
}
inline __m128i WidenLo(__m128i v) {
    return _mm_unpacklo_epi8(v, _mm_setzero_si128());
}
inline __m128i WidenHi(__m128i v) {
    return _mm_unpackhi_epi8(v, _mm_setzero_si128());
}

// ((b * (255 - m)) >> 8) + ((s * m) >> 8) per byte; the sum never exceeds 254.
inline __m128i Mix(__m128i b, __m128i s, __m128i m) {
    const __m128i inv = _mm_xor_si128(m, _mm_set1_epi8(-1));
    const __m128i lo = _mm_add_epi16(MulShiftLo(b, WidenLo(inv)), MulShiftLo(s, WidenLo(m)));
    const __m128i hi = _mm_add_epi16(MulShiftHi(b, WidenHi(inv)), MulShiftHi(s, WidenHi(m)));
    return _mm_packus_epi16(lo, hi);
}

// min(v, 255) in unsigned 16-bit lanes.
inline __m128i Clamp255(__m128i v) {
    return _mm_subs_epu16(v, _mm_subs_epu16(v, _mm_set1_epi16(255)));
}

void CrossFadeSse2(const uint8_t* x, const uint8_t* y, size_t bytes, unsigned a, uint8_t* out) {
    const __m128i wa = _mm_set1_epi16(static_cast<short>(a));
    const __m128i wb = _mm_set1_epi16(static_cast<short>(256 - a));
    // A vector half is one 8-byte group. Adding only the high byte of y's product to x's product
    // and shifting once is the same as shifting both products apart, which bytes 4..7 of a group
    // do; bytes 0..3 add the whole product and round once.
    // The products never exceed 255 * 256, so their sum fits a 16-bit lane. (-256 is 0xFF00.)
    const __m128i keep = _mm_setr_epi16(-1, -1, -1, -1, -256, -256, -256, -256);
    size_t i = 0;
    for (; i + 16 <= bytes; i += 16) {
        const __m128i vx = _mm_loadu_si128(reinterpret_cast<const __m128i*>(x + i));
        const __m128i vy = _mm_loadu_si128(reinterpret_cast<const __m128i*>(y + i));
        const __m128i lo =
            _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(WidenLo(vx), wa),
                                         _mm_and_si128(_mm_mullo_epi16(WidenLo(vy), wb), keep)),
                           8);
        const __m128i hi =
            _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(WidenHi(vx), wa),
                                         _mm_and_si128(_mm_mullo_epi16(WidenHi(vy), wb), keep)),
                           8);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(lo, hi));
    }
    ScalarPixelKernels().CrossFade(x + i, y + i, bytes - i, a, out + i);
}

// Spreads the first byte of each pixel over its three bytes, for the 16 bytes that begin R bytes
// into a pixel. `v` holds the mask bytes from R bytes earlier, so it starts on a pixel and its
// pixels start at 0, 3, ..., 15; the pixel at 15 also covers the first R bytes past the vector.
template <int R>
inline __m128i SpreadMask(__m128i v) {
    const __m128i starts = _mm_setr_epi8(-1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1);
    const __m128i m0 = _mm_and_si128(v, starts);
    const __m128i s = _mm_or_si128(m0, _mm_or_si128(_mm_slli_si128(m0, 1), _mm_slli_si128(m0, 2)));
    if constexpr (R == 0) {
        return s;
    } else {
        const __m128i last =
            _mm_and_si128(m0, _mm_setr_epi8(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1));
        if constexpr (R == 1) {
            return _mm_or_si128(_mm_srli_si128(s, 1), last);
        } else {
            return _mm_or_si128(_mm_srli_si128(s, 2), _mm_or_si128(last, _mm_srli_si128(last, 1)));
        }
    }
}

// One vector of the masked blend at byte offset q, with R = q mod 3.
template <int R>
inline void MaskedBlendVector(const uint8_t* b, const uint8_t* s, const uint8_t* mask, size_t q,
                              uint8_t* out) {
    const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + q));
    const __m128i vs = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + q));
    const __m128i m =
        SpreadMask<R>(_mm_loadu_si128(reinterpret_cast<const __m128i*>(mask + q - R)));
    const __m128i take_b = _mm_cmpeq_epi8(m, _mm_setzero_si128());
    const __m128i take_s = _mm_cmpeq_epi8(m, _mm_set1_epi8(-1));
    const __m128i mixed = _mm_andnot_si128(_mm_or_si128(take_b, take_s), Mix(vb, vs, m));
    const __m128i kept = _mm_or_si128(_mm_and_si128(take_b, vb), _mm_and_si128(take_s, vs));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + q), _mm_or_si128(mixed, kept));
}

void MaskedBlendSse2(const uint8_t* b, const uint8_t* s, const uint8_t* mask, size_t pixels,
                     uint8_t* out) {
    // 16 pixels are three vectors; their offsets are 0, 1 and 2 modulo 3, in this order.
    size_t i = 0;
    for (; i + 16 <= pixels; i += 16) {
        const size_t q = i * 3;
        MaskedBlendVector<0>(b, s, mask, q, out);
        MaskedBlendVector<1>(b, s, mask, q + 16, out);
        MaskedBlendVector<2>(b, s, mask, q + 32, out);
    }
    ScalarPixelKernels().MaskedBlend(b + i * 3, s + i * 3, mask + i * 3, pixels - i, out + i * 3);
}

void WeightMapBlendSse2(const uint8_t* n, const uint8_t* o, const uint8_t* map, size_t bytes,
                        uint8_t* out) {
    size_t i = 0;
    for (; i + 16 <= bytes; i += 16) {
        const __m128i vn = _mm_loadu_si128(reinterpret_cast<const __m128i*>(n + i));
        const __m128i vo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(o + i));
        const __m128i vm = _mm_loadu_si128(reinterpret_cast<const __m128i*>(map + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), Mix(vo, vn, vm));
    }
    ScalarPixelKernels().WeightMapBlend(n + i, o + i, map + i, bytes - i, out + i);
}

void AddSaturateSse2(const uint8_t* p, const uint8_t* q, size_t bytes, uint8_t* out) {
    size_t i = 0;
    for (; i + 16 <= bytes; i += 16) {
        const __m128i vp = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i vq = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_adds_epu8(vp, vq));
    }
    ScalarPixelKernels().AddSaturate(p + i, q + i, bytes - i, out + i);
}

void ScaleSse2(const uint8_t* s, size_t bytes, unsigned a, uint8_t* out) {
    const __m128i w = _mm_set1_epi16(static_cast<short>(a));
    size_t i = 0;
    for (; i + 16 <= bytes; i += 16) {
        const __m128i vs = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const __m128i lo = Clamp255(MulShiftLo(vs, w));
        const __m128i hi = Clamp255(MulShiftHi(vs, w));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(lo, hi));
    }
    ScalarPixelKernels().Scale(s + i, bytes - i, a, out + i);
}

void ScaleAddSse2(const uint8_t* p, const uint8_t* q, size_t bytes, unsigned a, uint8_t* out) {
    const __m128i w = _mm_set1_epi16(static_cast<short>(a));
    size_t i = 0;
    for (; i + 16 <= bytes; i += 16) {
        const __m128i vp = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i vq = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q + i));
        const __m128i lo = Clamp255(_mm_adds_epu16(MulShiftLo(vp, w), WidenLo(vq)));
        const __m128i hi = Clamp255(_mm_adds_epu16(MulShiftHi(vp, w), WidenHi(vq)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(lo, hi));
    }
    ScalarPixelKernels().ScaleAdd(p + i, q + i, bytes - i, a, out + i);
}

}  // namespace

const PixelKernels* Sse2PixelKernels() {
    static constexpr PixelKernels kKernels = {
        "sse2",          CrossFadeSse2, MaskedBlendSse2, WeightMapBlendSse2,
        AddSaturateSse2, ScaleSse2,     ScaleAddSse2,
    };
    return &kKernels;
}

}  // namespace vespin

#else

namespace vespin {
const PixelKernels* Sse2PixelKernels() {
    return nullptr;
}
}  // namespace vespin

#endif
