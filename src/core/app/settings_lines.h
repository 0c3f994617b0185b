#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace velmarin {

// What one line of the settings file is to the program.
enum class SettingsLineRole {
    Flags,    // the first line that is no keyword line: the seven display options
    Place,    // the second: latitude, longitude, timeZoneHours
    Size,     // the third: the window size (empty: none)
    Keyword,  // a line beginning with an ASCII letter, wherever it stands: "keyword value"
    Foreign,  // any other line after the third: the program reads nothing from it
};

// One line as it stands in the file.
struct SettingsLine {
    std::string_view text;    // without its line end
    std::string_view ending;  // "\r\n", "\n", or at the end of the file "\r" or ""
    SettingsLineRole role = SettingsLineRole::Foreign;

    // What the number scan and the keyword see: the text up to a NUL byte,
    // as sscanf would.
    std::string_view Scanned() const;
    // The keyword of a Keyword line (the text up to the first blank) and its value.
    std::string_view Keyword() const;
    std::string_view Value() const;
};

// The file cut at its LFs (a CR before an LF, or ending the file, belongs to
// the line end), each line given its role. Nothing is dropped: joining every
// line's text and ending gives the file back byte for byte.
std::vector<SettingsLine> SplitSettingsLines(std::string_view file);

// Where the numbers of a field line were found: ends[i] is the offset in the
// line just past field i. Scanning stops at the first text that is not a
// number of the kind, like scanf, and at `count` fields.
struct ScannedFields {
    std::vector<std::size_t> ends;
    std::vector<double> values;  // every field as a double (integers exactly)
};
ScannedFields ScanIntFields(std::string_view line, std::size_t count);
ScannedFields ScanDoubleFields(std::string_view line, std::size_t count);

}  // namespace velmarin
