#include "qt/window/qt_first_paint_report.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace velmarin {

namespace {

// Milliseconds since the process started: its start time in clock ticks
// since boot (field 22 of /proc/self/stat) against the boot-time clock.
double MillisecondsSinceProcessStart() {
    std::ifstream file("/proc/self/stat");
    std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // The command name may hold spaces; the fields after it start past ')'.
    const auto close = stat.rfind(')');
    const long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
    timespec now{};
    if (close == std::string::npos || ticksPerSecond <= 0 || ::clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        return -1.0;
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    // Field 3 (state) is the first after the name; the start time is field 22.
    for (int i = 3; i < 22 && fields >> field; ++i) {
    }
    unsigned long long startTicks = 0;
    if (!(fields >> startTicks)) return -1.0;
    const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    return nowMs - static_cast<double>(startTicks) * 1000.0 / static_cast<double>(ticksPerSecond);
}

// A "Vm...:  N kB" line of /proc/self/status, or -1.
long StatusKilobytes(const std::string& key) {
    std::ifstream file("/proc/self/status");
    std::string line;
    while (std::getline(file, line)) {
        if (line.rfind(key + ":", 0) == 0) return std::stol(line.substr(key.size() + 1));
    }
    return -1;
}

}  // namespace

bool FirstPaintReportWanted() { return !qEnvironmentVariableIsEmpty("VELMARIN_FIRST_PAINT_REPORT"); }

void ReportFirstPaintAndQuit(QSize pixels) {
    std::fprintf(stderr, "first-paint-ms=%.1f view=%dx%d VmRSS-kB=%ld VmHWM-kB=%ld\n",
                 MillisecondsSinceProcessStart(), pixels.width(), pixels.height(),
                 StatusKilobytes("VmRSS"), StatusKilobytes("VmHWM"));
    std::fflush(stderr);
    // Queued, so the paint event in progress finishes first.
    QMetaObject::invokeMethod(QCoreApplication::instance(), [] { QCoreApplication::exit(0); },
                              Qt::QueuedConnection);
}

}  // namespace velmarin
