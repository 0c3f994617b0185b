#include "core/sky/moonlit_night.h"

namespace velmarin {

MoonlitNight MoonlitSamples(const std::vector<TwilightDay>& days, const std::vector<TimeInterval>& moonUp,
                            const YearOffsets& offsets) {
    MoonlitNight night;
    night.moonUp.resize(days.size());
    night.moonFreeDarknessHours.resize(days.size());
    const auto& hours = TwilightSampleHours();
    std::size_t k = 0;  // first interval that may still hold a sample
    for (std::size_t d = 0; d < days.size(); ++d) {
        const double offset = offsets.OfDay(days[d].jd).days;
        double free = 0.0;
        for (int s = 0; s < kTwilightSamplesPerDay; ++s) {
            const double t = days[d].jd + hours[s] / 24.0 - offset;
            while (k < moonUp.size() && moonUp[k].to < t) ++k;
            const bool up = k < moonUp.size() && moonUp[k].from <= t;
            night.moonUp[d][s] = up;
            if (days[d].bands[s] == 4 && !up) free += 0.1;  // summed as the darkness curve sums
        }
        night.moonFreeDarknessHours[d] = free;
    }
    return night;
}

}  // namespace velmarin
