#pragma once

#include <QMainWindow>
#include <QMap>
#include <QString>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "core/app/command_rules.h"
#include "core/app/settings_update.h"
#include "core/chart/chart_settings.h"
#include "core/text/language.h"

class QAction;
class QActionGroup;
class QMenu;
class QPrinter;
class QToolBar;

namespace velmarin {

class CVelmarinView;

// The main window: owns the chart settings, the settings file's path, the
// menu bar, the toolbar, the keys and the printer; the view is its central
// widget.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // Loads the settings once from settingsPath (the standard path when none
    // is given); a missing file is written at once from the defaults. A file
    // that is there but cannot be read is never overwritten: the defaults
    // apply in memory and nothing is saved this run (said once on stderr).
    explicit CMainFrame(std::optional<std::filesystem::path> settingsPath = std::nullopt);
    ~CMainFrame() override;

    const ChartSettings& settings() const { return settings_; }
    const std::filesystem::path& settingsPath() const { return settingsPath_; }
    CVelmarinView* view() const { return view_; }
    QPrinter* printer() const { return printer_.get(); }
    // Version and build texts of the about box.
    const QString& versionText() const { return versionText_; }
    const QString& buildText() const { return buildText_; }
    // The action of a command id, or nullptr.
    QAction* action(CommandId command) const { return actions_.value(command, nullptr); }

    // Replaces the settings record: redraws, saves the file and refreshes the
    // commands' states.
    void ChangeSettings(const ChartSettings& changed);
    // Writes the settings file, with the window-size line when the window's
    // position allows it. A failed write changes nothing in memory and is
    // said once on stderr (again only after a save has worked in between).
    void SaveSettingsFile();
    // The save a repaint asks for. What it would write is fixed now (the
    // window as it is painted) and written once the window has stayed
    // unchanged for kRepaintSaveDelayMs, so a window dragged larger never
    // waits on the disk at its paints. SaveSettingsFile writes a pending
    // save's successor at once; closing the window writes a pending one.
    void SaveSettingsFileSoon();
    static constexpr int kRepaintSaveDelayMs = 300;
    // Applies every command's update rule to its menu entry and toolbar button.
    void UpdateCommandStates();
    // Carries out a command by its id.
    void ExecuteCommand(CommandId command);

    // Location commands of "&Datei".
    void OnChangeLocation();
    void OnLocationStep(CommandId command);
    // "Andere Zeitzone…": a zone of the system's zone database from a searchable list.
    void OnChooseZone();
    // "Ansicht → Ziele…": the targets dialog; its list is saved and drawn (window_targets.cpp).
    void OnTargets();

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The place prompt's refusal: what was typed and what the prompt takes.
    void RefuseLocation(const QString& typed, bool aName);
    QAction* createAction(CommandId command, const QString& text, const QString& icon = QString(),
                          const QKeySequence& shortcut = QKeySequence());
    void createActions();
    void createMenus();
    void createToolBar();
    // "Ansicht → Sprache": Deutsch / English (window_language.cpp).
    void createLanguageMenu(QMenu* viewMenu);
    void OnChooseLanguage(Language language);
    // Reads the targets the settings name and hands them to the view; what
    // cannot be read is said in one message box (not waited on) and on stderr.
    void LoadTargetsOfSettings();
    // Builds actions, menus and toolbar anew in the program's language.
    void RebuildCommands();
    void OnPrint();
    void OnPrintPreview();
    void OnPrintSetup();
    // Takes the window frame off the initial size once the frame is known.
    void FitOuterSizeOnce();
    // The saved window size (outer size) clamped to what a screen can show.
    QSize InitialOuterSize() const;
    // Saves `toSave`; remembers the text written, reports a first failure.
    void WriteSettings(const ChartSettings& toSave, bool withWindowSize);
    // The file's text for `toSave`: the file as read with the changes in it,
    // or the plain lines when there was none.
    std::string SettingsText(const ChartSettings& toSave, bool withWindowSize) const;
    // What a save now writes: the settings with the window's size, and
    // whether the size line goes in.
    struct SettingsToSave {
        ChartSettings settings;
        bool withWindowSize = false;
    };
    SettingsToSave CurrentSettingsToSave() const;
    // True when the file already says what `save` would write.
    bool IsSaved(const SettingsToSave& save) const;
    // Writes the save a repaint left pending, if any.
    void WritePendingSave();

    ChartSettings settings_;
    std::filesystem::path settingsPath_;
    // The file as last read or written, and whether there is one.
    SettingsDocument document_;
    bool haveDocument_ = false;
    // False when the file at start could not be read whole: it must not be replaced.
    bool settingsSavable_ = true;
    bool saveFailureReported_ = false;
    bool ownerChangeReported_ = false;
    std::optional<SettingsToSave> pendingSave_;
    QTimer pendingSaveTimer_;
    QString versionText_;
    QString buildText_;
    CVelmarinView* view_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QActionGroup* modeGroup_ = nullptr;
    QActionGroup* zoneGroup_ = nullptr;
    QActionGroup* languageGroup_ = nullptr;
    QMap<CommandId, QAction*> actions_;
    std::unique_ptr<QPrinter> printer_;
    // Where "Exportieren…" opens its dialog: the folder of the last export.
    QString exportFolder_;
    bool sizedToFrame_ = false;
};

}  // namespace velmarin
