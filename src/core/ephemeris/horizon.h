#pragma once

namespace velmarin {

// Refraction in rad for an altitude in rad; continuous, falling as the
// altitude grows, constant below -0.01 rad.
double Refraction(double altitude);

// Geometric altitude (rad) lifted by the refraction wherever it lies above
// -0.01 rad; below that it is returned unchanged.
double ApparentAltitude(double geometricAltitude);

struct HorizontalCoordinates {
    double azimuth = 0.0;   // rad, from south, positive west, [-pi, pi]
    double altitude = 0.0;  // rad, refracted above -0.01 rad
};
// Mode 3 returns false and leaves `out` untouched; every other mode computes
// and returns true. latitude in rad, north positive.
bool HorizontalFromEquatorial(int mode, double hourAngle, double declination,
                              double latitude, HorizontalCoordinates& out);

// Twilight band of a Sun altitude (rad): 0 day, 1 civil, 2 nautical,
// 3 astronomical twilight, 4 darkness.
int TwilightBand(double altitude);

}  // namespace velmarin
