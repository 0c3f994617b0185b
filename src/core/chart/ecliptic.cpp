// The ecliptic on the right-ascension chart: a sine wave about 1 July, the
// zodiac constellation labels along it and a declination scale bar.
#include <cmath>
#include <cstdio>
#include <string>

#include "core/chart/layers.h"
#include "core/ephemeris/time_calendar.h"

namespace velmarin {

namespace {

struct ZodiacLabel {
    const char* name;
    double ra;   // hours
    double dec;  // degrees
};

// Where each constellation's name sits along the ecliptic.
constexpr ZodiacLabel ZodiacLabels[] = {
    {"Psc", 1.0, 4},   {"Ari", 2.2, 17},   {"Tau", 4.5, 25},   {"Gem", 7.0, 26},
    {"Cnc", 8.7, 21},  {"Leo", 10.5, 14},  {"Vir", 13.0, -3},  {"Lib", 15.1, -13},
    {"Sco", 16.4, -17}, {"Sgr", 18.8, -20}, {"Cap", 21.0, -12}, {"Aqr", 22.5, -5},
};

// Days on the date axis that stand for the obliquity (23.5 degrees).
constexpr double kObliquityDays = 47.0;
constexpr double kObliquityDegrees = 23.5;
// 10 / 23.5: ten degrees as a share of the obliquity.
constexpr double kTenDegreesShare = 0.425531914893617;

std::string DeclinationLabel(int degrees) {
    char text[16];
    std::snprintf(text, sizeof text, "%+d\xC2\xB0", degrees);
    return text;
}

// Declination bar at the foot of the 1 July line: alternating black and
// white blocks of 5 degrees, labelled every 10 degrees.
void DrawDeclinationScale(Surface& dc, const ChartLayout& layout, Point mid, int a,
                          double unit, int w10) {
    const int x1 = mid.x, y1 = mid.y;
    const int g = layout.gridMarkHalf;
    if (!layout.portrait) {
        dc.MoveTo(x1 - a, y1);
        dc.LineTo(x1 - a, y1 + 2 * g);
        dc.LineTo(x1 + a, y1 + 2 * g);
        dc.LineTo(x1 + a, y1);
        dc.Rectangle(x1 - 4 * w10, y1 + 2 * g, x1 - a, y1);
        for (int v = -20; v <= 20; v += 10) {
            const std::string label = DeclinationLabel(v);
            const TextSize size = dc.GetTextExtent(label);
            if (v < 20) {
                dc.Rectangle(static_cast<int>((v + 5) * unit + x1), y1 + 2 * g,
                             static_cast<int>((v + 10) * unit + x1), y1);
            }
            dc.TextOut(static_cast<int>(x1 - unit * v) - size.cx / 2, y1 + size.cy, label);
        }
        return;
    }
    const int s = 3 * g;
    dc.MoveTo(x1, y1 - a);
    dc.LineTo(x1 - s, y1 - a);
    dc.LineTo(x1 - s, y1 + a);
    dc.LineTo(x1, y1 + a);
    dc.Rectangle(x1 - s, y1 - 4 * w10, x1, y1 - a);
    for (int v = -20; v <= 20; v += 10) {
        const std::string label = DeclinationLabel(v);
        const TextSize size = dc.GetTextExtent(label);
        if (v < 20) {
            dc.Rectangle(x1 - s, static_cast<int>((v + 5) * unit + y1), x1,
                         static_cast<int>((v + 10) * unit + y1));
        }
        dc.TextOut(x1 - s / 3 - size.cx - s, static_cast<int>(y1 - unit * v) - size.cy / 2, label);
    }
}

}  // namespace

void DrawEcliptic(ChartPass& pass) {
    Surface& dc = pass.dc;
    const ChartLayout& layout = pass.layout;
    const Pen oldPen = dc.SelectPen(pass.catalogue.bodyPens[kEntryEcliptic]);
    const Brush oldBrush = dc.SelectBrush(Brush{Rgb(0, 0, 0), false});
    const Font oldFont = dc.SelectFont(pass.fonts.fontSmall);

    const double jdMid = JulianDayFromDate(1, 7, pass.year);
    const Point mid = MapToPage(layout, jdMid, 0.0);
    const Point later = MapToPage(layout, jdMid + kObliquityDays, 0.0);
    const int a = layout.portrait ? later.y - mid.y : later.x - mid.x;
    const double unit = a / kObliquityDegrees;  // per degree of declination
    const int w10 = static_cast<int>(a * kTenDegreesShare) / 2;

    // The 1 July line; the curve then starts where the line started.
    if (!layout.portrait) {
        dc.Line(mid.x, layout.plotTop, mid.x, layout.plotBottom);
        dc.MoveTo(mid.x, layout.plotTop);
    } else {
        dc.Line(layout.plotLeft, mid.y, layout.plotRight, mid.y);
        dc.MoveTo(layout.plotLeft, mid.y);
    }
    // Positive declination lies toward earlier dates.
    for (double angle = 0.0; angle <= 2.01 * kPi; angle += 0.1) {
        const Point p = MapToPage(layout, jdMid, angle);
        const int offset = static_cast<int>(std::sin(angle) * a);
        if (!layout.portrait) {
            dc.LineTo(mid.x - offset, p.y);
        } else {
            dc.LineTo(p.x, mid.y - offset);
        }
    }

    dc.SetBackgroundMode(BackgroundMode::Transparent);
    for (const ZodiacLabel& label : ZodiacLabels) {
        const Point p = MapToPage(layout, jdMid, label.ra * kPi / 12);
        const TextSize size = dc.GetTextExtent(label.name);
        if (!layout.portrait) {
            dc.TextOut(mid.x - static_cast<int>(label.dec * unit) - size.cx / 2, p.y, label.name);
        } else {
            dc.TextOut(p.x - size.cy / 2, static_cast<int>(mid.y - label.dec * unit) - size.cy / 2,
                       label.name);
        }
    }

    dc.SelectPen(Pen{Rgb(0, 0, 0), 1});
    DrawDeclinationScale(dc, layout, mid, a, unit, w10);

    dc.SelectPen(oldPen);
    dc.SelectBrush(oldBrush);
    dc.SelectFont(oldFont);
}

}  // namespace velmarin
