#include "qt/surface/qt_text_advances.h"

#include <QString>

#include "qt/surface/qt_text_glyphs.h"

namespace velmarin {

int TextAdvances::Of(const Font& font, const std::string& utf8Text, const QFontMetrics& metrics) {
    std::string key = TextKey(font, utf8Text);
    if (const auto found = advances_.find(key); found != advances_.end()) return found->second;
    if (advances_.size() >= kMaxEntries) advances_.clear();
    const int advance =
        metrics.horizontalAdvance(QString::fromUtf8(utf8Text.data(), static_cast<qsizetype>(utf8Text.size())));
    advances_.emplace(std::move(key), advance);
    return advance;
}

}  // namespace velmarin
