// The built-in Messier list (taken from Stellarium's catalogue, see
// scripts/make_messier_list.py) against an independent listing: OpenNGC as
// Debian's kstars-data ships it (data/messier_openngc.txt, written by
// data/make_messier_reference.py).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "core/targets/messier_list.h"

namespace velmarin {
namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;

struct Reference {
    double raHours, decDegrees, magnitude;
    int type;
};

std::map<int, Reference> OpenNgc() {
    std::map<int, Reference> out;
    std::ifstream in(VELMARIN_TARGETS_DATA_DIR "/messier_openngc.txt");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        int m = 0;
        Reference r{};
        fields >> m >> r.raHours >> r.decDegrees >> r.magnitude >> r.type;
        out[m] = r;
    }
    return out;
}

double SeparationArcmin(double ra1h, double dec1, double ra2h, double dec2) {
    const double c = std::sin(dec1 * kDeg) * std::sin(dec2 * kDeg) +
                     std::cos(dec1 * kDeg) * std::cos(dec2 * kDeg) * std::cos((ra1h - ra2h) * 15.0 * kDeg);
    return std::acos(std::clamp(c, -1.0, 1.0)) / kDeg * 60.0;
}

TEST(MessierList, HoldsM1ToM110InOrder) {
    const auto entries = MessierEntries();
    ASSERT_EQ(entries.size(), 110u);
    std::set<std::string> names;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(std::string(entries[i].name), "M" + std::to_string(i + 1));
        names.insert(entries[i].name);
        EXPECT_GE(entries[i].raHours, 0.0);
        EXPECT_LT(entries[i].raHours, 24.0);
        EXPECT_LE(std::fabs(entries[i].decDegrees), 90.0);
        // Every Messier object is within reach of a small telescope.
        EXPECT_GT(entries[i].magnitude, 1.0);
        EXPECT_LT(entries[i].magnitude, 11.0);
    }
    EXPECT_EQ(names.size(), 110u);
}

// Positions agree to about an arc minute; a few large objects (M24, M35,
// M45, M50, M78), whose centre each catalogue takes differently, within 6'.
// The kinds agree wherever OpenNGC's type is unambiguous. OpenNGC leaves
// M102 unidentified; both lists then agree on the other 109.
TEST(MessierList, AgreesWithOpenNgc) {
    const std::map<int, Reference> reference = OpenNgc();
    ASSERT_EQ(reference.size(), 109u);
    const std::map<int, std::string> kinds = {
        {4, "globular cluster"}, {6, "planetary nebula"}, {7, "supernova remnant"}, {8, "galaxy"}};
    int withinOne = 0;
    for (const MessierEntry& e : MessierEntries()) {
        const int m = std::stoi(e.name + 1);
        const auto found = reference.find(m);
        if (found == reference.end()) {
            EXPECT_EQ(m, 102);
            continue;
        }
        SCOPED_TRACE(e.name);
        const Reference& r = found->second;
        const double separation = SeparationArcmin(e.raHours, e.decDegrees, r.raHours, r.decDegrees);
        EXPECT_LT(separation, 6.0);
        if (separation < 1.1) ++withinOne;
        const auto kind = kinds.find(r.type);
        if (kind != kinds.end()) {
            EXPECT_EQ(e.kind, kind->second);
        }
    }
    EXPECT_GE(withinOne, 104);
}

TEST(MessierList, TargetsCarryTheEntries) {
    const std::vector<FixedTarget> targets = MessierTargets();
    ASSERT_EQ(targets.size(), 110u);
    // M31 at 0h42m44s, +41 16' (J2000).
    EXPECT_NEAR(targets[30].ra / kDeg / 15.0, 0.7123, 1e-3);
    EXPECT_NEAR(targets[30].dec / kDeg, 41.269, 1e-3);
    EXPECT_EQ(targets[30].kind, "galaxy");
}

}  // namespace
}  // namespace velmarin
