#include "core/chart/chart_settings.h"

#include <ctime>

#include "core/ephemeris/time_calendar.h"

namespace velmarin {

DisplayMode EffectiveDisplayMode(DisplayMode displayMode) {
    return (displayMode >= DisplayMode::Normal && displayMode <= DisplayMode::Twilight) ? displayMode : DisplayMode::Normal;
}

int CurrentYearAndToday(double& todayJd) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const int year = local.tm_year + 1900;
    todayJd = JulianDayFromDate(local.tm_mday, local.tm_mon + 1, year, 0.0);
    return year;
}

}  // namespace velmarin
