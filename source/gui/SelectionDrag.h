#pragma once

#include <cstdint>
#include <optional>

namespace korvel::gui {

// The playing selection of a sound as its two parameters hold it (frames); an end of 0 or less means
// the end of the sound.
struct Selection {
    double start = 0.0;
    double end = 0.0;

    // The end in frames, with "0 or less" resolved to `frames`.
    double endOr(std::int64_t frames) const { return end > 0.0 ? end : double(frames); }
};

// The parameter writes of one drag step; an empty one stays as it is.
struct SelectionWrite {
    std::optional<double> start;
    std::optional<double> end;
};

// Dragging the selection over a sketch whose columns span x from left to right: the press picks the
// edges to move, each move computes their new places. Edges never leave [0, frames] and never come
// closer than min(500, frames). GUI thread only.
class SelectionDrag {
public:
    enum Mode : std::uint32_t { NONE = 0, START = 1, END = 2, BOTH = 3 };
    static constexpr std::int64_t MIN_FRAMES = 500;

    // The press at x; with `both` the whole selection moves, otherwise the nearer edge.
    void begin(double left, double right, double x, bool both, std::int64_t frames, Selection now);
    SelectionWrite moveTo(double x, Selection now) const;
    // Puts the selection back where the press found it.
    SelectionWrite restore() const;
    void end() { *this = SelectionDrag(); }

    Mode mode() const { return dragMode; }
    bool moves(Mode edge) const { return (dragMode & edge) != 0; }
    // The frame under x, rounded to the nearest.
    std::int64_t frameAt(double x) const;

private:
    static Mode nearerEdge(double x, double startX, double endX);
    double clampToSound(double frame) const;
    std::int64_t minFrames() const;

    double left = 0.0;
    double right = 0.0;
    Mode dragMode = NONE;
    std::int64_t frames = 0;
    std::int64_t anchorFrame = 0;
    std::int64_t startAtDown = 0;
    std::int64_t endAtDown = 0;
};

} // namespace korvel::gui
