#include <gtest/gtest.h>

#include <cmath>

#include "core/ephemeris/ephemeris_context.h"
#include "core/ephemeris/moon_phase.h"
#include "core/ephemeris/time_calendar.h"
#include "core/test_names.h"

namespace velmarin {
namespace {

constexpr double kSynodicMonth = 29.530588;

struct KnownPhase {
    const char* what;
    double searchFrom;  // JD
    int kind;
    double expectedJd;  // PyEphem 4.1.4 next_new_moon / next_full_moon, UT
};
class EphemKnownPhase : public ::testing::TestWithParam<KnownPhase> {};

TEST_P(EphemKnownPhase, FoundWithinAnHourOrTwo) {
    const KnownPhase& c = GetParam();
    EXPECT_NEAR(FindMoonPhase(c.searchFrom, c.kind).jd, c.expectedJd, 0.1) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    PyEphem, EphemKnownPhase,
    ::testing::Values(
        // Total lunar eclipse 2026-03-03, full moon 11:37:50 UT.
        KnownPhase{"full moon 2026-03-03", JulianDayFromDate(25, 2, 2026), kFullMoon, 2461102.9846065},
        // Annular solar eclipse 2026-02-17, new moon 12:01:05 UT.
        KnownPhase{"new moon 2026-02-17", JulianDayFromDate(10, 2, 2026), kNewMoon, 2461089.0007523},
        KnownPhase{"new moon 2026-08-12", JulianDayFromDate(1, 8, 2026), kNewMoon, 2461265.2337868},
        // Before 1900 the lunation count is negative.
        KnownPhase{"full moon 1899-06-23", JulianDayFromDate(1, 6, 1899), kFullMoon, 2414829.0973286},
        KnownPhase{"full moon 1650-01-17", JulianDayFromDate(1, 1, 1650), kFullMoon, 2323727.3548773}),
    [](const ::testing::TestParamInfo<KnownPhase>& info) { return test::IdentifierOf(info.param.what); });

TEST(EphemFindMoonPhase, FirstPhaseAfterTheStartInEveryEra) {
    // The mean phase found lies within a lunation after the start (less the
    // 0.76-day epoch offset the count ignores, and its slow drift away from
    // 1900); the true instant differs
    // from it by up to about 0.9 days. A truncated count before 1900 would
    // land a whole lunation late.
    for (double jd = JulianDayFromDate(1, 1, 1600); jd < JulianDayFromDate(1, 1, 2300); jd += 3.77) {
        for (int kind = 0; kind < 4; ++kind) {
            const MoonPhaseResult r = FindMoonPhase(jd, kind);
            ASSERT_GT(r.jd - jd, -2.0) << jd << " kind " << kind;
            ASSERT_LT(r.jd - jd, kSynodicMonth + 2.0) << jd << " kind " << kind;
            ASSERT_GE(r.sunMeanAnomaly, 0.0);
            ASSERT_LT(r.sunMeanAnomaly, 2.0 * kPi);
            ASSERT_GE(r.moonMeanAnomaly, 0.0);
            ASSERT_LT(r.moonMeanAnomaly, 2.0 * kPi);
        }
    }
}

TEST(EphemFindMoonPhase, ChainsThroughLunationsWithoutRepeatOrSkip) {
    // new + 4 days -> the next new moon, never the same one; the kinds follow
    // each other about a quarter lunation apart.
    double jd = JulianDayFromDate(1, 1, 1800) - 35.0;
    double previousNew = FindMoonPhase(jd, kNewMoon).jd;
    double jp = previousNew;
    for (int lunation = 0; lunation < 5000; ++lunation) {
        for (int kind = 1; kind < 4; ++kind) {
            const double next = FindMoonPhase(jp + 4.0, kind).jd;
            ASSERT_GT(next - jp, 5.5) << jp;
            ASSERT_LT(next - jp, 9.0) << jp;
            jp = next;
        }
        const double nextNew = FindMoonPhase(previousNew + 4.0, kNewMoon).jd;
        ASSERT_GT(nextNew - previousNew, 29.2) << previousNew;
        ASSERT_LT(nextNew - previousNew, 29.9) << previousNew;
        ASSERT_NEAR(FindMoonPhase(jp + 5.0, kNewMoon).jd, nextNew, 1e-9) << jp;
        previousNew = jp = nextNew;
    }
}

TEST(EphemFindMoonPhase, FullMoonAfterTheCurrentOneHasPassed) {
    // Starting 20 days after a new moon, the full moon of that lunation lies
    // behind: the next lunation's full moon (about 44 days after it) comes.
    const double newMoon = FindMoonPhase(JulianDayFromDate(1, 5, 2031), kNewMoon).jd;
    const double full = FindMoonPhase(newMoon + 20.0, kFullMoon).jd;
    EXPECT_NEAR(full - newMoon, 1.5 * kSynodicMonth, 1.5);
}

struct NodeCase {
    double angleDegrees;
    double nodeDegrees;
    double limit;
    bool near;
};
class EphemMoonNearNode : public ::testing::TestWithParam<NodeCase> {};

TEST_P(EphemMoonNearNode, MeasuresOnTheCircleAgainstBothNodes) {
    const NodeCase& c = GetParam();
    const double d = kPi / 180.0;
    EXPECT_EQ(MoonNearNode(c.angleDegrees * d, c.nodeDegrees * d, c.limit), c.near)
        << c.angleDegrees << " vs " << c.nodeDegrees;
}

INSTANTIATE_TEST_SUITE_P(
    Table, EphemMoonNearNode,
    ::testing::Values(NodeCase{100.0, 104.5, 4.0, false}, NodeCase{100.0, 103.9, 4.0, true},
                      NodeCase{100.0, 96.1, 4.0, true},
                      // Around 0/360 degrees.
                      NodeCase{1.0, 359.0, 4.0, true}, NodeCase{359.0, 1.0, 4.0, true},
                      NodeCase{355.0, 10.0, 17.0, true}, NodeCase{340.0, 10.0, 17.0, false},
                      // The descending node, node + 180 degrees, on either side of 0.
                      NodeCase{190.0, 10.0, 17.0, true}, NodeCase{5.0, 175.0, 17.0, true},
                      NodeCase{178.0, 359.0, 4.0, true}, NodeCase{90.0, 0.0, 17.0, false},
                      NodeCase{100.0, 117.0, 17.0, false}, NodeCase{100.0, 116.9, 17.0, true}),
    [](const ::testing::TestParamInfo<NodeCase>& info) {
        return "Moon" + test::NameOfNumber(info.param.angleDegrees) + "_Node" +
               test::NameOfNumber(info.param.nodeDegrees) + "_Limit" + test::NameOfNumber(info.param.limit);
    });

}  // namespace
}  // namespace velmarin
