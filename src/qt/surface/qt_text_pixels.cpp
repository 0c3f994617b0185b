#include "qt/surface/qt_text_pixels.h"

#include <iterator>

namespace velmarin {

namespace {

constexpr QRgb kColourBits = 0x00ffffffu;

}  // namespace

void TextPixels::Record(const QRect& box, const QImage& before, const QImage& after) {
    if (box.isEmpty() || before.size() != box.size() || after.size() != box.size()) return;
    const QImage old = before.convertToFormat(QImage::Format_RGB32);
    const QImage now = after.convertToFormat(QImage::Format_RGB32);
    // Every pixel of `changed` is written: no fill first. Without branches
    // the loop runs at the pace of its loads, whatever the glyphs look like.
    QImage changed(box.size(), QImage::Format_ARGB32);
    if (changed.isNull()) return;
    QRgb any = 0;
    for (int y = 0; y < box.height(); ++y) {
        const auto* oldLine = reinterpret_cast<const QRgb*>(old.constScanLine(y));
        const auto* nowLine = reinterpret_cast<const QRgb*>(now.constScanLine(y));
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
