#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/chart/phase_markers.h"

namespace velmarin {

// The phase markers of a year in the almanac's formats. The markers are
// SearchPhaseMarkers(year)'s, in drawing order.

std::string PhasesJson(int year, const std::vector<PhaseMarker>& markers);
std::string PhasesText(int year, const std::vector<PhaseMarker>& markers);
// One row per marker: the JSON's fields plus "utc", the instant in ISO 8601.
std::string PhasesCsv(int year, const std::vector<PhaseMarker>& markers);

// One event per marker, summary as the readout names the marker; stamp is
// the DTSTAMP ("YYYYMMDDTHHMMSSZ"). nullopt when an instant lies outside the
// years 1..9999 that iCalendar can hold.
std::optional<std::string> PhasesIcs(int year, const std::vector<PhaseMarker>& markers,
                                     const std::string& stamp);

// The UID of a marker's event: its kind and lunation, so a year imported
// again updates its events, also when a new moon turns out an eclipse.
std::string PhaseEventUid(const PhaseMarker& marker);

}  // namespace velmarin
