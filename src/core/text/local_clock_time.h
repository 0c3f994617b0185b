#pragma once

#include <optional>
#include <string>

namespace velmarin {

// "HH:MM" of the instant `jd` on the clock of a civil day that begins at the
// Julian Day dayStart (UT, the day's local midnight): the day's own offset
// throughout, rounded to the minute; the last hour of a 25-hour day reads
// 00:xx again.
std::string LocalClockTime(double dayStart, double jd);
// LocalClockTime, or "—" for an event the day does not have.
std::string LocalClockTimeOrNone(double dayStart, const std::optional<double>& jd);

}  // namespace velmarin
