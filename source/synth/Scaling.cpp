#include "synth/Scaling.h"

#include <cmath>

namespace korvel {

Scaling::Scaling(double max, double min) : max(max), min(min) {}

double Scaling::clampValue(double raw) const {
    const auto [low, high] = getRange();
    if (low <= raw && raw <= high)
        return raw;
    return raw < low ? low : high;
}

double Scaling::clampUnit(double raw) {
    if (0.0 <= raw && raw <= 1.0)
        return raw;
    return raw < 0.0 ? 0.0 : 1.0;
}

double Scaling::toValue(double x) const { return clampValue(min + x * (max - min)); }

double Scaling::toNormalized(double v) const { return clampUnit((v - min) / (max - min)); }

std::pair<double, double> Scaling::getRange() const { return {min, max}; }

void Scaling::setRange(double newMax, double newMin) {
    max = newMax;
    if (newMin != 0.0)
        min = newMin;
}

void Scaling::setMin(double newMin) { min = newMin; }

double CubicScaling::toValue(double x) const { return clampValue(min + x * x * x * (max - min)); }

double CubicScaling::toNormalized(double v) const { return clampUnit(std::cbrt((v - min) / (max - min))); }

double BipolarScaling::toValue(double x) const { return clampValue(max * (2.0 * x - 1.0)); }

double BipolarScaling::toNormalized(double v) const { return clampUnit((v / max + 1.0) * 0.5); }

std::pair<double, double> BipolarScaling::getRange() const { return {-max, max}; }

double BiCubicScaling::toValue(double x) const {
    const double u = 2.0 * (x - 0.5);
    return clampValue(max * (u * u * u));
}

double BiCubicScaling::toNormalized(double v) const { return clampUnit(0.5 * std::cbrt(v / max) + 0.5); }

std::pair<double, double> BiCubicScaling::getRange() const { return {-max, max}; }

AsymmetricBiCubicScaling::AsymmetricBiCubicScaling(double a, double max)
    : Scaling(max, 0.0), a(a > 1.0 ? 1.0 - 1.0 / a : a) {}

double AsymmetricBiCubicScaling::toValue(double x) const {
    const double zero = 1.0 - a;
    const double u = x - zero < 0.0 ? (x - zero) / zero : (x - zero) / a;
    return clampValue(max * (u * u * u));
}

double AsymmetricBiCubicScaling::toNormalized(double v) const {
    const double zero = 1.0 - a;
    const double c = std::cbrt(v / max);
    return clampUnit(c < 0.0 ? zero * c + zero : a * c + zero);
}

std::pair<double, double> AsymmetricBiCubicScaling::getRange() const { return {-max, max}; }

double IntScaling::toValue(double x) const { return clampValue(std::round(min + x * (max - min))); }

double InvScaling::toValue(double x) const { return clampValue(min + (1.0 - x) * (max - min)); }

double InvScaling::toNormalized(double v) const { return 1.0 - clampUnit((v - min) / (max - min)); }

double AbsoluteScaling::toValue(double x) const { return clampValue(std::abs(x) * (max - min) + min); }

double AbsoluteScaling::toNormalized(double v) const { return clampUnit((std::abs(v) - min) / (max - min)); }

std::unique_ptr<Scaling> makeScaling(const ParamRange& range) {
    switch (range.kind) {
    case 1:
        if (range.min < 0.0)
            return std::make_unique<BipolarScaling>(range.max, 0.0);
        return std::make_unique<Scaling>(range.max, range.min);
    case 3:
        if (range.min < 0.0)
            return std::make_unique<BiCubicScaling>(range.max, 0.0);
        return std::make_unique<CubicScaling>(range.max, range.min);
    case 10:
    case 20:
        return std::make_unique<IntScaling>(range.max, range.min);
    case -1:
        return std::make_unique<InvScaling>(range.max, range.min);
    case 113:
        return std::make_unique<AbsoluteScaling>(range.max, 0.0);
    case 1002:
        return std::make_unique<AsymmetricBiCubicScaling>(0.75, range.max);
    case 1007:
        return std::make_unique<AsymmetricBiCubicScaling>(2.0 / 3.0, range.max);
    default:
        return nullptr;
    }
}

} // namespace korvel
