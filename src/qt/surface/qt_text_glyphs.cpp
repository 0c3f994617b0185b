#include "qt/surface/qt_text_glyphs.h"

#include <QPointF>
#include <QString>
#include <QTextLayout>
#include <algorithm>

namespace velmarin {

std::string TextKey(const Font& font, const std::string& utf8Text) {
    std::string key = font.face;
    key += '\0';
    key += std::to_string(font.height);
    key += '\0';
    key += std::to_string(font.weight);
    key += '\0';
    key += utf8Text;
    return key;
}

const QList<QGlyphRun>& TextGlyphs::Of(const Font& font, const std::string& utf8Text, const QFont& qfont) {
    std::string key = TextKey(font, utf8Text);
    if (const auto found = glyphs_.find(key); found != glyphs_.end()) return found->second;
    if (glyphs_.size() >= kMaxEntries) glyphs_.clear();
    QList<QGlyphRun> runs;
    // A line break or tab would end or move the line: such text is left to drawText.
    const bool plain = std::none_of(utf8Text.begin(), utf8Text.end(),
                                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
    if (plain) {
        QTextLayout layout(QString::fromUtf8(utf8Text.data(), static_cast<qsizetype>(utf8Text.size())), qfont);
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        runs = layout.glyphRuns();
        // The layout puts the baseline at the line's ascent; from the baseline
        // instead, so that the runs are drawn where drawText puts its text.
        const qreal baseline = line.ascent();
        for (QGlyphRun& run : runs) {
            QList<QPointF> positions = run.positions();
            for (QPointF& position : positions) position.ry() -= baseline;
            run.setPositions(positions);
        }
    }
    return glyphs_.emplace(std::move(key), std::move(runs)).first->second;
}

}  // namespace velmarin
