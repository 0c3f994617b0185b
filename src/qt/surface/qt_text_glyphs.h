#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <cstddef>
#include <string>
#include <unordered_map>

#include "core/chart/surface.h"

namespace velmarin {

// The chart's texts as Qt shapes them, kept from one drawing of the page to
// the next: a redraw sets the same labels in the same fonts again, and
// shaping is most of what drawing a short text costs. Drawing the kept
// glyphs gives the pixels QPainter::drawText gives for that text.
class TextGlyphs {
public:
    // The glyphs of utf8Text set on one line in `qfont` (the Qt font of
    // `font`), positioned from the start of its baseline. Empty for text
    // that one line does not set as drawText does (control characters).
    const QList<QGlyphRun>& Of(const Font& font, const std::string& utf8Text, const QFont& qfont);

private:
    // Beyond this many texts the table starts again (as the widths' table).
    static constexpr std::size_t kMaxEntries = 4096;
    std::unordered_map<std::string, QList<QGlyphRun>> glyphs_;
};

// The key of a text in a font: face, height and weight decide the Qt font;
// the escapement turns the drawing, not the glyphs.
std::string TextKey(const Font& font, const std::string& utf8Text);

}  // namespace velmarin
