#pragma once

#include <atomic>
#include <cmath>
#include <functional>

namespace korvel::veldro {

// The live change time of one SynthParams instance, in seconds.
using GlideTimeSource = std::function<double()>;

// A value that threads share without a lock: relaxed atomic loads and
// stores (plain moves on x86-64), copyable like the value it holds.
template <typename T>
class Shared {
public:
    Shared(T v = T{}) : value(v) {}
    Shared(const Shared& other) : value(other.load()) {}
    Shared& operator=(const Shared& other)
    {
        store(other.load());
        return *this;
    }
    Shared& operator=(T v)
    {
        store(v);
        return *this;
    }
    operator T() const { return load(); }

private:
    T load() const { return value.load(std::memory_order_relaxed); }
    void store(T v) { value.store(v, std::memory_order_relaxed); }

    std::atomic<T> value;
};

using SharedDouble = Shared<double>;

// A linear glide of one value toward its target. A parameter's ramps are
// written and advanced under its SynthParams' write lock; readers take none
// and may see a glide between two of its field writes, which only bends one
// step of the glide.
struct Ramp {
    // A change smaller than this is taken at once.
    static constexpr double JUMP_CHANGE = 1e-5;
    // Glides shorter than this (seconds, or frames for a per-frame ramp) jump.
    static constexpr double MIN_GLIDE_TIME = 0.005;

    SharedDouble current = 0.0;
    SharedDouble target = 0.0;
    SharedDouble rate = 0.0; // change of current per unit of time; 0 at rest

    // Glides to v over time; a negative or short time jumps.
    void setTarget(double v, double time)
    {
        const double t = std::abs(current - v) < JUMP_CHANGE ? 0.0 : time;
        target = v;
        if (t < MIN_GLIDE_TIME) {
            current = v;
            rate = 0.0;
        } else {
            rate = (v - current) / t;
        }
    }

    // Glides over the owner's live change time, asked on every call.
    void glideTo(double v, const GlideTimeSource& glideTime) { setTarget(v, glideTime()); }

    void jumpTo(double v) { setTarget(v, 0.0); }

    void advance(double dt)
    {
        if (rate == 0.0 || dt == 0.0)
            return;
        const double next = current + rate * dt;
        if ((target > current && next >= target - JUMP_CHANGE) || (current > target && next <= target + JUMP_CHANGE)) {
            current = target;
            rate = 0.0;
        } else {
            current = next;
        }
    }

    // The value t units of time ahead, never past the target.
    double valueAt(double t) const
    {
        const double v = current + rate * t;
        const double end = target;
        if (rate > 0.0)
            return v < end ? v : end;
        if (rate < 0.0)
            return v > end ? v : end;
        return current;
    }
};

} // namespace korvel::veldro
