#include "core/text/local_clock_time.h"

#include <cmath>
#include <cstdio>

namespace velmarin {

std::string LocalClockTime(double dayStart, double jd) {
    const long long minutes = std::llround((jd - dayStart) * 1440.0);
    const long long ofDay = ((minutes % 1440) + 1440) % 1440;
    char text[16];
    std::snprintf(text, sizeof text, "%02lld:%02lld", ofDay / 60, ofDay % 60);
    return text;
}

std::string LocalClockTimeOrNone(double dayStart, const std::optional<double>& jd) {
    return jd ? LocalClockTime(dayStart, *jd) : std::string("—");
}

}  // namespace velmarin
