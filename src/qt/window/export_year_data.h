#pragma once

#include <QString>

#include "core/chart/chart_settings.h"

class QWidget;

namespace velmarin {

// "Exportieren…": asks for a file and what to write into it, the chart
// year's lunar phases and eclipses as iCalendar or the twilight table (for
// the chart's place and clock) as CSV, and writes it atomically. A failure
// is shown in a message box. `folder` is the folder the dialog opens in and
// becomes the folder of the file chosen.
void ExportYearData(QWidget* parent, int year, const ChartSettings& settings, QString& folder);

}  // namespace velmarin
