#include "core/almanac/visibility_formats.h"

#include <algorithm>
#include <cstdio>

#include "core/almanac/command_output.h"
#include "core/almanac/csv_writer.h"
#include "core/almanac/ics_writer.h"
#include "core/almanac/utc_instant.h"
#include "core/chart/body_catalogue.h"
#include "core/ephemeris/fixed_numbers.h"
#include "core/text/local_clock_time.h"

namespace velmarin {
namespace {

constexpr double kDegreesPerRadian = 180.0 / fixed::kExactPi;

// The twilight instants with their JSON names and calendar summaries.
struct TwilightField {
    const char* name;
    std::optional<double> TwilightInstants::*instant;
    const char* summary;
};

constexpr TwilightField kTwilightFields[] = {
    {"civilDawn", &TwilightInstants::civilDawn, "Beginn der bürgerlichen Dämmerung"},
    {"nauticalDawn", &TwilightInstants::nauticalDawn, "Beginn der nautischen Dämmerung"},
    {"astronomicalDawn", &TwilightInstants::astronomicalDawn, "Beginn der astronomischen Dämmerung"},
    {"civilDusk", &TwilightInstants::civilDusk, "Ende der bürgerlichen Dämmerung"},
    {"nauticalDusk", &TwilightInstants::nauticalDusk, "Ende der nautischen Dämmerung"},
    {"astronomicalDusk", &TwilightInstants::astronomicalDusk, "Ende der astronomischen Dämmerung"},
};

std::string IsoDay(const VisibilityDay& day) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%04d-%02d-%02d", day.year < 0 ? "-" : "",
                  day.year < 0 ? -day.year : day.year, day.month, day.day);
    return text;
}

// JD, UTC and local columns of one instant; empty fields when there is none.
void AddInstant(std::vector<std::string>& row, const VisibilityDay& day, const std::optional<double>& jd) {
    row.push_back(jd ? ShortestNumber(*jd) : std::string());
    row.push_back(jd ? IsoInstant(*jd) : std::string());
    row.push_back(jd ? LocalClockTime(day.start, *jd) : std::string());
}

void AddInstantHeader(std::vector<std::string>& header, const std::string& name) {
    header.push_back(name);
    header.push_back(name + "Utc");
    header.push_back(name + "Local");
}

const char* CsvBool(bool flag) { return flag ? "true" : "false"; }

// "N52.5000-E13.4000": the place in a UID, so that two places' calendars
// imported side by side never replace each other's events.
std::string PlaceKey(const VisibilityHeader& header) {
    const auto part = [](double degrees, char positive, char negative) {
        return std::string(1, degrees < 0 ? negative : positive) +
               FixedNumber(degrees < 0 ? -degrees : degrees, 4);
    };
    return part(header.latitudeDegrees, 'N', 'S') + "-" + part(header.longitudeDegrees, 'E', 'W');
}

struct DayEvent {
    double jd;
    std::string key;
    std::string summary;
};

// A name as it may stand in a UID: ASCII letters and digits, the rest '_'.
std::string UidWord(const std::string& name) {
    std::string word;
    for (const char c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        word += plain ? c : '_';
    }
    return word;
}

}  // namespace

