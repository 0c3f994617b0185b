#include "core/ephemeris/rise_set.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/ephemeris/body_position.h"
#include "core/ephemeris/ephemeris_context.h"
#include "core/ephemeris/horizon.h"
#include "core/ephemeris/place_of_date.h"
#include "core/ephemeris/position_table.h"
#include "core/ephemeris/root_search.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {

namespace {

using fixed::kDegree;
// The twilight band limits' degree, so the instants fall exactly where the
// chart's bands change.
using fixed::kTwilightDegree;
// Hour angle samples: every four hours the hour angle moves by about 60
// degrees, far from the 180 between culminations, so none can be missed or
// taken twice.
constexpr double kHourAngleStepDays = 4.0 / 24.0;
// The Moon's diameter is 2 asin(k sin P) with this k (its radius in Earth radii).
constexpr double kMoonRadiusEarthRadii = 0.272493;

// What the search needs of a body at one instant.
struct Sample {
    double t = 0.0;
    double hourAngle = 0.0;  // rad, [0, 2pi)
    double centre = 0.0;     // geometric altitude of the centre, rad (the Moon's as seen from the surface)
    double limb = 0.0;       // geometric altitude that rises and sets: upper limb for Sun and Moon
};

class BodySky {
public:
    // Positions from the ephemeris itself, or from `table` when given (as
    // they must be for a body of nullopt: a point rising and setting with
    // its centre).
    BodySky(std::optional<BodyId> body, const Observer& observer, double nutationJd, const PositionTable* table = nullptr)
        : body_(body),
          longitude_(observer.longitude),
          sinLatitude_(std::sin(observer.latitude)),
          cosLatitude_(std::cos(observer.latitude)),
          table_(table) {
        if (table_ == nullptr) ofDate_.emplace(nutationJd);
        ComputeNutation(context_, nutationJd);
        nutationHours_ = SiderealTimeParts(context_, nutationJd).nutationHours;
    }

    Sample At(double t) {
        const Position position = PositionAt(t);
        const double dec = position.dec;
        Sample s;
        s.t = t;
        s.hourAngle = HourAngleOf(t, position.ra);
        const double sinAltitude = std::sin(dec) * sinLatitude_ + std::cos(dec) * std::cos(s.hourAngle) * cosLatitude_;
        double h = std::asin(std::clamp(sinAltitude, -1.0, 1.0));
        const double semidiameter = position.diameter / 2.0 / 3600.0 * kDegree;
        if (body_ == BodyId::kMoon) {
            // The ephemeris derives the Moon's diameter from its horizontal
            // parallax; undo that to lower the Moon by its parallax.
            const double sinParallax = std::sin(semidiameter) / kMoonRadiusEarthRadii;
            h -= std::asin(std::clamp(sinParallax, -1.0, 1.0)) * std::cos(h);
        }
        s.centre = h;
        s.limb = (body_ == BodyId::kSun || body_ == BodyId::kMoon) ? h + semidiameter : h;
        return s;
    }

    double HourAngle(double t) {
        return HourAngleOf(t, table_ != nullptr ? table_->RightAscensionAt(t) : PositionAt(t).ra);
    }

private:
    struct Position {
        double ra, dec, diameter;
    };
    Position PositionAt(double t) {
        if (table_ != nullptr) {
            const InterpolatedPosition p = table_->At(t);
            return {p.ra, p.dec, p.diameter};
        }
        // Sun first: the other bodies read the Sun's values of the same instant.
        BodyPosition position = ComputeBodyPosition(context_, BodyId::kSun, t);
        if (body_ != BodyId::kSun) position = ComputeBodyPosition(context_, *body_, t);
        // The day's precession and nutation: within a day they move a place
        // by well under an arc second.
        position = PlannerPlace(*ofDate_, *body_, position);
        return {position.ra, position.dec, position.diameter};
    }
    double HourAngleOf(double t, double ra) const {
        return NormalizeAngle(LocalSiderealTimeAt({GreenwichSiderealHours(t), nutationHours_}, longitude_) - ra);
    }

