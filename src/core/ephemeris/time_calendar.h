#pragma once

#include <cmath>
#include <string>

#include "core/ephemeris/ephemeris_context.h"

namespace velmarin {

// The years the program accepts (the window holds its year within them, the
// command line rejects others): beyond them the calendar arithmetic overflows.
inline constexpr int kMinYear = -999999;
inline constexpr int kMaxYear = 999999;

// Largest whole number <= x (through a 32-bit int; out-of-range inputs are
// saturated rather than undefined). Inline with the two below: the year's
// samples call them a million times.
inline double FloorValue(double x) {
    if (std::isnan(x)) return 0.0;
    if (x >= 2147483647.0) return 2147483647.0;
    if (x <= -2147483648.0) return -2147483648.0;
    const long long whole = static_cast<int>(x);
    if (x < 0.0 && static_cast<double>(whole) != x) return static_cast<double>(whole - 1);
    return static_cast<double>(whole);
}
// Angle reduced to [0, 2pi) with the program's pi.
inline double NormalizeAngle(double x) { return x - FloorValue(x * 0.5 / kPi) * 2.0 * kPi; }
// Hours reduced to [0, 24).
inline double NormalizeHours(double x) { return x - FloorValue(x / 24.0) * 24.0; }
// (a/b - trunc(a/b)) * b; takes the sign of a.
double FractionalRemainder(double a, double b);

struct SphericalCoordinates {
    double longitude = 0.0;  // rad, [0, 2pi)
    double latitude = 0.0;   // rad
};
SphericalCoordinates RectangularToSpherical(double x, double y, double z);

// The calendar record that ConvertCalendar reads and writes.
struct CalendarInstant {
    double hour = 0.0;  // decimal hours
    int day = 1;
    int month = 1;
    int year = 2000;
    double jd = 0.0;    // Julian Day, UT
    int weekday = 0;    // 0 Sunday .. 6 Saturday
};
enum class CalendarDirection {
    kJulianDayToDate,  // fills hour/day/month/year and weekday from jd
    kDateToJulianDay,  // fills jd and weekday from hour/day/month/year
};
void ConvertCalendar(CalendarDirection direction, CalendarInstant& instant);
// Conveniences over ConvertCalendar.
double JulianDayFromDate(int day, int month, int year, double hour = 0.0);
CalendarInstant CalendarFromJulianDay(double jd);
// Whether February of `year` has a 29th, as ConvertCalendar counts the days
// (so every date it allows converts to a Julian Day and back).
bool IsLeapYear(int year);

bool IsSummerTime(int month, int day, int weekday);

// Writes nutationLongitude and trueObliquity of the context.
void ComputeNutation(EphemerisContext& context, double jd);
// Greenwich sidereal time at 0 h UT of the day of jd, rad, [0, 2pi).
double SiderealTimeAtZeroHours(double jd);
// Writes localSiderealTime of the context; longitude in rad, east positive.
void LocalSiderealTime(EphemerisContext& context, double jd, double longitude);

// The local sidereal time in two halves, for one instant seen from many
// places: LocalSiderealTimeAt(SiderealTimeParts(context, jd), longitude) is
// what LocalSiderealTime writes, to the bit.
struct SiderealParts {
    double greenwichHours = 0.0;  // sidereal hours at Greenwich, before nutation
    double nutationHours = 0.0;   // equation of the equinoxes, hours
};
SiderealParts SiderealTimeParts(const EphemerisContext& context, double jd);
// SiderealParts::greenwichHours alone (it needs no context).
double GreenwichSiderealHours(double jd);
// rad, [0, 2pi)
double LocalSiderealTimeAt(const SiderealParts& parts, double longitude);
// "%2d:%02d" of an angle read as hours, minutes truncated.
std::string FormatHoursMinutes(double angle);

}  // namespace velmarin
