#include "avx_upper_halves.h"

#ifdef __x86_64__

#include <immintrin.h>

namespace {

__attribute__((target("avx"))) void zeroUpper() {
    _mm256_zeroupper();
}

// GCC gives an int and clang a bool.
// NOLINTNEXTLINE(readability-redundant-casting)
const bool hasWideVectors = static_cast<bool>(__builtin_cpu_supports("avx"));

} // namespace

void clearUpperVectorState() {
    if (hasWideVectors) {
        zeroUpper();
    }
}

#else

void clearUpperVectorState() {}

#endif
