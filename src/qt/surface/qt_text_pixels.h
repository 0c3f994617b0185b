#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <vector>

#include "core/chart/surface.h"

namespace velmarin {

// What text left on a raster page: every pixel a text drawing changed, with
// the colour it had right after. Text is antialiased, so its edges blend
// greys and tints that can equal a track's or a marker's colour; the hover
// readout recognises those by colour alone. A pixel that still shows the
// colour a text gave it is text, whatever that colour is; one that a track
// or marker painted over later is not.
class TextPixels {
public:
    void Clear() { marks_.clear(); }
    // Around one text drawing on `page`: Before keeps the pixels in box
    // (where the text may draw, inside the page), After records those the
    // text changed. The page's memory is read in place, not copied.
    void Before(const QImage& page, const QRect& box);
    void After(const QImage& page);
    // True when the page pixel at point, now showing `shown`, is one a text
    // drew and nothing has drawn over since.
    bool Shows(QPoint point, QRgb shown) const;
    bool IsEmpty() const { return marks_.empty(); }

private:
    struct Mark {
        QRect box;
        QImage after;  // ARGB32: the colour after the text, alpha 0 where it changed nothing
    };
    std::vector<Mark> marks_;
    QRect box_;                // of the text being drawn
    std::vector<QRgb> before_; // its pixels before, row after row
};

// The colour the hover readout may recognise at `point` of `page`:
// kInvalidColor outside the page and on text, else the pixel.
Color ReadableColor(const QImage& page, const TextPixels& text, QPoint point);

}  // namespace velmarin
