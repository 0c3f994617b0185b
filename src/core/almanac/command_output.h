#pragma once

#include <string>
#include <string_view>

#include "core/almanac/options.h"
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
// cannot be read (that is said in one line on stderr). Never writes.
ChartSettings SettingsForCommandLine();
// The current local calendar year.
int CurrentYear();

// Writes text to stdout; false (after a message on stderr) when that failed.
bool WriteOutput(const std::string& text);
// Writes text where the target says: standard output (no file, or "-"), or
// the file, replaced atomically. Returns the exit status: 0; 1 when standard
// output fails; 2 (after one line on stderr) when the file cannot be written,
// which then keeps its old content.
int EmitOutput(const std::string& text, const OutputTarget& target);
// The one-line error of bad input: "velmarin: <message>" on stderr; returns 2.
int ReportBadInput(const std::string& message);

inline constexpr int kExitBadInput = 2;
inline constexpr int kExitWriteFailed = 1;

}  // namespace velmarin
