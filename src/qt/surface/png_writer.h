#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

#include <zlib.h>

namespace velmarin {

// The PNG of an opaque page, written with exactly its pixels: a palette
// image when the page has at most 256 colours (the chart's few colours fit
// unless antialiased text brings more greys), else 8-bit RGB. Each RGB row
// is filtered with None or Up, whichever leaves the smaller residuals
// (palette rows are not filtered), and the whole is
// deflated at once with libdeflate's level 6, which measured faster than
// Qt's writer at its default and never larger (see bench/bench_png.cpp).
// The pHYs chunk carries the image's dots per metre, as Qt's writer does.
// Images with an alpha channel that is not opaque go through Qt's writer.
// Empty when the image is null or the encoding failed.
QByteArray EncodePng(const QImage& image);

// Up to 256 opaque colours of `image` in the order first met, or nothing
// (an empty list) when it has more.
std::vector<QRgb> PaletteOf(const QImage& image);

// A truecolour PNG written row band by row band, for pages too large to
// hold whole: rows are filtered and deflated by zlib as they come, so
// only the band and the compressed file are in memory (rows filtered as
// EncodePng's).
class PngStream {
public:
    // A page of width x height (both > 0) pixels.
    PngStream(int width, int height, int dotsPerMetreX, int dotsPerMetreY);
    ~PngStream();
    PngStream(const PngStream&) = delete;
    PngStream& operator=(const PngStream&) = delete;

    // Appends `rows` rows of `band` (RGB32, `width` wide) from its top: the
    // next rows of the page. False when the stream failed (no memory).
    bool Append(const QImage& band, int rows);
    // The whole file once every row came; empty if a row is missing or the
    // stream failed.
    QByteArray Finish();

private:
    bool Deflate(int flush);

    int width_;
    int height_;
    int rowsDone_ = 0;
    bool failed_ = false;
    z_stream zlib_{};
    std::vector<QRgb> previous_;           // the last row
    std::vector<unsigned char> row_;       // filter byte and filtered RGB
    std::string idat_;                     // the compressed image data
    QByteArray head_;                      // signature, IHDR, pHYs
};

}  // namespace velmarin
