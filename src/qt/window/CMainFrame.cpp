#include "qt/window/CMainFrame.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <cstdio>
#include <string_view>

#include "core/app/command_rules.h"
#include "core/app/display_modes.h"
#include "core/text/message_text.h"
#include "core/app/prompt_parsing.h"
#include "core/app/settings_file.h"
#include "core/app/version_text.h"
#include "core/app/zone_table.h"
#include "core/text/text_catalogue.h"
#include "qt/window/CDialogStr.h"
#include "qt/window/CVelmarinView.h"
#include "qt/window/toolbar_background_style.h"
#include "qt/window/CZoneDialog.h"
#include "qt/zones/qt_zone_database.h"
#include "qt/window/about_box.h"
#include "qt/window/export_year_data.h"

// The resources live in a static library: they must be registered by name.
static void InitVelmarinResources() { Q_INIT_RESOURCE(velmarin); }

namespace velmarin {

namespace {

// The smallest outer window size taken from the settings file.
constexpr QSize kMinimumOuterSize(320, 240);

QString IconPath(std::string_view name) {
    return QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name.data(), qsizetype(name.size())));
}

// A menu or toolbar list's separator: no command carries the value 0.
constexpr CommandId kSeparator{};

}  // namespace

CMainFrame::CMainFrame(std::optional<std::filesystem::path> settingsPath)
    : settingsPath_(settingsPath ? *settingsPath : SettingsFilePath()) {
    InitVelmarinResources();
    const VersionTexts version = ReadVersionInfo();
    versionText_ = QString::fromStdString(version.versionText);
    buildText_ = QString::fromStdString(version.buildText);
    const SettingsLoadResult loaded = LoadSettings(settingsPath_, settings_);
    if (loaded.state == SettingsFileState::Unreadable) {
        // The user's settings may be in there: keep the file, run on the defaults.
        settingsSavable_ = false;
        std::fprintf(stderr, "velmarin: %s; using the defaults, settings are not saved this run\n",
                     DescribeSettingsLoad(settingsPath_, loaded).c_str());
    } else if (loaded.state == SettingsFileState::Loaded && !loaded.complete) {
        // A rewrite would cut off what was not read.
        settingsSavable_ = false;
        std::fprintf(stderr, "velmarin: %s; settings are not saved this run\n",
                     DescribeSettingsLoad(settingsPath_, loaded).c_str());
    }
    // A zone this system's database lacks counts as none; its line stays in
    // the file for a system that has it.
    if (!settings_.zone.empty() && !QtZoneDatabase().HasZone(settings_.zone)) {
        std::fprintf(stderr, "velmarin: the zone %s of the settings file is not known on this system; "
                             "using the fixed time zone\n",
                     QuoteForMessage(settings_.zone).c_str());
        settings_.zone.clear();
    } else if (const std::optional<std::string> zone = UnusableZoneValue(loaded.text); zone) {
        std::fprintf(stderr, "velmarin: the zone %s of the settings file is not a zone name; "
                             "using the fixed time zone\n",
                     QuoteForMessage(*zone).c_str());
    }

    // A size of 1 or less cannot be meant (a window that small never draws,
    // so the file would never be mended): the default size applies, for the
    // window and for the printer orientation that follows its shape.
    const ChartSettings defaults;
    if (settings_.windowWidth <= 1) settings_.windowWidth = defaults.windowWidth;
    if (settings_.windowHeight <= 1) settings_.windowHeight = defaults.windowHeight;

    if (loaded.state == SettingsFileState::Loaded) {
        // What the file says, as the program took it: a save changes only what differs.
        document_ = {loaded.text, settings_};
        haveDocument_ = true;
    } else if (loaded.state == SettingsFileState::Missing) {
        // First start: the defaults are written at once, without the window-size line.
        WriteSettings(settings_, false);
    }

    setWindowTitle(tr("Velmarin"));
    setWindowIcon(QIcon(IconPath("velmarin")));
    // No context menu over the toolbar area: the toolbar is switched only by "&Symbolleiste".
    setContextMenuPolicy(Qt::PreventContextMenu);

    pendingSaveTimer_.setSingleShot(true);
    pendingSaveTimer_.setInterval(kRepaintSaveDelayMs);
    connect(&pendingSaveTimer_, &QTimer::timeout, this, &CMainFrame::WritePendingSave);

    view_ = new CVelmarinView(this);
    setCentralWidget(view_);
    createActions();
    createMenus();
    createToolBar();
    UpdateCommandStates();
    LoadTargetsOfSettings();

    resize(InitialOuterSize());

    // The default printer orientation follows the saved window's shape.
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setPageOrientation(LandscapeByDefault(settings_) ? QPageLayout::Landscape
                                                               : QPageLayout::Portrait);
    view_->setFocus();
}

