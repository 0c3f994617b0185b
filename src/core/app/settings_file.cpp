#include "core/app/settings_file.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <system_error>
#include <vector>

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

std::optional<std::string> ReadPrefix(const std::filesystem::path& path, std::size_t limit) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text(limit, '\0');
    in.read(text.data(), static_cast<std::streamsize>(limit));
    if (in.bad()) return std::nullopt;
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Makes the directory entry of a rename durable; failure only weakens that.
void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
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
    ScanInts(NextLine(text), {&settings.codeByDiameter, &settings.codeByBrightness,
                              &settings.displayMode, &settings.showDayLine, &settings.reservedFlag,
                              &settings.showGrid, &settings.showMoon});

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
    const int flags[] = {settings.codeByDiameter, settings.codeByBrightness, settings.displayMode,
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

bool LoadSettings(const std::filesystem::path& path, ChartSettings& settings) {
    const std::optional<std::string> text = ReadPrefix(path, kMaxReadBytes);
    if (!text) return false;
    settings = ParseSettingsText(*text, settings);
    return true;
}

// A save killed between creating its temporary file and the rename leaves that
// file behind. A save takes milliseconds, so one older than this was abandoned;
// younger ones may belong to another instance saving right now.
constexpr auto kAbandonedTempAge = std::chrono::minutes(10);

void RemoveAbandonedTempFiles(const std::filesystem::path& folder, const std::string& fileName) {
    const std::string prefix = "." + fileName + ".";
    const auto now = std::filesystem::file_time_type::clock::now();
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error) return;
    for (const auto& entry : entries) {
        const std::string name = entry.path().filename().string();
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
        std::error_code entryError;
        if (!entry.is_regular_file(entryError) || entryError) continue;
        const auto written = entry.last_write_time(entryError);
        if (entryError || now - written < kAbandonedTempAge) continue;
        std::filesystem::remove(entry.path(), entryError);
    }
}

bool SaveSettings(const std::filesystem::path& path, const ChartSettings& settings,
                  bool withWindowSize) {
    const std::string text = FormatSettingsText(settings, withWindowSize);
    if (const auto current = ReadPrefix(path, text.size() + 1); current && *current == text)
        return true;

    std::filesystem::path folder = path.parent_path();
    if (folder.empty()) folder = ".";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return false;

    std::string pattern = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) return false;
    // Keep the permissions of the file being replaced; a new one gets rw-r--r--.
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, text) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = ::rename(pattern.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(pattern.c_str());
        return false;
    }
    SyncFolder(folder);
    RemoveAbandonedTempFiles(folder, path.filename().string());
    return true;
}

}  // namespace velmarin
