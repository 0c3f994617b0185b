#include <array>
#include <string>

#include "core/almanac/almanac_commands.h"
#include "core/almanac/command_output.h"
#include "core/almanac/options.h"
#include "core/almanac/text_table.h"
#include "core/chart/body_catalogue.h"
#include "core/ephemeris/body_position.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {
namespace {

struct Positions {
    std::array<BodyPosition, kBodyCount> bodies;
    double moonNodeLongitude = 0.0;
    double siderealTime0h = 0.0;
};

Positions ComputePositions(double jd) {
    Positions result;
    EphemerisContext context;
    // Index order puts the Sun first, whose values the planets and the Moon read.
    for (int body = 0; body < kBodyCount; ++body)
        result.bodies[static_cast<std::size_t>(body)] = ComputeBodyPosition(context, body, jd);
    result.moonNodeLongitude = context.moonNodeLongitude;
    result.siderealTime0h = SiderealTimeAtZeroHours(jd);
    return result;
}

std::string PositionsJson(double jd, const Positions& positions, const BodyCatalogue& catalogue) {
    std::string out = "{\"jd\":" + JsonNumber(jd) + ",\"bodies\":[";
    for (int body = 0; body < kBodyCount; ++body) {
        const BodyPosition& p = positions.bodies[static_cast<std::size_t>(body)];
        if (body > 0) out += ',';
        out += "{\"index\":" + std::to_string(body) +
               ",\"name\":" + JsonString(catalogue.entries[static_cast<std::size_t>(body)].name) +
               ",\"ra\":" + JsonNumber(p.ra) + ",\"dec\":" + JsonNumber(p.dec) +
               ",\"diameter\":" + JsonNumber(p.diameter) +
               ",\"magnitude\":" + JsonNumber(p.magnitude) + "}";
    }
    out += "],\"moonNodeLongitude\":" + JsonNumber(positions.moonNodeLongitude) +
           ",\"siderealTime0h\":" + JsonNumber(positions.siderealTime0h) + "}\n";
    return out;
}

std::string PositionsTable(double jd, const Positions& positions, const BodyCatalogue& catalogue) {
    const CalendarInstant instant = CalendarFromJulianDay(jd);
    std::string out = GermanDate(jd) + " " + ClockTime(instant.hour) + " UT (JD " +
                      FixedNumber(jd, 5) + ")\n\n";
    out += PadRight("", 9) + PadLeft("Rektaszension", 14) + PadLeft("Deklination", 13) +
           PadLeft("Durchmesser", 13) + PadLeft("Helligkeit", 12) + "\n";
    for (int body = 0; body < kBodyCount; ++body) {
        const BodyPosition& p = positions.bodies[static_cast<std::size_t>(body)];
        // Sun and Moon in arc minutes, the planets in arc seconds, as the readout shows them.
        const bool large = body == kSun || body == kMoon;
        const std::string diameter =
            large ? FixedNumber(p.diameter / 60.0, 1) + "'" : FixedNumber(p.diameter, 1) + "\"";
        const std::string declination = SignedFixedNumber(p.dec * 180.0 / kPi, 1);
        out += PadRight(catalogue.entries[static_cast<std::size_t>(body)].name, 9) +
               PadLeft(FormatHoursMinutes(p.ra), 14) + PadLeft(declination + "°", 13) +
               PadLeft(diameter, 13) + PadLeft(FixedNumber(p.magnitude, 1) + "mag", 12) + "\n";
    }
    out += "\n" + PadRight(catalogue.entries[kEntryMoonNode1].name, 14) +
           FixedNumber(positions.moonNodeLongitude * 180.0 / kPi, 1) + "°\n";
    out += PadRight(catalogue.entries[kEntrySiderealTime].name, 14) +
           FormatHoursMinutes(positions.siderealTime0h) + "\n";
    return out;
}

}  // namespace

int RunPositionsCommand(const std::vector<std::string>& args) {
    auto parsed = ParsePositionsOptions(args);
    if (const auto* error = std::get_if<std::string>(&parsed)) return ReportBadInput(*error);
    const PositionsOptions& options = std::get<PositionsOptions>(parsed);

    const Positions positions = ComputePositions(options.jd);
    const BodyCatalogue catalogue = MakeBodyCatalogue();
    const std::string text = options.json ? PositionsJson(options.jd, positions, catalogue)
                                          : PositionsTable(options.jd, positions, catalogue);
    return WriteOutput(text) ? 0 : kExitWriteFailed;
}

}  // namespace velmarin
