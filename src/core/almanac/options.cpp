#include "core/almanac/options.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "core/almanac/settings_limits.h"
#include "core/app/display_modes.h"
#include "core/text/message_text.h"
#include "core/ephemeris/civil_offsets.h"
#include "core/almanac/visibility_events.h"
#include "core/text/number_text.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {
namespace {

// "normal, sun, midnight or twilight": the modes' words for a usage error.
std::string DisplayModeWords() {
    std::string words;
    for (std::size_t i = 0; i < kDisplayModeEntries.size(); ++i) {
        if (i > 0) words += i + 1 == kDisplayModeEntries.size() ? " or " : ", ";
        words += kDisplayModeEntries[i].cliWord;
    }
    return words;
}

struct OptionSpec {
    std::string_view name;
    bool takesValue;
};

struct OptionValue {
    std::string name;
    std::string value;
};

using OptionList = std::vector<OptionValue>;

// The user's word inside an error line: escaped and cut, so the line stays one line.
std::string Quoted(std::string_view text) { return QuoteForMessage(text); }

bool IsDigitChar(char c) { return c >= '0' && c <= '9'; }

// A signed run of digits: a whole number, however many digits it has.
bool IsWholeNumberText(std::string_view text) {
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) text.remove_prefix(1);
    return !text.empty() && std::all_of(text.begin(), text.end(), IsDigitChar);
}

// A decimal number in plain or exponent form: when such a text is no finite
// double, it is too large, not "not a number". (An infinity spelt out stays
// "not a number", as NaN does.)
bool IsDecimalNumberText(std::string_view text) {
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) text.remove_prefix(1);
    std::size_t i = 0, digits = 0;
    while (i < text.size() && IsDigitChar(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigitChar(text[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        const std::size_t exponentStart = i;
        while (i < text.size() && IsDigitChar(text[i])) ++i;
        if (i == exponentStart) return false;
    }
    return i == text.size();
}

// Splits "--name value" and "--name=value" words into pairs, checking every
// name against the command's options.
ParseResult<OptionList> SplitOptions(std::string_view command,
                                     const std::vector<std::string>& args,
                                     std::initializer_list<OptionSpec> specs) {
    OptionList options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word.size() < 3 || word.compare(0, 2, "--") != 0)
            return std::string(command) + ": unexpected argument " + Quoted(word);
        const std::size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        const auto spec = std::find_if(specs.begin(), specs.end(),
                                       [&](const OptionSpec& s) { return s.name == name; });
        if (spec == specs.end())
            return std::string(command) + ": unknown option " + Quoted(name);
        if (!spec->takesValue) {
            if (equals != std::string::npos)
                return std::string(command) + ": " + name + " takes no value";
            options.push_back({name, {}});
            continue;
        }
        if (equals != std::string::npos) {
            options.push_back({name, word.substr(equals + 1)});
        } else if (i + 1 < args.size()) {
            options.push_back({name, args[++i]});
        } else {
            return std::string(command) + ": " + name + " needs a value";
        }
    }
    return options;
}

std::string YearRangeText() {
    return "(" + std::to_string(kMinYear) + ".." + std::to_string(kMaxYear) + ")";
}

// A finite number within [low, high].
ParseResult<double> NumberInRange(std::string_view command, const OptionValue& option,
                                  double low, double high, std::string_view what) {
    const std::optional<double> value = ParseWholeDouble(option.value);
    if (!value && !IsDecimalNumberText(option.value))
        return std::string(command) + ": " + option.name + ": not a number: " + Quoted(option.value);
    if (!value || !(*value >= low && *value <= high))
        return std::string(command) + ": " + option.name + ": " + std::string(what) +
               " out of range: " + Quoted(option.value);
    return *value;
}

ParseResult<int> YearValue(std::string_view command, const OptionValue& option) {
    const std::optional<int> value = ParseWholeInt(option.value);
    if (!value && !IsWholeNumberText(option.value))
        return std::string(command) + ": " + option.name + ": not a whole number: " +
               Quoted(option.value);
    if (!value || *value < kMinYear || *value > kMaxYear)
        return std::string(command) + ": " + option.name + ": year out of range " + YearRangeText() + ": " +
               Quoted(option.value);
    return *value;
}

