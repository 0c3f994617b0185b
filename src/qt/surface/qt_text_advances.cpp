#include "qt/surface/qt_text_advances.h"

#include <QString>

namespace velmarin {

int TextAdvances::Of(const Font& font, const std::string& utf8Text, const QFontMetrics& metrics) {
    // The Qt font follows from face, height and weight; the escapement turns
    // the drawing, not the glyphs.
    std::string key = font.face;
    key += '\0';
    key += std::to_string(font.height);
    key += '\0';
    key += std::to_string(font.weight);
    key += '\0';
    key += utf8Text;
    if (const auto found = advances_.find(key); found != advances_.end()) return found->second;
    if (advances_.size() >= kMaxEntries) advances_.clear();
    const int advance =
        metrics.horizontalAdvance(QString::fromUtf8(utf8Text.data(), static_cast<qsizetype>(utf8Text.size())));
    advances_.emplace(std::move(key), advance);
    return advance;
}

}  // namespace velmarin
