#pragma once

#include "core/ephemeris/body_position.h"

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

// A body's place as the planner's events take it (rise, transit, set,
// twilight, the overlay's curves), at the instant `ofDate` was built for.
// The ephemeris gives the Sun and the planets in the fixed J2000 frame and
// the hour angle comes from sidereal time of date: far from 2000 the two
// would part by the precession (a degree and a half in a century), so those
// places are turned to the date. The Moon's theory counts from the equinox
// of date already and comes back as it is.
BodyPosition PlannerPlace(const PlaceOfDate& ofDate, BodyId body, BodyPosition position);

}  // namespace velmarin
