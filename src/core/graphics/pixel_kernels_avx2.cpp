// AVX2 row kernels: 32 bytes at a time, the same arithmetic as the SSE2 kernels. Only these
// functions are compiled for AVX2 (by attribute, not by a file-wide flag), so nothing shared with
// the rest of the program can pick up instructions an older processor lacks; the table is handed
// out only when the processor reports AVX2.
//
// The 256-bit unpack, pack and shuffle instructions work within each 128-bit half, and undo one
// another within it, so every trick of the SSE2 kernels carries over half by half.

#include "core/graphics/pixel_kernels.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

#define VESPIN_AVX2 __attribute__((target("avx2")))

namespace vespin {

namespace {

VESPIN_AVX2 inline __m256i Load(const uint8_t* p) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}
VESPIN_AVX2 inline void Store(uint8_t* p, __m256i v) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
}
VESPIN_AVX2 inline __m256i MulShiftLo(__m256i v, __m256i w) {
    return _mm256_mulhi_epu16(_mm256_unpacklo_epi8(_mm256_setzero_si256(), v), w);
}
VESPIN_AVX2 inline __m256i MulShiftHi(__m256i v, __m256i w) {
    return _mm256_mulhi_epu16(_mm256_unpackhi_epi8(_mm256_setzero_si256(), v), w);
}
VESPIN_AVX2 inline __m256i WidenLo(__m256i v) {
    return _mm256_unpacklo_epi8(v, _mm256_setzero_si256());
}
VESPIN_AVX2 inline __m256i WidenHi(__m256i v) {
    return _mm256_unpackhi_epi8(v, _mm256_setzero_si256());
}

// ((b * (255 - m)) >> 8) + ((s * m) >> 8) per byte.
VESPIN_AVX2 inline __m256i Mix(__m256i b, __m256i s, __m256i m) {
    const __m256i inv = _mm256_xor_si256(m, _mm256_set1_epi8(-1));
    const __m256i lo = _mm256_add_epi16(MulShiftLo(b, WidenLo(inv)), MulShiftLo(s, WidenLo(m)));
    const __m256i hi = _mm256_add_epi16(MulShiftHi(b, WidenHi(inv)), MulShiftHi(s, WidenHi(m)));
    return _mm256_packus_epi16(lo, hi);
}

VESPIN_AVX2 void CrossFadeAvx2(const uint8_t* x, const uint8_t* y, size_t bytes, unsigned a,
                               uint8_t* out) {
    const __m256i wa = _mm256_set1_epi16(static_cast<short>(a));
    const __m256i wb = _mm256_set1_epi16(static_cast<short>(256 - a));
    // Each unpacked half-lane is one 8-byte group: lanes 0..3 add y's whole product and round
    // once, lanes 4..7 add only its high byte, which rounds the two products apart.
    const __m256i keep = _mm256_setr_epi16(-1, -1, -1, -1, -256, -256, -256, -256, -1, -1, -1, -1,
                                           -256, -256, -256, -256);
    size_t i = 0;
    for (; i + 32 <= bytes; i += 32) {
        const __m256i vx = Load(x + i);
        const __m256i vy = Load(y + i);
        const __m256i lo = _mm256_srli_epi16(
            _mm256_add_epi16(_mm256_mullo_epi16(WidenLo(vx), wa),
                             _mm256_and_si256(_mm256_mullo_epi16(WidenLo(vy), wb), keep)),
            8);
        const __m256i hi = _mm256_srli_epi16(
            _mm256_add_epi16(_mm256_mullo_epi16(WidenHi(vx), wa),
                             _mm256_and_si256(_mm256_mullo_epi16(WidenHi(vy), wb), keep)),
            8);
        Store(out + i, _mm256_packus_epi16(lo, hi));
    }
    ScalarPixelKernels().CrossFade(x + i, y + i, bytes - i, a, out + i);
}

// Shuffle that spreads the first byte of each pixel over its three bytes, for a 16-byte half that
// begins r bytes into a pixel and was loaded from r bytes earlier: byte t takes byte 3 ⌊(t + r) /
// 3⌋.
#define VESPIN_SPREAD_0 0, 0, 0, 3, 3, 3, 6, 6, 6, 9, 9, 9, 12, 12, 12, 15
#define VESPIN_SPREAD_1 0, 0, 3, 3, 3, 6, 6, 6, 9, 9, 9, 12, 12, 12, 15, 15
#define VESPIN_SPREAD_2 0, 3, 3, 3, 6, 6, 6, 9, 9, 9, 12, 12, 12, 15, 15, 15

