#pragma once

#include <string>
#include <string_view>

#include "core/almanac/options.h"
#include "core/app/atomic_file.h"
#include "core/chart/chart_settings.h"
#include "core/text/number_text.h"

namespace velmarin {

// Shared pieces of the command-line subcommands.

// A number that reads back to the same double: printf's "%.17g", locale-free.
std::string JsonNumber(double value);
// JsonNumber(value) appended to out, for long outputs.
void AppendJsonNumber(std::string& out, double value);
// The shortest text that reads back to the same double, locale-free: the
// tables' numbers, equal to the JSON's without its trailing digits.
std::string ShortestNumber(double value);
// A JSON string literal (quotes and escapes included).
std::string JsonString(std::string_view text);

// "YYYY-MM-DD" of the UT calendar date of jd; years before 0 carry a '-'.
std::string IsoDate(double jd);
// "DD.MM.YYYY" of the UT calendar date of jd, as the program shows dates.
std::string GermanDate(double jd);

// "HH:MM" of a decimal hour of the day, minutes truncated.
std::string ClockTime(double hour);

// The settings file's values, or the defaults when there is none or it
// cannot be read (that is said in one line on stderr, after the command's
// prefix when one is given). Never writes.
ChartSettings SettingsForCommandLine(std::string_view command = {});
// The current local calendar year.
int CurrentYear();

// Writes text to stdout; false (after one line on stderr with the system's
// reason, prefixed with the command when one is given) when that failed.
bool WriteOutput(const std::string& text, std::string_view command);
// Writes text where the target says: standard output (no file, "-", or a
// name of standard output itself such as /dev/stdout), or the file, replaced
// atomically. Returns the exit status: 0, or after one line on stderr
// ("velmarin: <command>: --output '<file>': <reason>") the status of
// OutputFailureStatus; a file that cannot be written keeps its old content.
int EmitOutput(const std::string& text, const OutputTarget& target, std::string_view command);
// The exit status of a failed write: kExitWriteFailed (1) when the system
// refused a write that could have worked (a full disk, a quota, a file size
// limit, an I/O error, no file handles or memory, a failed rename);
// kExitBadInput (2) for an output that cannot be written at all (a folder,
// a device, a link to nothing, a missing or read-only folder, no permission).
int OutputFailureStatus(const FileWriteResult& result);
// The one-line error of bad input: "velmarin: <message>" on stderr; returns 2.
int ReportBadInput(const std::string& message);

inline constexpr int kExitBadInput = 2;
inline constexpr int kExitWriteFailed = 1;

}  // namespace velmarin
