#include "core/app/zone_table.h"

#include <fstream>
#include <iterator>

namespace velmarin {

namespace {

constexpr std::size_t kMaxReadBytes = 1 << 20;

bool Digits(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

int Number(std::string_view digits) {
    int value = 0;
    for (const char c : digits) value = value * 10 + (c - '0');
    return value;
}

// One ISO 6709 part: sign, then degreeDigits of degrees, minutes and maybe seconds.
std::optional<double> Angle(std::string_view text, std::size_t degreeDigits) {
    if (text.size() != degreeDigits + 3 && text.size() != degreeDigits + 5) return std::nullopt;
    if (text[0] != '+' && text[0] != '-') return std::nullopt;
    const std::string_view body = text.substr(1);
    if (!Digits(body)) return std::nullopt;
    const double degrees = Number(body.substr(0, degreeDigits));
    const double minutes = Number(body.substr(degreeDigits, 2));
    const double seconds = body.size() > degreeDigits + 2 ? Number(body.substr(degreeDigits + 2)) : 0.0;
    const double value = degrees + minutes / 60.0 + seconds / 3600.0;
    return text[0] == '-' ? -value : value;
}

std::string Folded(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    std::string out;
    for (char c : text) {
        if (c == '_') c = ' ';
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        out += c;
    }
    return out;
}

}  // namespace

std::vector<ZonePlace> ParseZoneTable(std::string_view text) {
    std::vector<ZonePlace> rows;
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        text = lf == std::string_view::npos ? std::string_view() : text.substr(lf + 1);
        if (line.empty() || line[0] == '#') continue;
        const std::size_t tab1 = line.find('\t');
        const std::size_t tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab2 == std::string_view::npos) continue;
        const std::string_view place = line.substr(tab1 + 1, tab2 - tab1 - 1);
        std::string_view zone = line.substr(tab2 + 1);
        zone = zone.substr(0, zone.find('\t'));
        if (!zone.empty() && zone.back() == '\r') zone.remove_suffix(1);
        const std::size_t split = place.find_first_of("+-", 1);
        if (split == std::string_view::npos || zone.empty()) continue;
        const auto latitude = Angle(place.substr(0, split), 2);
        const auto longitude = Angle(place.substr(split), 3);
        if (!latitude || !longitude) continue;
        rows.push_back(ZonePlace{std::string(zone), *latitude, *longitude});
    }
    return rows;
}

std::vector<ZonePlace> LoadZoneTable(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::string text(kMaxReadBytes, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return ParseZoneTable(text);
}

std::optional<ZonePlace> FindZonePlace(const std::vector<ZonePlace>& table, std::string_view name) {
    const std::string wanted = Folded(name);
    if (wanted.empty()) return std::nullopt;
    for (const ZonePlace& row : table)
        if (Folded(row.zone) == wanted) return row;
    for (const ZonePlace& row : table) {
        const std::size_t slash = row.zone.rfind('/');
        if (slash != std::string::npos && Folded(std::string_view(row.zone).substr(slash + 1)) == wanted)
            return row;
    }
    return std::nullopt;
}

}  // namespace velmarin
