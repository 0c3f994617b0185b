#include "core/chart/draw_chart.h"

#include "core/chart/chart_sky.h"
#include "core/chart/frame_layers.h"
#include "core/chart/layers.h"
#include "core/chart/night_overlay.h"
#include "core/chart/target_curves_setting.h"
#include "core/chart/target_tracks.h"

namespace velmarin {

namespace {

constexpr Color kBlack = Rgb(0, 0, 0);
constexpr Color kWhite = Rgb(255, 255, 255);

}  // namespace

void DrawChart(Surface& dc, int charHeight, int year, double todayJd,
               const ChartSettings& settings, ChartViewState& state) {
    const bool printing = dc.IsPrinting();
    // Pens are made for the output they draw on: again for paper, and again
    // for the screen after paper.
    if (printing) state.catalogue.pensMade = false;

    state.layout = LayoutChart(dc.Width(), dc.Height(), printing, charHeight);
    state.layout.printDotsPerInch = printing ? state.printDotsPerInch : 0;
    const ChartLayout& layout = state.layout;
    if (!state.catalogue.pensMade) MakeBodyPens(state.catalogue, layout);
    state.fonts = MakeChartFonts(layout);
    SetChartYear(state.layout, year);

    const DisplayMode mode = EffectiveDisplayMode(settings.displayMode);
    const Pen keptPen = dc.SelectPen(state.catalogue.bodyPens[0]);
    ChartPass pass{dc,   layout, settings, state.catalogue, state.fonts, state.ephemeris,
                   year, mode,   todayJd,  keptPen, state.footerText, state.zones.get()};
    const Pen blackPen{kBlack, 1};
    const Pen whitePen{kWhite, 1};

    dc.SetBackgroundMode(BackgroundMode::Opaque);
    dc.SetBackgroundColor(kWhite);
    dc.SetTextColor(kBlack);

    // Clear the page, then everything around the plot.
    dc.SelectPen(whitePen);
    const Brush previousBrush = dc.SelectBrush(Brush{kWhite, false});
    dc.Rectangle(0, 0, layout.pageWidth, layout.pageHeight);
    DrawTitle(pass);
    dc.SelectPen(blackPen);
    dc.Rectangle(layout.plotLeft, layout.plotTop, layout.plotRight, layout.plotBottom);
    DrawDayAxis(pass);
    DrawTimeAxis(pass);
    DrawCaptions(pass, state.legend, state.colorReadBack);
    if (printing) DrawFooter(pass, state.legend);

    // Every plot layer stays strictly inside the frame.
    dc.IntersectClipRect(layout.plotLeft + 1, layout.plotTop + 1, layout.plotRight - 1,
                         layout.plotBottom - 1);
    const YearSky sky = ChartYearSky(state.sky, year, mode, settings, state.zones.get());
    if (mode == DisplayMode::Twilight) {
        NightTargets targets;
        if (state.targets && ShowsTargetCurves(settings)) {
            targets.passes = &state.targetPasses.Passes(sky.inputs, state.targets);
            targets.targets = state.targets.get();
        }
        DrawTwilightChart(pass, sky, targets);
    }
    if (!printing && settings.showDayLine) DrawDayLine(pass);
    if (settings.showGrid) DrawGrid(pass);
    if (mode == DisplayMode::Normal) DrawEcliptic(pass);
    // Below the bodies, so a planet's track stays whole where it crosses a target's line.
    if (mode != DisplayMode::Twilight && state.targets) DrawTargetTracks(pass, *state.targets);
    dc.SelectPen(state.catalogue.bodyPens[0]);
    if (mode != DisplayMode::Twilight) {
        DrawBodyTracks(pass, sky);
        if (settings.showMoon) DrawMoonPhases(pass, sky);
    }

    dc.SelectPen(keptPen);
    dc.SelectBrush(previousBrush);
    if (printing) state.catalogue.pensMade = false;
}

}  // namespace velmarin
