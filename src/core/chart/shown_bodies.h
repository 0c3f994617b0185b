#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "core/chart/chart_settings.h"
#include "core/ephemeris/body_position.h"
#include "core/text/text_catalogue.h"

namespace velmarin {

// Which of the Sun and the planets the chart draws: their tracks on the
// angle charts, their curves on the twilight chart, and what the readout
// looks for. The Moon has its own switch ("mit Mond"). Kept as extension
// lines "hidebody NAME" (the German name, one line per body left out), so
// that with none every body shows as before and a version without the
// choice writes the lines back untouched.
inline constexpr std::string_view kHideBodyKeyword = "hidebody";
inline constexpr int kSelectableBodyCount = IndexOf(BodyId::kMoon);  // the Sun .. Neptune

using BodySelection = std::array<bool, kSelectableBodyCount>;  // by IndexOf; true: drawn

inline constexpr BodySelection kAllBodiesShown = {true, true, true, true, true, true, true, true};

BodySelection ShownBodies(const ChartSettings& settings);

// settings with every "hidebody" line it can read replaced by one per body
// left out of `shown`, in body order, after the other extension lines (a
// line naming no body is kept as it was).
ChartSettings WithShownBodies(ChartSettings settings, const BodySelection& shown);

// The id of the body's name (the Sun .. the Moon).
TextId BodyNameId(BodyId body);

// The body a name stands for: German or English, any case ("Jupiter",
// "neptun", "Neptune", "Mond", "moon"); nullopt when none.
std::optional<BodyId> BodyOfName(std::string_view name);

}  // namespace velmarin