CMainFrame::~CMainFrame() { WritePendingSave(); }

QSize CMainFrame::InitialOuterSize() const {
    // No window larger than the desktop (the old platform held windows to
    // the screen as well), but never below the default size, so a huge or
    // nonsensical size from the file cannot exhaust memory.
    QSize limit(1212, 800);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        limit = limit.expandedTo(screen->availableVirtualSize());
    }
    // Small but positive sizes grow to one that still shows menus, toolbar
    // and a chart.
    return QSize(std::clamp(settings_.windowWidth, kMinimumOuterSize.width(), limit.width()),
                 std::clamp(settings_.windowHeight, kMinimumOuterSize.height(), limit.height()));
}

QAction* CMainFrame::createAction(CommandId command, const QString& text, const QString& icon,
                                  const QKeySequence& shortcut) {
    auto* action = new QAction(text, this);
    action->setData(static_cast<int>(command));
    if (!icon.isEmpty()) action->setIcon(QIcon(icon));
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    // Menu texts carry their key names after a tab; the toolbar shows pictures only.
    action->setIconVisibleInMenu(false);
    const CommandState state = CommandUpdateRule(command, settings_);
    action->setCheckable(state.checkable);
    connect(action, &QAction::triggered, this, [this, command] { ExecuteCommand(command); });
    addAction(action);  // keys work wherever the focus is in the window
    actions_.insert(command, action);
    return action;
}

