// The window's targets: "Ansicht → Ziele…" and the list the settings name.
#include <QMessageBox>
#include <QStringList>
#include <cstdio>
#include <memory>

#include "core/app/target_setting.h"
#include "qt/window/CMainFrame.h"
#include "qt/window/CTargetsDlg.h"
#include "qt/window/CVelmarinView.h"

namespace velmarin {

namespace {

// The view's list: null when there is none, so the chart has nothing to draw.
std::shared_ptr<const std::vector<Target>> ListOf(std::vector<Target> targets) {
    if (targets.empty()) return nullptr;
    return std::make_shared<const std::vector<Target>>(std::move(targets));
}

}  // namespace

void CMainFrame::LoadTargetsOfSettings() {
    const SavedTargets saved = SettingsTargets(settings_);
    LoadedTargets loaded = LoadSavedTargets(saved);
    view_->SetTargets(ListOf(DrawnTargets(std::move(loaded.targets), saved)));
    if (loaded.problems.empty()) return;
    QStringList lines;
    for (const std::string& problem : loaded.problems) {
        std::fprintf(stderr, "velmarin: %s\n", problem.c_str());
        lines << QString::fromStdString(problem);
    }
    // Not waited on: the window comes up with the other targets, and the
    // settings keep the file's line for when it is back.
    auto* box = new QMessageBox(QMessageBox::Warning, tr("Velmarin"),
                                tr("Diese Ziele konnten nicht gelesen werden:") + QLatin1Char('\n') +
                                    lines.join(QLatin1Char('\n')),
                                QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void CMainFrame::OnTargets() {
    CTargetsDlg dialog(SettingsTargets(settings_), {ShownBodies(settings_), settings_.showMoon != 0}, this);
    if (dialog.exec() != QDialog::Accepted) return;
    ChartSettings changed = WithShownBodies(WithSettingsTargets(settings_, dialog.targets()), dialog.bodies().shown);
    // Left as it was when the Moon's row was not touched (the file may hold
    // another number than 1 for it).
    if (dialog.bodies().moon != (settings_.showMoon != 0)) changed.showMoon = dialog.bodies().moon ? 1 : 0;
    // The dialog read every file it took; one that went away since is left
    // out of the drawing and said, as at the start.
    if (changed == settings_) return;
    ChangeSettings(changed);
    LoadTargetsOfSettings();
}

}  // namespace velmarin