    std::optional<BodyId> body_;
    double longitude_;
    double sinLatitude_;
    double cosLatitude_;
    const PositionTable* table_;
    std::optional<PlaceOfDate> ofDate_;  // without a table: the places are turned here
    double nutationHours_ = 0.0;  // the day's equation of the equinoxes
    EphemerisContext context_;
};

struct Culmination {
    Sample sample;
    bool upper = false;
};

// Samples at the day's ends and at every culmination in between, in time
// order. Between two neighbours the altitude only rises or only falls.
struct Nodes {
    std::vector<Sample> samples;
    std::vector<Culmination> culminations;
};

Nodes FindNodes(BodySky& sky, double start, double end) {
    Nodes nodes;
    nodes.samples.push_back(sky.At(start));
    // The steps between need the hour angle alone, which costs far less than
    // the altitude.
    struct Step {
        double t;
        double hourAngle;
    };
    const int steps = std::max(1, static_cast<int>(std::ceil((end - start) / kHourAngleStepDays)));
    Step previous{start, nodes.samples.front().hourAngle};
    double unwrapped = previous.hourAngle;
    for (int i = 1; i <= steps; ++i) {
        const double t = i == steps ? end : start + i * kHourAngleStepDays;
        const Step current{t, sky.HourAngle(t)};
        const double next = unwrapped + NormalizeAngle(current.hourAngle - previous.hourAngle);
        // Every multiple of pi the hour angle passes: upper (even) or lower (odd) culmination.
        for (double k = std::floor(unwrapped / kPi) + 1.0; k * kPi <= next; k += 1.0) {
            const double target = k * kPi;
            const auto offset = [&](double x) { return SignedAngle(sky.HourAngle(x) - target); };
            const double root = FindBracketedRoot(offset, previous.t, SignedAngle(previous.hourAngle - target),
                                                  current.t, SignedAngle(current.hourAngle - target));
            if (root <= start || root >= end) continue;
            const Sample at = sky.At(root);
            nodes.samples.push_back(at);
            nodes.culminations.push_back({at, std::fmod(k, 2.0) == 0.0});
        }
        previous = current;
        unwrapped = next;
    }
    nodes.samples.push_back(sky.At(end));
    return nodes;
}

struct Crossing {
    double t = 0.0;
    bool rising = false;
};

// Instants at which value(sample) - threshold changes sign between the nodes.
template <typename Value>
std::vector<Crossing> FindCrossings(BodySky& sky, const Nodes& nodes, Value value, double threshold) {
    std::vector<Crossing> crossings;
    for (std::size_t i = 1; i < nodes.samples.size(); ++i) {
        const Sample& a = nodes.samples[i - 1];
        const Sample& b = nodes.samples[i];
        const double fa = value(a) - threshold;
        const double fb = value(b) - threshold;
        if ((fa > 0.0) == (fb > 0.0)) continue;
        const auto f = [&](double x) { return value(sky.At(x)) - threshold; };
        crossings.push_back({FindBracketedRoot(f, a.t, fa, b.t, fb), fb > 0.0});
    }
    return crossings;
}

// Stretches of [start, end) above the threshold, from the state at the start
// and the crossings in time order.
std::vector<TimeInterval> IntervalsAbove(bool aboveAtStart, const std::vector<Crossing>& crossings,
                                         double start, double end) {
    std::vector<TimeInterval> result;
    bool above = aboveAtStart;
    double from = start;
    for (const Crossing& c : crossings) {
        if (c.rising && !above) {
            from = c.t;
            above = true;
        } else if (!c.rising && above) {
            if (c.t > from) result.push_back({from, c.t});
            above = false;
        }
    }
    if (above && end > from) result.push_back({from, end});
    return result;
}

BodyDayEvents EventsOf(BodySky& sky, const Nodes& nodes, double start, double end) {
    BodyDayEvents events;
    const double horizon = HorizonGeometricAltitude();
    const auto limb = [](const Sample& s) { return s.limb; };
    const std::vector<Crossing> crossings = FindCrossings(sky, nodes, limb, horizon);
    for (const Crossing& c : crossings) {
        if (c.rising) {
            if (!events.rise) events.rise = c.t;
            ++events.riseCount;
        } else {
            if (!events.set) events.set = c.t;
            ++events.setCount;
        }
    }
    for (const Culmination& c : nodes.culminations) {
        if (!c.upper) continue;
        events.transit = c.sample.t;
        events.transitAltitude = ApparentAltitude(c.sample.centre);
        break;
    }
    const bool upAtStart = nodes.samples.front().limb > horizon;
    events.up = IntervalsAbove(upAtStart, crossings, start, end);
    if (crossings.empty()) {
        events.alwaysUp = upAtStart;
        events.neverUp = !upAtStart;
    }
    return events;
}

SunDayEvents SunEventsOf(BodySky& sky, double start, double end) {
    const Nodes nodes = FindNodes(sky, start, end);
    SunDayEvents result;
    result.sun = EventsOf(sky, nodes, start, end);
    const auto centre = [](const Sample& s) { return s.centre; };
    struct Limit {
        double degrees;
        std::optional<double> TwilightInstants::*dawn;
        std::optional<double> TwilightInstants::*dusk;
    };
    const Limit limits[] = {
        {-6.0, &TwilightInstants::civilDawn, &TwilightInstants::civilDusk},
        {-12.0, &TwilightInstants::nauticalDawn, &TwilightInstants::nauticalDusk},
        {-18.0, &TwilightInstants::astronomicalDawn, &TwilightInstants::astronomicalDusk},
    };
    for (const Limit& limit : limits) {
        const double threshold = limit.degrees * kTwilightDegree;
        const std::vector<Crossing> crossings = FindCrossings(sky, nodes, centre, threshold);
        for (const Crossing& c : crossings) {
            std::optional<double>& slot = result.twilight.*(c.rising ? limit.dawn : limit.dusk);
            if (!slot) slot = c.t;
        }
        if (limit.degrees == -18.0) {
            // Darkness is where the Sun is at or below the limit: the complement
            // of the stretches above it.
            const bool aboveAtStart = nodes.samples.front().centre > threshold;
            const std::vector<TimeInterval> above = IntervalsAbove(aboveAtStart, crossings, start, end);
            result.darkness = SubtractIntervals({{start, end}}, above);
        }
    }
    return result;
}

}  // namespace