void CMainFrame::createActions() {
    // "&Datei"
    createAction(CommandId::ChangeLocation, tr("Ort ändern"));
    createAction(CommandId::LatitudeNorth, tr("+ 5° Breite\tN"), {}, QKeySequence(Qt::Key_N));
    createAction(CommandId::LatitudeSouth, tr("- 5° Breite\tS"), {}, QKeySequence(Qt::Key_S));
    createAction(CommandId::LongitudeEast, tr("+ 5° Länge\tO"), {}, QKeySequence(Qt::Key_O));
    createAction(CommandId::LongitudeWest, tr("- 5° Länge\tW"), {}, QKeySequence(Qt::Key_W));
    createAction(CommandId::Print, tr("&Drucken...\tStrg+P"), {}, QKeySequence(Qt::CTRL | Qt::Key_P));
    createAction(CommandId::PrintPreview, tr("Sei&tenansicht"));
    createAction(CommandId::PrintSetup, tr("Drucker&einrichtung..."));
    QAction* exit = createAction(CommandId::Exit, tr("&Beenden\tAlt+X"), {}, QKeySequence(Qt::ALT | Qt::Key_X));
    // The keys a Linux user quits with and closes a window with; neither is one of the program's own.
    exit->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_X), QKeySequence(Qt::CTRL | Qt::Key_Q),
                        QKeySequence(Qt::CTRL | Qt::Key_W)});
    createAction(CommandId::Save, tr("Diagramm speichern…\tStrg+S"), {}, QKeySequence(Qt::CTRL | Qt::Key_S));
    createAction(CommandId::Export, tr("Exportieren…"));

    // "Jahr": "+" and "-" are typed characters, wherever the keyboard has them.
    createAction(CommandId::YearPlus, tr("Jahr +1\t+"), IconPath("year_plus"), QKeySequence(Qt::Key_Plus));
    createAction(CommandId::YearMinus, tr("Jahr -1\t-"), IconPath("year_minus"), QKeySequence(Qt::Key_Minus));
    createAction(CommandId::YearPrompt, tr("&Eingabe"));
    createAction(CommandId::YearNow, tr("Jetzt\tJ"), {}, QKeySequence(Qt::Key_J));

    // "&Anzeigen"
    for (const DisplayModeEntry& entry : kDisplayModeEntries)
        createAction(entry.command, QString::fromStdString(Translated(entry.menuText)),
                     IconPath(entry.iconName));
    createAction(CommandId::ShowMoon, tr("mit Mond"));
    createAction(CommandId::CodeDiameter, tr("Codiert mit &Durchmesser"));
    createAction(CommandId::CodeBrightness, tr("Codiert mit &Helligkeit"));
    createAction(CommandId::CodeNone, tr("keine Codierung"));
    createAction(CommandId::ZoneUt, tr("GMT\t(UT)"));
    createAction(CommandId::ZoneUtPlus1, tr("MEZ\t(UT+1)"));
    createAction(CommandId::ZoneUtPlus2, tr("OEZ\t(UT+2)"));
    createAction(CommandId::ZoneOther, tr("Andere Zeitzone…"));
    createAction(CommandId::SummerTime, tr("mit Sommerzeit"));
    createAction(CommandId::ShowPlanets, tr("mit Planeten"));
    createAction(CommandId::ShowMoonlight, tr("mit Mondlicht"));
    createAction(CommandId::ShowTargets, tr("mit Zielen"));
    createAction(CommandId::ShowGrid, tr("mit Raster"));
    createAction(CommandId::ShowDayLine, tr("mit Tageslinie"));

    // "&Ansicht" and "&?"
    createAction(CommandId::ToolBar, tr("&Symbolleiste"))->setCheckable(true);
    createAction(CommandId::Targets, tr("&Ziele…"));
    // No icon on the action: the menu bar would show it instead of "&?".
    QAction* about = createAction(CommandId::About, tr("&?"));
    about->setToolTip(tr("Info"));
    about->setStatusTip(tr("Zeigt Programm-Informationen, Versionsnummer und Copyright an."));

    modeGroup_ = new QActionGroup(this);
    for (const DisplayModeEntry& entry : kDisplayModeEntries) modeGroup_->addAction(action(entry.command));
    zoneGroup_ = new QActionGroup(this);
    for (CommandId command : {CommandId::ZoneUt, CommandId::ZoneUtPlus1, CommandId::ZoneUtPlus2, CommandId::ZoneOther})
        zoneGroup_->addAction(action(command));
}

void CMainFrame::createMenus() {
    auto addEntries = [this](QMenu* menu, std::initializer_list<CommandId> commands) {
        for (CommandId command : commands) {
            if (command == kSeparator) {
                menu->addSeparator();
            } else {
                menu->addAction(action(command));
            }
        }
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    };
    addEntries(menuBar()->addMenu(tr("&Datei")),
               {CommandId::ChangeLocation, CommandId::LatitudeNorth, CommandId::LatitudeSouth, CommandId::LongitudeEast, CommandId::LongitudeWest,
                kSeparator, CommandId::Save, CommandId::Export, kSeparator, CommandId::Print, CommandId::PrintPreview, CommandId::PrintSetup, kSeparator, CommandId::Exit});
    addEntries(menuBar()->addMenu(tr("Jahr")), {CommandId::YearPlus, CommandId::YearMinus, kSeparator, CommandId::YearPrompt, CommandId::YearNow});
    addEntries(menuBar()->addMenu(tr("&Anzeigen")),
               {CommandId::ModeNormal, CommandId::ModeSun, CommandId::ModeMidnight, CommandId::ShowMoon, CommandId::CodeDiameter,
                CommandId::CodeBrightness, CommandId::CodeNone, kSeparator, CommandId::ModeTwilight, CommandId::ZoneUt, CommandId::ZoneUtPlus1,
                CommandId::ZoneUtPlus2, CommandId::ZoneOther, CommandId::SummerTime,
                CommandId::ShowPlanets, CommandId::ShowTargets, CommandId::ShowMoonlight, kSeparator, CommandId::ShowGrid, CommandId::ShowDayLine});
    QMenu* viewMenu = menuBar()->addMenu(tr("&Ansicht"));
    addEntries(viewMenu, {CommandId::ToolBar, CommandId::Targets});
    createLanguageMenu(viewMenu);
    menuBar()->addAction(action(CommandId::About));
}

