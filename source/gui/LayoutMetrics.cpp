#include "gui/LayoutMetrics.h"

#include "vstgui/lib/cfont.h"

#include <cmath>

namespace korvel::gui {
namespace {

struct Metrics {
    double U;
    double S;
};

Metrics measure()
{
    const double U = VSTGUI::kSystemFont->getSize();
    return {U, std::trunc(0.7 * U)};
}

Metrics& metrics()
{
    static Metrics current = measure();
    return current;
}

} // namespace

void updateLayoutMetrics() { metrics() = measure(); }
double layoutU() { return metrics().U; }
double layoutS() { return metrics().S; }

VSTGUI::CCoord u(double k) { return std::trunc(k * metrics().U / 8); }
VSTGUI::CCoord s(double k) { return std::trunc(k * metrics().S / 4); }

} // namespace korvel::gui
