// The sound-file view: construction, the sketch and the play cursor.
#include "gui/SoundfileView.h"

#include "audio/LoadState.h"
#include "audio/SoundPack.h"
#include "gui/FontSet.h"
#include "synth/Synth.h"
#include "synth/ValueFormat.h"
#include "vstgui/lib/ctextfit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace korvel::gui {

using VSTGUI::CColor;
using VSTGUI::CCoord;
using VSTGUI::CDrawContext;
using VSTGUI::CFontDesc;
using VSTGUI::fitText;
using VSTGUI::CPoint;
using VSTGUI::CRect;
using VSTGUI::UTF8String;

namespace {

// The cursor's highlighted segments are stroked up to 2 px wide on either side of its line.
constexpr double CURSOR_REACH = 3.0;
// Moves longer than this invalidate the old and the new place apart rather than the span between.
constexpr double SPLIT_STRIPS = 20.0;
constexpr double MIN_CURSOR_MOVE = 0.01;

void fill(CDrawContext& context, const CRect& rect, const VSTGUI::CColor& colour)
{
    if (rect.getWidth() <= 0.0)
        return;
    context.setFillColor(colour);
    context.drawRect(rect, VSTGUI::kDrawFilled);
}

// Segments [first, last) of a set; those of no length (columns without data) are left out.
void strokeSegments(CDrawContext& context, const CDrawContext::LineList& set, std::size_t first, std::size_t last,
                    CCoord width, const VSTGUI::CColor& colour)
{
    last = std::min(last, set.size());
    if (first >= last)
        return;
    CDrawContext::LineList drawn;
    drawn.reserve(last - first);
    for (std::size_t i = first; i < last; ++i)
        if (set[i].first != set[i].second)
            drawn.push_back(set[i]);
    if (drawn.empty())
        return;
    context.setLineWidth(width);
    context.setFrameColor(colour);
    context.drawLines(drawn);
}

} // namespace

SoundfileView::SoundfileView(const CRect& size, int startParamId, int endParamId, const Colours& colours)
    : CView(size)
    , startParamId(startParamId)
    , endParamId(endParamId)
    , colours(colours)
    , guiThread(std::this_thread::get_id())
    , self(std::make_shared<SoundfileView*>(this))
{
    mask = 1;
}

SoundfileView::SoundfileView(const SoundfileView& other)
    : CView(other)
    , IDropTarget()
    , ITextSender(other)
    , veldro::ISynthParamListener(other)
    , sound(other.sound)
    , synth(other.synth)
    , startParamId(other.startParamId)
    , endParamId(other.endParamId)
    , drag(other.drag)
    , lines(other.lines)
    , colours(other.colours)
    , cursorX(other.cursorX)
    , guiThread(other.guiThread)
    , self(std::make_shared<SoundfileView*>(this))
{
}

SoundfileView::~SoundfileView() { *self = nullptr; }

VSTGUI::CView* SoundfileView::newCopy() const { return new SoundfileView(*this); }

const audio::SoundPack* SoundfileView::readySound() const
{
    return sound && sound->state() == audio::LoadState::READY && sound->frameCount() > 0 ? sound.get() : nullptr;
}

Selection SoundfileView::selection() const
{
    if (!synth)
        return {};
    const auto& params = synth->getParams();
    return {params.getParam(startParamId).second, params.getParam(endParamId).second};
}

double SoundfileView::sketchWidth() const { return std::min(getWidth(), double(lines.columns())); }

SoundfileView::ColumnRange SoundfileView::selectedColumns(const audio::SoundPack& pack) const
{
    const double frames = double(pack.frameCount());
    const double columns = double(lines.columns());
    const double width = sketchWidth();
    const Selection now = selection();
    const auto column = [&](double frame, double low) {
        const double at = width * frame / frames;
        return std::isfinite(at) ? std::trunc(std::clamp(at, low, columns)) : low;
    };
    const double first = column(now.start, 0.0);
    return {std::size_t(first), std::size_t(column(now.endOr(std::int64_t(pack.frameCount())), first))};
}

// Taken from the dirty pixels themselves (the view may be wider than the sketch), with one column of
// margin either side for the strokes' width; a polyline piece ends at its column, so one more on the right.
SoundfileView::ColumnRange SoundfileView::dirtyColumns(const CRect& dirty) const
{
    const double columns = double(lines.columns());
    const double first = std::clamp(std::floor(dirty.left - getViewSize().left) - 1.0, 0.0, columns);
    const double last = std::clamp(std::ceil(dirty.right - getViewSize().left) + 2.0, 0.0, columns);
    return {std::size_t(first), std::size_t(last)};
}

void SoundfileView::drawRect(CDrawContext* context, const CRect& dirty)
{
    if (readySound())
        drawSketch(*context, dirty);
    else
        drawHint(*context);
    context->setLineWidth(1.0);
    context->setFrameColor(colours[BORDER]);
    context->drawRect(getViewSize(), VSTGUI::kDrawStroked);
    setDirty(false);
}

void SoundfileView::drawHint(CDrawContext& context) const
{
    const CRect& r = getViewSize();
    context.setFont(fontSet().baseFont());
    context.setFontColor(colours[PEAKS_SELECTED]);
    context.drawString(fitText(context, HINT, r.getWidth() - 16), CPoint(r.left + 8, r.bottom - 8), true);
}

