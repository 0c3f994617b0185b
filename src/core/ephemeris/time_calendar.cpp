#include "core/ephemeris/time_calendar.h"

#include <cfloat>
#include <cmath>
#include <cstdio>

#include "core/ephemeris/safe_conversion.h"

namespace velmarin {

namespace {

// The nutation block carries its own degree factors, derived from pi taken
// as 3.14159; the sidereal time depends on them to the last digit.
using fixed::kNutationDegree;
using fixed::kNutationArcsecond;

constexpr double kJ2000 = 2451545.0;
constexpr double kJ1900 = 2415020.0;
constexpr double kDaysPerCentury = 36525.0;

// (a/b - floor(a/b)) * b, in [0, b): FractionalRemainder for a >= 0, and
// still counting forward from the last multiple of b when a < 0.
double PositiveRemainder(double a, double b) {
    return (a / b - std::floor(a / b)) * b;
}

}  // namespace

double FractionalRemainder(double a, double b) {
    return (a / b - std::trunc(a / b)) * b;
}

SphericalCoordinates RectangularToSpherical(double x, double y, double z) {
    // Half-angle form of atan2: stable near the negative x axis.
    const double rho = std::sqrt(x * x + y * y);
    double theta = 0.0;
    if (x == 0.0 && y == 0.0) {
        theta = 0.0;
    } else if (x >= 0.0) {
        theta = 2.0 * std::atan(y / (rho + x));
    } else {
        theta = kPi - 2.0 * std::atan(y / (rho - x));
    }
    SphericalCoordinates out;
    out.longitude = NormalizeAngle(theta);
    out.latitude = z >= 1.0 ? kPi / 2.0 : std::asin(z);
    return out;
}

void ConvertCalendar(CalendarDirection direction, CalendarInstant& instant) {
    if (direction == CalendarDirection::kDateToJulianDay) {
        // Whole-number steps in 64 bits: no int overflow for any year.
        const long long year = instant.year;
        const long long month = instant.month;
        const long long day = instant.day;
        const long long shiftedYear = month < 3 ? year - 1 : year;
        const long long shiftedMonth = month <= 2 ? month + 12 : month;
        const bool julian = year < 1582 || (year == 1582 && month < 10) ||
                            (year == 1582 && month == 10 && day < 5);
        const long long calendarTerm = julian ? -2 : shiftedYear / 400 - shiftedYear / 100;
        const double monthDays = std::trunc(static_cast<double>(shiftedMonth + 1) * 30.6001);
        // Floor, not truncation: before year 1 the product is negative and a
        // truncated one would put the date a day late. From year 1 on both agree.
        const double yearDays = std::floor(static_cast<double>(shiftedYear) * 365.25);
        instant.jd = monthDays + yearDays + static_cast<double>(calendarTerm) + 1720996.5 +
                     static_cast<double>(day) + instant.hour / 24.0;
        instant.weekday = SaturatingInt(PositiveRemainder(instant.jd + 1.5001, 7.0));
        return;
    }

    // Julian Day to date. All whole-number steps stay in double (exact far
    // beyond the accepted years) and become int only at the end, saturated.
    // Before JD 0 the remainders and whole parts are taken toward minus
    // infinity (the days and hours count forward from the start of a day in
    // every era); from JD 0 on this is the same arithmetic as truncation.
    const double jd = instant.jd;
    instant.weekday = SaturatingInt(PositiveRemainder(jd + 1.5001, 7.0));
    const double hour = PositiveRemainder(jd - 0.5, 1.0) * 24.0;
    const double z = std::floor(jd + 0.5);
    double a = 0.0;
    if (z > 2299160.0) {
        const double alpha = std::trunc((z - 1867216.25) / 36524.25);
        a = z + alpha - std::trunc(alpha * 0.25) + 1525.0;
    } else {
        a = z + 1524.0;
    }
    const double f = PositiveRemainder(jd + 0.5 - hour / 24.0, 1.0);
    const double c = std::floor((a - 122.1) / 365.25);
    const double dd = std::floor(c * 365.25);
    const double e = std::trunc((a - dd) / 30.6001);
    const double day = std::trunc(f + (a - std::trunc(e * 30.6001) - dd));
    const double shiftedE = e + std::trunc(e / -14.0) * 12.0;
    instant.hour = hour;
    instant.day = SaturatingInt(day);
    instant.month = SaturatingInt(shiftedE - 1.0);
    instant.year = SaturatingInt(c - std::trunc((shiftedE + 6.0) / 10.0) - 4715.0);
}

double JulianDayFromDate(int day, int month, int year, double hour) {
    CalendarInstant instant;
    instant.hour = hour;
    instant.day = day;
    instant.month = month;
    instant.year = year;
    ConvertCalendar(CalendarDirection::kDateToJulianDay, instant);
    return instant.jd;
}

CalendarInstant CalendarFromJulianDay(double jd) {
    CalendarInstant instant;
    instant.jd = jd;
    ConvertCalendar(CalendarDirection::kJulianDayToDate, instant);
    return instant;
}

bool IsLeapYear(int year) {
    return JulianDayFromDate(1, 3, year) - JulianDayFromDate(1, 2, year) > 28.5;
}

bool IsSummerTime(int month, int day, int weekday) {
    // Whole days only: the hour of the change is not modelled. Differences
    // in 64 bits so that no int input can overflow.
    const long long sinceSunday = static_cast<long long>(day) - weekday;
    if (month >= 4 && month <= 9) return true;
    if (month == 3) return day > 24 && sinceSunday > 24;
    if (month == 10) return !(day > 24 && sinceSunday > 24);
    return false;
}

void ComputeNutation(EphemerisContext& context, double jd) {
    const double t = (jd - kJ2000) / kDaysPerCentury;
    const double moonLongitude = NormalizeAngle((218.316 + 481267.881 * t) * kNutationDegree);
    const double node = NormalizeAngle((125.045 - 1934.136 * t) * kNutationDegree);
    const double sunLongitude = NormalizeAngle((280.466 + 36000.77 * t) * kNutationDegree);
    const double sunAnomaly = NormalizeAngle((357.528 + 35999.05 * t) * kNutationDegree);
    const double moonAnomaly = NormalizeAngle((134.963 + 477198.867 * t) * kNutationDegree);

    context.nutationLongitude =
        (0.071 * std::sin(moonAnomaly) + 0.206 * std::sin(2.0 * node) - 17.2 * std::sin(node) -
         1.319 * std::sin(2.0 * sunLongitude) + 0.143 * std::sin(sunAnomaly) -
         0.227 * std::sin(2.0 * moonLongitude)) *
        kNutationArcsecond;

    const double obliquityNutation =
        9.203 * std::cos(node) - 0.09 * std::cos(2.0 * node) + 0.574 * std::cos(2.0 * sunLongitude) +
        0.022 * std::cos(2.0 * sunLongitude + sunAnomaly) + 0.098 * std::cos(2.0 * moonLongitude) +
        0.02 * std::cos(2.0 * moonLongitude - node);
    const double t1900 = (jd - kJ1900) / kDaysPerCentury;
    context.trueObliquity =
        obliquityNutation * kNutationArcsecond + (23.45229444 - t1900 * 0.0130125) * kNutationDegree;
}

// Hours of sidereal time fed to single precision unreduced: below 2^13 a
// float still resolves them to 2^-11 h (1.8 s).
constexpr double kSiderealHoursKeptWhole = 8192.0;

double SiderealTimeAtZeroHours(double jd) {
    double hours = 6.656306 + 0.0657098242 * (jd - 2445700.5);
    // Far from 1983 the hours outgrow single precision (2 h steps near the
    // year 999999): whole days of 24 h are taken off first, which the angle
    // does not see. Nearer, within about 1642..2324, they stay as they are.
    if (std::fabs(hours) >= kSiderealHoursKeptWhole) hours = std::fmod(hours, 24.0);
    // The hours pass once through single precision: the chart's sidereal
    // line depends on that rounding.
    const double rounded = RoundToFloat(hours);
    return NormalizeAngle(rounded / 12.0 * kPi);
}

double GreenwichSiderealHours(double jd) {
    const double j = jd - 0.5;
    const double n = std::trunc(j);
    const double t0 = (n - 2415019.5) / kDaysPerCentury;
    const double greenwich = NormalizeHours(6.6460656 + 2400.051262 * t0 + 0.00002581 * (t0 * t0));
    const double universal = NormalizeHours((j - n) * 24.0);
    return greenwich + universal * 1.0027379093;
}

SiderealParts SiderealTimeParts(const EphemerisContext& context, double jd) {
    return {GreenwichSiderealHours(jd), std::cos(context.trueObliquity) * context.nutationLongitude * 12.0 / kPi};
}

double LocalSiderealTimeAt(const SiderealParts& parts, double longitude) {
    // Summed in this order: the longitude joins before the nutation term.
    const double sidereal = parts.greenwichHours + longitude * 12.0 / kPi + parts.nutationHours;
    return NormalizeHours(sidereal) / 12.0 * kPi;
}

void LocalSiderealTime(EphemerisContext& context, double jd, double longitude) {
    context.localSiderealTime = LocalSiderealTimeAt(SiderealTimeParts(context, jd), longitude);
}

std::string FormatHoursMinutes(double angle) {
    const double hours = 12.0 / kPi * angle;
    const double whole = std::trunc(hours);
    char text[32];
    std::snprintf(text, sizeof text, "%2d:%02d", SaturatingInt(whole),
                  SaturatingInt((hours - whole) * 60.0));
    return text;
}

}  // namespace velmarin
