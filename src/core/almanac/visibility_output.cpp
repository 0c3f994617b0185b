#include "core/almanac/visibility_output.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "core/almanac/command_output.h"
#include "core/almanac/text_table.h"
#include "core/chart/body_catalogue.h"
#include "core/ephemeris/run_beside.h"
#include "core/ephemeris/fixed_numbers.h"
#include "core/text/local_clock_time.h"
#include "core/text/text_catalogue.h"

namespace velmarin {
namespace {

constexpr double kDegreesPerRadian = 180.0 / fixed::kExactPi;

std::string IsoDay(const VisibilityDay& day) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", day.year, day.month, day.day);
    if (day.year < 0) std::snprintf(text, sizeof text, "-%04d-%02d-%02d", -day.year, day.month, day.day);
    return text;
}

std::string GermanDay(const VisibilityDay& day) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d.%02d.%d", day.day, day.month, day.year);
    return text;
}

}  // namespace

namespace {

// The JSON of days [first, last) (a comma before each but the year's first)
// appended to out.
void AppendJsonDays(std::string& out, const std::vector<VisibilityDay>& days, std::size_t first, std::size_t last,
                    const VisibilityTargets* targets, const std::vector<std::string>& quotedNames,
                    const BodyCatalogue& catalogue) {
    const auto instant = [&out](const char* key, const std::optional<double>& jd) {
        out += key;
        if (jd) {
            AppendJsonNumber(out, *jd);
        } else {
            out += "null";
        }
    };
    // From "rise" to the closing brace of a body's or a target's object.
    const auto events = [&](const BodyDayEvents& e) {
        instant(",\"rise\":", e.rise);
        instant(",\"transit\":", e.transit);
        out += ",\"transitAltitude\":";
        if (e.transit) {
            AppendJsonNumber(out, e.transitAltitude * kDegreesPerRadian);
        } else {
            out += "null";
        }
        instant(",\"set\":", e.set);
        out += ",\"alwaysUp\":";
        out += e.alwaysUp ? "true" : "false";
        out += ",\"neverUp\":";
        out += e.neverUp ? "true" : "false";
        out += '}';
    };
    for (std::size_t i = first; i < last; ++i) {
        const VisibilityDay& day = days[i];
        if (i > 0) out += ',';
        out += "{\"date\":";
        out += JsonString(IsoDay(day));
        out += ",\"utcOffsetHours\":";
        AppendJsonNumber(out, day.utcOffsetHours);
        out += ",\"start\":";
        AppendJsonNumber(out, day.start);
        out += ",\"bodies\":[";
        for (int body = 0; body < kBodyCount; ++body) {
            const BodyDayEvents& e = day.bodies[static_cast<std::size_t>(body)];
            if (body > 0) out += ',';
            out += "{\"index\":";
            out += std::to_string(body);
            out += ",\"name\":";
            out += JsonString(catalogue.entries[static_cast<std::size_t>(body)].name);
            events(e);
        }
        if (targets != nullptr && i < targets->days.size()) {
            out += "],\"targets\":[";
            for (std::size_t t = 0; t < targets->names.size(); ++t) {
                if (t > 0) out += ',';
                out += "{\"name\":";
                out += quotedNames[t];
                events(targets->days[i][t]);
            }
        }
        const TwilightInstants& t = day.twilight;
        instant("],\"twilight\":{\"civilDawn\":", t.civilDawn);
        instant(",\"nauticalDawn\":", t.nauticalDawn);
        instant(",\"astronomicalDawn\":", t.astronomicalDawn);
        instant(",\"civilDusk\":", t.civilDusk);
        instant(",\"nauticalDusk\":", t.nauticalDusk);
        instant(",\"astronomicalDusk\":", t.astronomicalDusk);
        out += "},\"darknessHours\":";
        AppendJsonNumber(out, day.darknessHours);
        out += ",\"moonFreeDarknessHours\":";
        AppendJsonNumber(out, day.moonFreeDarknessHours);
        out += '}';
    }
}

}  // namespace

