// Choosing a zone of the zone database in the window as a user does: the
// menu entry, typing into the list, Enter; then the chart, the settings file
// and the next start.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <functional>
#include <memory>

#include "core/app/command_rules.h"
#include "core/chart/chart_clock.h"
#include "core/chart/chart_layout.h"
#include "core/chart/frame_layers.h"
#include "core/chart/twilight_chart.h"
#include "core/ephemeris/time_calendar.h"
#include "qt/window/CDialogStr.h"
#include "qt/window/CMainFrame.h"
#include "qt/window/CVelmarinView.h"
#include "qt/window/CZoneDialog.h"
#include "qt/zones/qt_zone_database.h"

using namespace velmarin;

namespace {

// Runs `respond` on the zone list as soon as it is shown modally.
void WhenZoneListOpens(std::function<void(CZoneDialog*)> respond) {
    auto* timer = new QTimer;
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [timer, respond] {
        if (auto* dialog = qobject_cast<CZoneDialog*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            respond(dialog);
        }
    });
    timer->start();
}

// Runs `respond` on the location prompt as soon as it is shown modally.
void WhenPromptOpens(std::function<void(CDialogStr*)> respond) {
    auto* timer = new QTimer;
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [timer, respond] {
        if (auto* dialog = qobject_cast<CDialogStr*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            respond(dialog);
        }
    });
    timer->start();
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

constexpr double kTwilightPi = 3.14159;

// The colour the screen shows at a local time of day (hours) on a date.
QRgb ShownAt(CVelmarinView* view, int day, int month, int year, double hours) {
    view->RenderIfNeeded();
    const Point p = MapToPage(view->chartLayout(), JulianDayFromDate(day, month, year),
                              (24 - hours) * kTwilightPi / 12);
    return view->backBuffer().pixel(p.x, p.y) & 0xffffff;
}

}  // namespace

class TestZones : public QObject {
    Q_OBJECT

private slots:
    void typingChoosesSydneyAndARestartKeepsIt();
    void aCityNameSetsPlaceAndZone_data();
    void aCityNameSetsPlaceAndZone();
    void theListNarrowsAsTheUserTypes_data();
    void theListNarrowsAsTheUserTypes();
};

void TestZones::typingChoosesSydneyAndARestartKeepsIt() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Velmarin.ini"));
    {
        CMainFrame frame(path.toStdString());
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        CVelmarinView* view = frame.view();
        view->SetYear(2026);
        ChartSettings sydney = frame.settings();
        sydney.displayMode = DisplayMode::Twilight;
        sydney.latitude = -33.87 * degToRad;
        sydney.longitude = 151.21 * degToRad;
        sydney.showGrid = 0;  // no marks over the pixels looked at
        sydney.showDayLine = 0;
        frame.ChangeSettings(sydney);
        QVERIFY(frame.action(CommandId::SummerTime)->isEnabled());
        QVERIFY(frame.action(CommandId::SummerTime)->isChecked());

        QString highlighted;
        WhenZoneListOpens([&](CZoneDialog* dialog) {
            QTest::keyClicks(dialog->filterControl(), QStringLiteral("Syd"));
            highlighted = dialog->selectedZone();
            QTest::keyClick(dialog->filterControl(), Qt::Key_Return);
        });
        frame.action(CommandId::ZoneOther)->trigger();
        QCOMPARE(highlighted, QStringLiteral("Australia/Sydney"));
        QCOMPARE(QString::fromStdString(frame.settings().zone), QStringLiteral("Australia/Sydney"));

        // The zone decides summer time: the entry greyed, its mark as it was.
        QVERIFY(!frame.action(CommandId::SummerTime)->isEnabled());
        QVERIFY(frame.action(CommandId::SummerTime)->isChecked());
        QVERIFY(frame.action(CommandId::ZoneOther)->isChecked());
        QVERIFY(!frame.action(CommandId::ZoneUtPlus1)->isChecked());
        QVERIFY(ReadFile(path).endsWith("\r\nzone Australia/Sydney\r\n"));

        const QtZoneDatabase zones;
        QCOMPARE(QString::fromStdString(AxisCaption(DisplayMode::Twilight, frame.settings(), false,
                                                    ZoneCaption(2026, frame.settings(), &zones))),
                 QStringLiteral("Y-Achse: Uhrzeit in Australia/Sydney (AEST/AEDT)"));

        // Summer time ends on 5 April 2026 and starts on 4 October: sunrise
        // (about 7:00 AEDT, 6:10 AEST early in April; 5:45 AEST, 6:40 AEDT
        // early in October) jumps by an hour on the clock.
        const QRgb white = 0xffffff;
        QVERIFY(ShownAt(view, 1, 4, 2026, 6.75) != white);   // AEDT: still twilight
        QCOMPARE(ShownAt(view, 9, 4, 2026, 6.75), white);    // AEST: the Sun is up
        QCOMPARE(ShownAt(view, 2, 10, 2026, 6.25), white);   // AEST: the Sun is up
        QVERIFY(ShownAt(view, 6, 10, 2026, 6.25) != white);  // AEDT: still twilight

        // A fixed zone takes over again, and summer time is the user's once more.
        frame.ExecuteCommand(CommandId::ZoneUtPlus2);
        QCOMPARE(QString::fromStdString(frame.settings().zone), QString());
        QVERIFY(frame.action(CommandId::SummerTime)->isEnabled());
        QVERIFY(!ReadFile(path).contains("zone"));
        frame.ExecuteCommand(CommandId::ModeTwilight);
        WhenZoneListOpens([](CZoneDialog* dialog) {
            QTest::keyClicks(dialog->filterControl(), QStringLiteral("sydney"));
            QTest::keyClick(dialog->filterControl(), Qt::Key_Return);
        });
        frame.action(CommandId::ZoneOther)->trigger();
        QCOMPARE(QString::fromStdString(frame.settings().zone), QStringLiteral("Australia/Sydney"));
    }
    // The next start comes back with the zone.
    CMainFrame again(path.toStdString());
    QCOMPARE(QString::fromStdString(again.settings().zone), QStringLiteral("Australia/Sydney"));
    QVERIFY(!again.action(CommandId::SummerTime)->isEnabled());
    QVERIFY(again.action(CommandId::ZoneOther)->isChecked());
}