void SoundfileView::drawSketch(CDrawContext& context, const CRect& dirty)
{
    const audio::SoundPack& pack = *readySound();
    const CRect& r = getViewSize();
    buildLines();
    const ColumnRange selected = selectedColumns(pack);
    const ColumnRange dirtyRange = dirtyColumns(dirty);
    const double width = sketchWidth();
    if (selected.first != 0 || double(selected.last) != width) {
        if (dirtyRange.first < selected.first) {
            fill(context, CRect(r.left, r.top, r.left + double(selected.first), r.bottom), colours[BACKGROUND]);
            drawColumns(context, {dirtyRange.first, selected.first}, false);
        }
        if (selected.last < dirtyRange.last || width < r.getWidth()) {
            fill(context, CRect(r.left + double(selected.last), r.top, r.right, r.bottom), colours[BACKGROUND]);
            drawColumns(context, {selected.last, dirtyRange.last}, false);
        }
    } else {
        // Right of a short sound's sketch.
        fill(context, CRect(r.left + width, r.top, r.right, r.bottom), colours[BACKGROUND]);
    }
    fill(context, CRect(r.left + double(selected.first), r.top, r.left + double(selected.last), r.bottom),
         colours[SELECTED_BACKGROUND]);
    drawColumns(context, {std::max(selected.first, dirtyRange.first), std::min(selected.last, dirtyRange.last)},
                true);
    drawCursor(context);
    drawCaption(context);
}

void SoundfileView::drawColumns(CDrawContext& context, ColumnRange range, bool selected) const
{
    const CCoord hair = context.getHairlineSize();
    strokeSegments(context, lines.peaks, range.first, range.last, hair,
                   colours[selected ? PEAKS_SELECTED : PEAKS]);
    strokeSegments(context, lines.amplitude, range.first, range.last, 2 * hair,
                   colours[selected ? AMPLITUDE_SELECTED : AMPLITUDE]);
    strokeSegments(context, lines.noisiness, range.first, range.last, 2 * hair,
                   colours[selected ? NOISINESS_SELECTED : NOISINESS]);
}

void SoundfileView::drawCursor(CDrawContext& context) const
{
    if (cursorX <= 0.0)
        return;
    const CRect& r = getViewSize();
    const double x = std::trunc(cursorX + r.left);
    fill(context, CRect(x, r.top, x + 1, r.bottom), colours[CURSOR]);
    const CCoord hair = context.getHairlineSize();
    const double width = sketchWidth();
    const auto strokeAtCursor = [&](const CDrawContext::LineList& set, CCoord lineWidth, ColourRole role) {
        if (set.empty())
            return;
        const auto index = std::min(std::size_t(double(set.size()) * cursorX / width), set.size() - 1);
        strokeSegments(context, set, index, index + 1, lineWidth, colours[role]);
    };
    strokeAtCursor(lines.peaks, hair, PEAKS_AT_CURSOR);
    strokeAtCursor(lines.amplitude, 4 * hair, AMPLITUDE_AT_CURSOR);
    strokeAtCursor(lines.noisiness, 4 * hair, NOISINESS_AT_CURSOR);
}

std::string SoundfileView::captionText() const
{
    const audio::SoundPack* pack = readySound();
    const double width = sketchWidth();
    if (!pack || pack->format().sampleRate == 0 || width <= 0.0)
        return {};
    const double rate = pack->format().sampleRate;
    const double frames = double(pack->frameCount());
    const ColumnRange selected = selectedColumns(*pack);
    const double secondsPerColumn = frames / (rate * width);
    char duration[64];
    veldro::formatTime(duration, frames / rate * 1000.0, 0.0);
    char rest[96];
    std::snprintf(rest, sizeof rest, " %.1f kHz [sel %.2f - %.2f]", rate * 0.001,
                  double(selected.first) * secondsPerColumn, double(selected.last) * secondsPerColumn);
    return std::string(duration) + rest;
}

void SoundfileView::drawCaption(CDrawContext& context) const
{
    constexpr CCoord inset = 4;
    const CRect& r = getViewSize();
    CFontDesc* font = fontSet().smallerFont(1);
    context.setFont(font);
    const UTF8String caption = fitText(context, captionText(), r.getWidth() - 2 * inset);
    if (caption.empty())
        return;
    // The caption shares its colour with the selected peaks: a backing keeps it readable over a loud sound.
    const CCoord baseline = r.bottom - inset;
    const CCoord size = font->getSize();
    CColor backing = colours[BACKGROUND];
    backing.alpha = 220;
    fill(context,
         CRect(r.left + inset / 2, baseline - size, r.left + inset * 1.5 + context.getStringWidth(caption),
               std::min(baseline + 0.35 * size, r.bottom - 1)),
         backing);
    context.setFontColor(colours[PEAKS_SELECTED]);
    context.drawString(caption, CPoint(r.left + inset, baseline), true);
}

void SoundfileView::buildLines()
{
    if (lines.empty())
        if (const audio::SoundPack* pack = readySound())
            lines = buildSoundfileLines(*pack, getViewSize());
}

void SoundfileView::setPlayPosition(double frames)
{
    const audio::SoundPack* pack = readySound();
    if (!pack || !std::isfinite(frames))
        return;
    buildLines();
    const double width = sketchWidth();
    const double x = std::clamp(width * frames / double(pack->frameCount()), 0.0, width);
    if (std::abs(x - cursorX) <= MIN_CURSOR_MOVE)
        return;
    const double old = cursorX;
    cursorX = x;
    if (std::abs(std::trunc(x) - std::trunc(old)) >= SPLIT_STRIPS) {
        invalidateColumns(old, old);
        invalidateColumns(x, x);
    } else {
        invalidateColumns(std::min(old, x), std::max(old, x));
    }
}

// The cursor lines at `from` and `to` and all between, with the reach of their highlighted segments.
void SoundfileView::invalidateColumns(double from, double to)
{
    const CRect& r = getViewSize();
    invalidRect(CRect(std::trunc(r.left + from) - CURSOR_REACH, r.top, std::trunc(r.left + to) + 1 + CURSOR_REACH,
                      r.bottom));
}

} // namespace korvel::gui
