#include "core/app/settings_update.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <string_view>
#include <vector>

#include "core/app/settings_file.h"
#include "core/app/settings_lines.h"
#include "core/ephemeris/civil_offsets.h"
#include "core/text/number_text.h"

namespace velmarin {
namespace {

constexpr int kNoRank = -1;

struct OutLine {
    std::string text;
    std::string ending;
    SettingsLineRole role = SettingsLineRole::Foreign;
    int keywordRank = kNoRank;  // 0 zone, 1 planets, 2 moonlight
};

std::string IntText(int value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// scanf's white space.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// One number line's values in the program's terms: their file text and
// whether each differs from the baseline.
struct FieldLine {
    std::vector<std::string> tokens;
    std::vector<bool> changed;
    bool AnyChanged() const { return std::find(changed.begin(), changed.end(), true) != changed.end(); }
    std::string Fresh() const {
        std::string text;
        for (std::size_t i = 0; i < tokens.size(); ++i) text += (i > 0 ? " " : "") + tokens[i];
        return text;
    }
};

FieldLine FlagsLine(const ChartSettings& s, const ChartSettings& base) {
    const auto values = [](const ChartSettings& c) {
        return std::array<int, 7>{int{c.codeByDiameter}, int{c.codeByBrightness}, static_cast<int>(c.displayMode),
                                  int{c.showDayLine},    c.reservedFlag,     int{c.showGrid},
                                  int{c.showMoon}};
    };
    const auto now = values(s), before = values(base);
    FieldLine line;
    for (std::size_t i = 0; i < now.size(); ++i) {
        line.tokens.push_back(IntText(now[i]));
        line.changed.push_back(now[i] != before[i]);
    }
    return line;
}

FieldLine PlaceLine(const ChartSettings& s, const ChartSettings& base) {
    return {{FixedNumber(s.latitude / degToRad, 6), FixedNumber(s.longitude / degToRad, 6),
             FixedNumber(s.timeZoneHours, 1)},
            {s.latitude != base.latitude, s.longitude != base.longitude, s.timeZoneHours != base.timeZoneHours}};
}

FieldLine SizeLine(const ChartSettings& s, const ChartSettings& base) {
    return {{IntText(s.windowWidth), IntText(s.windowHeight)},
            {s.windowWidth != base.windowWidth, s.windowHeight != base.windowHeight}};
}

// The line with the changed fields written anew: unchanged numbers keep their
// text and the blanks before them; fields the line lacked are added up to
// the last changed one; the text after the numbers follows them.
std::string Rebuild(std::string_view line, const ScannedFields& scanned, const FieldLine& fields) {
    const std::size_t read = scanned.ends.size();
    std::size_t count = read;
    for (std::size_t i = 0; i < fields.changed.size(); ++i)
        if (fields.changed[i]) count = std::max(count, i + 1);
    std::string out;
    std::size_t position = 0;
    bool lastWritten = false;
    for (std::size_t i = 0; i < count; ++i) {
        if (i < read) {
            const std::string_view old = line.substr(position, scanned.ends[i] - position);
            position = scanned.ends[i];
            if (!fields.changed[i]) {
                out += old;
                lastWritten = false;
                continue;
            }
            std::size_t blanks = 0;
            while (blanks < old.size() && IsBlank(old[blanks])) ++blanks;
            // "1-1" holds two numbers; a new first one must not run into the second.
            out += blanks == 0 && i > 0 ? std::string_view(" ") : old.substr(0, blanks);
        } else if (i > 0) {
            out += ' ';
        }
        out += fields.tokens[i];
        lastWritten = true;
    }
    const std::string_view rest = line.substr(position);
    // A new number must not run into the text that followed the old one.
    if (lastWritten && !rest.empty() && !IsBlank(rest[0])) out += ' ';
    out += rest;
    return out;
}

int KeywordRank(std::string_view keyword) {
    if (keyword == kZoneKeyword) return 0;
    if (keyword == kPlanetsKeyword) return 1;
    if (keyword == kMoonlightKeyword) return 2;
    return kNoRank;
}

// The known keywords' lines for the settings: nothing at the default.
std::array<std::optional<std::string>, 3> KnownKeywordLines(const ChartSettings& s) {
    std::array<std::optional<std::string>, 3> lines;
    if (IsZoneNameShaped(s.zone)) lines[0] = std::string(kZoneKeyword) + " " + s.zone;
    if (s.showPlanets) lines[1] = std::string(kPlanetsKeyword) + " 1";
    if (s.showMoonlight) lines[2] = std::string(kMoonlightKeyword) + " 1";
    return lines;
}

std::array<bool, 3> KnownKeywordsChanged(const ChartSettings& s, const ChartSettings& base) {
    return {s.zone != base.zone, s.showPlanets != base.showPlanets, s.showMoonlight != base.showMoonlight};
}

std::size_t IndexAfterLast(const std::vector<OutLine>& out, auto&& matches) {
    for (std::size_t i = out.size(); i > 0; --i)
        if (matches(out[i - 1])) return i;
    return 0;
}

OutLine NewLine(std::string text, SettingsLineRole role, int rank = kNoRank) {
    return {std::move(text), "\r\n", role, rank};
}

}  // namespace

std::string UpdatedSettingsText(const SettingsDocument& document, const ChartSettings& settings,
                                bool withWindowSize) {
    const ChartSettings& base = document.baseline;
    const std::vector<SettingsLine> lines = SplitSettingsLines(document.text);
    const FieldLine flags = FlagsLine(settings, base);
    const FieldLine place = PlaceLine(settings, base);
    const FieldLine size = SizeLine(settings, base);
    const auto keywordLines = KnownKeywordLines(settings);
    const auto keywordChanged = KnownKeywordsChanged(settings, base);
    const bool othersChanged = settings.otherExtensionLines != base.otherExtensionLines;

    std::array<std::size_t, 3> lastOfKeyword{};
    std::array<bool, 3> keywordPresent{};
    bool laterPositional = false;  // a line after the size line that counts as line 4, 5, …
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const int rank = KeywordRank(lines[i].Keyword()); lines[i].role == SettingsLineRole::Keyword && rank >= 0) {
            lastOfKeyword[rank] = i;
            keywordPresent[rank] = true;
        }
        if (lines[i].role == SettingsLineRole::Foreign) laterPositional = true;
    }

