// Rise, transit, set and twilight instants of a year against PyEphem
// (data/rise_set_pyephem.txt, made by data/make_rise_set_reference.py, which
// says how PyEphem is set up to share our horizon).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/reference_minutes.h"
#include "core/ephemeris/body_position.h"
#include "core/ephemeris/rise_set.h"
#include "core/ephemeris/visibility_year.h"

namespace velmarin {
namespace {

constexpr int kYear = 2026;
constexpr double kDeg = 3.14159265358979323846 / 180.0;
constexpr double kMinute = 1.0 / 1440.0;

struct Place {
    const char* name;
    double latitudeDeg;
    double longitudeDeg;
    double offsetHours;
    bool polar;
};

// Same places and offsets as the reference script.
const Place kPlaces[] = {
    {"52N", 52.0, 13.4, 1.0, false},
    {"0N", 0.0, -78.5, -5.0, false},
    {"34S", -34.0, 18.4, 2.0, false},
    {"70N", 70.0, 23.0, 1.0, true},
};

// Reference instants keyed by "place body kind"; up-states keyed by "place body".
struct Reference {
    std::map<std::string, std::vector<double>> events;
    std::map<std::string, std::vector<int>> upAtStart;
};

const Reference& LoadReference() {
    static const Reference reference = [] {
        Reference r;
        std::ifstream in(VELMARIN_TEST_DATA_DIR "/rise_set_pyephem.txt");
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] == '#') continue;
            std::istringstream fields(line);
            std::string place, kind;
            int body = 0;
            fields >> place >> body >> kind;
            const std::string key = place + " " + std::to_string(body);
            if (kind == "u") {
                int day = 0, up = 0;
                fields >> day >> up;
                r.upAtStart[key].push_back(up);
            } else {
                double jd = 0.0;
                fields >> jd;
                r.events[key + " " + kind].push_back(jd);
            }
        }
        return r;
    }();
    return reference;
}

const std::vector<VisibilityDay>& YearAt(const Place& place) {
    static std::map<std::string, std::vector<VisibilityDay>> years;
    auto found = years.find(place.name);
    if (found == years.end()) {
        YearInputs inputs;
        inputs.year = kYear;
        inputs.latitude = place.latitudeDeg * kDeg;
        inputs.longitude = place.longitudeDeg * kDeg;
        inputs.offsets = FixedZoneOffsets(kYear, place.offsetHours, false);
        found = years.emplace(place.name, ComputeVisibilityYear(inputs)).first;
    }
    return found->second;
}

// Every rise ('r') or set ('s') of a body through the year, from its up stretches.
std::vector<double> OurCrossings(const std::vector<VisibilityDay>& days, int body, char kind) {
    std::vector<double> out;
    for (const VisibilityDay& day : days) {
        for (const TimeInterval& up : day.bodies[body].up) {
            if (kind == 'r' && up.from > day.start) out.push_back(up.from);
            if (kind == 's' && up.to < day.end) out.push_back(up.to);
        }
    }
    return out;
}

using testing::Median;
using testing::NearestMinutes;

// Allowed differences in minutes, worst and median. Saturn, Uranus and
// Neptune: the ephemeris's fixed orbits alone put them about half a degree
// from PyEphem's places (Saturn 33 arc minutes in right ascension in 2026),
// 3 to 5 minutes at 52 N. At 70 N a degree of
// declination moves a grazing rise by hours, so there only made-up or missing
// events are looked for; Uranus stays at the circumpolar limit (declination
// about +20) all year, and which ephemeris lets it dip is left open.
struct Tolerance {
    double worst;
    double median;
};
std::optional<Tolerance> ToleranceFor(const Place& place, int body) {
    const bool offByTheEphemeris = body == IndexOf(BodyId::kSaturn) || body == IndexOf(BodyId::kUranus) || body == IndexOf(BodyId::kNeptune);
    if (place.polar) {
        if (body == IndexOf(BodyId::kUranus)) return std::nullopt;
        return Tolerance{60.0, offByTheEphemeris ? 7.0 : 5.0};
    }
    if (offByTheEphemeris) return Tolerance{10.0, 7.0};
    return Tolerance{5.0, 2.5};
}

class RiseSetAgainstPyEphem : public ::testing::TestWithParam<Place> {};

