#pragma once

#include <string>
#include <vector>

#include "core/app/hover_readout.h"
#include "core/ephemeris/body_position.h"
#include "core/ephemeris/civil_offsets.h"
#include "core/ephemeris/visibility_year.h"

namespace velmarin {

// The hover readout over the twilight chart's overlays ("mit Planeten",
// "mit Mondlicht"): what a colour there stands for.
struct NightTarget {
    enum class Kind { None, Planet, Moonlight };
    Kind kind = Kind::None;
    BodyId body = BodyId::kSun;  // the planet, for Kind::Planet
};

// Which overlay `pixel` belongs to, by the exact colours the chart draws
// them in; None for everything else and with the overlay switched off.
NightTarget FindNightTarget(Color pixel, const BodyCatalogue& catalogue, const ChartSettings& settings);

// Given: a target FindNightTarget found at `point`, the layout, the catalogue,
// the settings and the civil offsets of the chart's year.
// Returned: Hide outside the readout area and where the target is None (or
// a colour shared with a curve away from the planet's events); for a planet
// Show with the day's
// rise, transit (with its altitude) and set in local time, e.g.
// "14.03.2026: Mars| Aufgang 21:43, Kulmination 03:12 (48°), Untergang 08:40"
// ("—" where there is none); for the moonlit night the Moon's rise and set of
// the day and its illuminated fraction at the pointer's time. A colour that
// a planet shares with a curve of the chart itself (Mars and "max.
// Sonnenschein") counts as the planet only near one of the planet's events.
// `year`, when given, is ComputeVisibilityYear for the chart's year, place
// and offsets: the day's events are read from it (the same as `velmarin
// visibility` prints) instead of searched for on every pointer move.
ReadoutDecision NightReadout(const NightTarget& target, Point point, const ChartLayout& layout,
                             const BodyCatalogue& catalogue, const ChartSettings& settings,
                             const YearOffsets& offsets, const std::vector<VisibilityDay>* year = nullptr);

// The twilight band a colour of the chart's cells stands for: 0 daylight
// (white) .. 4 darkness; -1 for every other colour.
int TwilightBandOfColour(Color pixel);

// Given: band 0..4 (TwilightBandOfColour) at `point`, and the rest as for
// NightReadout.
// Returned: Hide outside the readout area; otherwise Show with the day and
// the band's stretch in local time, e.g. "14.03.2026: bürgerliche Dämmerung
// 18:12–18:40": daylight from sunrise to sunset, a twilight from the
// pointer's side of noon (morning or evening), the night from dusk to the
// next dawn (or the last dusk to this dawn before noon); "—" for an end the
// day does not have (midnight sun, polar night).
ReadoutDecision BandReadout(int band, Point point, const ChartLayout& layout, const ChartSettings& settings,
                            const YearOffsets& offsets, const std::vector<VisibilityDay>* year = nullptr);

}  // namespace velmarin
