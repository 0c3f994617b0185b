#include "core/almanac/best_nights_output.h"

#include <cstdio>

#include "core/almanac/command_output.h"
#include "core/almanac/csv_writer.h"

namespace velmarin {

namespace {

std::string IsoDay(const VisibilityDay& day) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%04d-%02d-%02d", day.year < 0 ? "-" : "",
                  day.year < 0 ? -day.year : day.year, day.month, day.day);
    return text;
}

std::string GermanDay(const VisibilityDay& day) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d.%02d.", day.day, day.month);
    return text;
}

}  // namespace

std::string BestNightsJson(const VisibilityHeader& header, const std::vector<VisibilityDay>& days,
                           const std::vector<std::string>& names, const std::vector<std::vector<DayRange>>& ranges) {
    std::string out = "{\"year\":" + std::to_string(header.year) +
                      ",\"latitude\":" + JsonNumber(header.latitudeDegrees) +
                      ",\"longitude\":" + JsonNumber(header.longitudeDegrees) +
                      ",\"zone\":" + (header.zone.empty() ? std::string("null") : JsonString(header.zone)) +
                      ",\"targets\":[";
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) out += ',';
        out += "{\"name\":" + JsonString(names[i]) + ",\"nights\":[";
        for (std::size_t r = 0; r < ranges[i].size(); ++r) {
            if (r > 0) out += ',';
            out += "{\"from\":" + JsonString(IsoDay(days[ranges[i][r].first])) +
                   ",\"to\":" + JsonString(IsoDay(days[ranges[i][r].last])) + "}";
        }
        out += "]}";
    }
    out += "]}\n";
    return out;
}

std::string BestNightsCsv(const std::vector<VisibilityDay>& days, const std::vector<std::string>& names,
                          const std::vector<std::vector<DayRange>>& ranges) {
    CsvTable table;
    table.header = {"name", "from", "to", "days"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        for (const DayRange& r : ranges[i]) {
            table.rows.push_back({names[i], IsoDay(days[r.first]), IsoDay(days[r.last]),
                                  std::to_string(r.last - r.first + 1)});
        }
    }
    return CsvText(table);
}

std::string BestNightsText(const VisibilityHeader& header, const std::vector<VisibilityDay>& days,
                           const std::vector<std::string>& names, const std::vector<std::vector<DayRange>>& ranges) {
    std::string out = "Beste Nächte " + std::to_string(header.year) + ", Breite " +
                      FixedNumber(header.latitudeDegrees, 6) + "°, Länge " + FixedNumber(header.longitudeDegrees, 6) +
                      "°\nKulmination in astronomischer Dunkelheit, Mond unter dem Horizont.\n\n";
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::string line = names[i] + ":";
        if (ranges[i].empty()) line += " —";
        for (std::size_t r = 0; r < ranges[i].size(); ++r) {
            const DayRange& range = ranges[i][r];
            line += r == 0 ? " " : ", ";
            line += GermanDay(days[range.first]);
            if (range.last != range.first) line += "–" + GermanDay(days[range.last]);
        }
        out += line + "\n";
    }
    return out;
}

}  // namespace velmarin
