#include "core/sky/night_passes.h"

#include <algorithm>
#include <cmath>

#include "core/ephemeris/ephemeris_context.h"
#include "core/ephemeris/horizon.h"
#include "core/ephemeris/place_of_date.h"
#include "core/ephemeris/root_search.h"
#include "core/ephemeris/run_beside.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {

namespace {

using fixed::kDegree;
// Hour angle gained per day by a fixed point of the sky.
constexpr double kSiderealRate = 2.0 * kPi * 1.0027379093;
// The Moon's diameter is 2 asin(k sin P) with this k (its radius in Earth radii).
constexpr double kMoonRadiusEarthRadii = 0.272493;
constexpr double kPlanetStepDays = 4.0;
constexpr double kMoonStepDays = 1.0;
// Newton steps on the hour angle, to the event search's tolerance.
constexpr int kMostSteps = 12;
// The span covered beyond the year on either side, in days.
constexpr double kMarginDays = 2.0;

// Tables of `bodies` on the grid first, first + step, ... up to last.
template <std::size_t N>
std::array<PositionTable, N> ComputeTables(const std::array<BodyId, N>& bodies, double first, double last, double step) {
    const int count = static_cast<int>(std::ceil((last - first) / step)) + 1;
    std::array<PositionTable, N> tables;
    tables.fill(PositionTable(first, step));
    EphemerisContext context;
    for (int i = 0; i < count; ++i) {
        const double t = first + i * step;
        // Sun first: the other bodies read the Sun's values of the same instant.
        ComputeBodyPosition(context, BodyId::kSun, t);
        const PlaceOfDate ofDate(t);
        for (std::size_t b = 0; b < N; ++b) {
            tables[b].Add(PlannerPlace(ofDate, bodies[b], ComputeBodyPosition(context, bodies[b], t)));
        }
    }
    return tables;
}

// Hour angle and horizon of one body seen from the observer.
class PassFinder {
public:
    PassFinder(BodyId body, const PositionTable& table, const Observer& observer, const EphemerisContext& sidereal)
        : body_(body),
          table_(table),
          longitude_(observer.longitude),
          sinLatitude_(std::sin(observer.latitude)),
          cosLatitude_(std::cos(observer.latitude)),
          sinHorizon_(std::sin(HorizonGeometricAltitude())),
          sidereal_(sidereal) {}

    // Passes whose transits lie in [from, to).
    std::vector<BodyPass> Passes(double from, double to) const {
        std::vector<BodyPass> passes;
        passes.reserve(static_cast<std::size_t>(to - from) + 2);
        const InterpolatedPosition start = table_.At(from);
        double guess = from + NormalizeAngle(-HourAngle(from, start)) / Rate(start);
        for (int i = 0; i < 1000; ++i) {
            double transit = Solve(guess, [](const InterpolatedPosition&) { return 0.0; });
            if (transit < from) transit = Solve(transit + 2.0 * kPi / Rate(table_.At(transit)), [](const InterpolatedPosition&) { return 0.0; });
            if (!(transit < to)) break;
            passes.push_back(PassAt(transit));
            guess = transit + 2.0 * kPi / Rate(table_.At(transit));
        }
        return passes;
    }

private:
    double HourAngle(double t, const InterpolatedPosition& p) const {
        return LocalSiderealTimeAt(SiderealTimeParts(sidereal_, t), longitude_) - p.ra;
    }
    // Hour angle gained per day by the body.
    static double Rate(const InterpolatedPosition& p) { return kSiderealRate - p.raRate; }

    // Sine of the geometric altitude of the centre at which the body rises and sets.
    double SinRiseAltitude(const InterpolatedPosition& p) const {
        if (body_ != BodyId::kMoon) return sinHorizon_;
        const double horizon = HorizonGeometricAltitude();
        // Upper limb on the horizon, the Moon lowered by its parallax.
        const double semidiameter = p.diameter / 2.0 / 3600.0 * kDegree;
        const double parallax = std::asin(std::clamp(std::sin(semidiameter) / kMoonRadiusEarthRadii, -1.0, 1.0));
        return std::sin(horizon - semidiameter + parallax * std::cos(horizon));
    }

    // Cosine of the hour angle at which the body crosses its rise altitude.
    double CosRiseHourAngle(const InterpolatedPosition& p) const {
        return (SinRiseAltitude(p) - sinLatitude_ * std::sin(p.dec)) / (cosLatitude_ * std::cos(p.dec));
    }

    // Newton steps on the hour angle towards target(position).
    template <typename Target>
    double Solve(double t, Target target) const {
        return NewtonRoot(
            t,
            [&](double x) {
                const InterpolatedPosition p = table_.At(x);
                return SignedAngle(HourAngle(x, p) - target(p)) / Rate(p);
            },
            kMostSteps);
    }

    BodyPass PassAt(double transit) const {
        BodyPass pass;
        pass.transit = {transit, true};
        const InterpolatedPosition p = table_.At(transit);
        const double altitude = std::asin(std::clamp(
            sinLatitude_ * std::sin(p.dec) + cosLatitude_ * std::cos(p.dec), -1.0, 1.0));
        pass.transitAltitude = ApparentAltitude(altitude);
        const double c = CosRiseHourAngle(p);
        if (!(c > -1.0 && c < 1.0)) {
            pass.alwaysUp = c <= -1.0;
            return pass;
        }
        bool out = false;
        // The crossing hour angle, held at the horizon's ends where the
        // declination of a step leaves the body up or down all day.
        const auto crossing = [&](const InterpolatedPosition& q) {
            const double cq = CosRiseHourAngle(q);
            if (!(cq > -1.0 && cq < 1.0)) out = true;
            return std::acos(std::clamp(cq, -1.0, 1.0));
        };
        const double h0 = std::acos(c);
        const double rise = Solve(transit - h0 / Rate(p), [&](const InterpolatedPosition& q) { return -crossing(q); });
        if (!out && rise < transit) pass.rise = {rise, true};
        out = false;
        const double set = Solve(transit + h0 / Rate(p), crossing);
        if (!out && set > transit) pass.set = {set, true};
        return pass;
    }

