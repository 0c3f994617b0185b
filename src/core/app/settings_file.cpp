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

#include "core/app/message_text.h"
#include "core/app/number_scan.h"
#include "core/ephemeris/civil_offsets.h"
#include "core/text/number_text.h"

namespace velmarin {
namespace {

constexpr std::size_t kMaxReadBytes = 1 << 20;

// The next line of `text` (without its LF and a CR before it), advancing
// `text`. At the end of the text a line reads as empty. Text after a NUL
// byte is invisible to the scan, as it would be to sscanf.
std::string_view NextLine(std::string_view& text) {
    const std::size_t lf = text.find('\n');
    std::string_view line = text.substr(0, lf);
    text = lf == std::string_view::npos ? std::string_view() : text.substr(lf + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t nul = line.find('\0');
    if (nul != std::string_view::npos) line = line.substr(0, nul);
    return line;
}

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

// An extension line begins with a letter; a window-size line never does.
bool IsExtensionLine(std::string_view line) {
    return !line.empty() && ((line[0] >= 'A' && line[0] <= 'Z') || (line[0] >= 'a' && line[0] <= 'z'));
}

// "1" switches an extension on; anything else is its default, off.
int FlagValue(std::string_view value) { return value == "1" ? 1 : 0; }

void ApplyExtensionLine(std::string_view line, ChartSettings& settings) {
    const std::size_t space = line.find(' ');
    const std::string_view keyword = line.substr(0, space);
    const std::string_view value = space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
    if (keyword == kZoneKeyword) {
        settings.zone = IsZoneNameShaped(value) ? std::string(value) : std::string();
    } else if (keyword == kPlanetsKeyword) {
        settings.showPlanets = FlagValue(value);
    } else if (keyword == kMoonlightKeyword) {
        settings.showMoonlight = FlagValue(value);
    } else {
        settings.otherExtensionLines.emplace_back(line);
    }
}

}  // namespace

ChartSettings ParseSettingsText(std::string_view text, const ChartSettings& defaults) {
    ChartSettings settings = defaults;
    int displayMode = static_cast<int>(settings.displayMode);
    ScanInts(NextLine(text), {&settings.codeByDiameter, &settings.codeByBrightness, &displayMode,
                              &settings.showDayLine, &settings.reservedFlag, &settings.showGrid,
                              &settings.showMoon});
    settings.displayMode = static_cast<DisplayMode>(displayMode);  // kept as read, even out of range

    std::string_view line2 = NextLine(text);
    if (const auto latitude = ScanDouble(line2)) {
        settings.latitude = *latitude * degToRad;
        if (const auto longitude = ScanDouble(line2)) {
            settings.longitude = *longitude * degToRad;
            if (const auto zone = ScanDouble(line2)) settings.timeZoneHours = *zone;
        }
    }

    const std::string_view line3 = NextLine(text);
    if (IsExtensionLine(line3)) {
        ApplyExtensionLine(line3, settings);
    } else if (!line3.empty()) {
        ScanInts(line3, {&settings.windowWidth, &settings.windowHeight});
    }
    while (!text.empty()) {
        const std::string_view line = NextLine(text);
        if (IsExtensionLine(line)) ApplyExtensionLine(line, settings);
    }
    return settings;
}

std::string FormatSettingsText(const ChartSettings& settings, bool withWindowSize) {
    std::string text;
    const int flags[] = {settings.codeByDiameter, settings.codeByBrightness, static_cast<int>(settings.displayMode),
                         settings.showDayLine,    settings.reservedFlag,     settings.showGrid,
                         settings.showMoon};
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
    if (settings.showPlanets != 0) appendLine(kPlanetsKeyword, "1");
    if (settings.showMoonlight != 0) appendLine(kMoonlightKeyword, "1");
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
    const Prefix prefix = ReadPrefix(path, kMaxReadBytes);
    if (!prefix.text) {
        // Only a file that is really not there may be replaced by the defaults.
        if (prefix.osError == ENOENT) return {SettingsFileState::Missing, 0};
        return {SettingsFileState::Unreadable, prefix.osError};
    }
    settings = ParseSettingsText(*prefix.text, settings);
    return {SettingsFileState::Loaded, 0};
}

std::string DescribeSettingsLoad(const std::filesystem::path& path, const SettingsLoadResult& result) {
    const std::string quoted = QuoteForMessage(path.string());
    switch (result.state) {
        case SettingsFileState::Loaded: return "read the settings file " + quoted;
        case SettingsFileState::Missing: return "no settings file " + quoted;
        case SettingsFileState::Unreadable: break;
    }
    return "cannot read the settings file " + quoted + ": " +
           (result.osError != 0 ? std::strerror(result.osError) : "it is not a regular file");
}

// A save killed between creating its temporary file and the rename leaves that
// file behind. A save takes milliseconds, so one older than this was abandoned;
// younger ones may belong to another instance saving right now.
constexpr auto kAbandonedTempAge = std::chrono::minutes(10);

FileWriteResult SaveSettings(const std::filesystem::path& path, const ChartSettings& settings,
                             bool withWindowSize) {
    const std::string text = FormatSettingsText(settings, withWindowSize);
    if (const Prefix current = ReadPrefix(path, text.size() + 1); current.text && *current.text == text)
        return {};

    std::filesystem::path folder = path.parent_path();
    if (folder.empty()) folder = ".";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return {FileWriteError::CreateTemporary, error.value()};

    const FileWriteResult written = WriteFileAtomically(path, text);
    if (written.ok()) RemoveAbandonedTemporaryFiles(path, kAbandonedTempAge);
    return written;
}

}  // namespace velmarin
