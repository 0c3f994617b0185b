#include "qt/window/window_application.h"

#include <QApplication>
#include <QIcon>
#include <clocale>

#include "qt/window/CMainFrame.h"

namespace velmarin {

int RunWindowApplication(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // The GUI library switches the C library to the user's locale; numbers
    // in files and prompts keep "." as the decimal point.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setOrganizationName(QStringLiteral("Tannwick"));
    QApplication::setApplicationName(QStringLiteral("Velmarin"));
    QApplication::setDesktopFileName(QStringLiteral("velmarin"));

    CMainFrame frame;
    QApplication::setWindowIcon(frame.windowIcon());
    frame.show();
    frame.setWindowTitle(QStringLiteral("Velmarin"));
    return QApplication::exec();
}

}  // namespace velmarin
