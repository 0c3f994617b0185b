#include "core/chart/night_colors.h"

namespace velmarin {

Color TwilightBandColor(int band) {
    switch (band) {
        case 1: return Rgb(190, 230, 255);
        case 2: return Rgb(140, 200, 245);
        case 3: return Rgb(110, 110, 235);
        case 4: return Rgb(80, 80, 140);
        default: return kInvalidColor;
    }
}

Color NightCellColor(int band) {
    if (band == kMoonlitAstronomicalBand) return kMoonlitAstronomicalColor;
    if (band == kMoonlitDarknessBand) return kMoonlitDarknessColor;
    return TwilightBandColor(band);
}

}  // namespace velmarin
