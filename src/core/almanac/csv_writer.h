#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmarin {

// A table as RFC 4180 has it: one header row, then records, all with the
// header's number of fields.
struct CsvTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

// One field: quoted (with inner quotes doubled) when it holds a comma, a
// quote, CR or LF, or when `quote` asks for it; else as it is.
std::string CsvField(std::string_view text, bool quote = false);

// The whole file: fields joined by commas, every record ended by CR LF.
// Columns named in `textColumns` are always quoted, so that a spreadsheet
// keeps digit strings (the band codes) as text.
std::string CsvText(const CsvTable& table, const std::vector<std::string>& textColumns = {});

}  // namespace velmarin
