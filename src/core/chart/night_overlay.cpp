#include "core/chart/target_tracks.h"
#include "core/chart/night_overlay.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "core/chart/shown_bodies.h"
#include "core/text/text_catalogue.h"

namespace velmarin {

namespace {

// The twilight chart's own pi and hour-to-angle mapping, so the curves sit
// on the bands exactly.
using fixed::kTwilightPi;
double LocalHourAngle(double hours) { return (24 - hours) * kTwilightPi / 12; }

// Consecutive passes further apart than this (in days) are not joined.
constexpr double kLongestJoin = 2.5;
// Side of the squares in which the label placement counts curve points.
constexpr int kCrowdCell = 6;

const char* KindSuffix(PassEventKind kind) {
    switch (kind) {
        case PassEventKind::Rise: return " \u2191";
        case PassEventKind::Set: return " \u2193";
        default: return Text(TextId::PassTransitSuffix);
    }
}

// std::lround without the library call (a call for every point of every
// curve): halves away from zero, the same for every value.
long RoundToLong(double x) {
    if (!(std::fabs(x) < 1e15)) return std::lround(x);
    long whole = static_cast<long>(x);  // toward zero
    const double rest = x - static_cast<double>(whole);  // exact
    if (rest >= 0.5) ++whole;
    if (rest <= -0.5) --whole;
    return whole;
}

// Whether local time `hours` of civil day `dayJd` lies in the night
// (astronomical twilight or darkness) as the nearest sampled day has it.
bool InNight(const std::vector<TwilightDay>& days, double dayJd, double hours) {
    if (days.empty()) return false;
    const long index = RoundToLong((dayJd - days.front().jd) / 2.0);
    const auto d = static_cast<std::size_t>(std::clamp<long>(index, 0, static_cast<long>(days.size()) - 1));
    const int s = std::clamp(static_cast<int>(RoundToLong(hours * 10.0)), 0, kTwilightSamplesPerDay - 1);
    return days[d].bands[s] >= 3;
}

// Lines of one pen joined into runs, each run drawn at once: a curve's
// stretches follow on from each other. Flush before the pen changes.
class Strokes {
public:
    explicit Strokes(Surface& dc) : dc_(dc) {}
    void Line(Point from, Point to) {
        if (run_.empty() || !(run_.back() == from)) {
            Flush();
            run_.push_back(from);
        }
        run_.push_back(to);
    }
    void Flush() {
        if (run_.size() >= 2) dc_.Polyline(run_.data(), static_cast<int>(run_.size()));
        run_.clear();
    }

private:
    Surface& dc_;
    std::vector<Point> run_;
};

// One drawn stretch between two curve points, unwrapped through midnight;
// pa and pb are the points as mapped.
void DrawWrapped(Strokes& dc, const ChartLayout& layout, const CurvePoint& a, const CurvePoint& b, Point pa,
                 Point pb) {
    const auto line = [&](double ha, double hb) {
        dc.Line(MapToPage(layout, a.dayJd, LocalHourAngle(ha)), MapToPage(layout, b.dayJd, LocalHourAngle(hb)));
    };
    const double dh = b.hours - a.hours;
    // A jump of more than half a day is the curve leaving one edge of the
    // chart and coming back at the other: draw both ends into the clip.
    if (dh > 12.0) {
        line(a.hours, b.hours - 24.0);
        line(a.hours + 24.0, b.hours);
    } else if (dh < -12.0) {
        line(a.hours, b.hours + 24.0);
        line(a.hours - 24.0, b.hours);
    } else {
        dc.Line(pa, pb);
    }
}

// From a to b where b's clock may differ from a's: a line to b read on a's
// clock, then the step along the time axis to b itself.
void DrawClockStep(Strokes& dc, const ChartLayout& layout, const CurvePoint& a, const CurvePoint& b, Point pa,
                   Point pb) {
    if (a.offsetDays == b.offsetDays) {
        DrawWrapped(dc, layout, a, b, pa, pb);
        return;
    }
    CurvePoint onOldClock = b;
    onOldClock.hours += (a.offsetDays - b.offsetDays) * 24.0;
    const Point stepFrom = MapToPage(layout, b.dayJd, LocalHourAngle(onOldClock.hours));
    DrawWrapped(dc, layout, a, onOldClock, pa, stepFrom);
    dc.Line(stepFrom, pb);
}

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Overlaps(const Box& o, int margin) const {
        return left < o.right + margin && o.left < right + margin && top < o.bottom + margin &&
               o.top < bottom + margin;
    }
};

// How many curve points lie in each small square of the plot; Count()
// once every point is in, then In() sums any box in constant time.
class Crowding {
public:
    explicit Crowding(const ChartLayout& l)
        : left_(l.plotLeft),
          top_(l.plotTop),
          columns_(std::max(1, (l.plotRight - l.plotLeft) / kCrowdCell + 1)),
          rows_(std::max(1, (l.plotBottom - l.plotTop) / kCrowdCell + 1)),
          counts_(static_cast<std::size_t>(columns_ + 1) * (rows_ + 1), 0) {}

