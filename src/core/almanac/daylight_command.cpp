#include <string>
#include <vector>

#include "core/almanac/almanac_commands.h"
#include "core/almanac/command_output.h"
#include "core/almanac/options.h"
#include "core/almanac/settings_limits.h"
#include "core/almanac/text_table.h"
#include "core/app/settings_file.h"
#include "core/chart/chart_clock.h"
#include "core/chart/twilight_sampling.h"

namespace velmarin {
namespace {

std::string BandDigits(const TwilightDay& day) {
    std::string digits;
    digits.reserve(day.bands.size());
    for (const std::uint8_t band : day.bands) digits += static_cast<char>('0' + band);
    return digits;
}

std::string DaylightJson(const DaylightOptions& options, const std::vector<TwilightDay>& days,
                         const YearOffsets& offsets) {
    std::string out = "{\"year\":" + std::to_string(options.year) +
                      ",\"latitude\":" + JsonNumber(options.latitudeDegrees) +
                      ",\"longitude\":" + JsonNumber(options.longitudeDegrees) +
                      ",\"timeZoneHours\":" + JsonNumber(options.settings.timeZoneHours) +
                      ",\"summerTime\":" + (options.settings.summerTime ? "true" : "false") +
                      ",\"zone\":" + (options.settings.zone.empty() ? "null" : JsonString(options.settings.zone)) +
                      ",\"days\":[";
    for (std::size_t i = 0; i < days.size(); ++i) {
        const TwilightDay& day = days[i];
        if (i > 0) out += ',';
        out += "{\"jd\":" + JsonNumber(day.jd) + ",\"date\":" + JsonString(IsoDate(day.jd)) +
               ",\"utcOffsetHours\":" + JsonNumber(offsets.OfDay(day.jd).hours) +
               ",\"sunshineHours\":" + JsonNumber(day.sunshineHours) +
               ",\"darknessHours\":" + JsonNumber(day.darknessHours) +
               ",\"bands\":" + JsonString(BandDigits(day)) + "}";
    }
    return out + "]}\n";
}

std::string DaylightTable(const DaylightOptions& options, const std::vector<TwilightDay>& days) {
    std::string zone = FixedNumber(options.settings.timeZoneHours, 1);
    if (zone[0] != '-') zone.insert(0, "+");
    const std::string clock =
        options.settings.zone.empty()
            ? "UT" + zone + (options.settings.summerTime ? ", mit Sommerzeit" : ", ohne Sommerzeit")
            : "Zeitzone " + options.settings.zone;
    std::string out = "Dämmerung " + std::to_string(options.year) + ", Breite " +
                      FixedNumber(options.latitudeDegrees, 6) + "°, Länge " +
                      FixedNumber(options.longitudeDegrees, 6) + "°, " + clock + "\n\n";
    out += PadRight("Datum", 12) + PadLeft("Sonnenschein", 14) + PadLeft("Dunkelheit", 12) + "\n";
    for (const TwilightDay& day : days) {
        out += PadRight(GermanDate(day.jd), 12) + PadLeft(FixedNumber(day.sunshineHours, 1) + " h", 14) +
               PadLeft(FixedNumber(day.darknessHours, 1) + " h", 12) + "\n";
    }
    return out;
}

}  // namespace

int RunDaylightCommand(const std::vector<std::string>& args, const ZoneDatabase* zones) {
    auto parsed = ParseDaylightOptions(args, SettingsForCommandLine(), CurrentYear());
    if (const auto* error = std::get_if<std::string>(&parsed)) return ReportBadInput(*error);
    DaylightOptions& options = std::get<DaylightOptions>(parsed);
    if (auto error = SettingsFileValueOutOfRange("daylight", options.settings, SettingsFilePath()))
        return ReportBadInput(*error);
    if (auto error = SettleZoneAgainst("daylight", options.zoneGiven, options.settings, zones))
        return ReportBadInput(*error);

    TwilightInputs inputs;
    inputs.year = options.year;
    inputs.latitude = options.settings.latitude;
    inputs.longitude = options.settings.longitude;
    inputs.offsets = ChartYearOffsets(options.year, options.settings, zones);
    const std::vector<TwilightDay> days = SampleTwilightYear(inputs);
    const std::string text =
        options.json ? DaylightJson(options, days, inputs.offsets) : DaylightTable(options, days);
    return WriteOutput(text) ? 0 : kExitWriteFailed;
}

}  // namespace velmarin
