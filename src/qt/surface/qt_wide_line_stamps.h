#pragma once

#include <QImage>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace velmarin {

// Copies of the pixels Qt's raster engine sets for a wide, round-capped,
// unantialiased line.
//
// Those pixels depend on the line's vector and pen width only, not on where
// it starts: Qt strokes the line, turns the outline into fixed point and
// samples pixel centres, so a shift by whole pixels shifts the result
// exactly. A chart draws thousands of short track steps with a few hundred
// distinct vectors; stroking each one costs microseconds (most of it in the
// round caps), copying its pixels a few dozen nanoseconds.
//
// Lines whose outline would reach far past the image are left to Qt, which
// then cuts the outline itself.
// Whether pixels may be set straight into `image` as 0xffRRGGBB words: a
// 32-bit format in which that word is the opaque colour, and pixels that
// no other image shares.
bool WritableAsOpaquePixels(const QImage& image);

class WideLineStamps {
public:
    // One run of set pixels: row dy, columns [x0, x1), relative to the start.
    struct Run {
        int dy;
        int x0;
        int x1;
    };

    // Draws the line from `from` to `to` with a solid round-capped pen of
    // `width` pixels into `image`, restricted to `clip` (which must lie in
    // the image). False when the line is not one this can draw (the caller
    // then draws it with the painter); the image is untouched then.
    bool Draw(QImage& image, const QRect& clip, QPoint from, QPoint to, int width, QRgb color);

    // An image WritableAsOpaquePixels accepts and a clip, as the pixel
    // writes of many lines read them (asked of Qt once, not per line).
    struct Raster {
        uchar* bits = nullptr;
        qsizetype bytesPerLine = 0;
        int width = 0, height = 0;
        int left = 0, top = 0, right = -1, bottom = -1;  // the clip within the image, inclusive
    };
    static Raster RasterOf(QImage& image, const QRect& clip);
    // Draw onto such a raster.
    bool Draw(const Raster& raster, QPoint from, QPoint to, int width, QRgb color);

    // How many distinct shapes are kept (for tests and benchmarks).
    std::size_t ShapeCount() const { return shapes_.size(); }

    // The pen Qt strokes wide chart lines with.
    static QPen Pen(int width, QRgb color);

private:
    const std::vector<Run>& ShapeOf(int dx, int dy, int width);

    std::unordered_map<std::uint64_t, std::vector<Run>> shapes_;
    std::size_t runCount_ = 0;
};

}  // namespace velmarin
