#pragma once

#include <string_view>
#include <vector>

#include "core/targets/target.h"
#include "core/text/expected.h"

namespace velmarin {

// Fixed targets from a CSV text (RFC 4180: comma separated, fields may be
// quoted with "", doubled quotes inside; CR LF or LF; UTF-8, a leading byte
// order mark skipped). The first row is the header and must name the
// columns name, ra and dec in any order; magnitude and kind are read when
// present, any other column is ignored. ra: hours, dec: degrees, each
// decimal or sexagesimal (0:42:44.3, +41:16:09); J2000. Blank lines are
// skipped.
// Returned: the targets in file order, or "fileName:LINE: message" for the
// first bad line (an unclosed quote, a row of the wrong field count, an empty
// name, an unreadable number, ra outside [0, 24) h, dec beyond +-90 degrees).
Expected<std::vector<FixedTarget>> ReadTargetsCsv(std::string_view text, std::string_view fileName);

}  // namespace velmarin
