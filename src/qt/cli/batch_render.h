#pragma once

#include "core/almanac/options.h"
#include "qt/cli/chart_file.h"

namespace velmarin {

class QtZoneDatabase;

// `render` with --years, --modes, --places or an output pattern: every
// combination of years, places and modes, each chart written atomically to
// its file from the pattern (drawn in parallel, one thread a core), or all
// as the pages of one PDF. A progress line "12/80" on standard error when it
// is a terminal; at the end "N charts written" on standard output. The first
// chart that fails stops the batch with one line naming its file; files
// already written stay. Returns the exit status.
int RunRenderBatch(const RenderOptions& options, const ChartPageSize& page, double todayJd,
                   const QtZoneDatabase& zones);

}  // namespace velmarin
