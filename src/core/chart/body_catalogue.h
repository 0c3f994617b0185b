#pragma once

#include <array>
#include <string>

#include "core/chart/chart_layout.h"
#include "core/chart/surface.h"

namespace velmarin {

struct ChartSettings;

inline constexpr int kCatalogueSize = 16;
inline constexpr int planetCount = 8;  // entries before the Moon
// Chart elements after the bodies.
enum CatalogueElement : int {
    kEntryMoonNode1 = 9, kEntryMoonNode2 = 10, kEntrySiderealTime = 11,
    kEntrySunshine = 12, kEntryDarkness = 13, kEntryEcliptic = 14, kEntryPluto = 15,
};

struct CatalogueEntry {
    std::string name;       // German label of legend and readout
    Color color = 0;        // track colour; replaced by the legend's read-back
    double diameterMin = 0.0, diameterMax = 0.0;           // arc seconds
    double magnitudeBright = 0.0, magnitudeFaint = 0.0;    // magnitudes
};

struct BodyCatalogue {
    std::array<CatalogueEntry, kCatalogueSize> entries;
    std::array<Pen, kCatalogueSize> bodyPens{};
    bool pensMade = false;  // false: the next layout makes the pens
};

BodyCatalogue MakeBodyCatalogue();

// Makes the sixteen pens for the output the layout describes (screen or print).
void MakeBodyPens(BodyCatalogue& catalogue, const ChartLayout& layout);

struct PenWidth {
    int width = 0;
    int largest = 0;
};
PenWidth DiameterPenWidth(const BodyCatalogue& catalogue, const ChartLayout& layout,
                          int entry, double diameter);
PenWidth BrightnessPenWidth(const BodyCatalogue& catalogue, const ChartLayout& layout,
                            int entry, double magnitude);
int CodedPenWidth(const BodyCatalogue& catalogue, const ChartLayout& layout,
                  const ChartSettings& settings, int entry, double diameter, double magnitude);
// DiameterPenWidth(entry 2, 13.0).
int DefaultTrackWidth(const BodyCatalogue& catalogue, const ChartLayout& layout);

struct ChartFonts {
    Font fontNormal, fontUp, fontDown, fontOriented, fontTitle, fontSmall;
};
ChartFonts MakeChartFonts(const ChartLayout& layout);

}  // namespace velmarin
