#pragma once

// Some of Qt's raster code leaves the upper halves of the AVX registers in
// use. On AVX-512 Intel processors every SSE instruction that follows then
// waits on them, and the chart's arithmetic (plain SSE) runs up to four
// times slower. vzeroupper after a call into Qt gives the state back clean.

#if defined(__x86_64__) && defined(__GNUC__)

#include <immintrin.h>

namespace velmarin {

__attribute__((target("avx"))) inline void ZeroUpperVectorHalves() { _mm256_zeroupper(); }

inline void ReleaseWideVectorState() {
    // vzeroupper faults on a processor without AVX.
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx) ZeroUpperVectorHalves();
}

}  // namespace velmarin

#else

namespace velmarin {

inline void ReleaseWideVectorState() {}

}  // namespace velmarin

#endif

namespace velmarin {

// Releases the state when the scope that called into Qt ends.
struct WideVectorStateRelease {
    WideVectorStateRelease() = default;
    WideVectorStateRelease(const WideVectorStateRelease&) = delete;
    WideVectorStateRelease& operator=(const WideVectorStateRelease&) = delete;
    ~WideVectorStateRelease() { ReleaseWideVectorState(); }
};

}  // namespace velmarin