void TestZones::aCityNameSetsPlaceAndZone_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("zone");
    QTest::addColumn<double>("latitude");   // degrees, from zone1970.tab
    QTest::addColumn<double>("longitude");
    QTest::newRow("city") << "Sydney" << "Australia/Sydney" << -(33 + 52 / 60.0) << 151 + 13 / 60.0;
    QTest::newRow("zone") << "Australia/Sydney" << "Australia/Sydney" << -(33 + 52 / 60.0) << 151 + 13 / 60.0;
    QTest::newRow("numbers as ever") << "-33,5 151.25" << "" << -33.5 << 151.25;
    // Names the zone table lacks are refused with a message: tst_prompts.
}

void TestZones::aCityNameSetsPlaceAndZone() {
    QFETCH(QString, typed);
    QFETCH(QString, zone);
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QTemporaryDir dir;
    CMainFrame frame(dir.filePath(QStringLiteral("Velmarin.ini")).toStdString());
    WhenPromptOpens([&](CDialogStr* dialog) {
        dialog->editControl()->setText(typed);
        QTest::keyClick(dialog->editControl(), Qt::Key_Return);
    });
    frame.OnChangeLocation();
    QCOMPARE(QString::fromStdString(frame.settings().zone), zone);
    QVERIFY(std::abs(frame.settings().latitude / degToRad - latitude) < 1e-9);
    QVERIFY(std::abs(frame.settings().longitude / degToRad - longitude) < 1e-9);
}

void TestZones::theListNarrowsAsTheUserTypes_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("highlighted");
    QTest::newRow("start of a city") << "Syd" << "Australia/Sydney";
    QTest::newRow("blank for underscore") << "new york" << "America/New_York";
    QTest::newRow("area and city") << "Asia/Kathm" << "Asia/Kathmandu";
    QTest::newRow("nothing matches") << "Atlantis" << "";
}

void TestZones::theListNarrowsAsTheUserTypes() {
    QFETCH(QString, typed);
    QFETCH(QString, highlighted);
    CZoneDialog dialog(QStringLiteral("Europe/Berlin"));
    QCOMPARE(dialog.selectedZone(), QStringLiteral("Europe/Berlin"));
    QTest::keyClicks(dialog.filterControl(), typed);
    QCOMPARE(dialog.selectedZone(), highlighted);
}

QTEST_MAIN(TestZones)
#include "tst_zones.moc"
