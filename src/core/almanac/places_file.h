#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/text/expected.h"

namespace velmarin {

// One observing site of `render --places FILE`.
struct Place {
    std::string name;         // names the chart's file ({place}); never empty, no '/'
    double latitudeDegrees;   // -90..90, north positive
    double longitudeDegrees;  // -180..180, east positive
    std::string zone;         // AREA/CITY, or empty: the command's (or settings file's) zone
};

// Most sites one file may list.
inline constexpr std::size_t kMaxPlaces = 10000;

// The places of a CSV table (RFC 4180: quoted fields, "" inside quotes, CR LF
// or LF): rows `name,lat,lon` or `name,lat,lon,zone`, numbers with ".";
// a first row `name,lat,lon[,zone]` is a header; blank rows are skipped.
// Names must be unique and usable in a file name (not empty, ".", "..", no
// '/' and no control characters), since they name the files. At least one
// place. Otherwise a one-line error: "line N: what".
Expected<std::vector<Place>> ParsePlaces(std::string_view text);

// ParsePlaces of a file's contents; a file that cannot be read gives the
// error with the system's reason.
Expected<std::vector<Place>> ReadPlacesFile(const std::string& path);

}  // namespace velmarin
