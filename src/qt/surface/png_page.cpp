#include "qt/surface/png_page.h"

#include <sys/mman.h>
#include <unistd.h>

#include <QImage>
#include <QPainter>
#include <algorithm>

#include "qt/surface/png_writer.h"
#include "qt/surface/qt_painter_surface.h"

namespace velmarin {

namespace {

// Address space for a whole page whose memory is had only where it is
// written, and given back band by band.
class SparsePage {
public:
    explicit SparsePage(std::size_t bytes) : bytes_(bytes) {
        void* at = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        data_ = at == MAP_FAILED ? nullptr : static_cast<uchar*>(at);
    }
    ~SparsePage() {
        if (data_ != nullptr) ::munmap(data_, bytes_);
    }
    SparsePage(const SparsePage&) = delete;
    SparsePage& operator=(const SparsePage&) = delete;

    uchar* Data() const { return data_; }
    // Gives back the whole memory pages inside [from, to).
    void Release(std::size_t from, std::size_t to) const {
        static const std::size_t pageSize = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
        const std::size_t first = (from + pageSize - 1) / pageSize * pageSize;
        const std::size_t last = to / pageSize * pageSize;
        if (last > first) ::madvise(data_ + first, last - first, MADV_DONTNEED);
    }

private:
    std::size_t bytes_;
    uchar* data_ = nullptr;
};

QByteArray DrawInBands(int width, int height, bool printing, const PageDrawing& draw, int dotsPerMetreX,
                       int dotsPerMetreY, std::size_t bandBytes) {
    const qsizetype bytesPerLine = static_cast<qsizetype>(width) * 4;
    const SparsePage memory(static_cast<std::size_t>(bytesPerLine) * static_cast<std::size_t>(height));
    if (memory.Data() == nullptr) return {};
    QImage page(memory.Data(), width, height, bytesPerLine, QImage::Format_RGB32);
    if (page.isNull()) return {};
    const int bandRows = static_cast<int>(std::clamp<std::size_t>(bandBytes / static_cast<std::size_t>(bytesPerLine), 1,
                                                                  static_cast<std::size_t>(height)));
    PngStream stream(width, height, dotsPerMetreX, dotsPerMetreY);
    for (int top = 0; top < height; top += bandRows) {
        const int rows = std::min(bandRows, height - top);
        {
            QPainter painter(&page);
            QtPainterSurface surface(painter, width, height, printing, &page);
            // The chart covers every pixel it may touch, so the band needs
            // no clearing; outside the clip nothing is written.
            surface.IntersectClipRect(0, top, width, top + rows);
            draw(surface);
        }
        const QImage band(memory.Data() + top * bytesPerLine, width, rows, bytesPerLine, QImage::Format_RGB32);
        if (!stream.Append(band, rows)) return {};
        memory.Release(static_cast<std::size_t>(top * bytesPerLine),
                       static_cast<std::size_t>((top + rows) * bytesPerLine));
    }
    return stream.Finish();
}

}  // namespace

QByteArray DrawPngPage(int width, int height, bool printing, const PageDrawing& draw, int dotsPerMetre,
                       std::size_t bandBytes) {
    if (width <= 0 || height <= 0) return {};
    const std::size_t pageBytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    if (pageBytes <= bandBytes) {
        QImage image = DrawOnImage(width, height, printing, draw);
        if (image.isNull()) return {};
        if (dotsPerMetre > 0) {
            image.setDotsPerMeterX(dotsPerMetre);
            image.setDotsPerMeterY(dotsPerMetre);
        }
        return EncodePng(image);
    }
    // The resolution a whole image would have said.
    const QImage probe(1, 1, QImage::Format_RGB32);
    const int x = dotsPerMetre > 0 ? dotsPerMetre : probe.dotsPerMeterX();
    const int y = dotsPerMetre > 0 ? dotsPerMetre : probe.dotsPerMeterY();
    return DrawInBands(width, height, printing, draw, x, y, bandBytes);
}

}  // namespace velmarin