ParseResult<bool> OnOffValue(std::string_view command, const OptionValue& option) {
    if (option.value == "on") return true;
    if (option.value == "off") return false;
    return std::string(command) + ": " + option.name + ": expected on or off, not " +
           Quoted(option.value);
}

// --targets FILE|messier and --elements FILE, each as often as wanted.
bool IsTargetOption(std::string_view name) { return name == "--targets" || name == "--elements"; }
std::optional<std::string> ApplyTargetOption(std::string_view command, const OptionValue& option,
                                             TargetSources& sources) {
    if (option.value.empty()) return std::string(command) + ": " + option.name + " needs a file name";
    (option.name == "--targets" ? sources.lists : sources.elements).push_back(option.value);
    return std::nullopt;
}

// Error text of a failed parse, or nothing; copies a good value out.
template <typename T>
std::optional<std::string> Take(ParseResult<T>&& result, T& out) {
    if (!result) return result.error();
    out = *result;
    return std::nullopt;
}

// --json, --format and --output; the format chosen twice must agree.
struct OutputChoice {
    OutputTarget target;
    bool formatGiven = false;
};

bool IsOutputOption(std::string_view name) {
    return name == "--json" || name == "--format" || name == "--output";
}

std::optional<std::string> ApplyOutputOption(std::string_view command, const OptionValue& option,
                                             OutputChoice& choice) {
    if (option.name == "--output") {
        if (option.value.empty()) return std::string(command) + ": --output needs a file name";
        choice.target.file = option.value;
        return std::nullopt;
    }
    OutputFormat format = OutputFormat::Json;
    if (option.name == "--format") {
        static constexpr std::pair<std::string_view, OutputFormat> kFormats[] = {
            {"text", OutputFormat::Text}, {"json", OutputFormat::Json},
            {"csv", OutputFormat::Csv}, {"ics", OutputFormat::Ics}};
        const auto* found = std::find_if(std::begin(kFormats), std::end(kFormats),
                                         [&](const auto& f) { return f.first == option.value; });
        if (found == std::end(kFormats))
            return std::string(command) + ": --format: expected json, csv, ics or text, not " +
                   Quoted(option.value);
        format = found->second;
    }
    if (choice.formatGiven && choice.target.format != format)
        return std::string(command) + ": give one output format (--json is --format json)";
    choice.target.format = format;
    choice.formatGiven = true;
    return std::nullopt;
}

// The commands without events have no calendar file to offer.
std::optional<std::string> RejectCalendar(std::string_view command, const OutputTarget& target) {
    if (target.format != OutputFormat::Ics) return std::nullopt;
    return std::string(command) + ": --format ics: calendar files are written by phases and visibility only";
}

// The observer options shared by daylight and render, degrees in, radians out.
struct Observer {
    ChartSettings settings;
    double latitudeDegrees;
    double longitudeDegrees;
    bool zoneGiven = false;
    bool fixedZoneGiven = false;  // --tz or --summer-time
};

std::optional<std::string> ApplyObserverOption(std::string_view command, const OptionValue& option,
                                               Observer& observer) {
    double number = 0.0;
    bool flag = false;
    if (option.name == "--lat") {
        if (auto error = Take(NumberInRange(command, option, -kLatitudeLimitDegrees, kLatitudeLimitDegrees, "latitude"), number))
            return error;
        observer.latitudeDegrees = number;
        observer.settings.latitude = number * degToRad;
    } else if (option.name == "--lon") {
        if (auto error = Take(NumberInRange(command, option, -kLongitudeLimitDegrees,
                                                    kLongitudeLimitDegrees, "longitude"), number))
            return error;
        observer.longitudeDegrees = number;
        observer.settings.longitude = number * degToRad;
    } else if (option.name == "--tz") {
        if (auto error = Take(NumberInRange(command, option, -kTimeZoneLimitHours, kTimeZoneLimitHours, "time zone"), number))
            return error;
        observer.settings.timeZoneHours = number;
    } else if (option.name == "--summer-time") {
        if (auto error = Take(OnOffValue(command, option), flag)) return error;
        observer.settings.summerTime = flag;
    } else if (option.name == "--zone") {
        if (!IsZoneNameShaped(option.value))
            return std::string(command) + ": --zone: unknown zone " + Quoted(option.value);
        observer.settings.zone = option.value;
        observer.zoneGiven = true;
    }
    if (option.name == "--tz" || option.name == "--summer-time") observer.fixedZoneGiven = true;
    return std::nullopt;
}

