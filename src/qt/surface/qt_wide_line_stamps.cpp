#include "qt/surface/qt_wide_line_stamps.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace velmarin {

namespace {

// Vectors and widths beyond these go to Qt: their scratch image would cost
// more than stroking them once.
constexpr int kMaxStep = 256;
constexpr int kMaxWidth = 128;

// Qt cuts an outline to the image itself once it reaches this far outside
// (its outline mapper's margin is 64 pixels); such lines are left to Qt.
constexpr int kOutsideReach = 48;

// Kept shapes are dropped all at once past this many runs (about 12 MB).
constexpr std::size_t kMaxRuns = std::size_t{1} << 20;

std::uint64_t KeyOf(int dx, int dy, int width) {
    return (static_cast<std::uint64_t>(static_cast<std::uint16_t>(dx)) << 32) |
           (static_cast<std::uint64_t>(static_cast<std::uint16_t>(dy)) << 16) |
           static_cast<std::uint64_t>(static_cast<std::uint16_t>(width));
}

}  // namespace

bool WritableAsOpaquePixels(const QImage& image) {
    const QImage::Format format = image.format();
    const bool opaque32 = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
                          format == QImage::Format_ARGB32_Premultiplied;
    // Shared pixels would be changed under their other owners' feet.
    return opaque32 && image.isDetached();
}

QPen WideLineStamps::Pen(int width, QRgb color) {
    QPen pen{QColor(color)};
    pen.setStyle(Qt::SolidLine);
    pen.setWidth(width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

const std::vector<WideLineStamps::Run>& WideLineStamps::ShapeOf(int dx, int dy, int width) {
    const std::uint64_t key = KeyOf(dx, dy, width);
    if (const auto found = shapes_.find(key); found != shapes_.end()) return found->second;

    // Stroke the line once on a blank scratch image, far enough from its
    // edges that Qt never cuts the outline, and read back the set pixels.
    const int pad = width / 2 + 4;
    const QPoint start(pad + std::max(0, -dx), pad + std::max(0, -dy));
    QImage scratch(std::abs(dx) + 2 * pad + 1, std::abs(dy) + 2 * pad + 1, QImage::Format_RGB32);
    scratch.fill(Qt::black);
    {
        QPainter painter(&scratch);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Pen(width, qRgb(255, 255, 255)));
        painter.setBrush(Qt::NoBrush);
        painter.drawLine(start, start + QPoint(dx, dy));
    }
    std::vector<Run> runs;
    for (int y = 0; y < scratch.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        int x = 0;
        while (x < scratch.width()) {
            if (qRed(row[x]) == 0) {
                ++x;
                continue;
            }
            const int begin = x;
            while (x < scratch.width() && qRed(row[x]) != 0) ++x;
            runs.push_back(Run{y - start.y(), begin - start.x(), x - start.x()});
        }
    }
    if (runCount_ + runs.size() > kMaxRuns) {
        shapes_.clear();
        runCount_ = 0;
    }
    runCount_ += runs.size();
    return shapes_.emplace(key, std::move(runs)).first->second;
}

WideLineStamps::Raster WideLineStamps::RasterOf(QImage& image, const QRect& clip) {
    Raster raster;
    raster.bits = image.bits();
    raster.bytesPerLine = image.bytesPerLine();
    raster.width = image.width();
    raster.height = image.height();
    raster.left = std::max(clip.left(), 0);
    raster.right = std::min(clip.right(), raster.width - 1);
    raster.top = std::max(clip.top(), 0);
    raster.bottom = std::min(clip.bottom(), raster.height - 1);
    return raster;
}

bool WideLineStamps::Draw(QImage& image, const QRect& clip, QPoint from, QPoint to, int width,
                          QRgb color) {
    if (!WritableAsOpaquePixels(image)) return false;
    return Draw(RasterOf(image, clip), from, to, width, color);
}

bool WideLineStamps::Draw(const Raster& raster, QPoint from, QPoint to, int width, QRgb color) {
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    if (width < 2 || width > kMaxWidth || std::abs(dx) > kMaxStep || std::abs(dy) > kMaxStep) return false;
    // Plain integer bounds: QRect's helpers are calls into Qt, per line.
    const int reach = width / 2 + 2;
    const int outlineLeft = std::min(from.x(), to.x()) - reach, outlineRight = std::max(from.x(), to.x()) + reach;
    const int outlineTop = std::min(from.y(), to.y()) - reach, outlineBottom = std::max(from.y(), to.y()) + reach;
    if (outlineLeft < -kOutsideReach || outlineTop < -kOutsideReach ||
        outlineRight > raster.width - 1 + kOutsideReach || outlineBottom > raster.height - 1 + kOutsideReach) {
        return false;
    }
    // The clip's bounds are inclusive (empty when left > right or top > bottom).
    const int left = raster.left, right = raster.right, top = raster.top, bottom = raster.bottom;
    const QRgb pixel = 0xff000000u | color;
    uchar* const bits = raster.bits;
    const qsizetype bytesPerLine = raster.bytesPerLine;
    for (const Run& run : ShapeOf(dx, dy, width)) {
        const int y = from.y() + run.dy;
        if (y < top || y > bottom) continue;
        const int x0 = std::max(from.x() + run.x0, left);
        const int x1 = std::min(from.x() + run.x1, right + 1);
        if (x0 >= x1) continue;
        auto* row = reinterpret_cast<QRgb*>(bits + y * bytesPerLine);
        std::fill(row + x0, row + x1, pixel);
    }
    return true;
}

}  // namespace velmarin