    void Add(Point p) {
        const int c = (p.x - left_) / kCrowdCell, r = (p.y - top_) / kCrowdCell;
        if (p.x < left_ || p.y < top_ || c >= columns_ || r >= rows_) return;
        ++At(r + 1, c + 1);
    }
    // Turns the counts into sums over all squares above and left of each.
    void Count() {
        for (int r = 1; r <= rows_; ++r)
            for (int c = 1; c <= columns_; ++c) At(r, c) += At(r - 1, c) + At(r, c - 1) - At(r - 1, c - 1);
    }
    int In(const Box& b) const {
        const int c0 = std::max(0, (b.left - left_) / kCrowdCell), c1 = std::min(columns_ - 1, (b.right - left_) / kCrowdCell);
        const int r0 = std::max(0, (b.top - top_) / kCrowdCell), r1 = std::min(rows_ - 1, (b.bottom - top_) / kCrowdCell);
        if (c0 > c1 || r0 > r1) return 0;
        return At(r1 + 1, c1 + 1) - At(r0, c1 + 1) - At(r1 + 1, c0) + At(r0, c0);
    }

private:
    int& At(int r, int c) { return counts_[static_cast<std::size_t>(r) * (columns_ + 1) + c]; }
    int At(int r, int c) const { return counts_[static_cast<std::size_t>(r) * (columns_ + 1) + c]; }

    int left_, top_, columns_, rows_;
    std::vector<int> counts_;  // (rows + 1) x (columns + 1), a zero row and column first
};

// The labels placed so far, each listed in the squares of the plot its box
// (with the margin kept between labels) reaches, so that a spot is checked
// against its neighbours only.
class PlacedLabels {
public:
    explicit PlacedLabels(const ChartLayout& l)
        : left_(l.plotLeft),
          top_(l.plotTop),
          columns_(std::max(1, (l.plotRight - l.plotLeft) / kCell + 1)),
          rows_(std::max(1, (l.plotBottom - l.plotTop) / kCell + 1)),
          cells_(static_cast<std::size_t>(columns_) * rows_) {}

    void Add(const Box& box) {
        const int index = static_cast<int>(boxes_.size());
        boxes_.push_back(box);
        ForCells(box.left - kMargin, box.top - kMargin, box.right + kMargin, box.bottom + kMargin,
                 [&](std::size_t cell) {
                     cells_[cell].push_back(index);
                     return false;
                 });
    }
    // Whether box comes within the margin of a placed label.
    bool Overlaps(const Box& box) const {
        return ForCells(box.left, box.top, box.right, box.bottom, [&](std::size_t cell) {
            return std::any_of(cells_[cell].begin(), cells_[cell].end(),
                               [&](int i) { return box.Overlaps(boxes_[static_cast<std::size_t>(i)], kMargin); });
        });
    }

private:
    static constexpr int kCell = 64;
    static constexpr int kMargin = 3;

