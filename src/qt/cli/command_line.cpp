#include "qt/cli/command_line.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "core/almanac/command_line.h"
#include "core/almanac/language_choice.h"
#include "qt/cli/render_command.h"
#include "qt/window/window_application.h"
#include "qt/zones/qt_zone_database.h"

namespace velmarin {
namespace {

// Scripts read render's stderr as one line of error or nothing: Qt's own
// notes (missing runtime folder, font fall-backs) are dropped there; only
// its critical and fatal messages still reach stderr.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "velmarin: %s\n", qPrintable(message));
}

}  // namespace

int RunVelmarin(int argc, char* argv[]) {
    if (const auto status = SetLanguageFromCommandLine(argc, argv)) return *status;
    const QtZoneDatabase zones;
    if (const auto status = RunCommandLineWithoutWindow(argc, argv, &zones)) return *status;
    if (argc >= 2 && argv[1] != nullptr && std::string_view(argv[1]) == "render") {
        qInstallMessageHandler(QuietQtMessages);
        return RunRenderCommand(std::vector<std::string>(argv + 2, argv + argc));
    }
    return RunWindowApplication(argc, argv);
}

}  // namespace velmarin