void CMainFrame::createToolBar() {
    toolBar_ = addToolBar(tr("Symbolleiste"));
    // The application's style, with a background that costs little to draw
    // at every change of the window's width.
    auto* const toolBarStyle = new ToolBarBackgroundStyle();
    toolBarStyle->setParent(toolBar_);
    toolBar_->setStyle(toolBarStyle);
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setIconSize(QSize(17, 15));
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    for (CommandId command : std::initializer_list<CommandId>{CommandId::YearMinus, CommandId::YearPlus, kSeparator, CommandId::ModeNormal, CommandId::ModeSun, CommandId::ModeMidnight,
                        CommandId::ModeTwilight, kSeparator, CommandId::About}) {
        if (command == kSeparator) {
            toolBar_->addSeparator();
            continue;
        }
        if (command == CommandId::About) {
            // Its own button, so that only the toolbar shows the picture.
            auto* button = new QToolButton(toolBar_);
            button->setIcon(QIcon(IconPath("about")));
            button->setToolTip(action(command)->toolTip());
            button->setAutoRaise(true);
            button->setIconSize(toolBar_->iconSize());
            connect(button, &QToolButton::clicked, action(command), &QAction::trigger);
            toolBar_->addWidget(button)->setData(static_cast<int>(command));
            continue;
        }
        toolBar_->addAction(action(command));
        // Only the about button explains itself; the others show no tooltip.
        toolBar_->widgetForAction(action(command))->installEventFilter(this);
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip) return true;
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    FitOuterSizeOnce();
}

void CMainFrame::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    FitOuterSizeOnce();
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FitOuterSizeOnce();
}

void CMainFrame::FitOuterSizeOnce() {
    // The saved size is the outer size. The window manager's frame becomes
    // known only some time after the window is shown; take it off once then,
    // or the window would grow by its frame at every start.
    if (sizedToFrame_ || !isVisible()) return;
    const QSize frameExtra = frameGeometry().size() - geometry().size();
    if (frameExtra.width() <= 0 && frameExtra.height() <= 0) return;
    sizedToFrame_ = true;
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) return;
    resize((InitialOuterSize() - frameExtra).expandedTo(QSize(1, 1)));
}

void CMainFrame::UpdateCommandStates() {
    for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
        const CommandId command = it.key();
        QAction* act = it.value();
        if (command == CommandId::ToolBar) {
            act->setChecked(toolBar_ && !toolBar_->isHidden());
            continue;
        }
        const CommandState state = CommandUpdateRule(command, settings_);
        act->setEnabled(state.enabled);
        if (state.checkable) act->setChecked(state.checked);
    }
}

void CMainFrame::ChangeSettings(const ChartSettings& changed) {
    settings_ = changed;
    view_->update();
    SaveSettingsFile();
    UpdateCommandStates();
}

CMainFrame::SettingsToSave CMainFrame::CurrentSettingsToSave() const {
    const QRect outer = frameGeometry();
    SettingsToSave save{settings_, false};
    save.withWindowSize = isVisible() &&
                          !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) &&
                          WindowPositionAllowsSizeLine(outer.left(), outer.top());
    if (save.withWindowSize) {
        save.settings.windowWidth = outer.width();
        save.settings.windowHeight = outer.height();
    }
    return save;
}

