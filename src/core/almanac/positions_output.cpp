#include "core/almanac/positions_output.h"

#include "core/almanac/command_output.h"
#include "core/almanac/csv_writer.h"
#include "core/almanac/text_table.h"
#include "core/almanac/utc_instant.h"
#include "core/ephemeris/fixed_numbers.h"
#include "core/ephemeris/time_calendar.h"
#include "core/text/text_catalogue.h"

namespace velmarin {
namespace {

const std::string& BodyName(const BodyCatalogue& catalogue, int body) {
    return catalogue.entries[static_cast<std::size_t>(body)].name;
}

constexpr double kHoursPerRadian = 12.0 / fixed::kExactPi;
constexpr double kDegreesPerRadian = 180.0 / fixed::kExactPi;

std::string JsonOptional(const std::optional<double>& value) {
    return value ? JsonNumber(*value) : std::string("null");
}

}  // namespace

Positions ComputePositions(double jd) {
    Positions result;
    result.jd = jd;
    EphemerisContext context;
    for (const BodyId body : kAllBodies) result.bodies[IndexOf(body)] = ComputeBodyPosition(context, body, jd);
    result.moonNodeLongitude = context.moonNodeLongitude;
    result.siderealTime0h = SiderealTimeAtZeroHours(jd);
    return result;
}

std::string PositionsJson(const Positions& positions, const BodyCatalogue& catalogue,
                          const std::vector<TargetPositionRow>* targets) {
    std::string out = "{\"jd\":" + JsonNumber(positions.jd) + ",\"bodies\":[";
    for (int body = 0; body < kBodyCount; ++body) {
        const BodyPosition& p = positions.bodies[static_cast<std::size_t>(body)];
        if (body > 0) out += ',';
        out += "{\"index\":" + std::to_string(body) + ",\"name\":" + JsonString(BodyName(catalogue, body)) +
               ",\"ra\":" + JsonNumber(p.ra) + ",\"dec\":" + JsonNumber(p.dec) +
               ",\"diameter\":" + JsonNumber(p.diameter) +
               ",\"magnitude\":" + JsonNumber(p.magnitude) + "}";
    }
    if (targets != nullptr) {
        out += "],\"targets\":[";
        for (std::size_t i = 0; i < targets->size(); ++i) {
            const TargetPositionRow& t = (*targets)[i];
            if (i > 0) out += ',';
            out += "{\"name\":" + JsonString(t.name) +
                   ",\"rightAscension\":" + JsonNumber(t.place.ra * kHoursPerRadian) +
                   ",\"declination\":" + JsonNumber(t.place.dec * kDegreesPerRadian) +
                   ",\"magnitude\":" + JsonOptional(t.place.magnitude) +
                   ",\"distance\":" + JsonOptional(t.place.distance) +
                   ",\"kind\":" + (t.kind.empty() ? std::string("null") : JsonString(t.kind)) + "}";
        }
    }
    out += "],\"moonNodeLongitude\":" + JsonNumber(positions.moonNodeLongitude) +
           ",\"siderealTime0h\":" + JsonNumber(positions.siderealTime0h) + "}\n";
    return out;
}

std::string PositionsText(const Positions& positions, const BodyCatalogue& catalogue,
                          const std::vector<TargetPositionRow>* targets) {
    const double jd = positions.jd;
    const CalendarInstant instant = CalendarFromJulianDay(jd);
    std::string out = GermanDate(jd) + " " + ClockTime(instant.hour) + " UT (JD " +
                      FixedNumber(jd, 5) + ")\n\n";
    out += PadRight("", 9) + PadLeft(Text(TextId::RightAscension), 14) + PadLeft(Text(TextId::TableDeclination), 13) +
           PadLeft(Text(TextId::Diameter), 13) + PadLeft(Text(TextId::Brightness), 12) + "\n";
    for (int body = 0; body < kBodyCount; ++body) {
        const BodyPosition& p = positions.bodies[static_cast<std::size_t>(body)];
        // Sun and Moon in arc minutes, the planets in arc seconds, as the readout shows them.
        const bool large = body == IndexOf(BodyId::kSun) || body == IndexOf(BodyId::kMoon);
        const std::string diameter =
            large ? FixedNumber(p.diameter / 60.0, 1) + "'" : FixedNumber(p.diameter, 1) + "\"";
        const std::string declination = SignedFixedNumber(p.dec * 180.0 / kPi, 1);
        out += PadRight(Translated(BodyName(catalogue, body)), 9) + PadLeft(FormatHoursMinutes(p.ra), 14) +
               PadLeft(declination + "°", 13) + PadLeft(diameter, 13) +
               PadLeft(FixedNumber(p.magnitude, 1) + "mag", 12) + "\n";
    }
    if (targets != nullptr) {
        for (const TargetPositionRow& t : *targets) {
            const std::string declination = SignedFixedNumber(t.place.dec * kDegreesPerRadian, 1);
            out += PadRight(t.name, 9) + PadLeft(FormatHoursMinutes(t.place.ra), 14) +
                   PadLeft(declination + "°", 13) + PadLeft("", 13) +
                   PadLeft(t.place.magnitude ? FixedNumber(*t.place.magnitude, 1) + "mag" : std::string(), 12) + "\n";
        }
    }
    out += "\n" + PadRight(Translated(catalogue.entries[kEntryMoonNode1].name), 14) +
           FixedNumber(positions.moonNodeLongitude * 180.0 / kPi, 1) + "°\n";
    out += PadRight(Translated(catalogue.entries[kEntrySiderealTime].name), 14) +
           FormatHoursMinutes(positions.siderealTime0h) + "\n";
    return out;
}

std::string PositionsCsv(const Positions& positions, const BodyCatalogue& catalogue,
                         const std::vector<TargetPositionRow>* targets) {
    CsvTable table;
    table.header = {"jd", "utc", "index", "name", "ra", "dec", "diameter", "magnitude",
                    "moonNodeLongitude", "siderealTime0h"};
    if (targets != nullptr) {
        for (const char* column : {"rightAscension", "declination", "distance", "kind"}) table.header.push_back(column);
    }
    for (int body = 0; body < kBodyCount; ++body) {
        const BodyPosition& p = positions.bodies[static_cast<std::size_t>(body)];
        table.rows.push_back({ShortestNumber(positions.jd), IsoInstant(positions.jd), std::to_string(body),
                              BodyName(catalogue, body), ShortestNumber(p.ra), ShortestNumber(p.dec),
                              ShortestNumber(p.diameter), ShortestNumber(p.magnitude),
                              ShortestNumber(positions.moonNodeLongitude),
                              ShortestNumber(positions.siderealTime0h)});
        if (targets != nullptr) table.rows.back().resize(table.header.size());
    }
    if (targets != nullptr) {
        const auto optional = [](const std::optional<double>& v) { return v ? ShortestNumber(*v) : std::string(); };
        for (const TargetPositionRow& t : *targets) {
            table.rows.push_back({ShortestNumber(positions.jd), IsoInstant(positions.jd), std::string(), t.name,
                                  ShortestNumber(t.place.ra), ShortestNumber(t.place.dec), std::string(),
                                  optional(t.place.magnitude), ShortestNumber(positions.moonNodeLongitude),
                                  ShortestNumber(positions.siderealTime0h),
                                  ShortestNumber(t.place.ra * kHoursPerRadian),
                                  ShortestNumber(t.place.dec * kDegreesPerRadian), optional(t.place.distance), t.kind});
        }
    }
    return CsvText(table);
}

}  // namespace velmarin
