#pragma once

#include <QByteArray>
#include <cstddef>

#include "qt/surface/qt_chart_output.h"

namespace velmarin {

// Pages of more pixel bytes (RGB32) than this are drawn in row bands.
inline constexpr std::size_t kPngBandBytes = 48u << 20;

// The PNG file of a raster page of width x height drawn by `draw`, with
// `dotsPerMetre` in its pHYs chunk (0: the image's default). A page of up
// to `bandBytes` is drawn whole and written by EncodePng (a palette where
// the colours fit). A larger one is drawn again for each band of rows that
// fits in `bandBytes`, clipped to the band, over address space that only
// the band occupies in memory, and written as a stream (truecolour): the
// pixels are those of the whole page, and memory stays near `bandBytes`
// whatever the page's size. Empty when the page could not be drawn.
QByteArray DrawPngPage(int width, int height, bool printing, const PageDrawing& draw, int dotsPerMetre,
                       std::size_t bandBytes = kPngBandBytes);

}  // namespace velmarin