// Every reference rise and set inside the year has one of ours within 5
// minutes, the median within 2.5; and each of ours has a reference one, so
// there is none missing and none made up.
TEST_P(RiseSetAgainstPyEphem, RisesAndSetsOfEveryBodyMatch) {
    const Place& place = GetParam();
    const std::vector<VisibilityDay>& days = YearAt(place);
    const double from = days.front().start + kMinute;
    const double to = days.back().end - kMinute;
    for (int body = 0; body < kBodyCount; ++body) {
        const std::optional<Tolerance> tolerance = ToleranceFor(place, body);
        if (!tolerance) continue;
        for (const char kind : {'r', 's'}) {
            SCOPED_TRACE(std::string(place.name) + " body " + std::to_string(body) + " " + kind);
            const std::vector<double> ours = OurCrossings(days, body, kind);
            const auto& all = LoadReference().events.at(std::string(place.name) + " " +
                                                        std::to_string(body) + " " + kind);
            std::vector<double> reference;
            for (double jd : all) {
                if (jd > from && jd < to) reference.push_back(jd);
            }
            ASSERT_FALSE(reference.empty());
            // At 70 N a grazing pass on the first or last day of a season
            // without rising or setting may count in one ephemeris only.
            const int unmatchedAllowed = place.polar ? 4 : 0;
            int unmatched = 0;
            std::vector<double> differences;
            for (double jd : reference) {
                const double d = NearestMinutes(ours, jd);
                if (d > tolerance->worst) {
                    ++unmatched;
                    if (!place.polar) ADD_FAILURE() << "reference JD " << jd << ": " << d << " min";
                    continue;
                }
                differences.push_back(d);
            }
            EXPECT_LE(Median(differences), tolerance->median);
            for (double jd : ours) {
                const double d = NearestMinutes(all, jd);
                if (d > tolerance->worst) {
                    ++unmatched;
                    if (!place.polar) ADD_FAILURE() << "our JD " << jd << ": " << d << " min";
                }
            }
            EXPECT_LE(unmatched, unmatchedAllowed);
        }
    }
}

// Transits and twilight instants: each of ours (the first of its kind in the
// day) lies within 5 minutes of PyEphem's.
TEST_P(RiseSetAgainstPyEphem, TransitsAndTwilightMatch) {
    const Place& place = GetParam();
    const std::vector<VisibilityDay>& days = YearAt(place);
    const Reference& ref = LoadReference();
    const std::string prefix = std::string(place.name) + " ";
    for (int body = 0; body < kBodyCount; ++body) {
        const std::optional<Tolerance> tolerance = ToleranceFor(place, body);
        if (!tolerance) continue;
        const auto& transits = ref.events.at(prefix + std::to_string(body) + " T");
        std::vector<double> differences;
        for (const VisibilityDay& day : days) {
            if (!day.bodies[body].transit) continue;
            differences.push_back(NearestMinutes(transits, *day.bodies[body].transit));
        }
        SCOPED_TRACE(prefix + "transit of body " + std::to_string(body));
        ASSERT_GE(differences.size(), 350u);
        EXPECT_LE(*std::max_element(differences.begin(), differences.end()), tolerance->worst);
        EXPECT_LE(Median(differences), tolerance->median);
    }
    struct Limit {
        int degrees;
        std::optional<double> TwilightInstants::*dawn;
        std::optional<double> TwilightInstants::*dusk;
    };
    const Limit limits[] = {
        {6, &TwilightInstants::civilDawn, &TwilightInstants::civilDusk},
        {12, &TwilightInstants::nauticalDawn, &TwilightInstants::nauticalDusk},
        {18, &TwilightInstants::astronomicalDawn, &TwilightInstants::astronomicalDusk},
    };
    for (const Limit& limit : limits) {
        SCOPED_TRACE(prefix + "twilight at -" + std::to_string(limit.degrees));
        const auto found = ref.events.find(prefix + std::to_string(limit.degrees) + " d");
        std::size_t compared = 0;
        int grazing = 0;
        for (const VisibilityDay& day : days) {
            // Near the limit's season edge the Sun just grazes it, and a tenth
            // of a degree of declination moves the instant by many minutes.
            if (limit.degrees == 18 && day.darknessHours < 1.5) continue;
            for (const auto member : {limit.dawn, limit.dusk}) {
                const std::optional<double>& ours = day.twilight.*member;
                if (!ours) continue;
                const auto& reference =
                    ref.events.at(prefix + std::to_string(limit.degrees) + (member == limit.dawn ? " d" : " D"));
                const double d = NearestMinutes(reference, *ours);
                // At 70 N the Sun grazes the limit on a season's edge days.
                if (place.polar && d > 5.0) {
                    ++grazing;
                } else {
                    EXPECT_LE(d, 5.0) << "our JD " << *ours;
                }
                ++compared;
            }
        }
        // Near the solstices the Sun's lowest altitude at 70 N changes by hundredths
        // of a degree a day and sits at a limit for days; there one in twenty may part.
        EXPECT_LE(grazing * 20, static_cast<int>(compared));
        // A place where the Sun never goes that deep has no instants on either side.
        EXPECT_EQ(compared == 0, found == ref.events.end());
    }
}