void CMainFrame::SaveSettingsFile() {
    // Newer than any pending save, which is dropped.
    pendingSave_.reset();
    pendingSaveTimer_.stop();
    const SettingsToSave save = CurrentSettingsToSave();
    if (IsSaved(save)) return;
    WriteSettings(save.settings, save.withWindowSize);
}

bool CMainFrame::IsSaved(const SettingsToSave& save) const {
    return haveDocument_ && SettingsText(save.settings, save.withWindowSize) == document_.text;
}

std::string CMainFrame::SettingsText(const ChartSettings& toSave, bool withWindowSize) const {
    if (!haveDocument_) return FormatSettingsText(toSave, withWindowSize);
    return UpdatedSettingsText(document_, toSave, withWindowSize);
}

void CMainFrame::SaveSettingsFileSoon() {
    // Nothing to compare at every repaint when nothing may be written.
    if (!settingsSavable_) return;
    const SettingsToSave save = CurrentSettingsToSave();
    if (IsSaved(save)) {
        pendingSave_.reset();
        pendingSaveTimer_.stop();
        return;
    }
    pendingSave_ = save;
    pendingSaveTimer_.start();
}

void CMainFrame::WritePendingSave() {
    pendingSaveTimer_.stop();
    if (!pendingSave_) return;
    const SettingsToSave save = *pendingSave_;
    pendingSave_.reset();
    WriteSettings(save.settings, save.withWindowSize);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    WritePendingSave();
    QMainWindow::closeEvent(event);
}

void CMainFrame::WriteSettings(const ChartSettings& toSave, bool withWindowSize) {
    if (!settingsSavable_) return;
    // A failed write leaves memory as it is; the next save point tries again.
    std::string text = SettingsText(toSave, withWindowSize);
    const FileWriteResult result = SaveSettingsText(settingsPath_, text);
    if (result.ok()) {
        document_ = {std::move(text), toSave};
        haveDocument_ = true;
        if (result.ownerChange && !ownerChangeReported_) {
            ownerChangeReported_ = true;
            std::fprintf(stderr, "velmarin: settings saved to %s, but %s\n",
                         QuoteForMessage(settingsPath_.string()).c_str(),
                         OneLineMessage(DescribeOwnerChange(*result.ownerChange)).c_str());
        }
        saveFailureReported_ = false;
        return;
    }
    // Every repaint is a save point: say it once, not at each of them.
    if (saveFailureReported_) return;
    saveFailureReported_ = true;
    std::fprintf(stderr, "velmarin: settings not saved to %s: %s\n",
                 QuoteForMessage(settingsPath_.string()).c_str(),
                 OneLineMessage(DescribeFileWriteResult(result)).c_str());
}

void CMainFrame::ExecuteCommand(CommandId command) {
    switch (command) {
        case CommandId::YearPlus: view_->OnYearStep(+1); break;
        case CommandId::YearMinus: view_->OnYearStep(-1); break;
        case CommandId::YearPrompt: view_->OnYearPrompt(); break;
        case CommandId::YearNow: view_->OnYearNow(); break;
        case CommandId::ChangeLocation: OnChangeLocation(); break;
        case CommandId::ZoneOther: OnChooseZone(); break;
        case CommandId::LatitudeNorth:
        case CommandId::LatitudeSouth:
        case CommandId::LongitudeEast:
        case CommandId::LongitudeWest: OnLocationStep(command); break;
        case CommandId::Print: OnPrint(); break;
        case CommandId::PrintPreview: OnPrintPreview(); break;
        case CommandId::PrintSetup: OnPrintSetup(); break;
        case CommandId::Save: view_->OnFileSave(); break;
        case CommandId::Export: ExportYearData(this, view_->year(), settings_, exportFolder_); break;
        case CommandId::Exit: close(); break;
        case CommandId::About: ShowAboutBox(this); break;
        case CommandId::ToolBar: toolBar_->setHidden(!toolBar_->isHidden()); break;
        case CommandId::Targets: OnTargets(); break;
        default: view_->OnDisplayCommand(command); break;
    }
    UpdateCommandStates();
}

