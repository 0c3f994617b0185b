#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/app/atomic_file.h"
#include "core/chart/chart_settings.h"

namespace velmarin {

// The settings file "Velmarin.ini": two or three text lines, CR LF ended,
// angles in degrees.
//   line 1: codeByDiameter codeByBrightness displayMode showDayLine reservedFlag showGrid showMoon
//   line 2: latitude longitude (six decimals) timeZoneHours (one decimal)
//   line 3: windowWidth windowHeight (optional)
// then extension lines "keyword value" (ASCII keyword, one blank, the value
// to the end of the line), written only when not at their default, in this
// order: "zone AREA/CITY", "planets 1", "moonlight 1"; lines of other
// keywords are kept and written back after them as they were. A save of a
// file that was read keeps what the user wrote (settings_update.h).
inline constexpr std::string_view kZoneKeyword = "zone";
inline constexpr std::string_view kPlanetsKeyword = "planets";
inline constexpr std::string_view kMoonlightKeyword = "moonlight";

// Given the file's text and the values to keep for whatever the text does not
// supply, returns the settings it holds. Lines end at LF (a CR before it is
// ignored). Each line is scanned left to right like scanf: integers in
// line 1, numbers in line 2, integers in line 3 (only when that line is not
// empty); scanning a line stops at the first text that is not a number of
// the expected kind, and every field from there on keeps its default. A
// non-finite number (inf, nan, overflow) stops the scan like text does.
// Integers beyond the int range saturate. No range checks otherwise; any
// input, binary included, is accepted. summerTime always comes from the
// defaults. Every line that begins with an ASCII letter is an extension
// line, wherever it stands: lines 1, 2 and 3 are the first three other
// lines (settings_lines.h). A known keyword with a bad value (a zone not
// shaped like one, a flag other than 0 or 1) counts as its default; other
// lines after line 3 are ignored (UpdatedSettingsText keeps them).
ChartSettings ParseSettingsText(std::string_view text, const ChartSettings& defaults);

// The value of the text's last zone line when it is not empty and not shaped
// like a zone name ("Europe/Berlin " with a blank after it): such a zone
// counts as none, and the user should hear why.
std::optional<std::string> UnusableZoneValue(std::string_view text);

// The file's text for the settings: lines 1 and 2, line 3 with the window
// size when withWindowSize is true, then the extension lines; every line
// ends with CR LF.
// Independent of the process locale.
std::string FormatSettingsText(const ChartSettings& settings, bool withWindowSize = true);

// Whether a save writes line 3: only when the main window's outer rectangle
// starts right of and below the screen's top-left corner (a maximised or
// minimised window, or one at the screen's edge, leaves the size out).
bool WindowPositionAllowsSizeLine(int windowLeft, int windowTop);

// $XDG_CONFIG_HOME/Velmarin.ini, or ~/.config/Velmarin.ini when that variable
// is unset, empty or not absolute.
std::filesystem::path SettingsFilePath();

// What reading the settings file found.
enum class SettingsFileState {
    Loaded,      // read; its values are in the settings
    Missing,     // no file at the path: the caller writes the defaults
    Unreadable,  // something is there but cannot be read: never overwrite it
};

struct SettingsLoadResult {
    SettingsFileState state = SettingsFileState::Missing;
    int osError = 0;  // errno of an unreadable file; 0 also for one that is no regular file
    std::string text;      // what was read of a loaded file
    bool complete = true;  // false: the file is larger than what was read; never rewrite it
};

// Reads the settings file at path into settings (fields the file does not
// supply keep their values). Missing or unreadable leave settings unchanged.
// A path that exists but is no regular file (a directory, a FIFO) counts as
// unreadable. Only the first MiB of the file is looked at; a larger one
// loads from that part and says it is not complete.
SettingsLoadResult LoadSettings(const std::filesystem::path& path, ChartSettings& settings);

// The one-line note for standard error about an unreadable settings file,
// e.g. "cannot read the settings file '/x/Velmarin.ini': Permission denied",
// or one that was not read whole.
std::string DescribeSettingsLoad(const std::filesystem::path& path, const SettingsLoadResult& result);

// Replaces the file at path with FormatSettingsText(settings, withWindowSize),
// atomically (WriteFileAtomically: through a symbolic link, never partial).
// The folder is created when missing. When the file already holds exactly
// that text nothing is written. Temporary files of killed saves are cleared.
// On failure the old file stays as it was and the result says why.
FileWriteResult SaveSettings(const std::filesystem::path& path, const ChartSettings& settings,
                             bool withWindowSize = true);

// The same for a text of the caller's (UpdatedSettingsText's, which keeps
// what the user wrote in the file).
FileWriteResult SaveSettingsText(const std::filesystem::path& path, std::string_view text);

}  // namespace velmarin
