#pragma once

namespace velmarin {

// The program's value of pi for the ephemeris and the chart. It is a
// ten-decimal literal on purpose: every published number of the chart
// follows from it.
inline constexpr double kPi = 3.1415926535;

// The other numbers the ephemeris and the chart fix, each written once. They
// differ from each other in the last digits on purpose: each result depends
// on its own factor to the bit, so none may stand in for another.
namespace fixed {

// Degree factor of the ephemeris (Sun, Moon, planets, events), from kPi.
inline constexpr double kDegree = kPi / 180.0;

// pi as the twilight chart takes it for its hour axis and its curves.
inline constexpr double kTwilightPi = 3.14159;
// Degree factor of the twilight band limits, pi taken as 3.14159 (the same
// double as kTwilightPi / 180).
inline constexpr double kTwilightDegree = 0.017453277777777776;

// The nutation block's own degree and arc-second factors, also from pi taken
// as 3.14159; the sidereal time depends on them to the last digit.
inline constexpr double kNutationDegree = 0.017453277777777776;
inline constexpr double kNutationArcsecond = 4.848132716049382e-06;

// Full-precision pi, for what the user types and reads in degrees (the
// settings, the location commands, the targets' catalogues and the tables)
// and for the place of date.
inline constexpr double kExactPi = 3.14159265358979323846;

}  // namespace fixed

}  // namespace velmarin
