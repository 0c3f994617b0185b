#include "core/almanac/render_batch.h"

#include <algorithm>
#include <array>
#include <set>

#include "core/app/display_modes.h"
#include "core/text/message_text.h"
#include "core/ephemeris/time_calendar.h"
#include "core/text/number_text.h"

namespace velmarin {

namespace {

std::vector<std::string_view> SplitAtCommas(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos) return parts;
        start = comma + 1;
    }
}

Expected<int> OneYear(std::string_view text) {
    const std::optional<int> year = ParseWholeInt(text);
    if (!year) return "not a whole number: " + QuoteForMessage(text);
    if (*year < kMinYear || *year > kMaxYear)
        return "year out of range (" + std::to_string(kMinYear) + ".." + std::to_string(kMaxYear) +
               "): " + QuoteForMessage(text);
    return *year;
}

constexpr std::string_view kPlaceholders[] = {"{year}", "{mode}", "{place}"};

}  // namespace

Expected<std::vector<int>> ParseYearList(std::string_view text) {
    std::vector<int> years;
    if (const std::size_t dots = text.find(".."); dots != std::string_view::npos) {
        auto first = OneYear(text.substr(0, dots));
        if (!first) return first.error();
        auto last = OneYear(text.substr(dots + 2));
        if (!last) return last.error();
        const int from = *first, to = *last;
        if (from > to) return "the range runs backwards: " + QuoteForMessage(text);
        if (static_cast<std::size_t>(to - from) >= kMaxBatchCharts)
            return "more than " + std::to_string(kMaxBatchCharts) + " years: " + QuoteForMessage(text);
        for (int year = from; year <= to; ++year) years.push_back(year);
        return years;
    }
    std::set<int> seen;
    for (const std::string_view part : SplitAtCommas(text)) {
        auto year = OneYear(part);
        if (!year) return year.error();
        if (!seen.insert(*year).second) return "the year " + std::string(part) + " comes twice";
        if (years.size() == kMaxBatchCharts) return "more than " + std::to_string(kMaxBatchCharts) + " years";
        years.push_back(*year);
    }
    return years;
}

Expected<std::vector<DisplayMode>> ParseModeList(std::string_view text) {
    std::vector<DisplayMode> modes;
    for (const std::string_view word : SplitAtCommas(text)) {
        const DisplayModeEntry* entry = DisplayModeEntryOfWord(word);
        if (entry == nullptr)
            return "expected modes among normal, sun, midnight and twilight, not " + QuoteForMessage(word);
        if (std::find(modes.begin(), modes.end(), entry->mode) != modes.end())
            return "the mode " + std::string(word) + " comes twice";
        modes.push_back(entry->mode);
    }
    return modes;
}

Expected<BodyChoice> ParseBodyList(std::string_view text) {
    BodyChoice choice;
    if (text == "none") return choice;
    std::array<bool, kBodyCount> named{};
    for (const std::string_view word : SplitAtCommas(text)) {
        const std::optional<BodyId> body = BodyOfName(word);
        if (!body)
            return "expected bodies among Sonne, Merkur, Venus, Mars, Jupiter, Saturn, Uranus, Neptun and "
                   "Mond (or their English names, or none), not " + QuoteForMessage(word);
        if (named[IndexOf(*body)]) return "the body " + std::string(word) + " comes twice";
        named[IndexOf(*body)] = true;
    }
    std::copy(named.begin(), named.begin() + kSelectableBodyCount, choice.shown.begin());
    choice.moon = named[IndexOf(BodyId::kMoon)];
    return choice;
}

Expected<PatternFields> PatternFieldsOf(std::string_view pattern) {
    PatternFields fields;
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        if (pattern[at] == '}')
            return "a '}' without its '{' in " + QuoteForMessage(pattern);
        if (pattern[at] != '{') continue;
        const std::string_view rest = pattern.substr(at);
        const auto* found = std::find_if(std::begin(kPlaceholders), std::end(kPlaceholders),
                                         [&](std::string_view p) { return rest.substr(0, p.size()) == p; });
        if (found == std::end(kPlaceholders))
            return "expected {year}, {mode} or {place} in " + QuoteForMessage(pattern);
        if (*found == "{year}") fields.year = true;
        if (*found == "{mode}") fields.mode = true;
        if (*found == "{place}") fields.place = true;
        at += found->size() - 1;
    }
    return fields;
}

std::string ExpandPattern(std::string_view pattern, int year, std::string_view modeWord,
                          std::string_view placeName) {
    std::string out;
    for (std::size_t at = 0; at < pattern.size();) {
        const std::string_view rest = pattern.substr(at);
        if (rest.substr(0, 6) == "{year}") {
            out += std::to_string(year);
            at += 6;
        } else if (rest.substr(0, 6) == "{mode}") {
            out += modeWord;
            at += 6;
        } else if (rest.substr(0, 7) == "{place}") {
            out += placeName;
            at += 7;
        } else {
            out += pattern[at++];
        }
    }
    return out;
}

std::vector<BatchChart> BatchCharts(std::size_t years, std::size_t places, std::size_t modes) {
    std::vector<BatchChart> charts;
    charts.reserve(years * places * modes);
    for (std::size_t y = 0; y < years; ++y)
        for (std::size_t p = 0; p < places; ++p)
            for (std::size_t m = 0; m < modes; ++m) charts.push_back({y, p, m});
    return charts;
}

}  // namespace velmarin
