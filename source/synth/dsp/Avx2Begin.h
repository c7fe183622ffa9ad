// Included (with Avx2End.h after) around code built for AVX2: the functions
// between run only where hasAvx2() said so, while the rest of the program
// keeps to SSE2. AVX2 only, no FMA: fused operations would round differently
// from the SSE2 code. Include <immintrin.h> before this header.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif
