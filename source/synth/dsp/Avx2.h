#pragma once

namespace korvel::veldro {

namespace detail {
extern const bool avx2Found;
} // namespace detail

// Whether this processor has AVX2. The plug-in runs on any x86_64 processor,
// so the wider paths are chosen at run time, not at build time. Any thread.
inline bool hasAvx2()
{
    return detail::avx2Found;
}

} // namespace korvel::veldro
