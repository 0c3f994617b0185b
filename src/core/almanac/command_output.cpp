#include "core/almanac/command_output.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/almanac/seventeen_digits.h"
#include "core/app/atomic_file.h"
#include "core/text/message_text.h"
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

// "daylight: " before a message of that command; nothing without one.
std::string CommandPrefix(std::string_view command) {
    return command.empty() ? std::string() : std::string(command) + ": ";
}

// The failures where the system had not the room or the means for a write
// that could otherwise have worked.
bool IsResourceFailure(int error) {
    switch (error) {
        case ENOSPC: case EDQUOT: case EFBIG: case EIO: case ENOMEM: case EMFILE: case ENFILE: return true;
        default: return false;
    }
}

// Whether `file` is standard output under another name ("/dev/stdout",
// "/proc/self/fd/1"): the same open file, be it a pipe, a terminal or a file.
bool NamesStandardOutput(const std::string& file) {
    struct stat named {}, out {};
    return ::stat(file.c_str(), &named) == 0 && ::fstat(STDOUT_FILENO, &out) == 0 && named.st_dev == out.st_dev &&
           named.st_ino == out.st_ino;
}

}  // namespace

std::string JsonNumber(double value) {
    std::string out;
    AppendJsonNumber(out, value);
    return out;
}

void AppendJsonNumber(std::string& out, double value) {
    if (AppendSeventeenDigits(out, value)) return;
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

ChartSettings SettingsForCommandLine(std::string_view command) {
    ChartSettings settings;
    const std::filesystem::path path = SettingsFilePath();
    const SettingsLoadResult loaded = LoadSettings(path, settings);
    if (loaded.state == SettingsFileState::Unreadable)
        std::fprintf(stderr, "velmarin: %s%s; using the defaults\n", CommandPrefix(command).c_str(),
                     DescribeSettingsLoad(path, loaded).c_str());
    return settings;
}

int CurrentYear() {
    double todayJd = 0.0;
    return CurrentYearAndToday(todayJd);
}

bool WriteOutput(const std::string& text, std::string_view command) {
    // Straight to the descriptor: the system's reason of a failure is errno.
    std::fflush(stdout);
    std::string_view rest = text;
    while (!rest.empty()) {
        const ssize_t written = ::write(STDOUT_FILENO, rest.data(), rest.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            const int error = written < 0 ? errno : EIO;
            std::fprintf(stderr, "velmarin: %scannot write to standard output: %s\n", CommandPrefix(command).c_str(),
                         std::strerror(error));
            return false;
        }
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

int OutputFailureStatus(const FileWriteResult& result) {
    switch (result.error) {
        case FileWriteError::None: return 0;
        case FileWriteError::WriteData:
        case FileWriteError::Replace: return kExitWriteFailed;
        case FileWriteError::CreateTemporary: return IsResourceFailure(result.osError) ? kExitWriteFailed : kExitBadInput;
        case FileWriteError::TargetIsDirectory:
        case FileWriteError::TargetIsSpecial:
        case FileWriteError::DanglingLink:
        case FileWriteError::TargetUnusable: break;
    }
    return IsResourceFailure(result.osError) ? kExitWriteFailed : kExitBadInput;
}

int EmitOutput(const std::string& text, const OutputTarget& target, std::string_view command) {
    if (target.file.empty() || target.file == "-" || NamesStandardOutput(target.file))
        return WriteOutput(text, command) ? 0 : kExitWriteFailed;
    const FileWriteResult written = WriteFileAtomically(target.file, text);
    if (written.ok() && written.ownerChange) {
        // Written all the same; the user should know who owns it now.
        std::fprintf(stderr, "velmarin: %s%s\n", CommandPrefix(command).c_str(),
                     OneLineMessage("--output " + QuoteForMessage(target.file) + ": written, but " +
                                    DescribeOwnerChange(*written.ownerChange))
                         .c_str());
    }
    if (written.ok()) return 0;
    std::fprintf(stderr, "velmarin: %s%s\n", CommandPrefix(command).c_str(),
                 OneLineMessage("--output " + QuoteForMessage(target.file) + ": " + DescribeFileWriteResult(written))
                     .c_str());
    return OutputFailureStatus(written);
}

int ReportBadInput(const std::string& message) {
    // One line whatever the user typed: control characters are escaped.
    std::fprintf(stderr, "velmarin: %s\n", OneLineMessage(message).c_str());
    return kExitBadInput;
}

}  // namespace velmarin
