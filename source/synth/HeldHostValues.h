#pragma once

#include "synth/ParamTable.h"

#include <array>
#include <atomic>
#include <cmath>
#include <limits>
#include <optional>

namespace korvel::veldro {

// Host parameter writes that found the parameters' write lock busy, one
// normalised value per index, kept until a holder of the lock applies them;
// a later write of an index replaces the value kept. Many hosts set
// parameters on their audio thread, which must not wait for the editor.
//
// Threads: keep and peek on any thread, without locks or allocation; drop
// and takeAll by the holder of the write lock.
class HeldHostValues {
public:
    // Indices past the controller settings are never automatable.
    static constexpr int COUNT = LAST_CONTROLLER_PARAM + 1;

    HeldHostValues()
    {
        for (auto& value : values)
            value.store(NONE, std::memory_order_relaxed);
    }
    HeldHostValues(const HeldHostValues&) = delete;
    HeldHostValues& operator=(const HeldHostValues&) = delete;

    static bool covers(int id) { return id >= 0 && id < COUNT; }

    void keep(int id, double x)
    {
        values[id].store(x, std::memory_order_release);
        anyHeld.store(true, std::memory_order_release);
    }

    std::optional<double> peek(int id) const
    {
        const double x = values[id].load(std::memory_order_acquire);
        return std::isnan(x) ? std::nullopt : std::optional<double>(x);
    }

    // A value written with the lock held overtakes the one kept before.
    void drop(int id) { values[id].store(NONE, std::memory_order_relaxed); }

    // Hands each kept value to apply(id, x) once. A value kept meanwhile
    // raises the flag again, so the next call finds it.
    template <typename Apply>
    void takeAll(Apply apply)
    {
        // Read first: the exchange's locked write is for ticks that find something.
        if (!anyHeld.load(std::memory_order_relaxed) || !anyHeld.exchange(false, std::memory_order_acq_rel))
            return;
        for (int id = 0; id < COUNT; ++id)
            if (const double x = values[id].exchange(NONE, std::memory_order_acq_rel); !std::isnan(x))
                apply(id, x);
    }

private:
    static constexpr double NONE = std::numeric_limits<double>::quiet_NaN();

    std::array<std::atomic<double>, COUNT> values;
    std::atomic<bool> anyHeld{false};
};

} // namespace korvel::veldro
