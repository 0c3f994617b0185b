// The twilight chart: band cells over local time and the sunshine and
// darkness curves.
#include "core/chart/twilight_chart.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "core/chart/night_colors.h"
#include "core/sky/moonlit_night.h"

namespace velmarin {

namespace {

// The twilight chart has always used this shorter pi for its angles.
using fixed::kTwilightPi;

double LocalHourAngle(double hours) { return (24 - hours) * kTwilightPi / 12; }

// A cell extent d spans 2d - 1 units when positive (the corners are
// P - d + 1 and P + d) and 2|d| + 1 when negative; 0 spans one unit. Gives d,
// or the smallest extent of the axis' sign that spans `step` units.
int CoveringExtent(int d, int step, int sign) {
    const int span = d > 0 ? 2 * d - 1 : d < 0 ? -2 * d + 1 : 1;
    if (span >= step) return d;
    return sign > 0 ? (step + 2) / 2 : -(step / 2);
}

// Half-open box of device pixels, as a normalised Rectangle call covers it.
struct CellBox {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool Empty() const { return x0 == x1 || y0 == y1; }
};

// A run of cells of one band whose boxes join into one rectangle.
class CellPainter {
public:
    CellPainter(Surface& dc, TwilightCells mode) : dc_(dc), mode_(mode) {}

    // The cell of one sample: twice the sample spacing each way, centred
    // on p; dx, dy come reversed in sign as the corners do.
    void Cell(int band, Point p, int dx, int dy) {
        const int left = p.x - dx + 1, top = p.y + dy - 1, right = p.x + dx, bottom = p.y - dy;
        const CellBox box{std::min(left, right), std::min(top, bottom), std::max(left, right),
                          std::max(top, bottom)};
        if (mode_ == TwilightCells::MergedRuns && !box.Empty()) {
            if (runBand_ == band && Joins(box)) {
                run_ = {std::min(run_.x0, box.x0), std::min(run_.y0, box.y0),
                        std::max(run_.x1, box.x1), std::max(run_.y1, box.y1)};
                return;
            }
            Flush();
            runBand_ = band;
            run_ = box;
            return;
        }
        // Degenerate cells (tiny pages) go through unchanged, in order.
        Flush();
        Select(band);
        dc_.Rectangle(left, top, right, bottom);
    }

    // Paints the pending run; call before anything else draws.
    void Flush() {
        if (runBand_ == 0) return;
        Select(runBand_);
        dc_.Rectangle(run_.x0, run_.y0, run_.x1, run_.y1);
        runBand_ = 0;
    }

    // Something else changed the pen: select the band's again next time.
    void ForgetSelection() { selectedBand_ = 0; }

private:
    // The union of run and box is exactly a rectangle: equal extent one way,
    // overlapping or touching the other way.
    bool Joins(const CellBox& box) const {
        if (box.x0 == run_.x0 && box.x1 == run_.x1) return box.y0 <= run_.y1 && box.y1 >= run_.y0;
        if (box.y0 == run_.y0 && box.y1 == run_.y1) return box.x0 <= run_.x1 && box.x1 >= run_.x0;
        return false;
    }

    void Select(int band) {
        if (band == selectedBand_) return;
        const Color color = NightCellColor(band);
        dc_.SelectPen(Pen{color, 0});
        dc_.SelectBrush(Brush{color, false});
        selectedBand_ = band;
    }

