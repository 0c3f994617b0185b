#include "qt/surface/qt_text_pixels.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace velmarin {

namespace {

constexpr QRgb kColourBits = 0x00ffffffu;

// The pixels of a box of the page as 32-bit words whose low 24 bits are
// the colour: read in place on the raster formats the chart draws on (no
// shallow copy either: the page's painter may write it again), through a
// converted copy on any other.
class Pixels {
public:
    Pixels(const QImage& page, const QRect& box) {
        switch (page.format()) {
            case QImage::Format_RGB32:
            case QImage::Format_ARGB32:
            case QImage::Format_ARGB32_Premultiplied:
                image_ = &page;
                origin_ = box.topLeft();
                break;
            default:
                converted_ = page.copy(box).convertToFormat(QImage::Format_RGB32);
                image_ = &converted_;
        }
    }
    const QRgb* Line(int y) const {
        return reinterpret_cast<const QRgb*>(image_->constScanLine(origin_.y() + y)) + origin_.x();
    }

private:
    const QImage* image_ = nullptr;
    QImage converted_;
    QPoint origin_;
};

}  // namespace

void TextPixels::Before(const QImage& page, const QRect& box) {
    box_ = box.intersected(page.rect());
    before_.resize(static_cast<std::size_t>(box_.width()) * box_.height());
    if (box_.isEmpty()) return;
    const Pixels source(page, box_);
    for (int y = 0; y < box_.height(); ++y) {
        std::copy_n(source.Line(y), box_.width(), before_.data() + static_cast<std::size_t>(y) * box_.width());
    }
}

void TextPixels::After(const QImage& page) {
    const QRect box = std::exchange(box_, QRect());
    if (box.isEmpty() || !page.rect().contains(box)) return;
    const Pixels source(page, box);
    // Every pixel of `changed` is written: no fill first. Without branches
    // the loop runs at the pace of its loads, whatever the glyphs look like.
    QImage changed(box.size(), QImage::Format_ARGB32);
    if (changed.isNull()) return;
    QRgb any = 0;
    for (int y = 0; y < box.height(); ++y) {
        const QRgb* oldLine = before_.data() + static_cast<std::size_t>(y) * box.width();
        const auto* nowLine = source.Line(y);
        auto* changedLine = reinterpret_cast<QRgb*>(changed.scanLine(y));
        for (int x = 0; x < box.width(); ++x) {
            const QRgb difference = (nowLine[x] ^ oldLine[x]) & kColourBits;
            changedLine[x] = difference != 0 ? nowLine[x] | 0xff000000u : 0u;
            any |= difference;
        }
    }
    if (any != 0) marks_.push_back(Mark{box, std::move(changed)});
}

bool TextPixels::Shows(QPoint point, QRgb shown) const {
    // The latest text that changed the pixel tells what text left there.
    for (auto mark = marks_.rbegin(); mark != marks_.rend(); ++mark) {
        if (!mark->box.contains(point)) continue;
        const QRgb after = mark->after.pixel(point - mark->box.topLeft());
        if (qAlpha(after) == 0) continue;
        return (after & kColourBits) == (shown & kColourBits);
    }
    return false;
}

Color ReadableColor(const QImage& page, const TextPixels& text, QPoint point) {
    if (!page.valid(point)) return kInvalidColor;
    const QRgb pixel = page.pixel(point);
    if (text.Shows(point, pixel)) return kInvalidColor;
    return Rgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

}  // namespace velmarin
