#pragma once

namespace velmarin {

// Turns J2000 places into places of date: precession (IAU 1976, Lieske's
// angles zeta, z, theta), nutation in longitude as the program's sidereal
// time has it (ComputeNutation; the hour angle is taken against that
// sidereal time), and the annual aberration from the program's Sun. Built
// once for an instant and applied to many places: the year's events of a
// long target list need it once a day.
class PlaceOfDate {
public:
    explicit PlaceOfDate(double jd);

    struct Place {
        double ra = 0.0;   // rad, [0, 2pi)
        double dec = 0.0;  // rad
    };
    // raJ2000, decJ2000 in rad.
    Place Apply(double raJ2000, double decJ2000) const;

private:
    double matrix_[3][3];   // J2000 equator to the true equator of date
    double aberration_[3];  // the Earth's velocity over c, equator of date
};

}  // namespace velmarin