// Per day, the number of rises and sets equals PyEphem's in the same local
// day (days with an event within the tolerance of midnight are left out, as
// either side is right there). This covers the Moon's days without a rise or
// with two settings, and the polar summer and winter.
TEST_P(RiseSetAgainstPyEphem, EventsPerDayMatch) {
    const Place& place = GetParam();
    const std::vector<VisibilityDay>& days = YearAt(place);
    const Reference& ref = LoadReference();
    for (int body = 0; body < kBodyCount; ++body) {
        const std::optional<Tolerance> tolerance = ToleranceFor(place, body);
        if (!tolerance) continue;
        const double edge = (tolerance->worst + 1.0) * kMinute;
        const std::string key = std::string(place.name) + " " + std::to_string(body);
        std::string mismatched;
        for (const VisibilityDay& day : days) {
            int counts[2] = {0, 0};
            bool nearEdge = false;
            for (int k = 0; k < 2; ++k) {
                for (double jd : ref.events.at(key + (k == 0 ? " r" : " s"))) {
                    if (std::fabs(jd - day.start) < edge || std::fabs(jd - day.end) < edge) {
                        nearEdge = true;
                    }
                    if (jd >= day.start && jd < day.end) ++counts[k];
                }
            }
            if (nearEdge) continue;
            const BodyDayEvents& e = day.bodies[body];
            const bool quiet = counts[0] == 0 && counts[1] == 0;
            if (e.riseCount != counts[0] || e.setCount != counts[1] || (e.alwaysUp || e.neverUp) != quiet) {
                mismatched += " " + std::to_string(day.month) + "-" + std::to_string(day.day);
            }
        }
        // At 70 N the first and last days of a season of never setting or
        // never rising graze the horizon: the two ephemerides may part there.
        const std::size_t allowed = place.polar ? 3 : 0;
        EXPECT_LE(std::count(mismatched.begin(), mismatched.end(), ' '), allowed) << key << ":" << mismatched;
    }
}

INSTANTIATE_TEST_SUITE_P(Places, RiseSetAgainstPyEphem, ::testing::ValuesIn(kPlaces),
                         [](const ::testing::TestParamInfo<Place>& info) {
                             return std::string("Lat") + info.param.name;
                         });

// At 70 N: a day without events is flagged up or down as PyEphem finds the
// body at the day's start; the polar summer and winter and a circumpolar
// planet all occur in the year, so the flags are really exercised.
TEST(RiseSetPolar, QuietDaysAreFlaggedAsPyEphemSeesThem) {
    const Place& place = kPlaces[3];
    const std::vector<VisibilityDay>& days = YearAt(place);
    const Reference& ref = LoadReference();
    int sunUpDays = 0, sunDownDays = 0, planetUpDays = 0, moonNoRiseDays = 0, moonTwoSetDays = 0;
    for (int body = 0; body < kBodyCount; ++body) {
        const std::vector<int>& up = ref.upAtStart.at(std::string(place.name) + " " + std::to_string(body));
        ASSERT_EQ(up.size(), days.size());
        for (std::size_t i = 0; i < days.size(); ++i) {
            const BodyDayEvents& e = days[i].bodies[body];
            if (e.alwaysUp) {
                EXPECT_EQ(up[i], 1) << "body " << body << " day " << i;
                EXPECT_FALSE(e.rise || e.set);
                ASSERT_EQ(e.up.size(), 1u);
            }
            if (e.neverUp) {
                EXPECT_EQ(up[i], 0) << "body " << body << " day " << i;
                EXPECT_TRUE(e.up.empty());
            }
            if (body == IndexOf(BodyId::kSun)) {
                sunUpDays += e.alwaysUp;
                sunDownDays += e.neverUp;
            } else if (body == IndexOf(BodyId::kMoon)) {
                moonNoRiseDays += e.riseCount == 0;
                moonTwoSetDays += e.setCount == 2;
            } else {
                planetUpDays += e.alwaysUp;
            }
        }
    }
    EXPECT_GT(sunUpDays, 40);
    EXPECT_GT(sunDownDays, 30);
    EXPECT_GT(planetUpDays, 100);
    EXPECT_GT(moonNoRiseDays, 12);
    EXPECT_GT(moonTwoSetDays, 0);
}

// Darkness stays within the day, moon-free darkness within darkness, and a
// day of midnight sun has none.
TEST(RiseSetPolar, DarknessHoursStayWithinTheDay) {
    const std::vector<VisibilityDay>& days = YearAt(kPlaces[3]);
    for (const VisibilityDay& day : days) {
        const double hours = (day.end - day.start) * 24.0;
        EXPECT_GE(day.darknessHours, 0.0);
        EXPECT_LE(day.darknessHours, hours + 1e-9);
        EXPECT_LE(day.moonFreeDarknessHours, day.darknessHours + 1e-9);
        if (day.bodies[IndexOf(BodyId::kSun)].alwaysUp) {
            EXPECT_EQ(day.darknessHours, 0.0);
        }
    }
}

}  // namespace
}  // namespace velmarin
