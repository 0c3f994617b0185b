#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmarin {

// The zone database's table of zones with the place of each zone's main
// city (Debian: /usr/share/zoneinfo/zone1970.tab).
inline constexpr const char* kZoneTablePath = "/usr/share/zoneinfo/zone1970.tab";

struct ZonePlace {
    std::string zone;        // "Australia/Sydney"
    double latitude = 0.0;   // degrees, north positive
    double longitude = 0.0;  // degrees, east positive
};

// The table's rows: tab-separated country codes, ISO 6709 coordinates
// (+DDMM+DDDMM or +DDMMSS+DDDMMSS) and the zone; '#' lines are comments.
// Rows that do not read so are left out.
std::vector<ZonePlace> ParseZoneTable(std::string_view text);

// The table at path (first MiB); empty when it cannot be read.
std::vector<ZonePlace> LoadZoneTable(const std::filesystem::path& path = kZoneTablePath);

// The row whose zone is `name` or whose city (the zone's last part) is
// `name`: case ignored, '_' and ' ' alike, blanks around ignored
// ("Sydney", "australia/sydney", "New York").
std::optional<ZonePlace> FindZonePlace(const std::vector<ZonePlace>& table, std::string_view name);

}  // namespace velmarin