double HorizonGeometricAltitude() {
    // Found once from the horizon function itself, so the events follow
    // whatever refraction it applies.
    static const double altitude = [] {
        double below = -0.05;  // apparent altitude negative here
        double above = 0.0;    // and positive here
        for (int i = 0; i < 200 && above - below > 1e-13; ++i) {
            const double mid = 0.5 * (below + above);
            if (ApparentAltitude(mid) > 0.0) {
                above = mid;
            } else {
                below = mid;
            }
        }
        return above;
    }();
    return altitude;
}

BodyDayEvents FindBodyEvents(BodyId body, double start, double end, const Observer& observer) {
    BodySky sky(body, observer, start);
    const Nodes nodes = FindNodes(sky, start, end);
    return EventsOf(sky, nodes, start, end);
}

BodyDayEvents FindBodyEvents(BodyId body, const PositionTable& positions, double start, double end,
                             const Observer& observer) {
    BodySky sky(body, observer, start, &positions);
    const Nodes nodes = FindNodes(sky, start, end);
    return EventsOf(sky, nodes, start, end);
}

BodyDayEvents FindPointEvents(const PositionTable& positions, double start, double end, const Observer& observer) {
    BodySky sky(std::nullopt, observer, start, &positions);
    const Nodes nodes = FindNodes(sky, start, end);
    return EventsOf(sky, nodes, start, end);
}

SunDayEvents FindSunEvents(double start, double end, const Observer& observer) {
    BodySky sky(BodyId::kSun, observer, start);
    return SunEventsOf(sky, start, end);
}

SunDayEvents FindSunEvents(const PositionTable& positions, double start, double end, const Observer& observer) {
    BodySky sky(BodyId::kSun, observer, start, &positions);
    return SunEventsOf(sky, start, end);
}


double IntervalHours(const std::vector<TimeInterval>& intervals) {
    double days = 0.0;
    for (const TimeInterval& i : intervals) days += i.to - i.from;
    return days * 24.0;
}

std::vector<TimeInterval> SubtractIntervals(const std::vector<TimeInterval>& a,
                                            const std::vector<TimeInterval>& b) {
    std::vector<TimeInterval> result;
    for (const TimeInterval& piece : a) {
        double from = piece.from;
        for (const TimeInterval& cut : b) {
            if (cut.to <= from || cut.from >= piece.to) continue;
            if (cut.from > from) result.push_back({from, cut.from});
            from = std::max(from, cut.to);
        }
        if (piece.to > from) result.push_back({from, piece.to});
    }
    return result;
}

}  // namespace velmarin
