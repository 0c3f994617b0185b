#pragma once

#include <QByteArray>
#include <QImage>
#include <functional>

#include "core/chart/surface.h"
#include "qt/surface/qt_page_memory.h"
#include "qt/surface/qt_text_advances.h"
#include "qt/surface/qt_text_glyphs.h"
#include "qt/surface/qt_wide_line_stamps.h"
#include "qt/surface/png_writer.h"

class QIODevice;
class QPageLayout;
class QPrinter;

namespace velmarin {

class TextPixels;

// Something that draws a whole page on a surface (usually a DrawChart call).
using PageDrawing = std::function<void(Surface&)>;

// A white raster page (RGB32) of width x height, drawn by `draw`. A null
// image when the size is empty or too large to allocate.
QImage DrawOnImage(int width, int height, bool printing, const PageDrawing& draw);
// What the window keeps from one drawing of its page to the next: the
// memory under the page, wide-line shapes, text widths and text shapes.
struct KeptPageState {
    PageMemory memory;
    WideLineStamps stamps;
    TextAdvances advances;
    TextGlyphs glyphs;
};

// A page drawn by a `draw` that paints every pixel itself (DrawChart clears
// the page first), so the page is not filled white beforehand. It reuses the
// pixels of `page` when that is an RGB32 image of that size that nothing else
// shares: a redraw at an unchanged size then needs no new allocation.
// `kept`, when given, lends its memory for a page of a new size and keeps
// line shapes and text widths and shapes across drawings. The result is the same page either
// way. `text`, when given, is cleared and then gets the pixels the page's
// text drew.
QImage DrawOnImage(QImage page, int width, int height, bool printing, const PageDrawing& draw,
                   KeptPageState* kept = nullptr, TextPixels* text = nullptr);

// The page as SVG or PDF of width x height units (PDF: points) written to
// `device`, which must be open for writing. False when nothing could be drawn.
// The SVG states its size in millimetres at `dotsPerInch` units per inch.
bool DrawOnSvg(QIODevice& device, int width, int height, bool printing, const PageDrawing& draw,
               int dotsPerInch = 72);
bool DrawOnPdf(QIODevice& device, int width, int height, bool printing, const PageDrawing& draw);
// A PDF page of that paper and orientation (margins ignored), drawn in device
// units of `dotsPerInch`.
bool DrawOnPdf(QIODevice& device, const QPageLayout& page, int dotsPerInch, bool printing,
               const PageDrawing& draw);

// The bytes of a whole SVG or PDF file of the page (PNG: png_writer.h),
// made in memory so that writing them out is one step that either works or
// fails with a reason. Empty when nothing could be drawn.
QByteArray DrawSvgBytes(int width, int height, bool printing, const PageDrawing& draw);
QByteArray DrawPdfBytes(int width, int height, bool printing, const PageDrawing& draw);

// One printed page: the printer's printable area in its device units, drawn
// as a print pass. False when the printer could not be started.
bool DrawOnPrinter(QPrinter& printer, const PageDrawing& draw);

}  // namespace velmarin
