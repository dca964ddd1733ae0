#include "vector_state.h"

#if defined(__x86_64__)

#include <immintrin.h>

namespace {

__attribute__((target("avx"))) void zeroUpper() {
    _mm256_zeroupper();
}

const bool hasWideVectors = __builtin_cpu_supports("avx") != 0;

} // namespace

void clearUpperVectorState() {
    if (hasWideVectors) {
        zeroUpper();
    }
}

#else

void clearUpperVectorState() {}

#endif
