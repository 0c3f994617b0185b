#pragma once

#include <QFontMetrics>
#include <cstddef>
#include <string>
#include <unordered_map>

#include "core/chart/surface.h"

namespace velmarin {

// How wide the chart's texts are, kept from one drawing of the page to the
// next. A redraw measures the same labels in the same fonts again, and Qt
// shapes a text anew at every measurement. The width depends only on the
// font request and the text (sizes are in device pixels).
class TextAdvances {
public:
    // The advance of utf8Text in `font`, measured with `metrics` (the
    // metrics of that font on the page) the first time it is asked for.
    int Of(const Font& font, const std::string& utf8Text, const QFontMetrics& metrics);

private:
    // Beyond this many texts the table starts again: a chart has a few
    // hundred, and a table that only grew would hold every size ever drawn.
    static constexpr std::size_t kMaxEntries = 4096;
    std::unordered_map<std::string, int> advances_;
};

}  // namespace velmarin
