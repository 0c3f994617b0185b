#include "qt/surface/qt_text_pixels.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
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

// One row: `changed` gets the pixel, opaque, where its colour differs from
// before and 0 where it does not. Four pixels at a time and without
// branches, whatever the glyphs look like. Gives the differences' bits.
QRgb MarkChanged(const QRgb* before, const QRgb* now, QRgb* changed, int count) {
    using Quad = std::uint32_t __attribute__((vector_size(16)));
    Quad anyQuad = {0, 0, 0, 0};
    int x = 0;
    for (; x + 4 <= count; x += 4) {
        Quad b, n;
        std::memcpy(&b, before + x, sizeof b);
        std::memcpy(&n, now + x, sizeof n);
        const Quad difference = (n ^ b) & kColourBits;
        const Quad mark = (n | 0xff000000u) & static_cast<Quad>(difference != 0);
        std::memcpy(changed + x, &mark, sizeof mark);
        anyQuad |= difference;
    }
    QRgb any = anyQuad[0] | anyQuad[1] | anyQuad[2] | anyQuad[3];
    for (; x < count; ++x) {
        const QRgb difference = (now[x] ^ before[x]) & kColourBits;
        changed[x] = difference != 0 ? now[x] | 0xff000000u : 0u;
        any |= difference;
    }
    return any;
}

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
    // Every pixel of `changed` is written: no fill first.
    QImage changed(box.size(), QImage::Format_ARGB32);
    if (changed.isNull()) return;
    QRgb any = 0;
    const int width = box.width();
    for (int y = 0; y < box.height(); ++y) {
        any |= MarkChanged(before_.data() + static_cast<std::size_t>(y) * width, source.Line(y),
                           reinterpret_cast<QRgb*>(changed.scanLine(y)), width);
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