std::string VisibilityJson(const VisibilityHeader& header, const std::vector<VisibilityDay>& days,
                           const VisibilityTargets* targets) {
    const BodyCatalogue catalogue = MakeBodyCatalogue();
    std::string out = "{\"year\":" + std::to_string(header.year) +
                      ",\"latitude\":" + JsonNumber(header.latitudeDegrees) +
                      ",\"longitude\":" + JsonNumber(header.longitudeDegrees) +
                      ",\"zone\":" + (header.zone.empty() ? std::string("null") : JsonString(header.zone)) +
                      ",\"days\":[";
    std::vector<std::string> quotedNames;
    if (targets != nullptr) {
        for (const std::string& name : targets->names) quotedNames.push_back(JsonString(name));
    }
    // Appended piece by piece: a year is some 700 kB, with the Messier list
    // 7 MB; with targets the second half of the year is written beside the
    // first on a thread of its own.
    const std::size_t perDay = 2048 + (targets != nullptr ? targets->names.size() * 240 : 0);
    const std::size_t half = targets != nullptr && !targets->names.empty() ? days.size() / 2 : days.size();
    out.reserve(out.size() + days.size() * perDay + 8);
    if (half == days.size()) {
        AppendJsonDays(out, days, 0, days.size(), targets, quotedNames, catalogue);
    } else {
        std::string second;
        RunBeside([&] { AppendJsonDays(out, days, 0, half, targets, quotedNames, catalogue); },
                  [&] {
                      second.reserve((days.size() - half) * perDay);
                      AppendJsonDays(second, days, half, days.size(), targets, quotedNames, catalogue);
                  });
        out += second;
    }
    out += "]}\n";
    return out;
}

std::string VisibilityTable(const VisibilityHeader& header, const std::vector<VisibilityDay>& days,
                            const VisibilityTargets* targets) {
    const BodyCatalogue catalogue = MakeBodyCatalogue();
    std::string place = Text(TextId::TablePlace) + FixedNumber(header.latitudeDegrees, 6) + Text(TextId::TableLongitude) +
                        FixedNumber(header.longitudeDegrees, 6) + "°";
    std::string clock;
    if (!header.zone.empty()) {
        clock = Text(TextId::TableNamedZone) + header.zone;
    } else {
        std::string zone = FixedNumber(header.timeZoneHours, 1);
        if (zone[0] != '-') zone.insert(0, "+");
        clock = "UT" + zone + (header.summerTime ? Text(TextId::TableWithSummerTime) : Text(TextId::TableWithoutSummerTime));
    }
    std::string out = Text(TextId::TableVisibility) + std::to_string(header.year) + ", " + place + ", " + clock + "\n";
    out += Text(TextId::TableVisibilityNote);
    // Two header rows: the body names over their three columns.
    constexpr int kDate = 12, kTime = 6, kHours = 8;
    std::string names = PadRight("", kDate) + PadLeft(Text(TextId::Twilight), 2 * kTime) + PadLeft(Text(TextId::TableDark), kHours) +
                        PadLeft(Text(TextId::TableMoonless), kHours);
    std::string columns = PadRight(Text(TextId::TableDate), kDate) + PadLeft(Text(TextId::TableEnd), kTime) + PadLeft(Text(TextId::TableBegin), kTime) +
                          PadLeft("h", kHours) + PadLeft("h", kHours);
    for (int body = 0; body < kBodyCount; ++body) {
        names += "  " + PadRight(Translated(catalogue.entries[static_cast<std::size_t>(body)].name), 3 * kTime);
        columns += "  " + PadLeft(Text(TextId::TableRise), kTime - 1) + PadLeft(Text(TextId::TableTransit), kTime) + PadLeft(Text(TextId::TableSet), kTime) + " ";
    }
    if (targets != nullptr) {
        for (const std::string& name : targets->names) {
            names += "  " + PadRight(name, 3 * kTime);
            columns += "  " + PadLeft("Auf", kTime - 1) + PadLeft("Kulm", kTime) + PadLeft("Unt", kTime) + " ";
        }
    }
    out += names + "\n" + columns + "\n";
    for (std::size_t d = 0; d < days.size(); ++d) {
        const VisibilityDay& day = days[d];
        std::string row = PadRight(GermanDay(day), kDate) + PadLeft(LocalClockTimeOrNone(day.start, day.twilight.astronomicalDusk), kTime) +
                          PadLeft(LocalClockTimeOrNone(day.start, day.twilight.astronomicalDawn), kTime) +
                          PadLeft(FixedNumber(day.darknessHours, 1), kHours) +
                          PadLeft(FixedNumber(day.moonFreeDarknessHours, 1), kHours);
        for (int body = 0; body < kBodyCount; ++body) {
            const BodyDayEvents& e = day.bodies[static_cast<std::size_t>(body)];
            row += "  " + PadLeft(LocalClockTimeOrNone(day.start, e.rise), kTime - 1) + PadLeft(LocalClockTimeOrNone(day.start, e.transit), kTime) +
                   PadLeft(LocalClockTimeOrNone(day.start, e.set), kTime) + " ";
        }
        if (targets != nullptr && d < targets->days.size()) {
            for (const BodyDayEvents& e : targets->days[d]) {
                row += "  " + PadLeft(LocalClockTimeOrNone(day.start, e.rise), kTime - 1) +
                       PadLeft(LocalClockTimeOrNone(day.start, e.transit), kTime) +
                       PadLeft(LocalClockTimeOrNone(day.start, e.set), kTime) + " ";
            }
        }
        out += row + "\n";
    }
    return out;
}

}  // namespace velmarin
