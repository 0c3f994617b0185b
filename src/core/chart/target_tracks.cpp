#include "core/chart/target_tracks.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "core/chart/mode_angle.h"
#include "core/ephemeris/body_position.h"
#include "core/ephemeris/ephemeris_context.h"
#include "core/ephemeris/time_calendar.h"
#include "core/targets/target_place.h"

namespace velmarin {

namespace {

// None of these is a body's, a band's or a line's colour of the chart, so a
// target's line never reads as a planet's.
constexpr std::array<Color, 10> kPalette = {
    Rgb(0, 110, 220), Rgb(230, 80, 160), Rgb(130, 130, 0),  Rgb(100, 0, 200), Rgb(0, 140, 100),
    Rgb(255, 140, 0), Rgb(80, 80, 160),  Rgb(150, 0, 40),   Rgb(0, 180, 230), Rgb(180, 120, 200),
};

constexpr double kFaintMagnitude = 12.0;
constexpr double kBrightMagnitude = 4.0;

struct Box {
    int left, top, right, bottom;
    bool Overlaps(const Box& o) const { return left < o.right && o.left < right && top < o.bottom && o.top < bottom; }
};

}  // namespace

Color TargetColor(int k) { return kPalette[static_cast<std::size_t>(k) % kPalette.size()]; }

int OrbitTrackWidth(int defaultWidth, const std::optional<double>& magnitude) {
    if (!magnitude) return defaultWidth;
    const double brightness = std::clamp((kFaintMagnitude - *magnitude) / (kFaintMagnitude - kBrightMagnitude), 0.0, 1.0);
    return defaultWidth + static_cast<int>(std::lround(brightness * 2.0 * defaultWidth));
}

void DrawTargetTracks(ChartPass& pass, const std::vector<Target>& targets) {
    if (targets.empty()) return;
    Surface& dc = pass.dc;
    const ChartLayout& l = pass.layout;
    const int halfW = (l.plotRight - l.plotLeft) / 2;
    const int halfH = (l.plotBottom - l.plotTop) / 2;
    const int defaultWidth = DefaultTrackWidth(pass.catalogue, l);

    // The days the body tracks step, with the Sun's right ascension for the
    // hour-angle modes (a context of its own: the pass's is the tracks').
    struct Day {
        double jd;
        double sunRa;
    };
    std::vector<Day> days;
    EphemerisContext context;
    for (double jd = l.startJd; CalendarFromJulianDay(jd).year == pass.year; jd += 2) {
        days.push_back({jd, ComputeBodyPosition(context, BodyId::kSun, jd).ra});
    }
    if (days.empty()) return;

    const Pen keptPen = dc.SelectPen(Pen{TargetColor(0), defaultWidth});
    // Where each line may carry its name: its first point, then a point
    // every month along it, for when an earlier name stands at the first.
    constexpr std::size_t kLabelStepDays = 15;  // track days, two calendar days each
    std::vector<std::vector<Point>> labelPoints(targets.size());
    for (std::size_t k = 0; k < targets.size(); ++k) {
        const Target& target = targets[k];
        const FixedTarget* fixed = std::get_if<FixedTarget>(&target);
        Point previous{};
        for (std::size_t d = 0; d < days.size(); ++d) {
            const TargetPlace place = fixed != nullptr ? TargetPlace{fixed->ra, fixed->dec, fixed->magnitude, {}}
                                                       : ComputeTargetPlace(target, days[d].jd);
            const Point p = MapToPage(l, days[d].jd, ModeAngle(pass.mode, place.ra, days[d].sunRa));
            if (d % kLabelStepDays == 0) labelPoints[k].push_back(p);
            // A star's line stays thinner than the bodies' tracks: many of
            // them run side by side.
            const int width = fixed != nullptr ? std::max(1, defaultWidth / 2)
                                               : OrbitTrackWidth(defaultWidth, place.magnitude);
            // A jump over half the plot is the angle wrapping at the frame:
            // the line leaves a gap of one step there.
            const bool jump = std::abs(p.x - previous.x) > halfW || std::abs(p.y - previous.y) > halfH;
            if (d > 0 && !jump) {
                dc.SelectPen(Pen{TargetColor(static_cast<int>(k)), width});
                dc.Line(previous, p);
            }
            previous = p;
        }
    }

    // Names where the lines begin, in a smaller font than the captions,
    // further along where an earlier name stands.
    Font font = pass.fonts.fontNormal;
    font.height = static_cast<int>(font.height * 0.8);
    const Font previousFont = dc.SelectFont(font);
    // On white, readable over the lines beneath.
    dc.SetBackgroundMode(BackgroundMode::Opaque);
    dc.SetBackgroundColor(Rgb(255, 255, 255));
    std::vector<Box> placed;
    for (std::size_t k = 0; k < targets.size(); ++k) {
        const std::string& name = TargetName(targets[k]);
        const TextSize size = dc.GetTextExtent(name);
        for (const Point s : labelPoints[k]) {
            // Beside the point, clear of the frame, inside the plot.
            Box box{s.x + 3, s.y - size.cy - 1, s.x + 3 + size.cx, s.y - 1};
            if (box.top < l.plotTop) box = {box.left, s.y + 2, box.right, s.y + 2 + size.cy};
            if (box.right > l.plotRight) box = {l.plotRight - size.cx, box.top, l.plotRight, box.bottom};
            if (box.bottom > l.plotBottom) box = {box.left, l.plotBottom - size.cy, box.right, l.plotBottom};
            if (std::any_of(placed.begin(), placed.end(), [&](const Box& b) { return b.Overlaps(box); })) continue;
            placed.push_back(box);
            dc.SetTextColor(TargetColor(static_cast<int>(k)));
            dc.TextOut(box.left, box.top, name);
            break;
        }
    }
    dc.SetBackgroundMode(BackgroundMode::Transparent);
    dc.SetTextColor(Rgb(0, 0, 0));
    dc.SelectFont(previousFont);
    dc.SelectPen(keptPen);
}

}  // namespace velmarin
