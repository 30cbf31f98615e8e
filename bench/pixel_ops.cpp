// Full-screen row operations against the memory they have to move. Each operation runs with every
// kernel table this processor has, beside two references measured in the same run:
//  - the streaming floor: a vector loop that reads and writes the same bytes and computes nothing
//    (x | y), the least time any implementation can take;
//  - memcpy of one 800 x 600 surface.
// The counters vs_floor and vs_memcpy are minimum-time ratios taken side by side; the goal is
// vs_floor <= 2 for the table the engine picks ("active").

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "core/graphics/pixel_kernels.h"
#include "core/graphics/pixel_ops.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace vespin {
namespace {

constexpr size_t kRowBytes = kScreenWidth * 3;
constexpr size_t kBytes = kRowBytes * kScreenHeight;

struct Screens {
    Screens() : a(kBytes), b(kBytes), c(kBytes), out(kBytes) {
        std::mt19937 rng(7);
        for (auto* v : {&a, &b, &c, &out}) {
            for (auto& x : *v)
                x = static_cast<uint8_t>(rng());
        }
    }
    std::vector<uint8_t> a, b, c, out;
};
Screens& Data() {
    static Screens s;
    return s;
}

// The floors: two or three input streams and one output stream, nothing computed.
#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx2"))) void Floor2Avx2(const uint8_t* x, const uint8_t* y, size_t n,
                                                uint8_t* out) {
    for (size_t i = 0; i < n; i += 32) {
        __m256i v = _mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(x + i)),
                                    _mm256_loadu_si256(reinterpret_cast<const __m256i*>(y + i)));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), v);
    }
}
__attribute__((target("avx2"))) void Floor3Avx2(const uint8_t* x, const uint8_t* y,
                                                const uint8_t* z, size_t n, uint8_t* out) {
    for (size_t i = 0; i < n; i += 32) {
        __m256i v = _mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(x + i)),
                                    _mm256_loadu_si256(reinterpret_cast<const __m256i*>(y + i)));
        v = _mm256_or_si256(v, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(z + i)));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), v);
    }
}
bool HaveAvx2() {
    return __builtin_cpu_supports("avx2");
}
#else
void Floor2Avx2(const uint8_t*, const uint8_t*, size_t, uint8_t*) {}
void Floor3Avx2(const uint8_t*, const uint8_t*, const uint8_t*, size_t, uint8_t*) {}
bool HaveAvx2() {
    return false;
}
#endif

void Floor2(const uint8_t* x, const uint8_t* y, size_t n, uint8_t* out) {
    if (HaveAvx2()) return Floor2Avx2(x, y, n, out);
    for (size_t i = 0; i < n; ++i)
        out[i] = x[i] | y[i];
}
void Floor3(const uint8_t* x, const uint8_t* y, const uint8_t* z, size_t n, uint8_t* out) {
    if (HaveAvx2()) return Floor3Avx2(x, y, z, n, out);
    for (size_t i = 0; i < n; ++i)
        out[i] = x[i] | y[i] | z[i];
}

template <class F>
double MinNanos(F&& f) {
    double best = 1e30;
    for (int i = 0; i < 40; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        f();
        benchmark::ClobberMemory();
        auto t1 = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double, std::nano>(t1 - t0).count());
    }
    return best;
}

const PixelKernels* Table(const std::string& name) {
    if (name == "scalar") return &ScalarPixelKernels();
    if (name == "sse2") return Sse2PixelKernels();
    if (name == "ssse3") return Ssse3PixelKernels();
    if (name == "avx2") return Avx2PixelKernels();
    return &ActivePixelKernels();
}

// Runs `op` as the benchmark, then puts its best time beside the floor's and memcpy's.
template <class Op, class FloorOp>
void Measure(benchmark::State& state, Op op, FloorOp floor) {
    Screens& d = Data();
    for (auto _ : state) {
        op();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kBytes));
    double t_op = MinNanos(op);
    double t_floor = MinNanos(floor);
    double t_copy = MinNanos([&] { std::memcpy(d.out.data(), d.a.data(), kBytes); });
    state.counters["vs_floor"] = t_op / t_floor;
    state.counters["vs_memcpy"] = t_op / t_copy;
}

