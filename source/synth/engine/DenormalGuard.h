#pragma once

#include <xmmintrin.h>

namespace korvel::veldro {

// Flushes denormal results and inputs to zero while it lives: decaying
// filter and follower states would otherwise crawl through the slow
// denormal range. Restores the caller's mode on exit.
class DenormalGuard {
public:
    DenormalGuard() : saved(_mm_getcsr()) { _mm_setcsr(saved | FLUSH_TO_ZERO | DENORMALS_ARE_ZERO); }
    ~DenormalGuard() { _mm_setcsr(saved); }
    DenormalGuard(const DenormalGuard&) = delete;
    DenormalGuard& operator=(const DenormalGuard&) = delete;

private:
    static constexpr unsigned FLUSH_TO_ZERO = 0x8000;
    static constexpr unsigned DENORMALS_ARE_ZERO = 0x0040;
    unsigned saved;
};

} // namespace korvel::veldro
