#pragma once

#include <QByteArray>
#include <QGuiApplication>
#include <functional>
#include <memory>
#include <vector>

#include "core/almanac/options.h"

namespace velmarin {

// Fonts and painters need a QGuiApplication. Without a display the offscreen
// platform serves, unless the user chose a platform.
class GuiForRendering {
public:
    GuiForRendering();
    GuiForRendering(const GuiForRendering&) = delete;
    GuiForRendering& operator=(const GuiForRendering&) = delete;

private:
    int argc_ = 1;
    char name_[9] = "velmarin";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> application_;
};

// A chart's page: its size in units of `dotsPerInch` (pixels, or points at
// 72 without paper).
struct ChartPageSize {
    int width;
    int height;
    int dotsPerInch;
};
ChartPageSize PageSizeOf(const RenderOptions& options);

// The whole file of the chart of `options` in its format, made in memory;
// empty when it could not be drawn. Safe to call on several threads at once.
QByteArray ChartBytes(const RenderOptions& options, const ChartPageSize& page, double todayJd);

// One PDF with a page per entry of `charts` (each the options of one chart:
// year, mode, place; all of the same page size), in that order. `pageDone`
// is called after each page. Empty when it could not be drawn.
QByteArray AtlasBytes(const std::vector<RenderOptions>& charts, const ChartPageSize& page, double todayJd,
                      const std::function<void()>& pageDone);

}  // namespace velmarin
