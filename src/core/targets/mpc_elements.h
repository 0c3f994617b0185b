#pragma once

#include <string_view>
#include <vector>

#include "core/targets/target.h"
#include "core/text/expected.h"

namespace velmarin {

// Orbits from the Minor Planet Center's one-line formats, one object a line,
// both formats mixed as they come; blank lines skipped, and an MPCORB.DAT
// header (everything up to its line of dashes) too.
// - Comets: perihelion time (cols 15-29), q (31-39), e (42-49), omega (52-59),
//   Omega (62-69), i (72-79), all J2000; g and k (92-95, 97-100, may be
//   blank); name from column 103. 100 to 168 columns (trailing blanks aside).
// - Asteroids (MPCORB): H (9-13), G (15-19), packed epoch (21-25), M (27-35),
//   omega (38-46), Omega (49-57), i (60-68), e (71-79), a (93-103); name from
//   the readable designation (167-194) or the packed one. 103 to 202 columns.
// Times in the elements are taken as UT (the 70-odd seconds of TT - UT move
// no target visibly).
// Returned: the targets, or "fileName:LINE: message" for the first bad line
// (not either format, a line of the wrong width, an unreadable field, e < 0,
// q <= 0, a <= 0, an asteroid with e >= 1).
Expected<std::vector<OrbitTarget>> ReadMpcElements(std::string_view text, std::string_view fileName);

}  // namespace velmarin
