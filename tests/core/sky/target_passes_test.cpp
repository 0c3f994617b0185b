// The targets' curves over the twilight chart are the planner's events in
// local time: every point is ToLocal of the planner's instant, through the
// days the clock changes, in zones far from UT, and when a new place is
// solved into the curves kept from the last one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ephemeris/visibility_year.h"
#include "core/sky/target_passes.h"
#include "core/targets/messier_list.h"

namespace velmarin {
namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;

struct Clock {
    const char* name;
    double zoneHours;
    bool summerTime;
};
constexpr Clock kClocks[] = {{"UTplus1Summer", 1.0, true}, {"UTminus10", -10.0, false}, {"UTplus13Summer", 13.0, true}};

struct Place {
    const char* name;
    double latitude, longitude;  // degrees
};
constexpr Place kPlaces[] = {{"Hannover", 52.4, 9.7}, {"Sydney", -33.9, 151.2}, {"Tromsoe", 69.6, 19.0}};

YearInputs InputsAt(const Clock& clock, const Place& place) {
    YearInputs inputs;
    inputs.year = 2026;
    inputs.latitude = place.latitude * kDeg;
    inputs.longitude = place.longitude * kDeg;
    inputs.offsets = FixedZoneOffsets(2026, clock.zoneHours, clock.summerTime);
    return inputs;
}

// M31, M42, M81 (circumpolar in the north), M7 (low or never up there).
std::vector<Target> SomeTargets() {
    std::vector<Target> targets;
    for (FixedTarget& t : MessierTargets()) {
        if (t.name == "M31" || t.name == "M42" || t.name == "M81" || t.name == "M7") targets.emplace_back(std::move(t));
    }
    return targets;
}

void ExpectPointIs(const CurvePoint& point, const std::optional<double>& t, const YearOffsets& offsets,
                   const std::string& where) {
    ASSERT_EQ(point.valid, t.has_value()) << where;
    if (!t) return;
    const LocalInstant local = ToLocal(offsets, *t);
    ASSERT_EQ(point.dayJd, local.dayJd) << where;
    ASSERT_EQ(point.hours, local.hours) << where;
    ASSERT_EQ(point.offsetDays, local.offsetDays) << where;
}

TEST(TargetPassYear, PointsAreThePlannersEventsInLocalTime) {
    const std::vector<Target> targets = SomeTargets();
    ASSERT_EQ(targets.size(), 4u);
    for (const Clock& clock : kClocks) {
        TargetPassYear kept;  // solved place after place into the same curves
        for (const Place& place : kPlaces) {
            const YearInputs inputs = InputsAt(clock, place);
            const std::vector<VisibilityDay> days = ComputeVisibilityYear(inputs);
            const TargetYearSky sky(targets, days);
            ComputeTargetPassYear(sky, inputs, kept);
            const TargetPassYear fresh = ComputeTargetPassYear(sky, inputs);
            const auto planner = ComputeTargetEvents(targets, days, Observer{inputs.latitude, inputs.longitude}, 1);
            ASSERT_EQ(kept.curves.size(), targets.size());
            int points = 0;
            for (std::size_t k = 0; k < targets.size(); ++k) {
                for (int kind = 0; kind < kPassEventKinds; ++kind) {
                    ASSERT_EQ(kept.curves[k][kind].size(), days.size());
                    ASSERT_EQ(fresh.curves[k][kind].size(), days.size());
                }
                for (std::size_t d = 0; d < days.size(); ++d) {
                    const BodyDayEvents& e = planner[d][k];
                    const std::string where = std::string(clock.name) + " " + place.name + " target " +
                                              std::to_string(k) + " day " + std::to_string(d);
                    const std::optional<double> transit = e.transitAltitude > 0.0 ? e.transit : std::nullopt;
                    for (const TargetPassYear* year : {static_cast<const TargetPassYear*>(&kept), &fresh}) {
                        const auto& curves = year->curves[k];
                        ExpectPointIs(curves[static_cast<int>(PassEventKind::Rise)][d], e.rise, inputs.offsets, where);
                        ExpectPointIs(curves[static_cast<int>(PassEventKind::Set)][d], e.set, inputs.offsets, where);
                        ExpectPointIs(curves[static_cast<int>(PassEventKind::Transit)][d], transit, inputs.offsets,
                                      where);
                    }
                    points += e.rise.has_value() + e.set.has_value();
                }
            }
            EXPECT_GT(points, 365) << clock.name << " " << place.name;
        }
    }
}

}  // namespace
}  // namespace velmarin
