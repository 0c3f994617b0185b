// The hover readout of the view: what lies under the pointer, shown in the
// colour tooltip. It reads the back buffer the user sees and never redraws
// the chart.
#include <QCursor>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>

#include "core/app/target_night_readout.h"
#include "core/chart/chart_sky.h"
#include "core/chart/target_curves_setting.h"
#include "core/chart/target_tracks.h"
#include "core/app/target_readout.h"
#include "core/app/hover_readout.h"
#include "core/app/night_readout.h"
#include "core/chart/chart_clock.h"
#include "qt/vector_state.h"
#include "qt/window/CVelmarinView.h"
#include "qt/window/C_ColorToolTip.h"

namespace velmarin {

namespace {

// A coordinate scaled to whole pixels, kept in int range for any input. A
// pointer on native pixel N arrives as N / ratio, which scales back to just
// below N at fractional ratios; the small allowance keeps it on N.
int BufferPixel(qreal logical, qreal ratio) {
    const double pixel = std::floor(static_cast<double>(logical) * ratio + 1e-3);
    if (!(pixel > -1e9)) return -1;  // also NaN
    return static_cast<int>(std::min(pixel, 1e9));
}

}  // namespace

void CVelmarinView::mouseMoveEvent(QMouseEvent* event) {
    ShowReadout(event->position(), event->globalPosition());
    QWidget::mouseMoveEvent(event);
}

void CVelmarinView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) HideReadout();
    QWidget::mousePressEvent(event);
}

void CVelmarinView::leaveEvent(QEvent* event) {
    // Leaving the window leaves the plot, even when no move inside the
    // border reported it on the way out. A pointer that went onto the
    // readout's own tooltip has not left: the tooltip hands its moves back.
    const QPoint pointer = QCursor::pos();
    const bool ontoTooltip = toolTip_ && toolTip_->isVisible() && toolTip_->geometry().contains(pointer) &&
                             rect().contains(mapFromGlobal(pointer));
    if (!ontoTooltip) HideReadout();
    QWidget::leaveEvent(event);
}

void CVelmarinView::HideReadout() {
    if (toolTip_) toolTip_->Hide();
}

std::optional<ReadoutDecision> CVelmarinView::TargetCurveReadout(Color pixel, Point point) {
    const ChartSettings& chart = settings();
    if (!state_.targets || EffectiveDisplayMode(chart.displayMode) != DisplayMode::Twilight ||
        !ShowsTargetCurves(chart))
        return std::nullopt;
    // Only a target's colour can be its curve: the year's events are not
    // asked for over anything else.
    bool targetColour = false;
    for (std::size_t k = 0; k < state_.targets->size() && !targetColour; ++k)
        targetColour = TargetColor(static_cast<int>(k)) == pixel;
    if (!targetColour) return std::nullopt;
    const YearInputs inputs = YearInputsOf(year_, chart, state_.zones.get());
    return TargetNightReadout(*state_.targets, pixel, point, chartLayout(), chart, state_.sky.Visibility(inputs),
                              chart.showMoonlight != 0);
}

void CVelmarinView::ShowReadout(QPointF position, QPointF globalPosition) {
    const QImage& buffer = backBuffer();
    if (buffer.isNull()) return;  // nothing drawn yet
    const qreal ratio = buffer.devicePixelRatio();
    const Point point{BufferPixel(position.x(), ratio), BufferPixel(position.y(), ratio)};
    // Smoothed text blends colours a track or marker may have: a pixel
    // that text drew tells nothing about what lies beneath.
    const Color pixel = ReadableColor(buffer, textPixels(), QPoint(point.x, point.y));
    // The readout's arithmetic after Qt's event handling: see vector_state.h.
    ReleaseWideVectorState();
    // A context of its own, so the readout leaves the chart's sky values alone.
    EphemerisContext context;
    const ChartSettings& chart = settings();
    const bool overlays = chart.showPlanets != 0 || chart.showMoonlight != 0;
    ReadoutDecision decision;
    if (pixel == kInvalidColor && InsideReadoutArea(chartLayout(), point)) {
        // Text covers whatever lies beneath: the readout stays as it was.
        decision = {ReadoutDecision::Action::Keep, {}};
    } else if (const std::optional<ReadoutDecision> onCurve = TargetCurveReadout(pixel, point)) {
        decision = *onCurve;
    } else if (EffectiveDisplayMode(chart.displayMode) == DisplayMode::Twilight) {
        // An overlay's curve first, else the band of the shading.
        const NightTarget target = overlays ? FindNightTarget(pixel, catalogue(), chart) : NightTarget{};
        const int band = target.kind == NightTarget::Kind::None ? TwilightBandOfColour(pixel) : -1;
        const bool named = target.kind != NightTarget::Kind::None || band >= 0;
        // The year's civil offsets only when there is something to date.
        const YearOffsets offsets = named ? ChartYearOffsets(year_, chart, state_.zones.get()) : YearOffsets{};
        const std::vector<VisibilityDay>* year = nullptr;
        if (named) {
            // The year's events, computed on the first readout after a new
            // year or place and read from then on.
            YearInputs inputs;
            inputs.year = year_;
            inputs.latitude = chart.latitude;
            inputs.longitude = chart.longitude;
            inputs.offsets = offsets;
            year = &state_.sky.Visibility(inputs);
        }
        decision = band >= 0 ? BandReadout(band, point, chartLayout(), chart, offsets, year)
                             : NightReadout(target, point, chartLayout(), catalogue(), chart, offsets, year);
    } else {
        // A target's line first: its colours are none of the bodies'.
        const std::optional<ReadoutDecision> onTarget =
            state_.targets ? TargetReadout(*state_.targets, pixel, point, chartLayout(),
                                           EffectiveDisplayMode(chart.displayMode))
                           : std::nullopt;
        decision = onTarget ? *onTarget : HoverReadout(context, pixel, point, chartLayout(), catalogue(), chart);
    }
    switch (decision.action) {
    case ReadoutDecision::Action::Hide:
        HideReadout();
        break;
    case ReadoutDecision::Action::Keep:
        break;
    case ReadoutDecision::Action::Show:
        if (!toolTip_) toolTip_ = new C_ColorToolTip(this);
        toolTip_->ShowText(BufferPixel(globalPosition.x(), 1.0),
                           BufferPixel(globalPosition.y(), 1.0),
                           QString::fromStdString(decision.text));
        break;
    }
}

}  // namespace velmarin
