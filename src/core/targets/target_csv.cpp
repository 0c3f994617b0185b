#include "core/targets/target_csv.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "core/ephemeris/fixed_numbers.h"
#include "core/targets/sexagesimal.h"
#include "core/text/message_text.h"
#include "core/text/number_text.h"

namespace velmarin {

namespace {

constexpr double kRadiansPerDegree = fixed::kExactPi / 180.0;
constexpr double kRadiansPerHour = fixed::kExactPi / 12.0;

// One record of the CSV text, and the line it began on.
struct Record {
    std::vector<std::string> fields;
    int line = 0;
};

// Reads the next record from `text` at `at`; false at the end, or with
// `error` set when a quote is never closed.
bool NextRecord(std::string_view text, std::size_t& at, int& line, Record& record, bool& unclosed) {
    record.fields.clear();
    record.line = line;
    if (at >= text.size()) return false;
    std::string field;
    bool quoted = false;
    for (;;) {
        if (at >= text.size()) {
            if (quoted) {
                unclosed = true;
                return true;
            }
            record.fields.push_back(std::move(field));
            return true;
        }
        const char c = text[at++];
        if (quoted) {
            if (c == '"') {
                if (at < text.size() && text[at] == '"') {
                    field += '"';
                    ++at;
                } else {
                    quoted = false;
                }
            } else {
                if (c == '\n') ++line;
                field += c;
            }
        } else if (c == '"' && field.empty()) {
            quoted = true;
        } else if (c == ',') {
            record.fields.push_back(std::move(field));
            field.clear();
        } else if (c == '\r' && at < text.size() && text[at] == '\n') {
            continue;
        } else if (c == '\n') {
            ++line;
            record.fields.push_back(std::move(field));
            return true;
        } else {
            field += c;
        }
    }
}

std::string Trim(const std::string& s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return s;
}

bool IsBlank(const Record& r) { return r.fields.size() == 1 && Trim(r.fields[0]).empty(); }

}  // namespace

Expected<std::vector<FixedTarget>> ReadTargetsCsv(std::string_view text, std::string_view fileName) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    const auto fail = [&](int line, const std::string& what) {
        return std::string(fileName) + ":" + std::to_string(line) + ": " + what;
    };
    std::size_t at = 0;
    int line = 1;
    Record record;
    bool unclosed = false;
    std::optional<std::size_t> nameColumn, raColumn, decColumn, magnitudeColumn, kindColumn;
    std::size_t columns = 0;
    bool haveHeader = false;
    std::vector<FixedTarget> targets;
    while (NextRecord(text, at, line, record, unclosed)) {
        if (unclosed) return fail(record.line, "quoted field not closed");
        if (IsBlank(record)) continue;
        if (!haveHeader) {
            columns = record.fields.size();
            for (std::size_t i = 0; i < columns; ++i) {
                const std::string key = Lower(Trim(record.fields[i]));
                std::optional<std::size_t>* slot = key == "name"        ? &nameColumn
                                                   : key == "ra"        ? &raColumn
                                                   : key == "dec"       ? &decColumn
                                                   : key == "magnitude" ? &magnitudeColumn
                                                   : key == "kind"      ? &kindColumn
                                                                        : nullptr;
                if (slot == nullptr) continue;
                if (*slot) return fail(record.line, "column '" + key + "' twice in the header");
                *slot = i;
            }
            if (!nameColumn || !raColumn || !decColumn)
                return fail(record.line, "header must name the columns name, ra and dec");
            haveHeader = true;
            continue;
        }
        if (record.fields.size() != columns)
            return fail(record.line, "expected " + std::to_string(columns) + " fields, found " +
                                         std::to_string(record.fields.size()));
        FixedTarget target;
        target.name = Trim(record.fields[*nameColumn]);
        if (target.name.empty()) return fail(record.line, "empty name");
        const std::optional<double> ra = ParseSexagesimal(record.fields[*raColumn]);
        if (!ra) return fail(record.line, "ra: not a number of hours: " + QuoteForMessage(Trim(record.fields[*raColumn])));
        if (!(*ra >= 0.0 && *ra < 24.0)) return fail(record.line, "ra: outside 0 to 24 h");
        const std::optional<double> dec = ParseSexagesimal(record.fields[*decColumn]);
        if (!dec) return fail(record.line, "dec: not a number of degrees: " + QuoteForMessage(Trim(record.fields[*decColumn])));
        if (!(std::fabs(*dec) <= 90.0)) return fail(record.line, "dec: beyond +-90 degrees");
        target.ra = *ra * kRadiansPerHour;
        target.dec = *dec * kRadiansPerDegree;
        if (magnitudeColumn) {
            const std::string m = Trim(record.fields[*magnitudeColumn]);
            if (!m.empty()) {
                target.magnitude = ParseWholeDouble(m);
                if (!target.magnitude) return fail(record.line, "magnitude: not a number: " + QuoteForMessage(m));
            }
        }
        if (kindColumn) target.kind = Trim(record.fields[*kindColumn]);
        targets.push_back(std::move(target));
    }
    if (!haveHeader) return fail(1, "no header line (name,ra,dec)");
    return targets;
}

}  // namespace velmarin
