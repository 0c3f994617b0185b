#include "core/chart/phase_markers.h"

namespace velmarin {

const PhaseMarkerLook* FindPhaseMarkerLook(int style) {
    for (const PhaseMarkerLook& look : kPhaseMarkerLooks)
        if (look.style == style) return &look;
    return nullptr;
}

const char* PhaseMarkerLabel(int style) {
    const PhaseMarkerLook* look = FindPhaseMarkerLook(style);
    return look ? look->label : "";
}

Color PhaseMarkerColor(int style) {
    const PhaseMarkerLook* look = FindPhaseMarkerLook(style);
    return look ? look->color : kInvalidColor;
}

}  // namespace velmarin
