#include "core/chart/target_curves_setting.h"

#include <algorithm>
#include <string>

namespace velmarin {

bool ShowsTargetCurves(const ChartSettings& settings) {
    const auto& lines = settings.otherExtensionLines;
    return std::find(lines.begin(), lines.end(), kTargetCurvesLine) != lines.end();
}

ChartSettings WithTargetCurves(ChartSettings settings, bool on) {
    auto& lines = settings.otherExtensionLines;
    lines.erase(std::remove(lines.begin(), lines.end(), kTargetCurvesLine), lines.end());
    if (on) lines.emplace_back(kTargetCurvesLine);
    return settings;
}

}  // namespace velmarin
