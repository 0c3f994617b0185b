#include "core/almanac/daylight_output.h"

#include "core/almanac/command_output.h"
#include "core/almanac/csv_writer.h"
#include "core/almanac/text_table.h"
#include "core/chart/chart_clock.h"
#include "core/text/text_catalogue.h"

namespace velmarin {
namespace {

std::string BandDigits(const TwilightDay& day) {
    std::string digits;
    digits.reserve(day.bands.size());
    for (const std::uint8_t band : day.bands) digits += static_cast<char>('0' + band);
    return digits;
}

const char* JsonBool(int flag) { return flag ? "true" : "false"; }

}  // namespace

YearInputs YearInputsOf(const DaylightOptions& options, const ZoneDatabase* zones) {
    YearInputs inputs;
    inputs.year = options.year;
    inputs.latitude = options.settings.latitude;
    inputs.longitude = options.settings.longitude;
    inputs.offsets = ChartYearOffsets(options.year, options.settings, zones);
    return inputs;
}

std::string DaylightJson(const DaylightOptions& options, const YearInputs& inputs,
                         const std::vector<TwilightDay>& days) {
    std::string out = "{\"year\":" + std::to_string(options.year) +
                      ",\"latitude\":" + JsonNumber(options.latitudeDegrees) +
                      ",\"longitude\":" + JsonNumber(options.longitudeDegrees) +
                      ",\"timeZoneHours\":" + JsonNumber(options.settings.timeZoneHours) +
                      ",\"summerTime\":" + JsonBool(options.settings.summerTime) +
                      ",\"zone\":" + (options.settings.zone.empty() ? "null" : JsonString(options.settings.zone)) +
                      ",\"days\":[";
    for (std::size_t i = 0; i < days.size(); ++i) {
        const TwilightDay& day = days[i];
        if (i > 0) out += ',';
        out += "{\"jd\":" + JsonNumber(day.jd) + ",\"date\":" + JsonString(IsoDate(day.jd)) +
               ",\"utcOffsetHours\":" + JsonNumber(inputs.offsets.OfDay(day.jd).hours) +
               ",\"sunshineHours\":" + JsonNumber(day.sunshineHours) +
               ",\"darknessHours\":" + JsonNumber(day.darknessHours) +
               ",\"bands\":" + JsonString(BandDigits(day)) + "}";
    }
    return out + "]}\n";
}

std::string DaylightText(const DaylightOptions& options, const std::vector<TwilightDay>& days) {
    std::string zone = FixedNumber(options.settings.timeZoneHours, 1);
    if (zone[0] != '-') zone.insert(0, "+");
    const std::string clock =
        options.settings.zone.empty()
            ? "UT" + zone + (options.settings.summerTime ? Text(TextId::TableWithSummerTime) : Text(TextId::TableWithoutSummerTime))
            : Text(TextId::TableZone) + options.settings.zone;
    std::string out = Text(TextId::TableTwilight) + std::to_string(options.year) + Text(TextId::TableLatitude) +
                      FixedNumber(options.latitudeDegrees, 6) + Text(TextId::TableLongitude) +
                      FixedNumber(options.longitudeDegrees, 6) + "°, " + clock + "\n\n";
    out += PadRight(Text(TextId::TableDate), 12) + PadLeft(Text(TextId::TableSunshine), 14) + PadLeft(Text(TextId::CurveDarkness), 12) + "\n";
    for (const TwilightDay& day : days) {
        out += PadRight(GermanDate(day.jd), 12) + PadLeft(FixedNumber(day.sunshineHours, 1) + " h", 14) +
               PadLeft(FixedNumber(day.darknessHours, 1) + " h", 12) + "\n";
    }
    return out;
}

std::string DaylightCsv(const DaylightOptions& options, const YearInputs& inputs,
                        const std::vector<TwilightDay>& days) {
    CsvTable table;
    table.header = {"year", "latitude", "longitude", "timeZoneHours", "summerTime", "zone",
                    "jd", "date", "utcOffsetHours", "sunshineHours", "darknessHours", "bands"};
    for (const TwilightDay& day : days) {
        table.rows.push_back({std::to_string(options.year), ShortestNumber(options.latitudeDegrees),
                              ShortestNumber(options.longitudeDegrees),
                              ShortestNumber(options.settings.timeZoneHours),
                              JsonBool(options.settings.summerTime), options.settings.zone,
                              ShortestNumber(day.jd), IsoDate(day.jd),
                              ShortestNumber(inputs.offsets.OfDay(day.jd).hours),
                              ShortestNumber(day.sunshineHours),
                              ShortestNumber(day.darknessHours), BandDigits(day)});
    }
    // 240 digits would turn into one huge number in a spreadsheet.
    return CsvText(table, {"bands"});
}

}  // namespace velmarin