std::string VisibilityCsv(const VisibilityHeader& header, const std::vector<VisibilityDay>& days,
                          const VisibilityTargets* targets) {
    const BodyCatalogue catalogue = MakeBodyCatalogue();
    CsvTable table;
    table.header = {"year", "latitude", "longitude", "zone", "date", "utcOffsetHours", "start"};
    for (int body = 0; body < kBodyCount; ++body) {
        const std::string name = catalogue.entries[static_cast<std::size_t>(body)].name + ".";
        AddInstantHeader(table.header, name + "rise");
        AddInstantHeader(table.header, name + "transit");
        table.header.push_back(name + "transitAltitude");
        AddInstantHeader(table.header, name + "set");
        table.header.push_back(name + "alwaysUp");
        table.header.push_back(name + "neverUp");
    }
    for (const TwilightField& field : kTwilightFields)
        AddInstantHeader(table.header, std::string("twilight.") + field.name);
    table.header.push_back("darknessHours");
    table.header.push_back("moonFreeDarknessHours");
    const auto eventsHeader = [&](const std::string& name) {
        AddInstantHeader(table.header, name + "rise");
        AddInstantHeader(table.header, name + "transit");
        table.header.push_back(name + "transitAltitude");
        AddInstantHeader(table.header, name + "set");
        table.header.push_back(name + "alwaysUp");
        table.header.push_back(name + "neverUp");
    };
    if (targets != nullptr) {
        for (const std::string& name : targets->names) eventsHeader(name + ".");
    }

    for (std::size_t d = 0; d < days.size(); ++d) {
        const VisibilityDay& day = days[d];
        std::vector<std::string> row = {std::to_string(header.year), ShortestNumber(header.latitudeDegrees),
                                        ShortestNumber(header.longitudeDegrees), header.zone, IsoDay(day),
                                        ShortestNumber(day.utcOffsetHours), ShortestNumber(day.start)};
        const auto events = [&](const BodyDayEvents& e) {
            AddInstant(row, day, e.rise);
            AddInstant(row, day, e.transit);
            row.push_back(e.transit ? ShortestNumber(e.transitAltitude * kDegreesPerRadian) : std::string());
            AddInstant(row, day, e.set);
            row.push_back(CsvBool(e.alwaysUp));
            row.push_back(CsvBool(e.neverUp));
        };
        for (const BodyDayEvents& e : day.bodies) events(e);
        for (const TwilightField& field : kTwilightFields) AddInstant(row, day, day.twilight.*field.instant);
        row.push_back(ShortestNumber(day.darknessHours));
        row.push_back(ShortestNumber(day.moonFreeDarknessHours));
        if (targets != nullptr && d < targets->days.size()) {
            for (const BodyDayEvents& e : targets->days[d]) events(e);
        }
        table.rows.push_back(std::move(row));
    }
    return CsvText(table);
}

std::optional<std::string> VisibilityIcs(const VisibilityHeader& header,
                                         const std::vector<VisibilityDay>& days, unsigned groups,
                                         const std::string& stamp, const VisibilityTargets* targets) {
    IcsCalendar calendar;
    calendar.name = "Sichtbarkeit " + std::to_string(header.year);
    calendar.stamp = stamp;
    const std::string place = PlaceKey(header);
    const std::string description = "Breite " + ShortestNumber(header.latitudeDegrees) + "°, Länge " +
                                    ShortestNumber(header.longitudeDegrees) + "°" +
                                    (header.zone.empty() ? std::string() : ", " + header.zone);
    for (std::size_t d = 0; d < days.size(); ++d) {
        const VisibilityDay& day = days[d];
        std::vector<DayEvent> events;
        const auto add = [&](const std::optional<double>& jd, const std::string& key, const std::string& summary) {
            if (jd) events.push_back({*jd, key, summary});
        };
        if (groups & kEventsSun) {
            add(day.bodies[IndexOf(BodyId::kSun)].rise, "sunrise", "Sonnenaufgang");
            add(day.bodies[IndexOf(BodyId::kSun)].set, "sunset", "Sonnenuntergang");
        }
        if (groups & kEventsMoon) {
            add(day.bodies[IndexOf(BodyId::kMoon)].rise, "moonrise", "Mondaufgang");
            add(day.bodies[IndexOf(BodyId::kMoon)].set, "moonset", "Monduntergang");
        }
        if (groups & kEventsTwilight) {
            for (const TwilightField& field : kTwilightFields)
                add(day.twilight.*field.instant, field.name, field.summary);
        }
        if ((groups & kEventsTargets) && targets != nullptr && d < targets->days.size()) {
            for (std::size_t t = 0; t < targets->names.size(); ++t) {
                const BodyDayEvents& e = targets->days[d][t];
                const std::string& name = targets->names[t];
                const std::string key = "target" + std::to_string(t) + "-" + UidWord(name);
                add(e.rise, key + "-rise", name + " Aufgang");
                add(e.transit, key + "-transit", name + " Kulmination");
                add(e.set, key + "-set", name + " Untergang");
            }
        }
        std::stable_sort(events.begin(), events.end(),
                         [](const DayEvent& a, const DayEvent& b) { return a.jd < b.jd; });
        std::string date = IsoDay(day);
        date.erase(std::remove(date.begin() + 1, date.end(), '-'), date.end());
        for (const DayEvent& event : events) {
            const std::optional<std::string> start = IcsDateTime(GregorianInstant(event.jd));
            if (!start) return std::nullopt;
            calendar.events.push_back({"velmarin-" + event.key + "-" + date + "-" + place +
                                           "@tannwick.example",
                                       *start, event.summary, description});
        }
    }
    return IcsText(calendar);
}

}  // namespace velmarin
