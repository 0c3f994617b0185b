#include "qt/window/window_application.h"

#include <QApplication>
#include <QIcon>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "qt/window/CMainFrame.h"
#include "qt/window/qt_language.h"

namespace velmarin {

namespace {

// Messages while the toolkit starts, held back: without a display it writes
// several lines and aborts, where one clear line and status 1 will do.
std::vector<QString>& StartupMessages() {
    static std::vector<QString> messages;
    return messages;
}

void HoldStartupMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr,
                     "velmarin: cannot open a window: no display could be reached "
                     "(set DISPLAY, or pass -platform offscreen)\n");
        std::_Exit(1);
    }
    StartupMessages().push_back(message);
}

}  // namespace

bool InstallQtTranslations(QCoreApplication&) { return ApplyProgramLanguage(Language::German); }

int RunWindowApplication(int argc, char* argv[]) {
    const QtMessageHandler previous = qInstallMessageHandler(HoldStartupMessage);
    QApplication application(argc, argv);
    qInstallMessageHandler(previous);
    for (const QString& message : StartupMessages()) std::fprintf(stderr, "%s\n", qPrintable(message));
    StartupMessages().clear();
    // The GUI library switches the C library to the user's locale; numbers
    // in files and prompts keep "." as the decimal point.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setOrganizationName(QStringLiteral("Tannwick"));
    QApplication::setApplicationName(QStringLiteral("Velmarin"));
    QApplication::setDesktopFileName(QStringLiteral("velmarin"));
    ApplyProgramLanguage(ProgramLanguage());

    CMainFrame frame;
    QApplication::setWindowIcon(frame.windowIcon());
    frame.show();
    frame.setWindowTitle(QStringLiteral("Velmarin"));
    return QApplication::exec();
}

}  // namespace velmarin
