#include "synth/dsp/Avx2.h"

namespace korvel::veldro::detail {

// Settled while the library loads; the processor's features cannot change.
const bool avx2Found = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}();

} // namespace korvel::veldro::detail
