#include "core/app/settings_file.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <system_error>
#include <vector>

#include "core/text/message_text.h"
#include "core/app/number_scan.h"
#include "core/app/settings_lines.h"
#include "core/ephemeris/civil_offsets.h"
#include "core/text/number_text.h"

namespace velmarin {
namespace {

constexpr std::size_t kMaxReadBytes = 1 << 20;

// Scans integers into the fields in order until one does not scan.
void ScanInts(std::string_view line, std::initializer_list<int*> fields) {
    for (int* field : fields) {
        const std::optional<int> value = ScanInt(line);
        if (!value) return;
        *field = *value;
    }
}

void AppendInt(std::string& out, int value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

struct Prefix {
    std::optional<std::string> text;  // nothing when the file could not be read
    int osError = 0;                  // then why; ENOENT for a missing file, 0 for no regular file
};

// The first `limit` bytes of a regular file. Opened without blocking, so a
// FIFO in the file's place cannot stop the program.
Prefix ReadPrefix(const std::filesystem::path& path, std::size_t limit) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return {std::nullopt, errno};
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return {std::nullopt, error};
    }
    if (!S_ISREG(info.st_mode)) {
        // A FIFO, device or socket has no errno of its own: 0 says "not a regular file".
        ::close(fd);
        return {std::nullopt, S_ISDIR(info.st_mode) ? EISDIR : 0};
    }
    std::string text(limit, '\0');
    std::size_t used = 0;
    while (used < limit) {
        const ssize_t got = ::read(fd, text.data() + used, limit - used);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            return {std::nullopt, error};
        }
        if (got == 0) break;
        used += static_cast<std::size_t>(got);
    }
    ::close(fd);
    text.resize(used);
    return {std::move(text), 0};
}

std::filesystem::path HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return entry->pw_dir;
    return ".";
}

// "1" switches an extension on; anything else is its default, off.
bool FlagValue(std::string_view value) { return value == "1"; }

void ApplyExtensionLine(const SettingsLine& line, ChartSettings& settings) {
    const std::string_view keyword = line.Keyword();
    const std::string_view value = line.Value();
    if (keyword == kZoneKeyword) {
        settings.zone = IsZoneNameShaped(value) ? std::string(value) : std::string();
    } else if (keyword == kPlanetsKeyword) {
        settings.showPlanets = FlagValue(value);
    } else if (keyword == kMoonlightKeyword) {
        settings.showMoonlight = FlagValue(value);
    } else {
        settings.otherExtensionLines.emplace_back(line.Scanned());
    }
}

}  // namespace

ChartSettings ParseSettingsText(std::string_view text, const ChartSettings& defaults) {
    ChartSettings settings = defaults;
    for (const SettingsLine& line : SplitSettingsLines(text)) {
        const std::string_view scanned = line.Scanned();
        switch (line.role) {
            case SettingsLineRole::Flags: {
                // The switches as numbers: any but 0 is on (as 2 or -1 from a
                // hand-edited file always was); a field the line lacks keeps its value.
                int codeByDiameter = settings.codeByDiameter, codeByBrightness = settings.codeByBrightness;
                int displayMode = static_cast<int>(settings.displayMode);
                int showDayLine = settings.showDayLine, showGrid = settings.showGrid, showMoon = settings.showMoon;
                ScanInts(scanned, {&codeByDiameter, &codeByBrightness, &displayMode, &showDayLine,
                                   &settings.reservedFlag, &showGrid, &showMoon});
                settings.codeByDiameter = codeByDiameter != 0;
                settings.codeByBrightness = codeByBrightness != 0;
                settings.displayMode = static_cast<DisplayMode>(displayMode);  // kept as read, even out of range
                settings.showDayLine = showDayLine != 0;
                settings.showGrid = showGrid != 0;
                settings.showMoon = showMoon != 0;
                break;
            }
            case SettingsLineRole::Place: {
                const ScannedFields place = ScanDoubleFields(scanned, 3);
                if (place.values.size() > 0) settings.latitude = place.values[0] * degToRad;
                if (place.values.size() > 1) settings.longitude = place.values[1] * degToRad;
                if (place.values.size() > 2) settings.timeZoneHours = place.values[2];
                break;
            }
            case SettingsLineRole::Size: ScanInts(scanned, {&settings.windowWidth, &settings.windowHeight}); break;
            case SettingsLineRole::Keyword: ApplyExtensionLine(line, settings); break;
            case SettingsLineRole::Foreign: break;
        }
    }
    return settings;
}

