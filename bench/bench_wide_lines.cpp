// Track steps as the chart draws them at 1920x1080 (3 pixels wide, about 10
// pixels along the days, a few dozen across): stroked by Qt each time, and
// copied from kept shapes. Time per line.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <random>
#include <vector>

#include "gui_benchmark_main.h"
#include "qt/surface/qt_wide_line_stamps.h"

namespace velmarin {
namespace {

struct Step {
    QPoint from, to;
};

std::vector<Step> TrackSteps() {
    std::mt19937 random(1);
    std::uniform_int_distribution<int> x(60, 1860), y(60, 1020), across(-30, 30), along(10, 11);
    std::vector<Step> steps(2000);
    for (Step& step : steps) {
        step.from = QPoint(x(random), y(random));
        step.to = step.from + QPoint(along(random), across(random));
    }
    return steps;
}

void BM_WideLineStroked(benchmark::State& state) {
    const auto steps = TrackSteps();
    QImage image(1920, 1080, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(WideLineStamps::Pen(3, qRgb(200, 0, 0)));
    std::size_t i = 0;
    for (auto _ : state) {
        const Step& step = steps[i++ % steps.size()];
        painter.drawLine(step.from, step.to);
    }
}

void BM_WideLineCopied(benchmark::State& state) {
    const auto steps = TrackSteps();
    QImage image(1920, 1080, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    WideLineStamps stamps;
    std::size_t i = 0;
    for (auto _ : state) {
        const Step& step = steps[i++ % steps.size()];
        if (!stamps.Draw(image, image.rect(), step.from, step.to, 3, qRgb(200, 0, 0))) {
            state.SkipWithError("line not copied");
            break;
        }
    }
}

BENCHMARK(BM_WideLineStroked)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_WideLineCopied)->Unit(benchmark::kNanosecond);

}  // namespace
}  // namespace velmarin

int main(int argc, char** argv) { return velmarin::RunGuiBenchmarks<QGuiApplication>(argc, argv); }