    // Calls f on every square (its index) that holds a point of
    // [x0, x1] x [y0, y1] until it answers true.
    template <typename F>
    bool ForCells(int x0, int y0, int x1, int y1, F f) const {
        const auto column = [&](int x) { return std::clamp((x - left_) / kCell, 0, columns_ - 1); };
        const auto row = [&](int y) { return std::clamp((y - top_) / kCell, 0, rows_ - 1); };
        for (int r = row(y0); r <= row(y1); ++r) {
            for (int c = column(x0); c <= column(x1); ++c) {
                if (f(static_cast<std::size_t>(r) * columns_ + c)) return true;
            }
        }
        return false;
    }

    int left_, top_, columns_, rows_;
    std::vector<Box> boxes_;
    std::vector<std::vector<int>> cells_;  // rows x columns, the boxes' indices
};

struct Curve {
    Color color = 0;
    std::string name;
    PassEventKind kind = PassEventKind::Rise;
    const std::vector<CurvePoint>* points = nullptr;
    std::vector<Point> page;   // each point mapped (valid ones only)
    std::vector<char> night;   // each valid point in the night
};

// A spot for the curve's label: on the curve where it runs steadily, inside
// the plot, clear of the labels placed before, preferring the night and
// the least crowded places (the first along the curve among equals).
std::optional<Box> PlaceLabel(const Curve& curve, const ChartLayout& l, const Crowding& crowding,
                              const PlacedLabels& placed, TextSize size) {
    constexpr std::size_t kSteady = 4;  // points either side that must join without a break
    const auto& pts = *curve.points;
    if (pts.size() < 2 * kSteady + 1) return std::nullopt;
    // breaks[j]: how many of the joins before point j break the curve.
    std::vector<int> breaks(pts.size(), 0);
    for (std::size_t j = 0; j + 1 < pts.size(); ++j) {
        const bool joins = pts[j].valid && pts[j + 1].valid && std::fabs(pts[j + 1].hours - pts[j].hours) < 2.0 &&
                           pts[j + 1].dayJd - pts[j].dayJd < kLongestJoin;
        breaks[j + 1] = breaks[j] + (joins ? 0 : 1);
    }
    std::optional<Box> best;
    long bestScore = 0;
    for (std::size_t i = kSteady; i + kSteady < pts.size(); i += 2) {
        if (breaks[i + kSteady] != breaks[i - kSteady]) continue;
        const Point p = curve.page[i];
        const Box box{p.x - size.cx / 2, p.y - size.cy / 2, p.x - size.cx / 2 + size.cx, p.y - size.cy / 2 + size.cy};
        if (box.left < l.plotLeft + 2 || box.top < l.plotTop + 2 || box.right > l.plotRight - 2 ||
            box.bottom > l.plotBottom - 2)
            continue;
        long score = crowding.In(box);
        if (!curve.night[i]) score += 1000;
        // The cheap score first: with many curves most spots lose on it, and
        // only a spot that would win is checked against the placed labels.
        if (best && score >= bestScore) continue;
        if (placed.Overlaps(box)) continue;
        best = box;
        bestScore = score;
    }
    return best;
}

}  // namespace


