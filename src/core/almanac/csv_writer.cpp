#include "core/almanac/csv_writer.h"

#include <algorithm>

namespace velmarin {

std::string CsvField(std::string_view text, bool quote) {
    if (!quote && text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string CsvText(const CsvTable& table, const std::vector<std::string>& textColumns) {
    std::vector<bool> quoted(table.header.size(), false);
    for (std::size_t i = 0; i < table.header.size(); ++i)
        quoted[i] = std::find(textColumns.begin(), textColumns.end(), table.header[i]) != textColumns.end();

    const auto record = [&](const std::vector<std::string>& fields, bool isHeader) {
        std::string line;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i > 0) line += ',';
            line += CsvField(fields[i], !isHeader && i < quoted.size() && quoted[i]);
        }
        return line + "\r\n";
    };
    std::string out = record(table.header, true);
    for (const auto& row : table.rows) out += record(row, false);
    return out;
}

}  // namespace velmarin
