// Ends the code that Avx2Begin.h began.
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