    BodyId body_;
    const PositionTable& table_;
    double longitude_;
    double sinLatitude_;
    double cosLatitude_;
    double sinHorizon_;
    const EphemerisContext& sidereal_;
};

std::vector<TimeInterval> UpIntervals(const std::vector<BodyPass>& passes) {
    std::vector<TimeInterval> up;
    for (std::size_t k = 0; k < passes.size(); ++k) {
        const BodyPass& pass = passes[k];
        // Where a side has no crossing the body stays up to the neighbouring transit.
        const double before = k > 0 ? passes[k - 1].transit.t : pass.transit.t - 0.5;
        const double after = k + 1 < passes.size() ? passes[k + 1].transit.t : pass.transit.t + 0.5;
        const bool upAtTransit = pass.alwaysUp || pass.rise.valid || pass.set.valid;
        if (!upAtTransit) continue;
        const double from = pass.rise.valid ? pass.rise.t : 0.5 * (before + pass.transit.t);
        const double to = pass.set.valid ? pass.set.t : 0.5 * (pass.transit.t + after);
        if (!up.empty() && from <= up.back().to) {
            up.back().to = std::max(up.back().to, to);
        } else {
            up.push_back({from, to});
        }
    }
    return up;
}

}  // namespace

NightSkyTables ComputeNightSkyTables(int year) {
    NightSkyTables tables;
    tables.year = year;
    const double from = JulianDayFromDate(1, 1, year, 0.0) - kMarginDays;
    const double to = JulianDayFromDate(1, 1, year + 1, 0.0) + kMarginDays;
    // The Moon's table costs about as much as all planets' together.
    RunBeside([&] { tables.planets = ComputeTables(kPlanets, from - 4.0, to + 4.0, kPlanetStepDays); },
              [&] {
                  tables.moon = ComputeTables(std::array{BodyId::kMoon}, from - 3.0, to + 3.0,
                                              kMoonStepDays)[0];
              });
    return tables;
}

NightPassYear ComputeNightPassYear(const NightSkyTables& tables, const YearInputs& inputs) {
    NightPassYear year;
    const double firstJd = JulianDayFromDate(1, 1, inputs.year, 0.0);
    const double from = firstJd - kMarginDays;
    const double to = JulianDayFromDate(1, 1, inputs.year + 1, 0.0) + kMarginDays;
    const Observer observer{inputs.latitude, inputs.longitude};
    EphemerisContext sidereal;
    ComputeNutation(sidereal, firstJd);
    const auto planets = [&](int first, int last) {
        for (int k = first; k < last; ++k) {
            year.planets[k] = PassFinder(kPlanets[k], tables.planets[k], observer, sidereal).Passes(from, to);
            for (PassEventKind kind : {PassEventKind::Rise, PassEventKind::Transit, PassEventKind::Set}) {
                year.curves[k][static_cast<int>(kind)] = PassCurve(year.planets[k], kind, inputs.offsets);
            }
        }
    };
    // Each body costs about the same: the Moon and three planets on one
    // thread, the other four on the other.
    constexpr int kBesideMoon = 3;
    RunBeside([&] { planets(kBesideMoon, kOverlayPlanetCount); },
              [&] {
                  year.moonUp = UpIntervals(PassFinder(BodyId::kMoon, tables.moon, observer, sidereal).Passes(from - 1.0, to + 1.0));
                  planets(0, kBesideMoon);
              });
    return year;
}

NightPassYear ComputeNightPassYear(const YearInputs& inputs) {
    return ComputeNightPassYear(ComputeNightSkyTables(inputs.year), inputs);
}

double ClampedDayOffset(const YearOffsets& offsets, double dayJd) {
    if (offsets.days.empty()) return 0.0;
    const double last = offsets.firstJd + static_cast<double>(offsets.days.size() - 1);
    return offsets.OfDay(std::clamp(dayJd, offsets.firstJd, last)).days;
}

LocalInstant ToLocal(const YearOffsets& offsets, double t) {
    // The civil day an instant belongs to depends on that day's own offset.
    const auto offsetOf = [&](double dayJd) { return ClampedDayOffset(offsets, dayJd); };
    const auto dayOf = [](double local) { return std::floor(local - 0.5) + 0.5; };
    double offset = offsetOf(dayOf(t));
    double day = dayOf(t + offset);
    const double own = offsetOf(day);
    if (own != offset) {
        offset = own;
        day = dayOf(t + offset);
    }
    return {day, (t + offset - day) * 24.0, offset};
}

std::vector<CurvePoint> PassCurve(const std::vector<BodyPass>& passes, PassEventKind kind,
                                  const YearOffsets& offsets) {
    std::vector<CurvePoint> points;
    points.reserve(passes.size());
    for (const BodyPass& pass : passes) {
        const PassEvent& event =
            kind == PassEventKind::Rise ? pass.rise : kind == PassEventKind::Set ? pass.set : pass.transit;
        // A transit below the horizon shows nothing.
        const bool shown = event.valid && (kind != PassEventKind::Transit || pass.transitAltitude > 0.0);
        CurvePoint point;
        if (shown) {
            const LocalInstant local = ToLocal(offsets, event.t);
            point = {local.dayJd, local.hours, true, local.offsetDays};
        }
        points.push_back(point);
    }
    return points;
}

}  // namespace velmarin
