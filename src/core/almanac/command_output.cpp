#include "core/almanac/command_output.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "core/app/atomic_file.h"
#include "core/app/message_text.h"
#include "core/app/settings_file.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {
namespace {

std::string ZeroPadded(int value, int width) {
    std::string digits = std::to_string(value < 0 ? -static_cast<long long>(value) : value);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return value < 0 ? "-" + digits : digits;
}

}  // namespace

std::string JsonNumber(double value) {
    std::string out;
    AppendJsonNumber(out, value);
    return out;
}

void AppendJsonNumber(std::string& out, double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, 17);
    out.append(buffer, result.ptr);
}

std::string ShortestNumber(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string IsoDate(double jd) {
    const CalendarInstant date = CalendarFromJulianDay(jd);
    return ZeroPadded(date.year, 4) + "-" + ZeroPadded(date.month, 2) + "-" + ZeroPadded(date.day, 2);
}

std::string GermanDate(double jd) {
    const CalendarInstant date = CalendarFromJulianDay(jd);
    return ZeroPadded(date.day, 2) + "." + ZeroPadded(date.month, 2) + "." + ZeroPadded(date.year, 4);
}

std::string ClockTime(double hour) {
    // The calendar gives negative hours before JD 0.5; show them on the clock.
    if (!(hour >= 0.0)) hour += 24.0;
    if (!(hour >= 0.0 && hour < 24.0)) hour = 0.0;
    const int minutes = static_cast<int>(hour * 60.0);
    const std::string h = std::to_string(minutes / 60);
    const std::string m = std::to_string(minutes % 60);
    return (h.size() < 2 ? "0" + h : h) + ":" + (m.size() < 2 ? "0" + m : m);
}

ChartSettings SettingsForCommandLine() {
    ChartSettings settings;
    const std::filesystem::path path = SettingsFilePath();
    const SettingsLoadResult loaded = LoadSettings(path, settings);
    if (loaded.state == SettingsFileState::Unreadable)
        std::fprintf(stderr, "velmarin: %s; using the defaults\n", DescribeSettingsLoad(path, loaded).c_str());
    return settings;
}

int CurrentYear() {
    double todayJd = 0.0;
    return CurrentYearAndToday(todayJd);
}

bool WriteOutput(const std::string& text) {
    const bool ok = std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
                    std::fflush(stdout) == 0;
    if (!ok) std::fprintf(stderr, "velmarin: cannot write the output\n");
    return ok;
}

int EmitOutput(const std::string& text, const OutputTarget& target) {
    if (target.file.empty() || target.file == "-") return WriteOutput(text) ? 0 : kExitWriteFailed;
    const FileWriteResult written = WriteFileAtomically(target.file, text);
    if (written.ok()) return 0;
    return ReportBadInput("--output " + QuoteForMessage(target.file) + ": " +
                          DescribeFileWriteResult(written));
}

int ReportBadInput(const std::string& message) {
    // One line whatever the user typed: control characters are escaped.
    std::fprintf(stderr, "velmarin: %s\n", OneLineMessage(message).c_str());
    return kExitBadInput;
}

}  // namespace velmarin
