#include "core/almanac/places_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>

#include "core/almanac/settings_limits.h"
#include "core/text/message_text.h"
#include "core/ephemeris/civil_offsets.h"
#include "core/text/number_text.h"

namespace velmarin {

namespace {

using Record = std::vector<std::string>;

// The next record from `at`, which moves past it and its line end; the
// line number grows with every line end read, quoted ones included.
Expected<Record> NextRecord(std::string_view text, std::size_t& at, int& line) {
    Record fields(1);
    bool quoted = false;
    bool wasQuoted = false;
    while (at < text.size()) {
        const char c = text[at++];
        if (quoted) {
            if (c == '"') {
                if (at < text.size() && text[at] == '"') {
                    fields.back() += '"';
                    ++at;
                } else {
                    quoted = false;
                }
            } else {
                if (c == '\n') ++line;
                fields.back() += c;
            }
            continue;
        }
        if (c == '"') {
            if (!fields.back().empty() || wasQuoted) return "line " + std::to_string(line) + ": a quote inside a field";
            quoted = wasQuoted = true;
        } else if (c == ',') {
            fields.emplace_back();
            wasQuoted = false;
        } else if (c == '\r' && at < text.size() && text[at] == '\n') {
            continue;
        } else if (c == '\n') {
            ++line;
            return fields;
        } else if (wasQuoted) {
            return "line " + std::to_string(line) + ": text after a closing quote";
        } else {
            fields.back() += c;
        }
    }
    if (quoted) return "line " + std::to_string(line) + ": a quote is not closed";
    ++line;
    return fields;
}

bool IsBlank(const Record& record) { return record.size() == 1 && record[0].empty(); }

bool IsHeader(const Record& record) {
    return (record.size() == 3 || record.size() == 4) && record[0] == "name" && record[1] == "lat" &&
           record[2] == "lon" && (record.size() == 3 || record[3] == "zone");
}

std::string NameProblem(const std::string& name) {
    if (name.empty()) return "the name is empty";
    if (name == "." || name == "..") return "the name " + QuoteForMessage(name) + " is no file name";
    for (const char c : name) {
        if (c == '/') return "the name " + QuoteForMessage(name) + " has a '/'";
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return "the name " + QuoteForMessage(name) + " has a control character";
    }
    return {};
}

// A number within ±limit, or an error naming `what`.
Expected<double> Coordinate(const std::string& text, double limit, const char* what) {
    const std::optional<double> value = ParseWholeDouble(text);
    if (!value) return std::string(what) + " is not a number: " + QuoteForMessage(text);
    if (!(*value >= -limit && *value <= limit))
        return std::string(what) + " out of range: " + QuoteForMessage(text);
    return *value;
}

}  // namespace

Expected<std::vector<Place>> ParsePlaces(std::string_view text) {
    std::vector<Place> places;
    std::set<std::string> names;
    std::size_t at = 0;
    int line = 1;
    bool first = true;
    while (at < text.size()) {
        const int recordLine = line;
        auto next = NextRecord(text, at, line);
        if (!next) return next.error();
        const Record record = *std::move(next);
        const bool header = first && IsHeader(record);
        first = false;
        if (header || IsBlank(record)) continue;
        const std::string where = "line " + std::to_string(recordLine) + ": ";
        if (record.size() < 3 || record.size() > 4)
            return where + "expected name,lat,lon or name,lat,lon,zone";
        Place place;
        place.name = record[0];
        if (const std::string problem = NameProblem(place.name); !problem.empty()) return where + problem;
        if (!names.insert(place.name).second) return where + "the name " + QuoteForMessage(place.name) + " comes twice";
        auto latitude = Coordinate(record[1], kLatitudeLimitDegrees, "latitude");
        if (!latitude) return where + latitude.error();
        auto longitude = Coordinate(record[2], kLongitudeLimitDegrees, "longitude");
        if (!longitude) return where + longitude.error();
        place.latitudeDegrees = *latitude;
        place.longitudeDegrees = *longitude;
        if (record.size() == 4 && !record[3].empty()) {
            if (!IsZoneNameShaped(record[3])) return where + "unknown zone " + QuoteForMessage(record[3]);
            place.zone = record[3];
        }
        if (places.size() == kMaxPlaces) return where + "more than " + std::to_string(kMaxPlaces) + " places";
        places.push_back(std::move(place));
    }
    if (places.empty()) return std::string("no places in the file");
    return places;
}

Expected<std::vector<Place>> ReadPlacesFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return "cannot read " + QuoteForMessage(path) + ": " + std::strerror(errno);
    std::ostringstream contents;
    contents << file.rdbuf();
    if (file.bad()) return "cannot read " + QuoteForMessage(path) + ": " + std::strerror(errno);
    auto places = ParsePlaces(contents.str());
    if (!places) return QuoteForMessage(path) + ": " + places.error();
    return places;
}

}  // namespace velmarin
