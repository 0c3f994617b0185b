// One hover readout as the view does it on a pointer move: read the pixel
// under the pointer from the back buffer, turn the position into a date,
// compute the Sun and the body, and build the text.
#include <benchmark/benchmark.h>

#include <QColor>
#include <QImage>

#include "core/app/hover_readout.h"
#include "core/app/night_readout.h"
#include "core/chart/body_catalogue.h"
#include "core/chart/chart_layout.h"
#include "core/chart/night_overlay.h"
#include "core/ephemeris/body_position.h"
#include "qt/vector_state.h"

namespace velmarin {
namespace {

Color PixelColour(const QImage& image, int x, int y) {
    const QRgb rgb = image.pixel(x, y);
    return Rgb(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

struct ReadoutScene {
    ChartLayout layout = LayoutChart(1280, 960, false, 16);
    BodyCatalogue catalogue = MakeBodyCatalogue();
    ChartSettings settings;
    QImage buffer{1280, 960, QImage::Format_RGB32};
    Point pointer;

    explicit ReadoutScene(int body) {
        SetChartYear(layout, 2024);
        buffer.fill(Qt::white);
        pointer = {(layout.plotLeft + layout.plotRight) / 2, (layout.plotTop + layout.plotBottom) / 2};
        const Color c = catalogue.entries[body].color;
        buffer.setPixel(pointer.x, pointer.y, qRgb(RedOf(c), GreenOf(c), BlueOf(c)));
    }
};

void BM_ReadoutOfBody(benchmark::State& state) {
    ReadoutScene scene(static_cast<int>(state.range(0)));
    EphemerisContext context;
    for (auto _ : state) {
        const Color pixel = PixelColour(scene.buffer, scene.pointer.x, scene.pointer.y);
        ReleaseWideVectorState();  // as the view does after reading the pixel
        ReadoutDecision decision = HoverReadout(context, pixel, scene.pointer, scene.layout,
                                                scene.catalogue, scene.settings);
        benchmark::DoNotOptimize(decision);
    }
}
BENCHMARK(BM_ReadoutOfBody)->Arg(IndexOf(BodyId::kSun))->Arg(IndexOf(BodyId::kMars))->Arg(IndexOf(BodyId::kNeptune))->Arg(IndexOf(BodyId::kMoon));

void BM_ReadoutOfMarker(benchmark::State& state) {
    ReadoutScene scene(IndexOf(BodyId::kSun));
    scene.buffer.setPixel(scene.pointer.x, scene.pointer.y, qRgb(250, 0, 0));
    EphemerisContext context;
    for (auto _ : state) {
        const Color pixel = PixelColour(scene.buffer, scene.pointer.x, scene.pointer.y);
        ReleaseWideVectorState();  // as the view does after reading the pixel
        ReadoutDecision decision = HoverReadout(context, pixel, scene.pointer, scene.layout,
                                                scene.catalogue, scene.settings);
        benchmark::DoNotOptimize(decision);
    }
}
BENCHMARK(BM_ReadoutOfMarker);

// Over the twilight chart's overlays: a planet's curve and the moonlit
// night, the day's events read from the year's (as the view does).
void BM_NightReadout(benchmark::State& state) {
    ReadoutScene scene(IndexOf(BodyId::kJupiter));
    scene.settings.displayMode = DisplayMode::Twilight;
    scene.settings.showPlanets = 1;
    scene.settings.showMoonlight = 1;
    const YearOffsets offsets = FixedZoneOffsets(2024, 1.0, true);
    const Color shown = state.range(0) == 0 ? scene.catalogue.entries[IndexOf(BodyId::kJupiter)].color : kMoonlitDarknessColor;
    scene.buffer.setPixel(scene.pointer.x, scene.pointer.y, qRgb(RedOf(shown), GreenOf(shown), BlueOf(shown)));
    // The view's year of events, computed once on the first night readout.
    YearInputs inputs;
    inputs.year = 2024;
    inputs.latitude = scene.settings.latitude;
    inputs.longitude = scene.settings.longitude;
    inputs.offsets = offsets;
    const std::vector<VisibilityDay> year = ComputeVisibilityYear(inputs);
    for (auto _ : state) {
        const Color pixel = PixelColour(scene.buffer, scene.pointer.x, scene.pointer.y);
        ReleaseWideVectorState();  // as the view does after reading the pixel
        const NightTarget target = FindNightTarget(pixel, scene.catalogue, scene.settings);
        ReadoutDecision decision =
            NightReadout(target, scene.pointer, scene.layout, scene.catalogue, scene.settings, offsets, &year);
        benchmark::DoNotOptimize(decision);
    }
}
BENCHMARK(BM_NightReadout)->ArgName("moonlight")->DenseRange(0, 1);

}  // namespace
}  // namespace velmarin

BENCHMARK_MAIN();
