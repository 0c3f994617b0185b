#include "core/chart/body_catalogue.h"

#include <algorithm>

#include "core/chart/chart_settings.h"
#include "core/chart/truncate.h"
#include "core/text/text_catalogue.h"

namespace velmarin {

namespace {

constexpr int kVenus = 2;
// Apparent diameters of Venus (arc seconds) that set the plain track width
// on screen and on paper, the legend's sample line and the marker radius.
constexpr double kScreenTrackDiameter = 13.0;
constexpr double kPrintTrackDiameter = 20.0;
// Print widths stop growing with the pen unit here.
constexpr int kPrintPenUnitLimit = 25;

CatalogueEntry Entry(const char* name, Color color, double diameterMin = 0.0,
                     double diameterMax = 0.0, double magnitudeBright = 0.0,
                     double magnitudeFaint = 0.0) {
    return CatalogueEntry{name, color, diameterMin, diameterMax, magnitudeBright, magnitudeFaint};
}

}  // namespace

BodyCatalogue MakeBodyCatalogue() {
    BodyCatalogue catalogue;
    catalogue.entries = {
        Entry(GermanText(TextId::BodySun), Rgb(225, 225, 55), 1882.7, 2046.6, -27.5, -27.0),
        Entry(GermanText(TextId::BodyMercury), Rgb(0, 0, 170), 4.6, 12.3, -5.0, 3.2),
        Entry(GermanText(TextId::BodyVenus), Rgb(160, 220, 220), 9.6, 63.0, -5.9, -3.7),
        Entry(GermanText(TextId::BodyMars), Rgb(255, 0, 0), 3.5, 25.1, -2.9, 1.8),
        Entry(GermanText(TextId::BodyJupiter), Rgb(170, 85, 0), 30.0, 48.0, -2.9, -1.7),
        Entry(GermanText(TextId::BodySaturn), Rgb(55, 225, 55), 15.0, 19.5, 0.4, 1.3),
        Entry(GermanText(TextId::BodyUranus), Rgb(0, 170, 170), 3.3, 4.1, 5.5, 6.0),
        Entry(GermanText(TextId::BodyNeptune), Rgb(0, 150, 0), 2.15, 2.62, 7.7, 8.0),
        Entry(GermanText(TextId::BodyMoon), Rgb(100, 100, 100), 1710.0, 2700.0, -25.0, -6.0),
        Entry(GermanText(TextId::BodyMoonNode), Rgb(170, 0, 170)),
        Entry(GermanText(TextId::BodyMoonNode), Rgb(170, 0, 170)),
        Entry(GermanText(TextId::CurveSiderealTime), Rgb(0, 0, 0)),
        Entry(GermanText(TextId::CurveSunshine), Rgb(255, 0, 0)),
        Entry(GermanText(TextId::CurveDarkness), Rgb(0, 0, 0)),
        Entry(GermanText(TextId::CurveEcliptic), Rgb(125, 125, 125)),
        Entry(GermanText(TextId::BodyPluto), Rgb(140, 140, 140), 0.07, 0.15, 14.7, 17.0),
    };
    catalogue.pensMade = false;
    return catalogue;
}

void MakeBodyPens(BodyCatalogue& catalogue, const ChartLayout& layout) {
    const double diameter = layout.printing ? kPrintTrackDiameter : kScreenTrackDiameter;
    const int width = DiameterPenWidth(catalogue, layout, kVenus, diameter).width;
    for (int i = 0; i < kCatalogueSize; ++i) {
        catalogue.bodyPens[i] = Pen{catalogue.entries[i].color, width};
    }
    catalogue.pensMade = true;
}

PenWidth DiameterPenWidth(const BodyCatalogue& catalogue, const ChartLayout& layout, int entry,
                          double diameter) {
    const int largest =
        layout.printing ? 3 * std::min(layout.penUnit, PrintDots(layout, kPrintPenUnitLimit)) : layout.penUnit;
    const int smallest = layout.printing ? PrintDots(layout, 6) : 2;
    if (entry < 0 || entry >= kCatalogueSize) return PenWidth{smallest, largest};
    const CatalogueEntry& e = catalogue.entries[entry];
    const double range = e.diameterMax - e.diameterMin;
    // Elements without a diameter range keep the thinnest line.
    if (range == 0.0) return PenWidth{smallest, largest};
    const int width =
        smallest + TruncToInt((largest - smallest) * (diameter - e.diameterMin) / range);
    return PenWidth{width, largest};
}

PenWidth BrightnessPenWidth(const BodyCatalogue& catalogue, const ChartLayout& layout, int entry,
                            double magnitude) {
    const int largest =
        layout.printing ? std::min(layout.penUnit, PrintDots(layout, kPrintPenUnitLimit)) : layout.penUnit;
    if (entry < 0 || entry >= kCatalogueSize) return PenWidth{2, largest};
    const CatalogueEntry& e = catalogue.entries[entry];
    const double range = e.magnitudeFaint - e.magnitudeBright;
    if (range == 0.0) return PenWidth{2, largest};
    const int width = 2 + TruncToInt((e.magnitudeFaint - magnitude) * (largest - 2) / range);
    return PenWidth{width, largest};
}

int CodedPenWidth(const BodyCatalogue& catalogue, const ChartLayout& layout,
                  const ChartSettings& settings, int entry, double diameter, double magnitude) {
    PenWidth byDiameter{1, 0};
    if (settings.codeByDiameter) byDiameter = DiameterPenWidth(catalogue, layout, entry, diameter);
    const int wb =
        settings.codeByBrightness ? BrightnessPenWidth(catalogue, layout, entry, magnitude).width : 1;
    const int wd = byDiameter.width;
    // Widths stay small, but the product is formed in double so that no
    // input can overflow it.
    const double product = static_cast<double>(wd) * wb;
    if (!(settings.codeByDiameter && settings.codeByBrightness)) return TruncToInt(product);
    const int md = byDiameter.largest;
    // The product range 4 .. Md^2 maps linearly onto 2 .. Md, in single
    // precision; with Md = 2 both ranges are the single point 2.
    const float denominator = static_cast<float>(md) * static_cast<float>(md) - 4.0f;
    if (denominator == 0.0f) return 2;
    const float x = static_cast<float>(md - 2) / denominator;
    const float width = 2.0f - 4.0f * x + static_cast<float>(product) * x;
    return TruncToInt(width);
}

int DefaultTrackWidth(const BodyCatalogue& catalogue, const ChartLayout& layout) {
    return DiameterPenWidth(catalogue, layout, kVenus, kScreenTrackDiameter).width;
}

ChartFonts MakeChartFonts(const ChartLayout& layout) {
    const double k = layout.fontFactor;
    // Each height is formed in double and truncated once at the end.
    const int base = TruncToInt(-10 * layout.fontScale * k);
    const int title = TruncToInt(-10 * 1.7 * layout.fontScale * k);
    const int small = TruncToInt(-10 * 0.6 * layout.fontScale * k);
    Font normal;
    normal.face = "Arial";
    normal.height = base;
    normal.weight = 400;
    normal.escapement = 0;
    normal.orientation = 0;

    ChartFonts fonts;
    fonts.fontNormal = normal;
    fonts.fontUp = normal;
    fonts.fontUp.escapement = fonts.fontUp.orientation = 900;
    fonts.fontDown = normal;
    fonts.fontDown.escapement = fonts.fontDown.orientation = 2700;
    fonts.fontOriented = normal;
    fonts.fontOriented.orientation = 900;
    fonts.fontTitle = normal;
    fonts.fontTitle.height = title;
    fonts.fontTitle.weight = 600;
    fonts.fontSmall = normal;
    fonts.fontSmall.height = small;
    return fonts;
}

}  // namespace velmarin
