#include "qt/surface/png_writer.h"

#include <QBuffer>
#include <QIODevice>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <utility>

#include <libdeflate.h>
#include <zlib.h>

#include "qt/surface/png_deflate_join.h"

namespace velmarin {

namespace {

constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr unsigned char kColourTypeTruecolour = 2;
constexpr unsigned char kColourTypePalette = 3;
constexpr unsigned char kFilterNone = 0;
constexpr unsigned char kFilterUp = 2;
// libdeflate's level 6: of the levels whose files stayed no larger than Qt's
// default ones on every chart measured, the fastest. Streamed pages are
// deflated at it too, piece by piece (libdeflate cannot stream): twice as
// fast as zlib's level 4 was, and A3 pages at 600 dpi come out 1.7-6.8 %
// smaller than Qt's files, where zlib's level 4 made sun and midnight
// sheets 2.5 % larger.
constexpr int kLevel = 6;
// A zlib header as libdeflate writes one at level 6: deflate with a 32 KiB
// window, the default compression.
constexpr unsigned char kZlibHeader[2] = {0x78, 0x9c};
// The end of a piece of a stream that another follows: a stored block
// (not final) of no bytes, after its header and the bits up to a byte
// boundary; what zlib's sync flush writes.
constexpr unsigned char kEmptyStoredBlock[4] = {0x00, 0x00, 0xff, 0xff};
constexpr std::size_t kMaxPalette = 256;

void PutBigEndian(std::string& out, std::uint32_t value) {
    const char bytes[4] = {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                           static_cast<char>(value >> 8), static_cast<char>(value)};
    out.append(bytes, 4);
}

// One chunk: length, type, data and the CRC of type and data.
void PutChunk(std::string& out, const char (&type)[5], const void* data, std::size_t size) {
    PutBigEndian(out, static_cast<std::uint32_t>(size));
    const std::size_t typeAt = out.size();
    out.append(type, 4);
    if (size > 0) out.append(static_cast<const char*>(data), size);
    const uLong crc = crc32_z(0L, reinterpret_cast<const Bytef*>(out.data() + typeAt), size + 4);
    PutBigEndian(out, static_cast<std::uint32_t>(crc));
}

// Signature, IHDR and (when the resolution is known) pHYs.
std::string FileHead(int width, int height, unsigned char colourType, int dotsPerMetreX,
                     int dotsPerMetreY) {
    std::string out(reinterpret_cast<const char*>(kSignature), sizeof kSignature);
    std::string header;
    PutBigEndian(header, static_cast<std::uint32_t>(width));
    PutBigEndian(header, static_cast<std::uint32_t>(height));
    // 8 bits a sample, deflate, adaptive filtering per row, no interlace.
    header += static_cast<char>(8);
    header += static_cast<char>(colourType);
    header.append(3, '\0');
    PutChunk(out, "IHDR", header.data(), header.size());
    if (dotsPerMetreX > 0 && dotsPerMetreY > 0) {
        std::string physical;
        PutBigEndian(physical, static_cast<std::uint32_t>(dotsPerMetreX));
        PutBigEndian(physical, static_cast<std::uint32_t>(dotsPerMetreY));
        physical += static_cast<char>(1);  // the unit is the metre
        PutChunk(out, "pHYs", physical.data(), physical.size());
    }
    return out;
}

// A residual's size as a signed byte: the usual estimate of how well a
// filtered row compresses is the sum of these.
inline unsigned Magnitude(unsigned char residual) { return residual < 128 ? residual : 256u - residual; }

// One filtered RGB row into out[0..3 * width]: the filter byte and the
// residuals of None or Up, whichever weighs less (measured on the charts:
// Sub, Average and Paeth cost more time than they save on flat areas, and
// Sub made the many-coloured twilight pages larger). `above` is the row
// before, or null for the first (zeros).
void FilterRow(const QRgb* pixels, const QRgb* above, int width, unsigned char* out) {
    unsigned long upWeight = 0, noneWeight = 0;
    unsigned char* up = out + 1;
    for (int x = 0; x < width; ++x, up += 3) {
        const QRgb pixel = pixels[x];
        const unsigned char red = static_cast<unsigned char>(qRed(pixel));
        const unsigned char green = static_cast<unsigned char>(qGreen(pixel));
        const unsigned char blue = static_cast<unsigned char>(qBlue(pixel));
        noneWeight += Magnitude(red) + Magnitude(green) + Magnitude(blue);
        // Most of a chart's pixels repeat the one above.
        const QRgb over = above != nullptr ? above[x] : 0u;
        if (((pixel ^ over) & 0xffffffu) == 0) {
            up[0] = up[1] = up[2] = 0;
            continue;
        }
        up[0] = static_cast<unsigned char>(red - qRed(over));
        up[1] = static_cast<unsigned char>(green - qGreen(over));
        up[2] = static_cast<unsigned char>(blue - qBlue(over));
        upWeight += Magnitude(up[0]) + Magnitude(up[1]) + Magnitude(up[2]);
    }
    if (upWeight <= noneWeight) {
        out[0] = kFilterUp;
        return;
    }
    out[0] = kFilterNone;
    unsigned char* rgb = out + 1;
    for (int x = 0; x < width; ++x, rgb += 3) {
        rgb[0] = static_cast<unsigned char>(qRed(pixels[x]));
        rgb[1] = static_cast<unsigned char>(qGreen(pixels[x]));
        rgb[2] = static_cast<unsigned char>(qBlue(pixels[x]));
    }
}

constexpr unsigned char kFilterSub = 1;
constexpr unsigned char kFilterPaeth = 4;

// The sum of the residual sizes of the three channels of `pixel` less `base`.
inline unsigned Weight(QRgb pixel, QRgb base) {
    return Magnitude(static_cast<unsigned char>(qRed(pixel) - qRed(base))) +
           Magnitude(static_cast<unsigned char>(qGreen(pixel) - qGreen(base))) +
           Magnitude(static_cast<unsigned char>(qBlue(pixel) - qBlue(base)));
}

// Paeth's predictor: of the samples left, above and above left, the one
// nearest to left + above - above left.
inline int PaethPredictor(int left, int above, int aboveLeft) {
    const int estimate = left + above - aboveLeft;
    const int toLeft = std::abs(estimate - left);
    const int toAbove = std::abs(estimate - above);
    const int toAboveLeft = std::abs(estimate - aboveLeft);
    if (toLeft <= toAbove && toLeft <= toAboveLeft) return left;
    return toAbove <= toAboveLeft ? above : aboveLeft;
}

// The residuals of the three channels of `pixel` under Paeth's predictor.
inline void PaethResiduals(QRgb pixel, QRgb left, QRgb above, QRgb aboveLeft, unsigned char* out) {
    out[0] = static_cast<unsigned char>(qRed(pixel) - PaethPredictor(qRed(left), qRed(above), qRed(aboveLeft)));
    out[1] = static_cast<unsigned char>(qGreen(pixel) - PaethPredictor(qGreen(left), qGreen(above), qGreen(aboveLeft)));
    out[2] = static_cast<unsigned char>(qBlue(pixel) - PaethPredictor(qBlue(left), qBlue(above), qBlue(aboveLeft)));
}

// One filtered RGB row as FilterRow, choosing among None, Sub, Up and
// Paeth by the same weight (libpng's choice, less Average, which no chart
// row measured took). For streamed pages: there it makes sun and midnight
// sheets 1-3 % smaller, which keeps them below Qt's files, for a fifth
// more time.
void FilterRowFourWays(const QRgb* pixels, const QRgb* above, int width, unsigned char* out) {
    constexpr QRgb kRgb = 0xffffffu;
    unsigned long noneWeight = 0, subWeight = 0, upWeight = 0, paethWeight = 0;
    QRgb left = 0, aboveLeft = 0;
    unsigned leftNone = 0;  // the None weight of the pixel to the left
    for (int x = 0; x < width; ++x) {
        const QRgb pixel = pixels[x] & kRgb;
        const QRgb over = above != nullptr ? above[x] & kRgb : 0u;
        if (pixel != left) {
            leftNone = Weight(pixel, 0);
            subWeight += Weight(pixel, left);
        }
        noneWeight += leftNone;
        // Most of a chart's pixels repeat the ones above and left: Up and
        // Paeth leave nothing.
        if (pixel != over || left != aboveLeft) {
            upWeight += Weight(pixel, over);
            unsigned char paeth[3];
            PaethResiduals(pixel, left, over, aboveLeft, paeth);
            paethWeight += Magnitude(paeth[0]) + Magnitude(paeth[1]) + Magnitude(paeth[2]);
        }
        left = pixel;
        aboveLeft = over;
    }
    unsigned char filter = kFilterUp;
    unsigned long least = upWeight;
    for (const auto& [candidate, weight] : {std::pair{kFilterNone, noneWeight}, std::pair{kFilterSub, subWeight},
                                            std::pair{kFilterPaeth, paethWeight}}) {
        if (weight < least) {
            filter = candidate;
            least = weight;
        }
    }
    out[0] = filter;
    unsigned char* rgb = out + 1;
    left = aboveLeft = 0;
    for (int x = 0; x < width; ++x, rgb += 3) {
        const QRgb pixel = pixels[x] & kRgb;
        const QRgb over = above != nullptr ? above[x] & kRgb : 0u;
        const QRgb base = filter == kFilterNone ? 0u : filter == kFilterSub ? left : over;
        if (pixel == base && (filter != kFilterPaeth || left == aboveLeft)) {
            rgb[0] = rgb[1] = rgb[2] = 0;
        } else if (filter == kFilterPaeth) {
            PaethResiduals(pixel, left, over, aboveLeft, rgb);
        } else {
            rgb[0] = static_cast<unsigned char>(qRed(pixel) - qRed(base));
            rgb[1] = static_cast<unsigned char>(qGreen(pixel) - qGreen(base));
            rgb[2] = static_cast<unsigned char>(qBlue(pixel) - qBlue(base));
        }
        left = pixel;
        aboveLeft = over;
    }
}

// The filtered rows of the image in one buffer: a filter byte before each row.
std::vector<unsigned char> TruecolourRows(const QImage& image) {
    const int width = image.width();
    const std::size_t stride = 1 + 3 * static_cast<std::size_t>(width);
    std::vector<unsigned char> rows(stride * static_cast<std::size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        FilterRow(reinterpret_cast<const QRgb*>(image.constScanLine(y)),
                  y == 0 ? nullptr : reinterpret_cast<const QRgb*>(image.constScanLine(y - 1)), width,
                  rows.data() + stride * static_cast<std::size_t>(y));
    }
    return rows;
}

// Colour -> palette index by open addressing; 1024 slots keep the probes short.
class PaletteIndex {
public:
    // The index of `colour`, adding it; -1 once the palette is full.
    int Find(QRgb colour) {
        if (colour == lastColour_ && lastIndex_ >= 0) return lastIndex_;
        std::size_t slot = (colour * 2654435761u) >> 22 & (kSlots - 1);
        while (slots_[slot].used) {
            if (slots_[slot].colour == colour) return Remember(colour, slots_[slot].index);
            slot = (slot + 1) & (kSlots - 1);
        }
        if (colours_.size() == kMaxPalette) return -1;
        slots_[slot] = {colour, static_cast<int>(colours_.size()), true};
        colours_.push_back(colour);
        return Remember(colour, slots_[slot].index);
    }
    const std::vector<QRgb>& Colours() const { return colours_; }

private:
    int Remember(QRgb colour, int index) {
        lastColour_ = colour;
        lastIndex_ = index;
        return index;
    }
    static constexpr std::size_t kSlots = 1024;
    struct Slot {
        QRgb colour = 0;
        int index = 0;
        bool used = false;
    };
    std::array<Slot, kSlots> slots_{};
    std::vector<QRgb> colours_;
    QRgb lastColour_ = 0;
    int lastIndex_ = -1;
};

// The rows as palette indices, or nothing when there are more than 256 colours.
bool PaletteRows(const QImage& image, std::vector<QRgb>& palette, std::vector<unsigned char>& rows) {
    PaletteIndex index;
    const int width = image.width();
    const std::size_t stride = 1 + static_cast<std::size_t>(width);
    rows.assign(stride * static_cast<std::size_t>(image.height()), 0);
    for (int y = 0; y < image.height(); ++y) {
        unsigned char* out = rows.data() + stride * static_cast<std::size_t>(y);
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        *out++ = kFilterNone;
        for (int x = 0; x < width; ++x) {
            const int i = index.Find(row[x] | 0xff000000u);
            if (i < 0) return false;
            out[x] = static_cast<unsigned char>(i);
        }
    }
    palette = index.Colours();
    return true;
}

struct CompressorFree {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

// The compressor of this thread (null when out of memory): charts drawn in
// parallel encode at once.
libdeflate_compressor* Compressor() {
    thread_local std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(
        libdeflate_alloc_compressor(kLevel));
    return compressor.get();
}

// The zlib stream of `rows`, or nothing when out of memory.
bool DeflateWhole(const std::vector<unsigned char>& rows, std::string& out) {
    libdeflate_compressor* compressor = Compressor();
    if (compressor == nullptr) return false;
    const std::size_t bound = libdeflate_zlib_compress_bound(compressor, rows.size());
    out.resize(bound);
    const std::size_t size = libdeflate_zlib_compress(compressor, rows.data(), rows.size(), out.data(), bound);
    if (size == 0) return false;
    out.resize(size);
    return true;
}

// Lets the raw deflate stream in out[from..] go on into another: its final
// block made not final, and after it an empty stored block that ends at a
// byte boundary, where the next stream's first block can start. False when
// the stream is malformed.
bool Unfinish(std::string& out, std::size_t from) {
    const auto* stream = reinterpret_cast<const unsigned char*>(out.data() + from);
    const std::optional<DeflateFinalBlock> block = FindFinalBlock(stream, out.size() - from);
    if (!block) return false;
    out[from + block->headerBit / 8] &= static_cast<char>(~(1u << (block->headerBit % 8)));
    // The stored block's header is 3 zero bits (not final, stored), then
    // zero bits up to the byte boundary.
    const std::size_t end = block->endBit;
    out.resize(from + (end + 3 + 7) / 8);
    out[from + end / 8] &= static_cast<char>((1u << (end % 8)) - 1);
    out.append(reinterpret_cast<const char*>(kEmptyStoredBlock), sizeof kEmptyStoredBlock);
    return true;
}

QByteArray QtEncoded(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return {};
    return bytes;
}

QByteArray ToBytes(const std::string& file) {
    return QByteArray(file.data(), static_cast<qsizetype>(file.size()));
}

}  // namespace

std::vector<QRgb> PaletteOf(const QImage& image) {
    std::vector<QRgb> palette;
    std::vector<unsigned char> rows;
    if (image.format() != QImage::Format_RGB32 || !PaletteRows(image, palette, rows)) return {};
    return palette;
}

QByteArray EncodePng(const QImage& image) {
    if (image.isNull()) return {};
    if (image.format() != QImage::Format_RGB32) {
        if (image.hasAlphaChannel()) return QtEncoded(image);
        return EncodePng(image.convertToFormat(QImage::Format_RGB32));
    }
    std::vector<QRgb> palette;
    std::vector<unsigned char> rows;
    const bool indexed = PaletteRows(image, palette, rows);
    if (!indexed) rows = TruecolourRows(image);
    std::string file = FileHead(image.width(), image.height(),
                                indexed ? kColourTypePalette : kColourTypeTruecolour,
                                image.dotsPerMeterX(), image.dotsPerMeterY());
    if (indexed) {
        std::string entries;
        for (QRgb colour : palette) {
            entries += static_cast<char>(qRed(colour));
            entries += static_cast<char>(qGreen(colour));
            entries += static_cast<char>(qBlue(colour));
        }
        PutChunk(file, "PLTE", entries.data(), entries.size());
    }
    std::string data;
    if (!DeflateWhole(rows, data)) return {};
    PutChunk(file, "IDAT", data.data(), data.size());
    PutChunk(file, "IEND", nullptr, 0);
    return ToBytes(file);
}

PngStream::PngStream(int width, int height, int dotsPerMetreX, int dotsPerMetreY, std::size_t pieceBytes)
    : width_(width), height_(height) {
    const std::string head = FileHead(width, height, kColourTypeTruecolour, dotsPerMetreX, dotsPerMetreY);
    head_ = ToBytes(head);
    failed_ = width <= 0 || height <= 0;
    if (failed_) return;
    previous_.assign(static_cast<std::size_t>(width), 0);
    stride_ = 1 + 3 * previous_.size();
    pieceRows_ = static_cast<int>(std::clamp<std::size_t>(pieceBytes / stride_, 1, static_cast<std::size_t>(height)));
    // Not set to zeros: memory is had only where rows are written.
    const std::size_t pieceSize = stride_ * static_cast<std::size_t>(pieceRows_);
    piece_.reset(new (std::nothrow) unsigned char[pieceSize]);
    libdeflate_compressor* compressor = Compressor();
    failed_ = piece_ == nullptr || compressor == nullptr;
    if (failed_) return;
    deflatedCapacity_ = libdeflate_deflate_compress_bound(compressor, pieceSize);
    deflated_.reset(new (std::nothrow) unsigned char[deflatedCapacity_]);
    failed_ = deflated_ == nullptr;
    idat_.assign(reinterpret_cast<const char*>(kZlibHeader), sizeof kZlibHeader);
}

PngStream::~PngStream() = default;

bool PngStream::DeflatePiece(bool last) {
    const std::size_t size = stride_ * static_cast<std::size_t>(pieceFill_);
    libdeflate_compressor* compressor = Compressor();
    if (compressor == nullptr) return false;
    adler_ = libdeflate_adler32(adler_, piece_.get(), size);
    const std::size_t deflated =
        libdeflate_deflate_compress(compressor, piece_.get(), size, deflated_.get(), deflatedCapacity_);
    if (deflated == 0) return false;
    const std::size_t from = idat_.size();
    idat_.append(reinterpret_cast<const char*>(deflated_.get()), deflated);
    pieceFill_ = 0;
    return last || Unfinish(idat_, from);
}

bool PngStream::Append(const QImage& band, int rows) {
    if (failed_ || band.format() != QImage::Format_RGB32 || band.width() != width_ ||
        rows > band.height() || rowsDone_ + rows > height_) {
        failed_ = true;
        return false;
    }
    for (int y = 0; y < rows; ++y) {
        // A full piece is deflated only once a row follows: the last one
        // ends the stream.
        if (pieceFill_ == pieceRows_ && !DeflatePiece(false)) {
            failed_ = true;
            return false;
        }
        const auto* pixels = reinterpret_cast<const QRgb*>(band.constScanLine(y));
        FilterRowFourWays(pixels, rowsDone_ + y == 0 ? nullptr : previous_.data(), width_,
                  piece_.get() + stride_ * static_cast<std::size_t>(pieceFill_));
        std::memcpy(previous_.data(), pixels, previous_.size() * sizeof(QRgb));
        ++pieceFill_;
    }
    rowsDone_ += rows;
    return true;
}

QByteArray PngStream::Finish() {
    if (failed_ || rowsDone_ != height_ || !DeflatePiece(true)) return {};
    PutBigEndian(idat_, adler_);
    std::string file(head_.constData(), static_cast<std::size_t>(head_.size()));
    PutChunk(file, "IDAT", idat_.data(), idat_.size());
    PutChunk(file, "IEND", nullptr, 0);
    idat_.clear();
    idat_.shrink_to_fit();
    failed_ = true;  // the rows are gone
    return ToBytes(file);
}

}  // namespace velmarin
