#include "core/almanac/command_line.h"

#include <string>
#include <string_view>
#include <vector>

#include "core/almanac/almanac_commands.h"
#include "core/almanac/command_output.h"
#include "core/text/message_text.h"
#include "core/app/version_text.h"
#include "core/app/window_options.h"

namespace velmarin {
namespace {

constexpr std::string_view kUsage =
    "Usage:\n"
    "  velmarin                 open the year chart in a window (Qt options such as\n"
    "                           -platform NAME are passed on)\n"
    "  velmarin positions (--jd JD | --date YYYY-MM-DD [--time HH:MM[:SS]])\n"
    "                     [--format text|json|csv | --json] [--output FILE]\n"
    "                     [--targets FILE|messier] [--elements FILE]\n"
    "  velmarin phases    [--year Y] [--format text|json|csv|ics | --json] [--output FILE]\n"
    "  velmarin daylight  [--year Y] [--lat DEG] [--lon DEG]\n"
    "                     [--tz HOURS [--summer-time on|off] | --zone AREA/CITY]\n"
    "                     [--format text|json|csv | --json] [--output FILE]\n"
    "  velmarin visibility [--year Y] [--lat DEG] [--lon DEG]\n"
    "                     [--tz HOURS [--summer-time on|off] | --zone AREA/CITY]\n"
    "                     [--format text|json|csv|ics | --json] [--output FILE]\n"
    "                     [--events sun,moon,twilight,targets]\n"
    "                     [--targets FILE|messier] [--elements FILE] [--best]\n"
    "  velmarin render    --output FILE.{png,svg,pdf} | --output - --format png|svg|pdf\n"
    "                     [--year Y | --years Y1..Y2]\n"
    "                     [--mode normal|sun|midnight|twilight | --modes normal,sun,midnight,twilight]\n"
    "                     [--size WxH]\n"
    "                     [--lat DEG] [--lon DEG] | --places FILE\n"
    "                     [--tz HOURS [--summer-time on|off] | --zone AREA/CITY]\n"
    "                     [--moon on|off] [--grid on|off] [--day-line on|off]\n"
    "                     [--code none|diameter|brightness|both]\n"
    "                     [--planets on|off] [--moonlight on|off]\n"
    "                     [--bodies Sonne,Merkur,Venus,Mars,Jupiter,Saturn,Uranus,Neptun,Mond]\n"
    "                     [--print [--paper A4|A3|Letter [--dpi N]\n"
    "                              [--orientation portrait|landscape]]]\n"
    "                     [--targets FILE|messier] [--elements FILE]\n"
    "  velmarin --help | --version\n"
    "\n"
    "--format text (a table) is the default; --json is --format json; ics\n"
    "(iCalendar) is written by phases and visibility, --events picks its events.\n"
    "--output - or no --output writes to standard output.\n"
    "\n"
    "Times are UT. Angles are printed in radians, latitude and longitude are given\n"
    "in degrees (north and east positive). Options not given take the values of the\n"
    "settings file; the year defaults to the current year. Numbers are written with\n"
    "a '.' whatever the locale. render --output - writes the image to standard output.\n"
    "--paper draws the print pass on a whole sheet at N dots per inch (default 300)\n"
    "instead of --size. Files are replaced only when complete. Bad input ends with\n"
    "exit status 2.\n"
    "render draws every combination of --years (Y1..Y2 or a list Y,Y,...), --modes\n"
    "and --places (CSV: name,lat,lon[,zone], degrees, zone AREA/CITY) in parallel;\n"
    "--output is then a pattern with {year}, {mode} and {place}\n"
    "(charts/{place}-{year}-{mode}.png), or one .pdf without them: an atlas with a\n"
    "page per chart, years first, then places, then modes. It prints the number of\n"
    "charts written; the first chart that fails stops it with one line.\n"
    "--targets (CSV: name,ra,dec[,magnitude,kind], J2000, RA hours, Dec degrees; or\n"
    "messier, the built-in list) and --elements (MPC comet or MPCORB lines) may be\n"
    "given more than once; --best prints each target's best nights instead.\n"
    "--bodies names the bodies render draws, in German or English (Sun ... Neptune,\n"
    "Moon), or none; all by default. It takes the place of --moon.\n"
    "\n"
    "--lang de|en, on every command and for the window, chooses the language of\n"
    "the chart, the tables and the window; German is the default, whatever the\n"
    "locale. Without it the settings file's line \"lang en\" (the window's choice)\n"
    "counts. JSON and CSV are the same in both languages.\n";

}  // namespace

std::optional<int> RunCommandLineWithoutWindow(int argc, char* argv[], const ZoneDatabase* zones) {
    if (argc < 2 || argv[1] == nullptr) return std::nullopt;
    const std::string_view command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);

    if (command == "positions") return RunPositionsCommand(args);
    if (command == "phases") return RunPhasesCommand(args);
    if (command == "daylight") return RunDaylightCommand(args, zones);
    if (command == "visibility") return RunVisibilityCommand(args, zones);
    if (command == "render") return std::nullopt;
    if (command == "--help" || command == "-h" || command == "help") {
        if (argc > 2) return ReportBadInput("--help takes no arguments");
        return WriteOutput(std::string(kUsage), "") ? 0 : kExitWriteFailed;
    }
    if (command == "--version") {
        if (argc > 2) return ReportBadInput("--version takes no arguments");
        // The same version text as the about box shows.
        return WriteOutput("Velmarin " + ReadVersionInfo().versionText + "\n", "") ? 0 : kExitWriteFailed;
    }
    // A word that is neither a subcommand nor an option is most likely a
    // mistyped subcommand; options belong to the window (Qt's own switches).
    if (command.empty() || command[0] != '-')
        return ReportBadInput("unknown command " + QuoteForMessage(command) + " (see velmarin --help)");
    const std::vector<std::string> windowArgs(argv + 1, argv + argc);
    if (const auto unknown = UnknownWindowArgument(windowArgs))
        return ReportBadInput("unknown option " + QuoteForMessage(*unknown) + " (see velmarin --help)");
    return std::nullopt;
}

}  // namespace velmarin