// A zone and a fixed offset exclude each other; a fixed offset given leaves
// the settings file's zone.
std::optional<std::string> SettleZone(std::string_view command, Observer& observer) {
    if (observer.zoneGiven && observer.fixedZoneGiven)
        return std::string(command) + ": --zone excludes --tz and --summer-time";
    if (observer.fixedZoneGiven) observer.settings.zone.clear();
    return std::nullopt;
}

bool IsObserverOption(std::string_view name) {
    return name == "--lat" || name == "--lon" || name == "--tz" || name == "--summer-time" ||
           name == "--zone";
}

Observer ObserverFromSettings(const ChartSettings& settings) {
    return {settings, settings.latitude / degToRad, settings.longitude / degToRad};
}

std::optional<ImageFormat> FormatByName(std::string_view name) {
    if (name == "png") return ImageFormat::Png;
    if (name == "svg") return ImageFormat::Svg;
    if (name == "pdf") return ImageFormat::Pdf;
    return std::nullopt;
}

// --output and --format together: "-" needs --format; a file takes its
// extension's format, and a --format beside it must agree (a chart.png that
// holds a PDF helps nobody); with --format, any file name will do.
ParseResult<ImageFormat> ImageFormatOfOutput(const std::string& output, std::optional<ImageFormat> asked) {
    if (output == kStandardOutput) {
        if (!asked) return std::string("render: --output - needs --format png, svg or pdf");
        return *asked;
    }
    const std::optional<ImageFormat> named = ImageFormatOfFileName(output);
    if (!named && !asked)
        return "render: --output: the file name must end in .png, .svg or .pdf (or give --format): " +
               Quoted(output);
    if (named && asked && *named != *asked)
        return "render: --format does not match the file name " + Quoted(output);
    return asked ? *asked : *named;
}

// One side of --size: digits only, 1..kMaxImageSide.
std::optional<int> ImageSide(std::string_view text) {
    if (text.empty() || text.size() > 5) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > kMaxImageSide) return std::nullopt;
    return value;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}


