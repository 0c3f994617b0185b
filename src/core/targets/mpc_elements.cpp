#include "core/targets/mpc_elements.h"

#include <cmath>
#include <optional>
#include <string>

#include "core/ephemeris/fixed_numbers.h"
#include "core/ephemeris/time_calendar.h"
#include "core/text/number_text.h"

namespace velmarin {

namespace {

constexpr double kRadiansPerDegree = fixed::kExactPi / 180.0;
constexpr std::size_t kCometMinWidth = 100, kCometMaxWidth = 168;
constexpr std::size_t kAsteroidMinWidth = 103, kAsteroidMaxWidth = 202;

// Columns first..last (1-based, inclusive), blanks trimmed; empty past the end.
std::string Columns(std::string_view line, std::size_t first, std::size_t last) {
    if (first > line.size()) return {};
    std::string_view s = line.substr(first - 1, last - first + 1);
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return std::string(s);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The comet format has its perihelion day's point in column 25, MPCORB its
// mean anomaly's in column 30.
bool LooksLikeComet(std::string_view line) {
    return line.size() >= 30 && line[24] == '.' && IsDigit(line[14]) && IsDigit(line[17]);
}
bool LooksLikeAsteroid(std::string_view line) { return line.size() >= 36 && line[29] == '.'; }

// Packed MPC digit: 0-9, then A = 10 .. V = 31.
std::optional<int> PackedDigit(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'A' && c <= 'V') return c - 'A' + 10;
    return std::nullopt;
}

// Packed epoch "K2555": century letter (I 18, J 19, K 20), two-digit year,
// month and day as packed digits; 0 h TT of that day.
std::optional<double> PackedEpoch(const std::string& packed) {
    if (packed.size() != 5 || packed[0] < 'A' || packed[0] > 'Z' || !IsDigit(packed[1]) || !IsDigit(packed[2]))
        return std::nullopt;
    const int year = (packed[0] - 'A' + 10) * 100 + (packed[1] - '0') * 10 + (packed[2] - '0');
    const std::optional<int> month = PackedDigit(packed[3]);
    const std::optional<int> day = PackedDigit(packed[4]);
    if (!month || !day || *month < 1 || *month > 12 || *day < 1) return std::nullopt;
    return JulianDayFromDate(*day, *month, year, 0.0);
}

}  // namespace

Expected<std::vector<OrbitTarget>> ReadMpcElements(std::string_view text, std::string_view fileName) {
    std::vector<OrbitTarget> targets;
    // MPCORB.DAT opens with a header that ends in a line of dashes.
    std::size_t headerLines = 0;
    {
        std::size_t at = 0;
        for (std::size_t n = 1; at < text.size() && n <= 200; ++n) {
            const std::size_t end = text.find('\n', at);
            const std::string_view line = text.substr(at, end == std::string_view::npos ? text.npos : end - at);
            if (line.substr(0, 10) == "----------") {
                headerLines = n;
                break;
            }
            if (end == std::string_view::npos) break;
            at = end + 1;
        }
    }
    std::size_t at = 0;
    for (std::size_t lineNumber = 1; at < text.size(); ++lineNumber) {
        const std::size_t end = text.find('\n', at);
        std::string_view line = text.substr(at, end == std::string_view::npos ? text.npos : end - at);
        at = end == std::string_view::npos ? text.size() : end + 1;
        if (lineNumber <= headerLines) continue;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
        if (line.empty()) continue;
        const auto fail = [&](const std::string& what) {
            return std::string(fileName) + ":" + std::to_string(lineNumber) + ": " + what;
        };
        const auto number = [&](std::size_t first, std::size_t last) -> std::optional<double> {
            return ParseWholeDouble(Columns(line, first, last));
        };
        const auto width = [&](std::size_t low, std::size_t high, const char* format) -> std::optional<std::string> {
            if (line.size() < low || line.size() > high)
                return fail(std::string(format) + " line must have " + std::to_string(low) + " to " +
                            std::to_string(high) + " columns, not " + std::to_string(line.size()));
            return std::nullopt;
        };
        OrbitTarget target;
        if (LooksLikeComet(line)) {
            if (auto error = width(kCometMinWidth, kCometMaxWidth, "MPC comet")) return *error;
            const std::optional<double> year = number(15, 18), month = number(20, 21), day = number(23, 29);
            const std::optional<double> q = number(31, 39), e = number(42, 49);
            const std::optional<double> w = number(52, 59), node = number(62, 69), inc = number(72, 79);
            if (!year || !month || !day || !q || !e || !w || !node || !inc)
                return fail("MPC comet line: unreadable field in columns 15-79");
            if (*month < 1 || *month > 12 || *day < 0 || *day >= 33) return fail("perihelion date out of range");
            if (*e < 0.0) return fail("eccentricity below 0");
            if (!(*q > 0.0)) return fail("perihelion distance must be above 0");
            const double whole = std::floor(*day);
            target.elements.perihelionJd =
                JulianDayFromDate(static_cast<int>(whole), static_cast<int>(*month), static_cast<int>(*year), 0.0) +
                (*day - whole);
            target.elements.perihelionDistance = *q;
            target.elements.eccentricity = *e;
            target.elements.argumentOfPerihelion = *w * kRadiansPerDegree;
            target.elements.ascendingNode = *node * kRadiansPerDegree;
            target.elements.inclination = *inc * kRadiansPerDegree;
            const std::optional<double> g = number(92, 95), k = number(97, 100);
            if (g && k) target.magnitude = {OrbitMagnitude::Law::Comet, *g, *k};
            target.name = Columns(line, 103, 158);
            if (target.name.empty()) target.name = Columns(line, 1, 12);
        } else if (LooksLikeAsteroid(line)) {
            if (auto error = width(kAsteroidMinWidth, kAsteroidMaxWidth, "MPCORB")) return *error;
            const std::optional<double> epoch = PackedEpoch(Columns(line, 21, 25));
            const std::optional<double> m = number(27, 35), w = number(38, 46), node = number(49, 57);
            const std::optional<double> inc = number(60, 68), e = number(71, 79), a = number(93, 103);
            if (!epoch || !m || !w || !node || !inc || !e || !a)
                return fail("MPCORB line: unreadable field in columns 21-103");
            if (*e < 0.0) return fail("eccentricity below 0");
            if (*e >= 1.0) return fail("MPCORB orbit with eccentricity 1 or more");
            if (!(*a > 0.0)) return fail("semimajor axis must be above 0");
            const double n = kGaussianConstant / (*a * std::sqrt(*a));  // rad/day
            target.elements.perihelionJd = *epoch - *m * kRadiansPerDegree / n;
            target.elements.perihelionDistance = *a * (1.0 - *e);
            target.elements.eccentricity = *e;
            target.elements.argumentOfPerihelion = *w * kRadiansPerDegree;
            target.elements.ascendingNode = *node * kRadiansPerDegree;
            target.elements.inclination = *inc * kRadiansPerDegree;
            const std::optional<double> h = number(9, 13), g = number(15, 19);
            if (h) target.magnitude = {OrbitMagnitude::Law::Asteroid, *h, g.value_or(0.15)};
            target.name = Columns(line, 167, 194);
            if (target.name.empty()) target.name = Columns(line, 1, 7);
        } else {
            return fail("not an MPC comet or MPCORB line");
        }
        targets.push_back(std::move(target));
    }
    return targets;
}

}  // namespace velmarin
