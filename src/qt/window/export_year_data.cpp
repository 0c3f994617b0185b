#include "qt/window/export_year_data.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>

#include "core/almanac/calendar_stamp.h"
#include "core/almanac/daylight_output.h"
#include "core/almanac/phases_output.h"
#include "core/almanac/visibility_formats.h"
#include "core/almanac/visibility_output.h"
#include "core/app/atomic_file.h"
#include "core/chart/chart_clock.h"
#include "core/chart/phase_markers.h"
#include "core/ephemeris/visibility_year.h"
#include "core/sky/twilight_sampling.h"
#include "qt/vector_state.h"
#include "qt/zones/qt_zone_database.h"

namespace velmarin {
namespace {

// What the dialog offers, each with its file type and suggested name.
struct ExportKind {
    const char* filter;
    const char* baseName;
    const char* suffix;
};

const ExportKind kKinds[] = {
    {QT_TRANSLATE_NOOP("ExportYearData", "Mondphasen und Finsternisse als iCalendar (*.ics)"),
     "Mondphasen", "ics"},
    {QT_TRANSLATE_NOOP("ExportYearData", "Dämmerungstabelle als CSV (*.csv)"), "Daemmerung", "csv"},
    {QT_TRANSLATE_NOOP("ExportYearData", "Auf- und Untergänge als CSV (*.csv)"), "Sichtbarkeit", "csv"},
};

QString Tr(const char* text) { return QCoreApplication::translate("ExportYearData", text); }

QString SuggestedName(const ExportKind& kind, int year) {
    return QStringLiteral("%1-%2.%3").arg(QLatin1String(kind.baseName)).arg(year).arg(QLatin1String(kind.suffix));
}

// The file's bytes, or nothing with the reason in `problem`.
std::optional<std::string> ExportText(const ExportKind& kind, int year, const ChartSettings& settings,
                                      QString& problem) {
    if (&kind == &kKinds[0]) {
        const std::optional<std::string> stamp = CalendarStampNow();
        const std::optional<std::string> text =
            stamp ? PhasesIcs(year, SearchPhaseMarkers(year), *stamp) : std::nullopt;
        if (!text) problem = Tr(QT_TRANSLATE_NOOP("ExportYearData", "Kalenderdateien fassen nur die Jahre 1 bis 9999."));
        return text;
    }
    const QtZoneDatabase zones;
    if (&kind == &kKinds[2]) {
        YearInputs inputs;
        inputs.year = year;
        inputs.latitude = settings.latitude;
        inputs.longitude = settings.longitude;
        inputs.offsets = ChartYearOffsets(year, settings, &zones);
        VisibilityHeader header;
        header.year = year;
        header.latitudeDegrees = settings.latitude / degToRad;
        header.longitudeDegrees = settings.longitude / degToRad;
        header.zone = settings.zone;
        header.timeZoneHours = settings.timeZoneHours;
        header.summerTime = settings.summerTime != 0;
        ReleaseWideVectorState();  // after the dialog's Qt calls: see vector_state.h
        return VisibilityCsv(header, ComputeVisibilityYear(inputs));
    }
    DaylightOptions options;
    options.year = year;
    options.settings = settings;
    options.latitudeDegrees = settings.latitude / degToRad;
    options.longitudeDegrees = settings.longitude / degToRad;
    const YearInputs inputs = YearInputsOf(options, &zones);
    return DaylightCsv(options, inputs, SampleTwilightYear(inputs));
}

}  // namespace

void ExportYearData(QWidget* parent, int year, const ChartSettings& settings, QString& folder) {
    QStringList filters;
    for (const ExportKind& kind : kKinds) filters << Tr(kind.filter);

    QFileDialog dialog(parent, Tr(QT_TRANSLATE_NOOP("ExportYearData", "Exportieren")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    if (!folder.isEmpty() && QDir(folder).exists()) dialog.setDirectory(folder);
    dialog.selectFile(SuggestedName(kKinds[0], year));
    // Another kind chosen: its name replaces the suggestion of the last one,
    // but never a name the user typed.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        const qsizetype index = filters.indexOf(filter);
        const QString typed = QFileInfo(dialog.selectedFiles().value(0)).completeBaseName();
        bool suggested = false;
        for (const ExportKind& kind : kKinds)
            suggested = suggested || typed == QFileInfo(SuggestedName(kind, year)).completeBaseName();
        if (index >= 0 && suggested) dialog.selectFile(SuggestedName(kKinds[index], year));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;

    const qsizetype index = std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter()));
    const ExportKind& kind = kKinds[index];
    QString fileName = dialog.selectedFiles().constFirst();
    if (QFileInfo(fileName).suffix().isEmpty()) fileName += QLatin1Char('.') + QLatin1String(kind.suffix);
    folder = QFileInfo(fileName).absolutePath();

    QString problem;
    const std::optional<std::string> text = ExportText(kind, year, settings, problem);
    if (text) {
        const FileWriteResult written =
            WriteFileAtomically(std::filesystem::path(QFile::encodeName(fileName).toStdString()), *text);
        if (written.ok()) return;
    }
    QString message = Tr(QT_TRANSLATE_NOOP("ExportYearData", "Die Datei %1 konnte nicht gespeichert werden.")).arg(fileName);
    if (!problem.isEmpty()) message += QLatin1Char('\n') + problem;
    QMessageBox::warning(parent, Tr(QT_TRANSLATE_NOOP("ExportYearData", "Velmarin")), message);
}

}  // namespace velmarin
