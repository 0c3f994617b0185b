// The window's choice of language: "Ansicht → Sprache → Deutsch / English".
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "core/app/language_setting.h"
#include "qt/window/CMainFrame.h"
#include "qt/window/CVelmarinView.h"
#include "qt/window/qt_language.h"

namespace velmarin {

void CMainFrame::createLanguageMenu(QMenu* viewMenu) {
    QMenu* menu = viewMenu->addMenu(tr("S&prache"));
    languageGroup_ = new QActionGroup(this);
    // Each language named in itself, so that a reader of either finds it.
    const std::pair<Language, QString> entries[] = {{Language::German, QStringLiteral("&Deutsch")},
                                                    {Language::English, QStringLiteral("&English")}};
    for (const auto& [language, name] : entries) {
        QAction* action = menu->addAction(name);
        action->setCheckable(true);
        action->setChecked(language == ProgramLanguage());
        action->setData(QString::fromLatin1(LanguageCode(language).data(), qsizetype(LanguageCode(language).size())));
        languageGroup_->addAction(action);
        // Queued: the rebuild deletes the menu whose action is still reporting the click.
        connect(action, &QAction::triggered, this, [this, language = language] { OnChooseLanguage(language); },
                Qt::QueuedConnection);
    }
}

void CMainFrame::OnChooseLanguage(Language language) {
    const ChartSettings changed = WithSettingsLanguage(settings_, language);
    if (language == ProgramLanguage() && changed == settings_) return;
    ApplyProgramLanguage(language);
    RebuildCommands();
    ChangeSettings(changed);
}

void CMainFrame::RebuildCommands() {
    const bool toolBarHidden = toolBar_ != nullptr && toolBar_->isHidden();
    const Qt::ToolBarArea toolBarArea = toolBar_ != nullptr ? this->toolBarArea(toolBar_) : Qt::TopToolBarArea;
    if (toolBar_ != nullptr) {
        removeToolBar(toolBar_);
        delete toolBar_;
        toolBar_ = nullptr;
    }
    menuBar()->clear();
    for (QMenu* menu : menuBar()->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) delete menu;
    for (QAction* action : std::as_const(actions_)) {
        removeAction(action);
        delete action;
    }
    actions_.clear();
    delete modeGroup_;
    delete zoneGroup_;
    delete languageGroup_;
    modeGroup_ = zoneGroup_ = languageGroup_ = nullptr;

    createActions();
    createMenus();
    createToolBar();
    addToolBar(toolBarArea, toolBar_);
    toolBar_->setHidden(toolBarHidden);
    setWindowTitle(tr("Velmarin"));
    UpdateCommandStates();
}

}  // namespace velmarin
