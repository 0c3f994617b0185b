#include "core/app/settings_lines.h"

#include "core/app/number_scan.h"

namespace velmarin {
namespace {

bool StartsWithLetter(std::string_view text) {
    return !text.empty() && ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'));
}

template <typename Scan>
ScannedFields ScanFields(std::string_view line, std::size_t count, Scan scan) {
    ScannedFields fields;
    std::string_view rest = line;
    while (fields.ends.size() < count) {
        const auto value = scan(rest);
        if (!value) break;
        fields.ends.push_back(static_cast<std::size_t>(rest.data() - line.data()));
        fields.values.push_back(static_cast<double>(*value));
    }
    return fields;
}

}  // namespace

std::string_view SettingsLine::Scanned() const { return text.substr(0, text.find('\0')); }

std::string_view SettingsLine::Keyword() const {
    const std::string_view line = Scanned();
    return line.substr(0, line.find(' '));
}

std::string_view SettingsLine::Value() const {
    const std::string_view line = Scanned();
    const std::size_t space = line.find(' ');
    return space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
}

std::vector<SettingsLine> SplitSettingsLines(std::string_view file) {
    std::vector<SettingsLine> lines;
    int positional = 0;
    while (!file.empty()) {
        const std::size_t lf = file.find('\n');
        const std::size_t next = lf == std::string_view::npos ? file.size() : lf + 1;
        std::size_t textEnd = lf == std::string_view::npos ? file.size() : lf;
        if (textEnd > 0 && file[textEnd - 1] == '\r') --textEnd;
        SettingsLine line;
        line.text = file.substr(0, textEnd);
        line.ending = file.substr(textEnd, next - textEnd);
        // A keyword line is one wherever it stands, so a zone line put first
        // by hand does not shift the numbers into the wrong places.
        if (StartsWithLetter(line.text)) line.role = SettingsLineRole::Keyword;
        else if (positional == 0) line.role = SettingsLineRole::Flags;
        else if (positional == 1) line.role = SettingsLineRole::Place;
        else if (positional == 2) line.role = SettingsLineRole::Size;
        if (line.role != SettingsLineRole::Keyword) ++positional;
        lines.push_back(line);
        file.remove_prefix(next);
    }
    return lines;
}

ScannedFields ScanIntFields(std::string_view line, std::size_t count) {
    return ScanFields(line, count, [](std::string_view& text) { return ScanInt(text); });
}

ScannedFields ScanDoubleFields(std::string_view line, std::size_t count) {
    return ScanFields(line, count, [](std::string_view& text) { return ScanDouble(text); });
}

}  // namespace velmarin
