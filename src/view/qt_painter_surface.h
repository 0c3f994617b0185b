#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>

#include "chart/surface.h"

namespace velmarin {

// Surface over a QPainter with the chart's drawing semantics. Raster output
// (QImage) draws without antialiasing and can read pixels back; printer, SVG
// and PDF devices draw the same primitives and cannot read back.
class QtPainterSurface : public Surface {
public:
    // image: the raster target when painting on a QImage (enables GetPixel), else nullptr.
    QtPainterSurface(QPainter& painter, int width, int height, bool printing, QImage* image);
    // (the chartframe helper completes this class)
};

// Height of "A" in the default font of a fresh screen surface.
int ScreenCharHeight();

}  // namespace velmarin