std::optional<std::string> UnusableZoneValue(std::string_view text) {
    std::optional<std::string> value;
    for (const SettingsLine& line : SplitSettingsLines(text)) {
        if (line.role != SettingsLineRole::Keyword || line.Keyword() != kZoneKeyword) continue;
        const std::string_view zone = line.Value();
        value = zone.empty() || IsZoneNameShaped(zone) ? std::nullopt : std::optional<std::string>(zone);
    }
    return value;
}

std::string FormatSettingsText(const ChartSettings& settings, bool withWindowSize) {
    std::string text;
    const int flags[] = {int{settings.codeByDiameter}, int{settings.codeByBrightness},
                         static_cast<int>(settings.displayMode), int{settings.showDayLine},
                         settings.reservedFlag, int{settings.showGrid}, int{settings.showMoon}};
    for (std::size_t i = 0; i < std::size(flags); ++i) {
        if (i > 0) text += ' ';
        AppendInt(text, flags[i]);
    }
    text += "\r\n";
    text += FixedNumber(settings.latitude / degToRad, 6);
    text += ' ';
    text += FixedNumber(settings.longitude / degToRad, 6);
    text += ' ';
    text += FixedNumber(settings.timeZoneHours, 1);
    text += "\r\n";
    if (withWindowSize) {
        AppendInt(text, settings.windowWidth);
        text += ' ';
        AppendInt(text, settings.windowHeight);
        text += "\r\n";
    }
    // Only extensions away from their defaults: a user who never uses one
    // keeps the plain two or three lines.
    const auto appendLine = [&text](std::string_view keyword, std::string_view value) {
        text += keyword;
        text += ' ';
        text += value;
        text += "\r\n";
    };
    if (IsZoneNameShaped(settings.zone)) appendLine(kZoneKeyword, settings.zone);
    if (settings.showPlanets) appendLine(kPlanetsKeyword, "1");
    if (settings.showMoonlight) appendLine(kMoonlightKeyword, "1");
    for (const std::string& line : settings.otherExtensionLines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

bool WindowPositionAllowsSizeLine(int windowLeft, int windowTop) {
    return windowTop > 0 && windowLeft > 0;
}

std::filesystem::path SettingsFilePath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path folder;
    if (config != nullptr && config[0] == '/') folder = config;
    else folder = HomeFolder() / ".config";
    return folder / "Velmarin.ini";
}

SettingsLoadResult LoadSettings(const std::filesystem::path& path, ChartSettings& settings) {
    // One byte more than is looked at tells a file that was not read whole.
    Prefix prefix = ReadPrefix(path, kMaxReadBytes + 1);
    if (!prefix.text) {
        // Only a file that is really not there may be replaced by the defaults.
        if (prefix.osError == ENOENT) return {SettingsFileState::Missing, 0, {}, true};
        return {SettingsFileState::Unreadable, prefix.osError, {}, true};
    }
    SettingsLoadResult result{SettingsFileState::Loaded, 0, std::move(*prefix.text), true};
    if (result.text.size() > kMaxReadBytes) {
        result.text.resize(kMaxReadBytes);
        result.complete = false;
    }
    settings = ParseSettingsText(result.text, settings);
    return result;
}

std::string DescribeSettingsLoad(const std::filesystem::path& path, const SettingsLoadResult& result) {
    const std::string quoted = QuoteForMessage(path.string());
    switch (result.state) {
        case SettingsFileState::Loaded:
            if (!result.complete)
                return "the settings file " + quoted + " is larger than 1 MiB: only its first MiB is read";
            return "read the settings file " + quoted;
        case SettingsFileState::Missing: return "no settings file " + quoted;
        case SettingsFileState::Unreadable: break;
    }
    return "cannot read the settings file " + quoted + ": " +
           (result.osError != 0 ? std::strerror(result.osError) : "it is not a regular file");
}

FileWriteResult SaveSettingsText(const std::filesystem::path& path, std::string_view text) {
    if (const Prefix current = ReadPrefix(path, text.size() + 1); current.text && *current.text == text)
        return {};

    std::filesystem::path folder = path.parent_path();
    if (folder.empty()) folder = ".";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return {FileWriteError::CreateTemporary, error.value()};

    // Temporary files of killed saves are cleared by the write.
    return WriteFileAtomically(path, text);
}

FileWriteResult SaveSettings(const std::filesystem::path& path, const ChartSettings& settings,
                             bool withWindowSize) {
    return SaveSettingsText(path, FormatSettingsText(settings, withWindowSize));
}

}  // namespace velmarin