void DrawPlanetPasses(ChartPass& pass, const NightPassYear* passes, const NightTargets& targets,
                      const std::vector<TwilightDay>& days) {
    Surface& dc = pass.dc;
    const ChartLayout& l = pass.layout;
    const int track = DefaultTrackWidth(pass.catalogue, l);
    const int thick = std::max(2, track);
    const int thin = std::max(1, track / 3);

    std::vector<Curve> curves;
    const BodySelection shown = ShownBodies(pass.settings);
    for (int k = 0; passes != nullptr && k < kOverlayPlanetCount; ++k) {
        if (!shown[kFirstOverlayPlanet + k]) continue;
        const CatalogueEntry& entry = pass.catalogue.entries[kFirstOverlayPlanet + k];
        for (PassEventKind kind : {PassEventKind::Rise, PassEventKind::Set, PassEventKind::Transit}) {
            Curve& curve = curves.emplace_back();
            curve.color = entry.color;
            curve.name = Translated(entry.name);
            curve.kind = kind;
            curve.points = &passes->curves[k][static_cast<int>(kind)];
        }
    }
    // The targets' curves after the planets', in the colours of their lines.
    for (std::size_t k = 0; targets.passes != nullptr && k < targets.passes->curves.size(); ++k) {
        for (PassEventKind kind : {PassEventKind::Rise, PassEventKind::Set, PassEventKind::Transit}) {
            Curve& curve = curves.emplace_back();
            curve.color = TargetColor(static_cast<int>(k));
            curve.name = TargetName((*targets.targets)[k]);
            curve.kind = kind;
            curve.points = &targets.passes->curves[k][static_cast<int>(kind)];
        }
    }

    Crowding crowding(l);
    Strokes strokes(dc);
    for (Curve& curve : curves) {
        const Color color = curve.color;
        const bool transit = curve.kind == PassEventKind::Transit;
        int selected = -1;
        const std::vector<CurvePoint>& points = *curve.points;
        curve.page.resize(points.size());
        curve.night.resize(points.size());
        for (std::size_t i = 0; i < points.size(); ++i) {
            const CurvePoint& p = points[i];
            if (!p.valid) continue;
            curve.page[i] = MapToPage(l, p.dayJd, LocalHourAngle(p.hours));
            curve.night[i] = InNight(days, p.dayJd, p.hours);
            crowding.Add(curve.page[i]);
        }
        // Every second pass is plenty for a smooth curve (the bands are
        // sampled no closer) and halves the drawing.
        for (std::size_t i = 2; i < points.size(); i += 2) {
            const CurvePoint& a = points[i - 2];
            const CurvePoint& b = points[i];
            if (!a.valid || !points[i - 1].valid || !b.valid || b.dayJd - a.dayJd > 2 * kLongestJoin) continue;
            if (transit && i % 4 == 0) continue;  // dashed
            const bool night = curve.night[i - 2] != 0;
            const int width = transit ? (night ? std::max(1, thick - 1) : 1) : (night ? thick : thin);
            if (width != selected) {
                strokes.Flush();
                dc.SelectPen(Pen{color, width});
                selected = width;
            }
            if (a.offsetDays == b.offsetDays) {
                DrawWrapped(strokes, l, a, b, curve.page[i - 2], curve.page[i]);
            } else {
                // The clock changes between the two: join each pair of days
                // on the earlier day's clock, then step to the new one, so
                // the curve shows the change as the bands do.
                DrawClockStep(strokes, l, a, points[i - 1], curve.page[i - 2], curve.page[i - 1]);
                DrawClockStep(strokes, l, points[i - 1], b, curve.page[i - 1], curve.page[i]);
            }
        }
        strokes.Flush();
    }
    crowding.Count();

    // Labels on top of every curve, in a smaller font than the captions.
    Font font = pass.fonts.fontNormal;
    font.height = static_cast<int>(font.height * 0.8);
    const Font previousFont = dc.SelectFont(font);
    PlacedLabels placed(l);
    for (const Curve& curve : curves) {
        const std::string text = curve.name + KindSuffix(curve.kind);
        const std::optional<Box> box = PlaceLabel(curve, l, crowding, placed, dc.GetTextExtent(text));
        if (!box) continue;
        placed.Add(*box);
        const Color c = curve.color;
        const bool dark = RedOf(c) * 299 + GreenOf(c) * 587 + BlueOf(c) * 114 < 140000;
        dc.SetBackgroundMode(BackgroundMode::Opaque);
        dc.SetBackgroundColor(c);
        dc.SetTextColor(dark ? Rgb(255, 255, 255) : Rgb(0, 0, 0));
        dc.TextOut(box->left, box->top, text);
    }
    // Back to what the layers after this one expect.
    dc.SetBackgroundMode(BackgroundMode::Transparent);
    dc.SetBackgroundColor(Rgb(255, 255, 255));
    dc.SetTextColor(Rgb(0, 0, 0));
    dc.SelectFont(previousFont);
}

}  // namespace velmarin
