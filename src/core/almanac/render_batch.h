#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/chart/chart_settings.h"
#include "core/chart/shown_bodies.h"
#include "core/text/expected.h"

namespace velmarin {

// Most charts one `render` writes.
inline constexpr std::size_t kMaxBatchCharts = 100000;

// --years A..B (both included, A <= B) or a list "2026,2030" (or one year):
// the years in the order given, each within the accepted years, none twice.
// Errors are one line after "render: --years: ".
Expected<std::vector<int>> ParseYearList(std::string_view text);

// --modes normal,sun,midnight,twilight: modes in the order given, none twice.
Expected<std::vector<DisplayMode>> ParseModeList(std::string_view text);

// --bodies Jupiter,Saturn,Mond: the bodies drawn, named in German or
// English in any case, none twice; "none" draws none. The Moon is drawn when
// the list names it.
struct BodyChoice {
    BodySelection shown{};
    bool moon = false;
};
Expected<BodyChoice> ParseBodyList(std::string_view text);

// The placeholders an --output pattern may hold.
struct PatternFields {
    bool year = false;
    bool mode = false;
    bool place = false;
    bool Any() const { return year || mode || place; }
};

// Which of {year}, {mode}, {place} `pattern` holds; an error for any other
// "{" or "}" (a brace the pattern means literally cannot be told apart).
Expected<PatternFields> PatternFieldsOf(std::string_view pattern);

// `pattern` with {year}, {mode} and {place} replaced.
std::string ExpandPattern(std::string_view pattern, int year, std::string_view modeWord,
                          std::string_view placeName);

// One chart of a batch: indexes into its years, places and modes.
struct BatchChart {
    std::size_t year;
    std::size_t place;
    std::size_t mode;
};

// Every combination, years outermost, then places, then modes (the order of
// an atlas's pages).
std::vector<BatchChart> BatchCharts(std::size_t years, std::size_t places, std::size_t modes);

}  // namespace velmarin