void CrossFade(benchmark::State& state, std::string table) {
    const PixelKernels* k = Table(table);
    if (!k) return state.SkipWithError("not available here");
    Screens& d = Data();
    Measure(
        state,
        [&] {
            for (size_t r = 0; r < kScreenHeight; ++r) {
                k->CrossFade(&d.a[r * kRowBytes], &d.b[r * kRowBytes], kRowBytes, 100,
                             &d.out[r * kRowBytes]);
            }
        },
        [&] { Floor2(d.a.data(), d.b.data(), kBytes, d.out.data()); });
}

void MaskedBlend(benchmark::State& state, std::string table) {
    const PixelKernels* k = Table(table);
    if (!k) return state.SkipWithError("not available here");
    Screens& d = Data();
    // In place, as the engine draws a character into the composition.
    Measure(
        state,
        [&] {
            for (size_t r = 0; r < kScreenHeight; ++r) {
                k->MaskedBlend(&d.out[r * kRowBytes], &d.a[r * kRowBytes], &d.c[r * kRowBytes],
                               kScreenWidth, &d.out[r * kRowBytes]);
            }
        },
        [&] { Floor3(d.out.data(), d.a.data(), d.c.data(), kBytes, d.out.data()); });
}

void WeightMap(benchmark::State& state, std::string table) {
    const PixelKernels* k = Table(table);
    if (!k) return state.SkipWithError("not available here");
    Screens& d = Data();
    Measure(
        state,
        [&] {
            for (size_t r = 0; r < kScreenHeight; ++r) {
                k->WeightMapBlend(&d.a[r * kRowBytes], &d.b[r * kRowBytes], &d.c[r * kRowBytes],
                                  kRowBytes, &d.out[r * kRowBytes]);
            }
        },
        [&] { Floor3(d.a.data(), d.b.data(), d.c.data(), kBytes, d.out.data()); });
}

void Memcpy(benchmark::State& state) {
    Screens& d = Data();
    for (auto _ : state) {
        std::memcpy(d.out.data(), d.a.data(), kBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kBytes));
}

void StreamFloor2(benchmark::State& state) {
    Screens& d = Data();
    for (auto _ : state) {
        Floor2(d.a.data(), d.b.data(), kBytes, d.out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kBytes));
}

void StreamFloor3(benchmark::State& state) {
    Screens& d = Data();
    for (auto _ : state) {
        Floor3(d.a.data(), d.b.data(), d.c.data(), kBytes, d.out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kBytes));
}

BENCHMARK(Memcpy)->Unit(benchmark::kMicrosecond);
BENCHMARK(StreamFloor2)->Unit(benchmark::kMicrosecond);
BENCHMARK(StreamFloor3)->Unit(benchmark::kMicrosecond);
#define VESPIN_BENCH_TABLES(fn)                                             \
    BENCHMARK_CAPTURE(fn, scalar, "scalar")->Unit(benchmark::kMicrosecond); \
    BENCHMARK_CAPTURE(fn, sse2, "sse2")->Unit(benchmark::kMicrosecond);     \
    BENCHMARK_CAPTURE(fn, ssse3, "ssse3")->Unit(benchmark::kMicrosecond);   \
    BENCHMARK_CAPTURE(fn, avx2, "avx2")->Unit(benchmark::kMicrosecond);     \
    BENCHMARK_CAPTURE(fn, active, "active")->Unit(benchmark::kMicrosecond)
VESPIN_BENCH_TABLES(CrossFade);
VESPIN_BENCH_TABLES(MaskedBlend);
VESPIN_BENCH_TABLES(WeightMap);

}  // namespace
}  // namespace vespin
