#pragma once

namespace velmarin {

// The event groups a visibility calendar can hold (--events sun,moon,twilight,targets).
enum VisibilityEventGroup : unsigned {
    kEventsSun = 1,       // the Sun's rise and set
    kEventsMoon = 2,      // the Moon's rise and set
    kEventsTwilight = 4,  // the Sun at -6, -12 and -18 degrees, morning and evening
    kEventsTargets = 8,   // rise, transit and set of the --targets and --elements
};
inline constexpr unsigned kAllVisibilityEvents = kEventsSun | kEventsMoon | kEventsTwilight | kEventsTargets;

}  // namespace velmarin
