#pragma once

#include <QByteArray>
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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

// Filtered rows deflated at a time by PngStream: large pieces keep the
// file small (each piece starts without the data before it: 16 MiB ones
// cost 0.1 % on A3 pages at 600 dpi, 1 MiB ones 1 %).
inline constexpr std::size_t kPngPieceBytes = 16u << 20;

// A truecolour PNG written row band by row band, for pages too large to
// hold whole (rows filtered as EncodePng's). Rows are gathered in pieces
// of about `pieceBytes` filtered bytes, and each piece is deflated by
// libdeflate into raw deflate, its final block made to go on into the
// next piece's, so that the pieces make one zlib stream: only a piece,
// the band and the compressed file are in memory.
class PngStream {
public:
    // A page of width x height (both > 0) pixels.
    PngStream(int width, int height, int dotsPerMetreX, int dotsPerMetreY, std::size_t pieceBytes = kPngPieceBytes);
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
    bool DeflatePiece(bool last);

    int width_;
    int height_;
    int rowsDone_ = 0;
    bool failed_ = false;
    std::size_t stride_ = 0;                      // a filtered row: filter byte and RGB
    int pieceRows_ = 0;
    int pieceFill_ = 0;                           // rows in the piece
    std::unique_ptr<unsigned char[]> piece_;      // filtered rows not yet deflated
    std::unique_ptr<unsigned char[]> deflated_;   // room for a piece deflated
    std::size_t deflatedCapacity_ = 0;
    std::uint32_t adler_ = 1;                     // Adler-32 of the rows so far
    std::vector<QRgb> previous_;                  // the last row
    std::string idat_;                            // the zlib stream so far
    QByteArray head_;                             // signature, IHDR, pHYs
};

}  // namespace velmarin
