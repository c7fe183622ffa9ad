#pragma once

#include "synth/ParamRange.h"

#include <atomic>
#include <memory>
#include <utility>

namespace korvel {

// Maps a normalised position 0..1 to a value in the parameter's own units and
// back. Both directions clamp: toValue into the kind's value range (a NaN
// result gives the upper end), toNormalized into [0, 1] (NaN gives 1).
// The base class is the linear mapping. Every operation may be called from
// any thread: an instance's own "sound.start"/"sound.end" range changes when a
// sound is installed (on the audio thread for a program change) while the host
// reads parameters, so the bounds are atomic; a reader may see the old max with
// the new min for a moment, which only clamps one value differently.
class Scaling {
public:
    Scaling(double max, double min);
    virtual ~Scaling() = default;

    virtual double toValue(double x) const;
    virtual double toNormalized(double v) const;
    // {low, high} of the values toValue can return.
    virtual std::pair<double, double> getRange() const;
    // A min of exactly 0.0 keeps the current min.
    virtual void setRange(double max, double min);
    virtual void setMin(double min);

protected:
    // The clamping rule shared by every kind.
    double clampValue(double raw) const;
    static double clampUnit(double raw);

    std::atomic<double> max;
    std::atomic<double> min;
};

class CubicScaling : public Scaling {
public:
    using Scaling::Scaling;
    double toValue(double x) const override;
    double toNormalized(double v) const override;
};

// The bipolar kinds span -max..max and ignore min.

// Linear, zero at x = 0.5.
class BipolarScaling : public Scaling {
public:
    using Scaling::Scaling;
    double toValue(double x) const override;
    double toNormalized(double v) const override;
    std::pair<double, double> getRange() const override;
};

// Cubic, zero at x = 0.5.
class BiCubicScaling : public Scaling {
public:
    using Scaling::Scaling;
    double toValue(double x) const override;
    double toNormalized(double v) const override;
    std::pair<double, double> getRange() const override;
};

// Cubic on both sides of zero, which sits at x = 1 - a: the positive half of
// the range gets the share a of the axis.
class AsymmetricBiCubicScaling : public Scaling {
public:
    // An a above 1 is taken as a ratio: 4 stores 1 - 1/4 = 0.75.
    AsymmetricBiCubicScaling(double a, double max);
    double toValue(double x) const override;
    double toNormalized(double v) const override;
    std::pair<double, double> getRange() const override;

private:
    double a;
};

// Linear, with values rounded to whole numbers (halves away from zero).
class IntScaling : public Scaling {
public:
    using Scaling::Scaling;
    double toValue(double x) const override;
};

// Linear, running from max at x = 0 down to min at x = 1.
class InvScaling : public Scaling {
public:
    using Scaling::Scaling;
    double toValue(double x) const override;
    double toNormalized(double v) const override;
};

// Linear over the magnitude: the sign of x and of v is dropped.
class AbsoluteScaling : public Scaling {
public:
    using Scaling::Scaling;
    double toValue(double x) const override;
    double toNormalized(double v) const override;
};

// The Scaling of a range's kind, or null for kinds without one (0, 100, ...).
// The range's default takes no part.
std::unique_ptr<Scaling> makeScaling(const ParamRange& range);

} // namespace korvel