// One 32-byte vector of the masked blend at byte offset q, its halves R0 and R1 bytes into a pixel.
template <int R0, int R1>
VESPIN_AVX2 inline void MaskedBlendVector(const uint8_t* b, const uint8_t* s, const uint8_t* mask,
                                          size_t q, __m256i spread, uint8_t* out) {
    const __m128i m_lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mask + q - R0));
    const __m128i m_hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mask + q + 16 - R1));
    const __m256i m =
        _mm256_shuffle_epi8(_mm256_inserti128_si256(_mm256_castsi128_si256(m_lo), m_hi, 1), spread);
    const __m256i vb = Load(b + q);
    const __m256i vs = Load(s + q);
    __m256i v = Mix(vb, vs, m);
    v = _mm256_blendv_epi8(v, vb, _mm256_cmpeq_epi8(m, _mm256_setzero_si256()));
    v = _mm256_blendv_epi8(v, vs, _mm256_cmpeq_epi8(m, _mm256_set1_epi8(-1)));
    Store(out + q, v);
}

VESPIN_AVX2 void MaskedBlendAvx2(const uint8_t* b, const uint8_t* s, const uint8_t* mask,
                                 size_t pixels, uint8_t* out) {
    // 32 pixels are three vectors; their halves begin 0, 1 | 2, 0 | 1, 2 bytes into a pixel.
    const __m256i spread01 = _mm256_setr_epi8(VESPIN_SPREAD_0, VESPIN_SPREAD_1);
    const __m256i spread20 = _mm256_setr_epi8(VESPIN_SPREAD_2, VESPIN_SPREAD_0);
    const __m256i spread12 = _mm256_setr_epi8(VESPIN_SPREAD_1, VESPIN_SPREAD_2);
    size_t i = 0;
    for (; i + 32 <= pixels; i += 32) {
        const size_t q = i * 3;
        MaskedBlendVector<0, 1>(b, s, mask, q, spread01, out);
        MaskedBlendVector<2, 0>(b, s, mask, q + 32, spread20, out);
        MaskedBlendVector<1, 2>(b, s, mask, q + 64, spread12, out);
    }
    ScalarPixelKernels().MaskedBlend(b + i * 3, s + i * 3, mask + i * 3, pixels - i, out + i * 3);
}

VESPIN_AVX2 void WeightMapBlendAvx2(const uint8_t* n, const uint8_t* o, const uint8_t* map,
                                    size_t bytes, uint8_t* out) {
    size_t i = 0;
    for (; i + 32 <= bytes; i += 32)
        Store(out + i, Mix(Load(o + i), Load(n + i), Load(map + i)));
    ScalarPixelKernels().WeightMapBlend(n + i, o + i, map + i, bytes - i, out + i);
}

VESPIN_AVX2 void AddSaturateAvx2(const uint8_t* p, const uint8_t* q, size_t bytes, uint8_t* out) {
    size_t i = 0;
    for (; i + 32 <= bytes; i += 32)
        Store(out + i, _mm256_adds_epu8(Load(p + i), Load(q + i)));
    ScalarPixelKernels().AddSaturate(p + i, q + i, bytes - i, out + i);
}

VESPIN_AVX2 void ScaleAvx2(const uint8_t* s, size_t bytes, unsigned a, uint8_t* out) {
    const __m256i w = _mm256_set1_epi16(static_cast<short>(a));
    const __m256i top = _mm256_set1_epi16(255);
    size_t i = 0;
    for (; i + 32 <= bytes; i += 32) {
        const __m256i vs = Load(s + i);
        const __m256i lo = _mm256_min_epu16(MulShiftLo(vs, w), top);
        const __m256i hi = _mm256_min_epu16(MulShiftHi(vs, w), top);
        Store(out + i, _mm256_packus_epi16(lo, hi));
    }
    ScalarPixelKernels().Scale(s + i, bytes - i, a, out + i);
}

VESPIN_AVX2 void ScaleAddAvx2(const uint8_t* p, const uint8_t* q, size_t bytes, unsigned a,
                              uint8_t* out) {
    const __m256i w = _mm256_set1_epi16(static_cast<short>(a));
    const __m256i top = _mm256_set1_epi16(255);
    size_t i = 0;
    for (; i + 32 <= bytes; i += 32) {
        const __m256i vp = Load(p + i);
        const __m256i vq = Load(q + i);
        const __m256i lo = _mm256_min_epu16(_mm256_adds_epu16(MulShiftLo(vp, w), WidenLo(vq)), top);
        const __m256i hi = _mm256_min_epu16(_mm256_adds_epu16(MulShiftHi(vp, w), WidenHi(vq)), top);
        Store(out + i, _mm256_packus_epi16(lo, hi));
    }
    ScalarPixelKernels().ScaleAdd(p + i, q + i, bytes - i, a, out + i);
}

}  // namespace

const PixelKernels* Avx2PixelKernels() {
    static constexpr PixelKernels kKernels = {
        "avx2",          CrossFadeAvx2, MaskedBlendAvx2, WeightMapBlendAvx2,
        AddSaturateAvx2, ScaleAvx2,     ScaleAddAvx2,
    };
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") ? &kKernels : nullptr;
}

}  // namespace vespin

#else

namespace vespin {
const PixelKernels* Avx2PixelKernels() {
    return nullptr;
}
}  // namespace vespin

#endif
