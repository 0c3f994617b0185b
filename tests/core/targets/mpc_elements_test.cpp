// The MPC one-line readers on the reference orbits (written column for column
// by data/make_target_reference.py) and on bad lines.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "core/ephemeris/time_calendar.h"
#include "core/targets/mpc_elements.h"

namespace velmarin {
namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;

std::string ReferenceLines() {
    std::ifstream in(VELMARIN_TARGETS_DATA_DIR "/orbits_mpc.txt");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(MpcElements, ReadsCometAndMpcorbLines) {
    auto read = ReadMpcElements(ReferenceLines(), "orbits_mpc.txt");
    ASSERT_TRUE(read) << read.error();
    const auto& orbits = *read;
    ASSERT_EQ(orbits.size(), 4u);
    // The values the script wrote (make_target_reference.py).
    EXPECT_EQ(orbits[0].name, "Test ellipse");
    EXPECT_NEAR(orbits[0].elements.perihelionJd, JulianDayFromDate(15, 3, 2026, 6.0), 1e-6);
    EXPECT_DOUBLE_EQ(orbits[0].elements.perihelionDistance, 0.8123);
    EXPECT_DOUBLE_EQ(orbits[0].elements.eccentricity, 0.9712);
    EXPECT_NEAR(orbits[0].elements.argumentOfPerihelion, 112.345 * kDeg, 1e-12);
    EXPECT_NEAR(orbits[0].elements.ascendingNode, 248.901 * kDeg, 1e-12);
    EXPECT_NEAR(orbits[0].elements.inclination, 34.567 * kDeg, 1e-12);
    EXPECT_EQ(orbits[0].magnitude.law, OrbitMagnitude::Law::Comet);
    EXPECT_DOUBLE_EQ(orbits[0].magnitude.absolute, 7.5);
    EXPECT_DOUBLE_EQ(orbits[0].magnitude.slope, 4.0);
    EXPECT_DOUBLE_EQ(orbits[1].elements.eccentricity, 1.0);
    EXPECT_DOUBLE_EQ(orbits[2].elements.eccentricity, 1.0523);
    const OrbitTarget& vesta = orbits[3];
    EXPECT_EQ(vesta.name, "(4) Test Vesta");
    EXPECT_EQ(vesta.magnitude.law, OrbitMagnitude::Law::Asteroid);
    EXPECT_DOUBLE_EQ(vesta.magnitude.absolute, 3.25);
    EXPECT_DOUBLE_EQ(vesta.magnitude.slope, 0.32);
    EXPECT_NEAR(vesta.elements.perihelionDistance, 2.3615 * (1.0 - 0.0897), 1e-12);
    // M = 123.4567 degrees at 2025 Nov 21.0 with n = k / a^1.5.
    const double n = 0.01720209895 / std::pow(2.3615, 1.5);
    EXPECT_NEAR(vesta.elements.perihelionJd, JulianDayFromDate(21, 11, 2025, 0.0) - 123.4567 * kDeg / n, 1e-6);
}

// The reader accepts a file straight from the MPC: its header, CR LF, blank lines.
TEST(MpcElements, SkipsMpcorbHeaderAndBlankLines) {
    const std::string lines = ReferenceLines();
    const std::string asteroid = lines.substr(lines.rfind('\n', lines.size() - 2) + 1);
    const std::string text = "MINOR PLANET CENTER ORBIT DATABASE (MPCORB)\r\nDes'n     H     G   Epoch\r\n" +
                             std::string(160, '-') + "\r\n\r\n" + asteroid;
    auto read = ReadMpcElements(text, "MPCORB.DAT");
    ASSERT_TRUE(read) << read.error();
    EXPECT_EQ(read->size(), 1u);
}

struct BadLine {
    std::string line;
    std::string message;
};

TEST(MpcElements, BadLinesNameFileAndLine) {
    const std::string lines = ReferenceLines();
    const std::string comet = lines.substr(0, lines.find('\n'));
    const std::string asteroid = lines.substr(lines.rfind('\n', lines.size() - 2) + 1, 202);
    std::string negative = comet;
    negative.replace(41, 8, "-0.10000");
    std::string zeroQ = comet;
    zeroQ.replace(30, 9, " 0.000000");
    std::string openAsteroid = asteroid;
    openAsteroid.replace(70, 9, "1.0500000");
    std::string garbled = asteroid;
    garbled.replace(26, 9, "  12x.456");
    const BadLine cases[] = {
        {comet.substr(0, 99), "e.txt:2: MPC comet line must have 100 to 168 columns, not 99"},
        {comet + std::string(10, 'x'), "e.txt:2: MPC comet line must have 100 to 168 columns, not 177"},
        {asteroid.substr(0, 100), "e.txt:2: MPCORB line must have 103 to 202 columns, not 100"},
        {asteroid + "x", "e.txt:2: MPCORB line must have 103 to 202 columns, not 203"},
        {negative, "e.txt:2: eccentricity below 0"},
        {zeroQ, "e.txt:2: perihelion distance must be above 0"},
        {openAsteroid, "e.txt:2: MPCORB orbit with eccentricity 1 or more"},
        {garbled, "e.txt:2: not an MPC comet or MPCORB line"},
        {"C/2020 F3 (NEOWISE) q=0.29", "e.txt:2: not an MPC comet or MPCORB line"},
    };
    for (const BadLine& c : cases) {
        SCOPED_TRACE(c.line);
        auto read = ReadMpcElements(comet + "\n" + c.line + "\n" + comet + "\n", "e.txt");
        ASSERT_FALSE(read);
        EXPECT_EQ(read.error(), c.message);
    }
}

}  // namespace
}  // namespace velmarin
