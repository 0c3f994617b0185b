#pragma once

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "core/chart/draw_chart.h"
#include "qt/surface/qt_painter_surface.h"
#include "qt/surface/qt_text_advances.h"
#include "qt/surface/qt_text_glyphs.h"
#include "qt/surface/qt_wide_line_stamps.h"

namespace velmarin {

// A 1920x1080 raster page drawn as the window draws its chart, keeping the
// wide-line shapes and text widths and shapes from one pass to the next as the
// window does.
struct ChartPage {
    static constexpr int kWidth = 1920;
    static constexpr int kHeight = 1080;
    QImage image{kWidth, kHeight, QImage::Format_RGB32};
    int charHeight = ScreenCharHeight();
    WideLineStamps stamps;
    TextAdvances advances;
    TextGlyphs glyphs;

    void Draw(int year, const ChartSettings& settings, ChartViewState& state) {
        QPainter painter(&image);
        QtPainterSurface surface(painter, kWidth, kHeight, false, &image, &stamps, nullptr, &advances, &glyphs);
        DrawChart(surface, charHeight, year, 2460676.5, settings, state);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
};

}  // namespace velmarin
