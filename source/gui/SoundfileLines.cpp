#include "gui/SoundfileLines.h"

#include "audio/SoundPack.h"

#include <algorithm>
#include <cstdint>

namespace korvel::gui {
namespace {

using VSTGUI::CPoint;

// Leaves room above and below the loudest value; kept in single precision as the sketch always was.
constexpr float VALUE_HEADROOM = 2.1f;

// One point per column; the polyline starts at its first point, so column 0 holds a point-long piece.
VSTGUI::CDrawContext::LineList polyline(const std::vector<float>& values, double step, std::size_t columns,
                                        const VSTGUI::CRect& rect)
{
    const double mid = rect.top + rect.getHeight() / 2;
    const double scale = rect.getHeight() / double(VALUE_HEADROOM);
    VSTGUI::CDrawContext::LineList lines;
    lines.reserve(columns);
    CPoint previous;
    for (std::size_t i = 0; i < columns; ++i) {
        const auto index = static_cast<std::uint32_t>(double(i) * step);
        const double value = index < values.size() ? values[index] : 0.0;
        const CPoint point(rect.left + double(i), mid - value * scale);
        lines.emplace_back(i == 0 ? point : previous, point);
        previous = point;
    }
    return lines;
}

} // namespace

void SoundfileLines::clear()
{
    peaks.clear();
    amplitude.clear();
    noisiness.clear();
}

SoundfileLines buildSoundfileLines(const audio::SoundPack& pack, const VSTGUI::CRect& rect)
{
    const double w = rect.getWidth();
    const double h = rect.getHeight();
    const double mid = rect.top + h / 2;
    const auto pixelColumns = static_cast<std::size_t>(std::max(w, 0.0));
    SoundfileLines lines;

    const std::size_t pairs = pack.peaks().values.size();
    const double peakStep = std::max(double(pairs) / w, 1.0);
    const std::size_t columns = std::min(pairs, pixelColumns);
    lines.peaks.reserve(columns);
    for (std::size_t i = 0; i < columns; ++i) {
        // A column without data reads as (0, 0): a bar of no length, which draws nothing.
        const auto [lo, hi] = pack.peaks().get(static_cast<std::uint32_t>(double(i) * peakStep), float(peakStep));
        const double x = rect.left + double(i);
        lines.peaks.emplace_back(CPoint(x, mid - lo * h / 2), CPoint(x, mid - hi * h / 2));
    }

    const auto& amplitude = pack.amplitude().values;
    lines.amplitude = polyline(amplitude, std::max(double(amplitude.size()) / w, 1.0),
                               std::min(amplitude.size(), pixelColumns), rect);
    const auto& noisiness = pack.noisiness().values;
    if (columns > 0)
        lines.noisiness = polyline(noisiness, double(noisiness.size()) / double(columns), columns, rect);
    return lines;
}

std::wstring fileNameOf(const std::wstring& path)
{
    const std::size_t separator = path.find_last_of(L"/\\");
    return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

} // namespace korvel::gui
