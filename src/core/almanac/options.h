#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/almanac/render_batch.h"
#include "core/app/image_format.h"
#include "core/chart/chart_settings.h"
#include "core/ephemeris/civil_offsets.h"
#include "core/targets/target_files.h"
#include "core/text/expected.h"

namespace velmarin {

// Largest image side `render --size` accepts.
inline constexpr int kMaxImageSide = 16384;

// The --output name that means standard output.
inline constexpr std::string_view kStandardOutput = "-";

// What the almanac commands print: the German table (default), one JSON
// object, an RFC 4180 table or an iCalendar file.
enum class OutputFormat { Text, Json, Csv, Ics };

// The format and where it goes: `file` empty means standard output.
struct OutputTarget {
    OutputFormat format = OutputFormat::Text;
    std::string file;
};

// `render --print --paper`: the chart fills a sheet of that paper, drawn at
// its size in dots of `dpi`.
enum class Paper { A4, A3, Letter };
inline constexpr int kDefaultPaperDpi = 300;
inline constexpr int kMinPaperDpi = 72;
inline constexpr int kMaxPaperDpi = 1200;
struct PaperPage {
    Paper paper = Paper::A4;
    int dpi = kDefaultPaperDpi;
    bool landscape = true;
    bool operator==(const PaperPage&) const = default;
};

// `velmarin render` after parsing. Options not given keep the values of the
// settings the parser was handed (the settings file's, or its defaults).
struct RenderOptions {
    std::string output;
    ImageFormat format = ImageFormat::Png;
    int year = 2000;
    ChartSettings settings;
    int width = 1280;
    int height = 960;
    bool print = false;
    bool zoneGiven = false;  // settings.zone came from --zone (else from the file, or none)
    // Instead of width x height; without --orientation landscape as the
    // window's printer is by default (LandscapeByDefault of the file's settings).
    std::optional<PaperPage> paper;
    // --targets FILE|messier and --elements FILE, as given (not read yet).
    TargetSources targets;
    // What they hold, once the command has read them (shared by every chart of a batch).
    std::shared_ptr<const std::vector<Target>> loadedTargets;
    // Many charts from one process: --years, --modes (empty: just `year`,
    // just settings.displayMode) and --places FILE (empty: the observer of
    // the options); `output` is then a pattern with these fields.
    std::vector<int> years;
    std::vector<DisplayMode> modes;
    std::string placesFile;
    PatternFields outputFields;
};

// Whether `charts` charts of these options can be written: one file per
// chart needs the fields that tell them apart ({year} for several years,
// and so on), or else one PDF file without fields takes them all as pages.
// The one-line error otherwise.
std::optional<std::string> CheckBatchOutput(const RenderOptions& options, std::size_t years,
                                            std::size_t places, std::size_t modes);

// True when the options write one PDF with a page per chart (an atlas).
bool IsAtlas(const RenderOptions& options, std::size_t charts);

// A parse gives the options or a one-line error message (without the
// program name or a trailing newline).
template <typename T>
using ParseResult = Expected<T>;

// args: the words after "render". --output is required: a file, whose
// extension (.png, .svg, .pdf, any case) picks the format unless --format
// png|svg|pdf does (they must not disagree), or "-" for standard output,
// which needs --format.
ParseResult<RenderOptions> ParseRenderOptions(const std::vector<std::string>& args,
                                              const ChartSettings& fileSettings, int currentYear);

// Every almanac command takes --format json|csv|ics|text (--json is short for
// --format json) and --output FILE; ics only where the command has events.

// `velmarin positions`: the instant, from --jd or from --date/--time (UT).
struct PositionsOptions {
    double jd = 0.0;
    OutputTarget output;
    TargetSources targets;  // --targets, --elements
};
ParseResult<PositionsOptions> ParsePositionsOptions(const std::vector<std::string>& args);

// `velmarin phases`: the chart year (default: currentYear).
struct PhasesOptions {
    int year = 2000;
    OutputTarget output;
};
ParseResult<PhasesOptions> ParsePhasesOptions(const std::vector<std::string>& args,
                                              int currentYear);

// `velmarin daylight`: the year and the observer. Latitude and longitude are
// kept in degrees as given (or converted back from the settings file's
// radians) for printing, and in radians in `settings`.
struct DaylightOptions {
    int year = 2000;
    ChartSettings settings;
    double latitudeDegrees = 0.0;
    double longitudeDegrees = 0.0;
    OutputTarget output;
    // visibility's calendar: VisibilityEventGroup bits (--events), all by default.
    unsigned events = 0;
    bool zoneGiven = false;  // settings.zone came from --zone (else from the file, or none)
    // visibility only: --targets, --elements, and --best (the targets' best
    // nights instead of the days).
    TargetSources targets;
    bool best = false;
};
ParseResult<DaylightOptions> ParseDaylightOptions(const std::vector<std::string>& args,
                                                  const ChartSettings& fileSettings,
                                                  int currentYear);

// `velmarin visibility`: the same year and observer options as daylight.
ParseResult<DaylightOptions> ParseVisibilityOptions(const std::vector<std::string>& args,
                                                    const ChartSettings& fileSettings,
                                                    int currentYear);

// Holds the settings' zone against the zone database: a zone given with
// --zone that `zones` (may be null) lacks gives the one-line error; one the
// settings file names and `zones` lacks counts as none.
std::optional<std::string> SettleZoneAgainst(std::string_view command, bool zoneGiven,
                                             ChartSettings& settings, const ZoneDatabase* zones);

// Julian Day of a calendar date "YYYY-MM-DD" (year may carry a '-') and an
// optional UT time "HH:MM" or "HH:MM:SS"; hour = h + m/60 + s/3600.
ParseResult<double> ParseDateTime(const std::string& date, const std::optional<std::string>& time);

// The Julian Days that --jd accepts: 1 January of kMinYear to the end of
// 31 December of kMaxYear.
double MinimumJulianDay();
double MaximumJulianDay();

}  // namespace velmarin
