#pragma once

class QCoreApplication;

namespace velmarin {

// Loads the toolkit's German translations (dialogs, standard buttons) from
// its translations folder; false when they are not installed.
bool InstallQtTranslations(QCoreApplication& application);

// Starts the window program (QApplication, CMainFrame) and runs its event loop.
int RunWindowApplication(int argc, char* argv[]);

}  // namespace velmarin