    std::vector<OutLine> out;
    out.reserve(lines.size() + 6);
    bool hasFlags = false, hasPlace = false, hasSize = false;
    std::size_t nextOther = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const SettingsLine& line = lines[i];
        OutLine kept{std::string(line.text), std::string(line.ending), line.role};
        switch (line.role) {
            case SettingsLineRole::Flags:
                hasFlags = true;
                kept.text = Rebuild(line.text, ScanIntFields(line.Scanned(), 7), flags);
                break;
            case SettingsLineRole::Place:
                hasPlace = true;
                kept.text = Rebuild(line.text, ScanDoubleFields(line.Scanned(), 3), place);
                break;
            case SettingsLineRole::Size: {
                hasSize = true;
                const ScannedFields scanned = ScanIntFields(line.Scanned(), 2);
                if (withWindowSize && !scanned.ends.empty()) {
                    kept.text = Rebuild(line.text, scanned, size);
                } else if (withWindowSize && line.text.empty()) {
                    kept.text = size.Fresh();  // the empty line said "no size"
                } else if (withWindowSize) {
                    // A line 3 without numbers is the user's: the size goes in before it.
                    out.push_back(NewLine(size.Fresh(), SettingsLineRole::Size));
                    kept.role = SettingsLineRole::Foreign;
                } else if (!scanned.ends.empty()) {
                    const std::string_view rest = line.text.substr(scanned.ends.back());
                    // An empty line still holds the place of line 3 for the lines after it.
                    if (rest.empty() && !laterPositional) continue;
                    if (!ScanIntFields(rest, 1).ends.empty()) {
                        // More numbers after the size would be read as one: they go on a line of their own.
                        out.push_back(OutLine{std::string(), std::string(line.ending), SettingsLineRole::Size});
                        kept.role = SettingsLineRole::Foreign;
                    }
                    kept.text = !rest.empty() && !IsBlank(rest[0]) ? " " + std::string(rest) : std::string(rest);
                }
                break;
            }
            case SettingsLineRole::Keyword: {
                const int rank = KeywordRank(line.Keyword());
                if (rank >= 0) {
                    kept.keywordRank = rank;
                    if (!keywordChanged[rank]) break;
                    if (i != lastOfKeyword[rank] || !keywordLines[rank]) continue;
                    kept.text = *keywordLines[rank];
                    break;
                }
                if (!othersChanged) break;
                // Kept while it is the next of the settings' own lines; dropped otherwise.
                if (nextOther < settings.otherExtensionLines.size() &&
                    settings.otherExtensionLines[nextOther] == line.Scanned()) {
                    ++nextOther;
                    break;
                }
                continue;
            }
            case SettingsLineRole::Foreign: break;
        }
        out.push_back(std::move(kept));
    }

    // Number lines the file lacks, where a value or a later line needs them.
    const bool sizeNeeded = withWindowSize && !hasSize;
    const bool placeNeeded = !hasPlace && (place.AnyChanged() || sizeNeeded);
    if (!hasFlags && (flags.AnyChanged() || placeNeeded)) {
        out.insert(out.begin(), NewLine(flags.Fresh(), SettingsLineRole::Flags));
    }
    const auto isRole = [](SettingsLineRole role) { return [role](const OutLine& l) { return l.role == role; }; };
    if (placeNeeded) {
        const std::size_t at = IndexAfterLast(out, isRole(SettingsLineRole::Flags));
        out.insert(out.begin() + static_cast<std::ptrdiff_t>(at), NewLine(place.Fresh(), SettingsLineRole::Place));
    }
    if (sizeNeeded) {
        const std::size_t at = IndexAfterLast(out, isRole(SettingsLineRole::Place));
        out.insert(out.begin() + static_cast<std::ptrdiff_t>(at), NewLine(size.Fresh(), SettingsLineRole::Size));
    }
    for (int rank = 0; rank < 3; ++rank) {
        if (!keywordChanged[rank] || keywordPresent[rank] || !keywordLines[rank]) continue;
        const std::size_t at = IndexAfterLast(out, [rank](const OutLine& l) {
            return l.role == SettingsLineRole::Flags || l.role == SettingsLineRole::Place ||
                   l.role == SettingsLineRole::Size || (l.keywordRank >= 0 && l.keywordRank < rank);
        });
        out.insert(out.begin() + static_cast<std::ptrdiff_t>(at),
                   NewLine(*keywordLines[rank], SettingsLineRole::Keyword, rank));
    }
    if (othersChanged) {
        for (std::size_t i = nextOther; i < settings.otherExtensionLines.size(); ++i)
            out.push_back(NewLine(settings.otherExtensionLines[i], SettingsLineRole::Keyword));
    }

    std::string text;
    for (std::size_t i = 0; i < out.size(); ++i) {
        text += out[i].text;
        // A last line without LF that is no longer last gets one.
        const bool needsEnd = i + 1 < out.size() && out[i].ending.find('\n') == std::string::npos;
        text += needsEnd ? std::string("\r\n") : out[i].ending;
    }
    return text;
}

}  // namespace velmarin