    Surface& dc_;
    const TwilightCells mode_;
    int runBand_ = 0;
    CellBox run_;
    int selectedBand_ = 0;
};

}  // namespace

void DrawTwilightDays(Surface& dc, const ChartLayout& layout, const BodyCatalogue& catalogue,
                      const std::vector<TwilightDay>& days, TwilightCells cells,
                      const MoonlitNight* moonlit) {
    // Extent of two days along the date axis and of 0.1 h along the angle
    // axis (negative in portrait, where the angle grows to the left).
    const Point p1 = MapToPage(layout, layout.startJd, kTwilightPi);
    const Point p2 = MapToPage(layout, layout.startJd + 2.0, (12 + 0.1) * kTwilightPi / 12);
    const auto& hours = TwilightSampleHours();
    // Those truncated extents can fall a unit short of the real spacing
    // (3.14159 against the mapping's pi makes it worse), leaving white rows
    // in the night: widen them so that neighbouring samples always meet.
    int angleStep = 0, dateStep = 0;
    for (int s = 1; s < kTwilightSamplesPerDay; ++s) {
        const Point a = MapToPage(layout, layout.startJd, LocalHourAngle(hours[s - 1]));
        const Point b = MapToPage(layout, layout.startJd, LocalHourAngle(hours[s]));
        angleStep = std::max(angleStep, std::abs(layout.portrait ? b.x - a.x : b.y - a.y));
    }
    for (size_t d = 1; d < days.size(); ++d) {
        const Point a = MapToPage(layout, days[d - 1].jd, kTwilightPi);
        const Point b = MapToPage(layout, days[d].jd, kTwilightPi);
        dateStep = std::max(dateStep, std::abs(layout.portrait ? b.y - a.y : b.x - a.x));
    }
    const int dx = layout.portrait ? CoveringExtent(p2.x - p1.x, angleStep, -1)
                                   : CoveringExtent(p2.x - p1.x, dateStep, 1);
    const int dy = layout.portrait ? CoveringExtent(p2.y - p1.y, dateStep, 1)
                                   : CoveringExtent(p2.y - p1.y, angleStep, 1);

    // Every day samples the same hours: their page coordinates once.
    std::array<int, kTwilightSamplesPerDay> sampleAngle{};
    for (int s = 0; s < kTwilightSamplesPerDay; ++s) sampleAngle[s] = AngleToPage(layout, LocalHourAngle(hours[s]));

    CellPainter painter(dc, cells);
    // -1 marks "no previous day": the first day draws no curve segment.
    double previousSunshine = -1.0, previousDarkness = -1.0, previousMoonFree = -1.0;
    for (std::size_t d = 0; d < days.size(); ++d) {
        const TwilightDay& day = days[d];
        const int date = DateToPage(layout, day.jd);
        for (int s = 0; s < kTwilightSamplesPerDay; ++s) {
            int band = day.bands[s];
            if (band < 1 || band > 4) continue;  // daylight stays white
            if (moonlit && band >= 3 && moonlit->moonUp[d][s]) band += kMoonlitAstronomicalBand - 3;
            painter.Cell(band, PagePoint(layout, date, sampleAngle[s]), dx, dy);
        }
        painter.Flush();

        double sunshine = day.sunshineHours;
        const double darkness = day.darknessHours;
        if (previousSunshine != -1.0) {
            dc.SelectPen(catalogue.bodyPens[kEntrySunshine]);
            // A full day of sunshine would lie on the frame, under the clip.
            if (sunshine >= 24) sunshine -= 0.05;
            dc.Line(MapToPage(layout, day.jd - 2.0, LocalHourAngle(previousSunshine)),
                    MapToPage(layout, day.jd, LocalHourAngle(sunshine)));
            dc.SelectPen(catalogue.bodyPens[kEntryDarkness]);
            dc.Line(MapToPage(layout, day.jd - 2.0, LocalHourAngle(previousDarkness)),
                    MapToPage(layout, day.jd, LocalHourAngle(darkness)));
            if (moonlit) {
                // A little thinner than the darkness curve it runs beside: it
                // swings with every lunation and would otherwise crowd the night.
                const int width = catalogue.bodyPens[kEntryDarkness].width;
                dc.SelectPen(Pen{kMoonFreeDarknessColor, std::max(1, width - 1)});
                dc.Line(MapToPage(layout, day.jd - 2.0, LocalHourAngle(previousMoonFree)),
                        MapToPage(layout, day.jd, LocalHourAngle(moonlit->moonFreeDarknessHours[d])));
            }
            painter.ForgetSelection();
        }
        previousSunshine = sunshine;
        previousDarkness = darkness;
        if (moonlit) previousMoonFree = moonlit->moonFreeDarknessHours[d];
    }
}

}  // namespace velmarin
