#pragma once

#include <QSize>

namespace velmarin {

// Start-up measurement: with the environment variable
// VELMARIN_FIRST_PAINT_REPORT set, the window ends itself after its first
// painted chart and prints one line to stderr:
//   first-paint-ms=T view=WxH VmRSS-kB=R VmHWM-kB=H
// T is the time since the process started (Linux; -1 where unknown).
bool FirstPaintReportWanted();

// Prints the report for a chart of `pixels` and asks the event loop to end.
void ReportFirstPaintAndQuit(QSize pixels);

}  // namespace velmarin