void CMainFrame::OnChangeLocation() {
    CDialogStr dialog(this);
    dialog.SetTexts(tr("Velmarin"), tr("Eingabe des Ortes?\nBreite Länge"),
                    QString::fromStdString(FormatLocationPrompt(settings_.latitude, settings_.longitude)));
    if (dialog.DoModal() != CDialogStr::kOk) return;
    const std::string answer = dialog.GetValue().toStdString();
    // A name instead of numbers: a zone's main city from the zone table sets
    // the place and the zone at once. Any other text reads as it always did.
    const QString trimmed = dialog.GetValue().trimmed();
    const std::optional<ZonePlace> place =
        !trimmed.isEmpty() && trimmed.at(0).isLetter() ? FindZonePlace(LoadZoneTable(), trimmed.toStdString())
                                                       : std::nullopt;
    if (place && QtZoneDatabase().HasZone(place->zone)) {
        ChartSettings changed = settings_;
        changed.latitude = place->latitude * degToRad;
        changed.longitude = place->longitude * degToRad;
        changed.zone = place->zone;
        ChangeSettings(changed);
        return;
    }
    // A name the zone table lacks, or numbers that are not "Breite Länge":
    // say what the prompt takes instead of ignoring the answer silently.
    const bool aName = !trimmed.isEmpty() && trimmed.at(0).isLetter();
    const auto location = aName ? std::nullopt : ParseLocationPrompt(answer);
    if (!location) {
        if (!answer.empty()) RefuseLocation(dialog.GetValue(), aName);
        return;
    }
    ChartSettings changed = settings_;
    changed.latitude = location->latitude * degToRad;
    changed.longitude = location->longitude * degToRad;
    ChangeSettings(changed);
}

void CMainFrame::RefuseLocation(const QString& typed, bool aName) {
    const QString first = aName ? tr("„%1“ ist kein bekannter Ort.").arg(PromptEcho(typed))
                                : tr("„%1“ ist keine Ortsangabe.").arg(PromptEcho(typed));
    QMessageBox::warning(this, tr("Velmarin"),
                         first + QLatin1Char('\n') +
                             tr("Einzugeben sind Breite und Länge in Grad, durch ein Leerzeichen getrennt "
                                "(Süd und West negativ, z. B. „52.37 9.73“), oder eine Stadt der "
                                "Zeitzonen-Datenbank (z. B. „Berlin“, „Sydney“, „New York“)."));
}

void CMainFrame::OnChooseZone() {
    CZoneDialog dialog(QString::fromStdString(settings_.zone), this);
    if (dialog.exec() != QDialog::Accepted) return;
    const QString zone = dialog.selectedZone();
    if (zone.isEmpty()) return;
    ChartSettings changed = settings_;
    changed.zone = zone.toStdString();
    ChangeSettings(changed);
}

void CMainFrame::OnLocationStep(CommandId command) {
    ChartSettings changed = settings_;
    if (ApplyLocationStep(command, changed)) ChangeSettings(changed);
}

void CMainFrame::OnPrint() {
    QPrintDialog dialog(printer_.get(), this);
    dialog.setMinMax(1, 1);
    if (dialog.exec() == QDialog::Accepted) view_->PrintChart(printer_.get());
}

void CMainFrame::OnPrintPreview() {
    QPrintPreviewDialog preview(printer_.get(), this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, view_, &CVelmarinView::PrintChart);
    preview.exec();
}

void CMainFrame::OnPrintSetup() {
    QPageSetupDialog dialog(printer_.get(), this);
    dialog.exec();
}

}  // namespace velmarin
