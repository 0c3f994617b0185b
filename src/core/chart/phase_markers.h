#pragma once

#include "core/chart/surface.h"
#include "core/sky/phase_search.h"
#include "core/text/text_catalogue.h"

namespace velmarin {

// How each marker style looks and reads: the chart draws it in `color`, the
// readout recognises that colour, dates it by the phase `kind` and names it
// `label` (UTF-8), as does the phases command. Rows in the readout's order.
struct PhaseMarkerLook {
    int style;  // PhaseMarkerStyle
    int kind;   // MoonPhaseKind
    Color color;
    const char* label;
};
inline constexpr PhaseMarkerLook kPhaseMarkerLooks[] = {
    {kStyleNewMoon, kNewMoon, Rgb(1, 1, 1), GermanText(TextId::PhaseNewMoon)},
    {kStyleFirstQuarter, kFirstQuarter, Rgb(200, 200, 200), GermanText(TextId::PhaseFirstQuarter)},
    {kStyleFullMoon, kFullMoon, Rgb(250, 250, 250), GermanText(TextId::PhaseFullMoon)},
    {kStyleLastQuarter, kLastQuarter, Rgb(190, 190, 190), GermanText(TextId::PhaseLastQuarter)},
    {kStyleSolarEclipse, kNewMoon, Rgb(240, 0, 0), GermanText(TextId::PhaseSolarEclipse)},
    {kStyleLunarEclipse, kFullMoon, Rgb(250, 0, 0), GermanText(TextId::PhaseLunarEclipse)},
};

// The row of kPhaseMarkerLooks for a style, or nothing for an unknown style.
const PhaseMarkerLook* FindPhaseMarkerLook(int style);
// German name of a marker style ("Neumond", "mögl. Sonnenfinsternis", ...);
// "" for an unknown style.
const char* PhaseMarkerLabel(int style);
// Fill colour of a marker style; kInvalidColor for an unknown style.
Color PhaseMarkerColor(int style);

}  // namespace velmarin