// A field of digits only, exactly `width` long (0: one or more digits).
std::optional<int> DigitField(std::string_view text, std::size_t width) {
    if (text.empty() || (width != 0 && text.size() != width) || text.size() > 7) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// What --paper, --dpi and --orientation asked for, each when given.
struct PaperChoice {
    std::optional<Paper> paper;
    std::optional<int> dpi;
    std::optional<bool> landscape;
};

std::optional<std::string> ApplyPaperOption(const OptionValue& option, PaperChoice& choice) {
    const std::string_view value = option.value;
    if (option.name == "--paper") {
        if (value == "A4") choice.paper = Paper::A4;
        else if (value == "A3") choice.paper = Paper::A3;
        else if (value == "Letter") choice.paper = Paper::Letter;
        else return "render: --paper: expected A4, A3 or Letter, not " + Quoted(value);
    } else if (option.name == "--dpi") {
        const std::optional<int> dpi = ParseWholeInt(option.value);
        if (!dpi || *dpi < kMinPaperDpi || *dpi > kMaxPaperDpi)
            return "render: --dpi: expected a whole number 72..1200, not " + Quoted(value);
        choice.dpi = dpi;
    } else if (option.name == "--orientation") {
        if (value == "portrait") choice.landscape = false;
        else if (value == "landscape") choice.landscape = true;
        else return "render: --orientation: expected portrait or landscape, not " + Quoted(value);
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> SettleZoneAgainst(std::string_view command, bool zoneGiven,
                                             ChartSettings& settings, const ZoneDatabase* zones) {
    if (settings.zone.empty() || (zones != nullptr && zones->HasZone(settings.zone))) return std::nullopt;
    if (zoneGiven) return std::string(command) + ": --zone: unknown zone " + Quoted(settings.zone);
    settings.zone.clear();
    return std::nullopt;
}

double MinimumJulianDay() { return JulianDayFromDate(1, 1, kMinYear, 0.0); }

double MaximumJulianDay() { return JulianDayFromDate(31, 12, kMaxYear, 0.0) + 1.0; }

ParseResult<double> ParseDateTime(const std::string& date, const std::optional<std::string>& time) {
    const std::string badDate = "positions: --date: expected YYYY-MM-DD: " + Quoted(date);
    // A leading '-' belongs to the year; the year has at least four digits.
    const bool negative = !date.empty() && date[0] == '-';
    const std::string_view body = std::string_view(date).substr(negative ? 1 : 0);
    const std::size_t dash1 = body.find('-');
    const std::size_t dash2 = dash1 == std::string_view::npos ? dash1 : body.find('-', dash1 + 1);
    if (dash2 == std::string_view::npos || dash1 < 4) return badDate;
    if (IsWholeNumberText(body.substr(0, dash1)) && dash1 > 7)
        return "positions: --date: year out of range (-999999..999999): " + Quoted(date);
    const auto year = DigitField(body.substr(0, dash1), 0);
    const auto month = DigitField(body.substr(dash1 + 1, dash2 - dash1 - 1), 2);
    const auto day = DigitField(body.substr(dash2 + 1), 2);
    if (!year || !month || !day) return badDate;
    const int signedYear = negative ? -*year : *year;
    if (signedYear < kMinYear || signedYear > kMaxYear)
        return "positions: --date: year out of range " + YearRangeText() + ": " + Quoted(date);
    if (*month < 1 || *month > 12 || *day < 1 || *day > DaysInMonth(signedYear, *month))
        return "positions: --date: no such day: " + Quoted(date);

    double hour = 0.0;
    if (time) {
        const std::string badTime = "positions: --time: expected HH:MM or HH:MM:SS: " + Quoted(*time);
        const std::string_view text = *time;
        const std::size_t colon1 = text.find(':');
        if (colon1 == std::string_view::npos) return badTime;
        const std::size_t colon2 = text.find(':', colon1 + 1);
        const auto h = DigitField(text.substr(0, colon1), 2);
        const auto m = DigitField(text.substr(colon1 + 1, colon2 == std::string_view::npos
                                                              ? std::string_view::npos
                                                              : colon2 - colon1 - 1),
                                  2);
        const auto s = colon2 == std::string_view::npos
                           ? std::optional<int>(0)
                           : DigitField(text.substr(colon2 + 1), 2);
        if (!h || !m || !s) return badTime;
        if (*h > 23 || *m > 59 || *s > 59) return "positions: --time: no such time: " + Quoted(*time);
        hour = *h + *m / 60.0 + *s / 3600.0;
    }
    return JulianDayFromDate(*day, *month, signedYear, hour);
}

ParseResult<PositionsOptions> ParsePositionsOptions(const std::vector<std::string>& args) {
    constexpr std::string_view command = "positions";
    auto split = SplitOptions(command, args,
                              {{"--jd", true}, {"--date", true}, {"--time", true}, {"--json", false},
                               {"--format", true}, {"--output", true}, {"--targets", true},
                               {"--elements", true}});
    if (!split) return split.error();

    PositionsOptions options;
    OutputChoice output;
    std::optional<double> jd;
    std::optional<std::string> date;
    std::optional<std::string> time;
    for (const OptionValue& option : *split) {
        if (IsOutputOption(option.name)) {
            if (auto error = ApplyOutputOption(command, option, output)) return std::move(*error);
        } else if (option.name == "--jd") {
            double value = 0.0;
            if (auto error = Take(NumberInRange(command, option, MinimumJulianDay(),
                                                MaximumJulianDay(), "Julian Day"),
                                  value))
                return std::move(*error);
            jd = value;
        } else if (IsTargetOption(option.name)) {
            if (auto error = ApplyTargetOption(command, option, options.targets)) return std::move(*error);
        } else if (option.name == "--date") {
            date = option.value;
        } else if (option.name == "--time") {
            time = option.value;
        }
    }
    if (jd && date) return std::string("positions: give either --jd or --date, not both");
    if (time && !date) return std::string("positions: --time needs --date");
    if (!jd && !date) return std::string("positions: --jd or --date is required");
    if (auto error = RejectCalendar(command, output.target)) return std::move(*error);
    options.output = output.target;
    if (jd) {
        options.jd = *jd;
        return options;
    }
    auto instant = ParseDateTime(*date, time);
    if (!instant) return instant.error();
    options.jd = *instant;
    return options;
}

ParseResult<PhasesOptions> ParsePhasesOptions(const std::vector<std::string>& args,
                                              int currentYear) {
    constexpr std::string_view command = "phases";
    auto split = SplitOptions(command, args,
                              {{"--year", true}, {"--json", false}, {"--format", true},
                               {"--output", true}});
    if (!split) return split.error();

    PhasesOptions options;
    options.year = currentYear;
    OutputChoice output;
    for (const OptionValue& option : *split) {
        if (IsOutputOption(option.name)) {
            if (auto error = ApplyOutputOption(command, option, output)) return std::move(*error);
        } else if (option.name == "--year") {
            if (auto error = Take(YearValue(command, option), options.year)) return std::move(*error);
        }
    }
    options.output = output.target;
    return options;
}

namespace {

// --events: a comma-separated list of sun, moon, twilight and targets.
ParseResult<unsigned> EventGroups(std::string_view command, const OptionValue& option) {
    static constexpr std::pair<std::string_view, unsigned> kGroups[] = {
        {"sun", kEventsSun}, {"moon", kEventsMoon}, {"twilight", kEventsTwilight}, {"targets", kEventsTargets}};
    unsigned groups = 0;
    std::string_view rest = option.value;
    while (true) {
        const std::size_t comma = rest.find(',');
        const std::string_view word = rest.substr(0, comma);
        const auto* group = std::find_if(std::begin(kGroups), std::end(kGroups),
                                         [&](const auto& g) { return g.first == word; });
        if (group == std::end(kGroups))
            return std::string(command) + ": --events: expected sun, moon, twilight and/or targets, not " +
                   Quoted(option.value);
        groups |= group->second;
        if (comma == std::string_view::npos) return groups;
        rest.remove_prefix(comma + 1);
    }
}

// daylight and visibility: a year and an observer.
ParseResult<DaylightOptions> ParseYearAndObserver(std::string_view command,
                                                  const std::vector<std::string>& args,
                                                  const ChartSettings& fileSettings,
                                                  int currentYear) {
    auto split = SplitOptions(command, args,
                              {{"--year", true}, {"--lat", true}, {"--lon", true}, {"--tz", true},
                               {"--summer-time", true}, {"--zone", true}, {"--json", false},
                               {"--format", true}, {"--output", true}, {"--events", true},
                               {"--targets", true}, {"--elements", true}, {"--best", false}});
    if (!split) return split.error();
    const bool visibility = command == "visibility";

    DaylightOptions options;
    options.year = currentYear;
    Observer observer = ObserverFromSettings(fileSettings);
    OutputChoice output;
    for (const OptionValue& option : *split) {
        if (IsOutputOption(option.name)) {
            if (auto error = ApplyOutputOption(command, option, output)) return std::move(*error);
        } else if (option.name == "--year") {
            if (auto error = Take(YearValue(command, option), options.year)) return std::move(*error);
        } else if (IsObserverOption(option.name)) {
            if (auto error = ApplyObserverOption(command, option, observer)) return std::move(*error);
        } else if (option.name == "--events") {
            if (!visibility) return std::string(command) + ": unknown option '--events'";
            if (auto error = Take(EventGroups(command, option), options.events)) return std::move(*error);
        } else if (IsTargetOption(option.name) || option.name == "--best") {
            if (!visibility) return std::string(command) + ": unknown option " + Quoted(option.name);
            if (option.name == "--best") {
                options.best = true;
            } else if (auto error = ApplyTargetOption(command, option, options.targets)) {
                return std::move(*error);
            }
        }
    }
    if (options.best && options.targets.Empty())
        return std::string(command) + ": --best needs --targets or --elements";
    if (options.best && output.target.format == OutputFormat::Ics)
        return std::string(command) + ": --best has no calendar form (--format json, csv or text)";
    if (auto error = SettleZone(command, observer)) return std::move(*error);
    options.zoneGiven = observer.zoneGiven;
    if (!visibility) {
        if (auto error = RejectCalendar(command, output.target)) return std::move(*error);
    } else if (output.target.format != OutputFormat::Ics) {
        if (options.events != 0) return std::string(command) + ": --events belongs to --format ics";
    } else if (options.events == 0) {
        options.events = kAllVisibilityEvents;
    }
    options.output = output.target;
    options.settings = observer.settings;
    options.latitudeDegrees = observer.latitudeDegrees;
    options.longitudeDegrees = observer.longitudeDegrees;
    return options;
}

}  // namespace

ParseResult<DaylightOptions> ParseDaylightOptions(const std::vector<std::string>& args,
                                                  const ChartSettings& fileSettings,
                                                  int currentYear) {
    return ParseYearAndObserver("daylight", args, fileSettings, currentYear);
}

ParseResult<DaylightOptions> ParseVisibilityOptions(const std::vector<std::string>& args,
                                                    const ChartSettings& fileSettings,
                                                    int currentYear) {
    return ParseYearAndObserver("visibility", args, fileSettings, currentYear);
}

ParseResult<RenderOptions> ParseRenderOptions(const std::vector<std::string>& args,
                                              const ChartSettings& fileSettings, int currentYear) {
    constexpr std::string_view command = "render";
    auto split = SplitOptions(
        command, args,
        {{"--output", true}, {"--year", true}, {"--mode", true}, {"--size", true},
         {"--lat", true}, {"--lon", true}, {"--tz", true}, {"--summer-time", true},
         {"--zone", true}, {"--moon", true}, {"--grid", true}, {"--day-line", true}, {"--code", true},
         {"--planets", true}, {"--moonlight", true}, {"--format", true}, {"--print", false}, {"--paper", true}, {"--dpi", true},
         {"--orientation", true}, {"--targets", true}, {"--elements", true},
         {"--years", true}, {"--modes", true}, {"--places", true}, {"--bodies", true}});
    if (!split) return split.error();

    RenderOptions options;
    bool haveMoon = false, haveBodies = false;
    bool haveYear = false, haveMode = false, haveLocation = false;
    options.year = currentYear;
    Observer observer = ObserverFromSettings(fileSettings);
    bool haveOutput = false;
    std::optional<ImageFormat> askedFormat;
    bool haveSize = false;
    PaperChoice paper;
    for (const OptionValue& option : *split) {
        const std::string& name = option.name;
        ChartSettings& settings = observer.settings;
        if (IsTargetOption(name)) {
            if (auto error = ApplyTargetOption(command, option, options.targets)) return std::move(*error);
        } else if (name == "--paper" || name == "--dpi" || name == "--orientation") {
            if (auto error = ApplyPaperOption(option, paper)) return std::move(*error);
        } else if (name == "--print") {
            options.print = true;
        } else if (name == "--output") {
            if (option.value.empty()) return std::string("render: --output needs a file name");
            options.output = option.value;
            haveOutput = true;
        } else if (name == "--format") {
            askedFormat = FormatByName(option.value);
            if (!askedFormat)
                return "render: --format: expected png, svg or pdf, not " + Quoted(option.value);
        } else if (name == "--year") {
            if (auto error = Take(YearValue(command, option), options.year)) return std::move(*error);
            haveYear = true;
        } else if (name == "--years") {
            auto years = ParseYearList(option.value);
            if (!years) return "render: --years: " + years.error();
            options.years = *std::move(years);
        } else if (name == "--modes") {
            auto modes = ParseModeList(option.value);
            if (!modes) return "render: --modes: " + modes.error();
            options.modes = *std::move(modes);
        } else if (name == "--places") {
            if (option.value.empty()) return std::string("render: --places needs a file name");
            options.placesFile = option.value;
        } else if (IsObserverOption(name)) {
            if (auto error = ApplyObserverOption(command, option, observer)) return std::move(*error);
            if (name == "--lat" || name == "--lon") haveLocation = true;
        } else if (name == "--moon") {
            if (auto error = Take(OnOffValue(command, option), settings.showMoon)) return std::move(*error);
            haveMoon = true;
        } else if (name == "--bodies") {
            const Expected<BodyChoice> bodies = ParseBodyList(option.value);
            if (!bodies) return "render: --bodies: " + bodies.error();
            const BodyChoice& choice = *bodies;
            settings = WithShownBodies(std::move(settings), choice.shown);
            settings.showMoon = choice.moon ? 1 : 0;
            haveBodies = true;
        } else if (name == "--grid") {
            if (auto error = Take(OnOffValue(command, option), settings.showGrid)) return std::move(*error);
        } else if (name == "--planets") {
            if (auto error = Take(OnOffValue(command, option), settings.showPlanets)) return std::move(*error);
        } else if (name == "--moonlight") {
            if (auto error = Take(OnOffValue(command, option), settings.showMoonlight))
                return std::move(*error);
        } else if (name == "--day-line") {
            if (auto error = Take(OnOffValue(command, option), settings.showDayLine))
                return std::move(*error);
        } else if (name == "--mode") {
            const DisplayModeEntry* mode = DisplayModeEntryOfWord(option.value);
            if (mode == nullptr)
                return "render: --mode: expected " + DisplayModeWords() + ", not " + Quoted(option.value);
            settings.displayMode = mode->mode;
            haveMode = true;
        } else if (name == "--code") {
            static constexpr std::pair<std::string_view, std::pair<int, int>> kCodes[] = {
                {"none", {0, 0}}, {"diameter", {1, 0}}, {"brightness", {0, 1}}, {"both", {1, 1}}};
            const auto* code = std::find_if(std::begin(kCodes), std::end(kCodes),
                                            [&](const auto& c) { return c.first == option.value; });
            if (code == std::end(kCodes))
                return "render: --code: expected none, diameter, brightness or both, not " +
                       Quoted(option.value);
            settings.codeByDiameter = code->second.first;
            settings.codeByBrightness = code->second.second;
        } else if (name == "--size") {
            const std::size_t x = option.value.find_first_of("xX");
            const auto width = x == std::string::npos ? std::nullopt
                                                      : ImageSide(std::string_view(option.value).substr(0, x));
            const auto height = x == std::string::npos
                                    ? std::nullopt
                                    : ImageSide(std::string_view(option.value).substr(x + 1));
            if (!width || !height)
                return "render: --size: expected WxH with each side 1..16384: " + Quoted(option.value);
            options.width = *width;
            options.height = *height;
            haveSize = true;
        }
    }
    if (!haveOutput) return std::string("render: --output is required");
    if (haveYear && !options.years.empty()) return std::string("render: give either --year or --years, not both");
    if (haveMode && !options.modes.empty()) return std::string("render: give either --mode or --modes, not both");
    if (haveMoon && haveBodies) return std::string("render: give either --moon or --bodies, not both");
    if (haveLocation && !options.placesFile.empty())
        return std::string("render: --places excludes --lat and --lon");
    if (options.output != kStandardOutput) {
        auto fields = PatternFieldsOf(options.output);
        if (!fields) return "render: --output: " + fields.error();
        options.outputFields = *fields;
    } else if (options.years.size() > 1 || options.modes.size() > 1 || !options.placesFile.empty()) {
        return std::string("render: several charts need --output FILE, not standard output");
    }
    if (auto error = Take(ImageFormatOfOutput(options.output, askedFormat), options.format))
        return std::move(*error);
    if (auto error = SettleZone(command, observer)) return std::move(*error);
    options.zoneGiven = observer.zoneGiven;
    if (paper.paper) {
        // Paper sizes the print pass; the screen pass keeps to --size.
        if (!options.print) return std::string("render: --paper needs --print");
        if (haveSize) return std::string("render: give either --size or --paper, not both");
        options.paper = PaperPage{*paper.paper, paper.dpi.value_or(kDefaultPaperDpi),
                                  paper.landscape.value_or(LandscapeByDefault(fileSettings))};
    } else if (paper.dpi || paper.landscape) {
        return std::string("render: --dpi and --orientation need --paper");
    }
    options.settings = observer.settings;
    if (auto error = CheckBatchOutput(options, std::max<std::size_t>(1, options.years.size()), 1,
                                      std::max<std::size_t>(1, options.modes.size())))
        return std::move(*error);
    return options;
}

bool IsAtlas(const RenderOptions& options, std::size_t charts) {
    return charts > 1 && !options.outputFields.Any() && options.format == ImageFormat::Pdf;
}

std::optional<std::string> CheckBatchOutput(const RenderOptions& options, std::size_t years,
                                            std::size_t places, std::size_t modes) {
    const std::size_t charts = years * places * modes;
    if (charts > kMaxBatchCharts)
        return "render: " + std::to_string(charts) + " charts, more than " + std::to_string(kMaxBatchCharts);
    if (charts <= 1 || IsAtlas(options, charts)) return std::nullopt;
    const PatternFields& fields = options.outputFields;
    const auto missing = [&](const char* what, const char* field) {
        return "render: --output: several " + std::string(what) + " need " + field +
               " in the file name (or one .pdf file for all)";
    };
    if (years > 1 && !fields.year) return missing("years", "{year}");
    if (places > 1 && !fields.place) return missing("places", "{place}");
    if (modes > 1 && !fields.mode) return missing("modes", "{mode}");
    return std::nullopt;
}

}  // namespace velmarin
