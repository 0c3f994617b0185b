#pragma once

#include <optional>
#include <vector>

#include "core/chart/chart_pass.h"
#include "core/targets/target.h"

namespace velmarin {

// The observer's own targets on the angle charts (Normal, Sun, Midnight),
// on the days the body tracks step: a fixed target is a line at its right
// ascension (in the hour-angle modes it slopes through the year, crossing
// the middle of the Midnight chart at its opposition), an orbit a track
// like a planet's whose width grows with its brightness. Each is labelled
// with its name where its line begins, or further along where another
// name stands there.
void DrawTargetTracks(ChartPass& pass, const std::vector<Target>& targets);

// The colour of the k-th target: a palette apart from the bodies' colours,
// taken in turn.
Color TargetColor(int k);

// Width of an orbit's track for its magnitude: the default track width at
// magnitude 12 and fainter, three times it at 4 and brighter, in between
// in proportion; the default width when the magnitude is unknown.
int OrbitTrackWidth(int defaultWidth, const std::optional<double>& magnitude);

}  // namespace velmarin
