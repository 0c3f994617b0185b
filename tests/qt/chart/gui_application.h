#pragma once

#include <QGuiApplication>
#include <QtGlobal>

namespace velmarin::testing {

// Fonts and painters need a QGuiApplication; the test runner has none of its
// own. Made once, on the offscreen platform unless one is chosen already.
inline void EnsureGuiApplication() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "core_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
}

}  // namespace velmarin::testing
