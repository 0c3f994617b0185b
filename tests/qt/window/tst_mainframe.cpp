// The main window driven as a user would: actions, keys and both prompts,
// with the settings record, the update rules and the settings file checked
// after each step.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <csignal>
#include <cstring>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <memory>

#include "core/app/command_rules.h"
#include "qt/window/CDialogStr.h"
#include "qt/window/CMainFrame.h"
#include "qt/window/window_application.h"
#include "qt/window/CVelmarinView.h"

using namespace velmarin;

namespace {

// The window-size line the settings file gets for the frame as it is.
QByteArray SizeLine(const CMainFrame& frame) {
    const QRect outer = frame.frameGeometry();
    return QByteArray::number(outer.width()) + ' ' + QByteArray::number(outer.height()) + "\r\n";
}

// Whether the platform put the frame's corner inside the screen, as asked:
// only there does the file get the size line.
bool PlacedInsideTheScreen(const CMainFrame& frame) {
    const QRect outer = frame.frameGeometry();
    return outer.left() > 0 && outer.top() > 0;
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Runs `respond` on the prompt dialog as soon as it is shown modally.
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

constexpr double kDegree = degToRad;

}  // namespace

class TestMainFrame : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstStartWritesTheTwoDefaultLines();
    void windowSizeAndPrinterOrientationFromTheFile_data();
    void windowSizeAndPrinterOrientationFromTheFile();
    void menusFollowTheTable();
    void toolBarEntryShowsAndHidesTheToolbar();
    void displayCommandsChangeSaveAndUpdate();
    void twilightSwapsAvailableEntriesInMenuAndToolbar();
    void oddTimeZoneFromTheFileChecksNoZone();
    void summerTimeIsOnAtEveryStart();
    void settingsSurviveARestart();
    void damagedFilesStartWithDefaults_data();
    void damagedFilesStartWithDefaults();
    void keysDriveLocationAndYear();
    void quitKeysCloseTheWindow_data();
    void quitKeysCloseTheWindow();
    void yearCommandsSaturate();
    void yearPrompt_data();
    void yearPrompt();
    void locationPrompt_data();
    void locationPrompt();
    void unwritableSettingsFileChangesNothingInMemory();
    void sizeLineOnlyWhenThePositionAllowsIt();
    void repaintSavesWhenTheWindowSettlesAndOnClose();
    void repaintKeepsTheChartUntilAnInputChanges();
    void printsExactlyOnePage();
    void exportsPngSvgAndPdf();
    void toolkitDialogsSpeakGerman_data();
    void toolkitDialogsSpeakGerman();
    void exportFailuresKeepTheOldFileAndSayWhy_data();
    void exportFailuresKeepTheOldFileAndSayWhy();
    void unreadableSettingsFileIsNeverOverwritten_data();
    void unreadableSettingsFileIsNeverOverwritten();
    void linkedSettingsFileStaysALink();

private:
    std::unique_ptr<CMainFrame> StartFrame(bool show = true);
    // Shown with its outer top-left corner asked for at `corner`; null when
    // it never shows.
    std::unique_ptr<CMainFrame> StartFrameAt(QPoint corner);
    QString IniPath() const { return dir_->filePath(QStringLiteral("Velmarin.ini")); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestMainFrame::init() { dir_ = std::make_unique<QTemporaryDir>(); }
void TestMainFrame::cleanup() { dir_.reset(); }

std::unique_ptr<CMainFrame> TestMainFrame::StartFrameAt(QPoint corner) {
    auto frame = StartFrame(false);
    frame->move(corner);
    frame->show();
    if (!QTest::qWaitForWindowExposed(frame.get())) return nullptr;
    return frame;
}

std::unique_ptr<CMainFrame> TestMainFrame::StartFrame(bool show) {
    auto frame = std::make_unique<CMainFrame>(IniPath().toStdString());
    if (show) {
        frame->show();
        QApplication::setActiveWindow(frame.get());
        if (!QTest::qWaitForWindowExposed(frame.get())) return nullptr;
    }
    return frame;
}

void TestMainFrame::firstStartWritesTheTwoDefaultLines() {
    auto frame = StartFrame(false);
    QCOMPARE(ReadFile(IniPath()), QByteArray("0 0 0 1 0 1 1\r\n52.000000 9.800000 1.0\r\n"));
    QCOMPARE(frame->settings(), ChartSettings{});
    QCOMPARE(frame->windowTitle(), QStringLiteral("Velmarin"));
    QVERIFY(!frame->findChild<QStatusBar*>());
}

void TestMainFrame::windowSizeAndPrinterOrientationFromTheFile_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("orientation");
    const QByteArray lines12 = "0 0 0 1 0 1 1\r\n52.000000 9.800000 1.0\r\n";
    QTest::newRow("no line 3") << lines12 << QSize(1212, 800) << int(QPageLayout::Landscape);
    QTest::newRow("600 800") << lines12 + "600 800\r\n" << QSize(600, 800) << int(QPageLayout::Portrait);
    QTest::newRow("800 800") << lines12 + "800 800\r\n" << QSize(800, 800) << int(QPageLayout::Portrait);
    QTest::newRow("900 only") << lines12 + "900\r\n" << QSize(900, 800) << int(QPageLayout::Landscape);
    // Sizes of 1 or less are not usable: the defaults; small ones grow.
    QTest::newRow("0 0") << lines12 + "0 0\r\n" << QSize(1212, 800) << int(QPageLayout::Landscape);
    QTest::newRow("1 1") << lines12 + "1 1\r\n" << QSize(1212, 800) << int(QPageLayout::Landscape);
    QTest::newRow("-100 -100") << lines12 + "-100 -100\r\n" << QSize(1212, 800) << int(QPageLayout::Landscape);
    QTest::newRow("700 1") << lines12 + "700 1\r\n" << QSize(700, 800) << int(QPageLayout::Portrait);
    QTest::newRow("55 49") << lines12 + "55 49\r\n" << QSize(320, 240) << int(QPageLayout::Landscape);
}

void TestMainFrame::windowSizeAndPrinterOrientationFromTheFile() {
    QFETCH(QByteArray, file);
    QFETCH(QSize, size);
    QFETCH(int, orientation);
    WriteFile(IniPath(), file);
    auto frame = StartFrame();
    QVERIFY(frame);
    QCOMPARE(frame->frameGeometry().size(), size);
    QCOMPARE(int(frame->printer()->pageLayout().orientation()), orientation);
}

void TestMainFrame::menusFollowTheTable() {
    auto frame = StartFrame(false);
    QStringList seen;
    for (QAction* top : frame->menuBar()->actions()) {
        QString line = top->text() + QLatin1Char(':');
        if (QMenu* menu = top->menu()) {
            for (QAction* entry : menu->actions())
                line += QLatin1Char('|') + (entry->isSeparator() ? QStringLiteral("---") : entry->text());
        }
        seen << line;
    }
    const QStringList expected = {
        "&Datei:|Ort ändern|+ 5° Breite\tN|- 5° Breite\tS|+ 5° Länge\tO|- 5° Länge\tW|---"
        "|Diagramm speichern…\tStrg+S|Exportieren…|---"
        "|&Drucken...\tStrg+P|Sei&tenansicht|Drucker&einrichtung...|---|&Beenden\tAlt+X",
        "Jahr:|Jahr +1\t+|Jahr -1\t-|---|&Eingabe|Jetzt\tJ",
        "&Anzeigen:|&Normal|&Sonne|&Mitternachtslinie|mit Mond|Codiert mit &Durchmesser"
        "|Codiert mit &Helligkeit|keine Codierung|---|Dämmerung|GMT\t(UT)|MEZ\t(UT+1)|OEZ\t(UT+2)|Andere Zeitzone…"
        "|mit Sommerzeit|mit Planeten|mit Zielen|mit Mondlicht|---|mit Raster|mit Tageslinie",
        "&Ansicht:|&Symbolleiste|&Ziele…|S&prache",
        "&?:",
    };
    QCOMPARE(seen, expected);
    // The toolbar: -1, +1, gap, four chart kinds, gap, about; only about explains itself.
    auto* toolBar = frame->findChild<QToolBar*>();
    QVERIFY(toolBar);
    QList<int> buttons;
    for (QAction* a : toolBar->actions()) buttons << (a->isSeparator() ? 0 : a->data().toInt());
    QCOMPARE(buttons, (QList<int>{int(CommandId::YearMinus), int(CommandId::YearPlus), 0, int(CommandId::ModeNormal),
                                  int(CommandId::ModeSun), int(CommandId::ModeMidnight), int(CommandId::ModeTwilight), 0,
                                  int(CommandId::About)}));
    QCOMPARE(frame->action(CommandId::About)->toolTip(), QStringLiteral("Info"));
}

void TestMainFrame::toolBarEntryShowsAndHidesTheToolbar() {
    auto frame = StartFrame();
    QVERIFY(frame);
    auto* toolBar = frame->findChild<QToolBar*>();
    QAction* entry = frame->action(CommandId::ToolBar);
    QVERIFY(entry->isChecked());
    entry->trigger();
    QVERIFY(!toolBar->isVisible());
    QVERIFY(!entry->isChecked());
    entry->trigger();
    QVERIFY(toolBar->isVisible());
    QVERIFY(entry->isChecked());
}

void TestMainFrame::displayCommandsChangeSaveAndUpdate() {
    auto frame = StartFrame(false);
    frame->action(CommandId::CodeDiameter)->trigger();
    frame->action(CommandId::CodeBrightness)->trigger();
    QVERIFY(frame->action(CommandId::CodeDiameter)->isChecked());
    QVERIFY(frame->action(CommandId::CodeBrightness)->isChecked());
    QVERIFY(ReadFile(IniPath()).startsWith("1 1 0 1 0 1 1\r\n"));
    frame->action(CommandId::CodeNone)->trigger();
    QVERIFY(!frame->action(CommandId::CodeDiameter)->isChecked());
    QVERIFY(!frame->action(CommandId::CodeBrightness)->isChecked());
    QVERIFY(!frame->action(CommandId::CodeNone)->isChecked());

    frame->action(CommandId::ShowMoon)->trigger();
    frame->action(CommandId::ShowGrid)->trigger();
    frame->action(CommandId::ShowDayLine)->trigger();
    QCOMPARE(frame->settings().showMoon, 0);
    QVERIFY(!frame->action(CommandId::ShowMoon)->isChecked());
    QVERIFY(!frame->action(CommandId::ShowGrid)->isChecked());
    QVERIFY(ReadFile(IniPath()).startsWith("0 0 0 0 0 0 0\r\n"));

    // Triggering the checked chart kind again keeps it checked.
    frame->action(CommandId::ModeNormal)->trigger();
    QVERIFY(frame->action(CommandId::ModeNormal)->isChecked());
    frame->action(CommandId::ModeMidnight)->trigger();
    QCOMPARE(frame->settings().displayMode, DisplayMode::Midnight);
    QVERIFY(!frame->action(CommandId::ModeNormal)->isChecked());
    QVERIFY(frame->action(CommandId::ModeMidnight)->isChecked());
    QVERIFY(ReadFile(IniPath()).startsWith("0 0 2 0 0 0 0\r\n"));
}

void TestMainFrame::twilightSwapsAvailableEntriesInMenuAndToolbar() {
    auto frame = StartFrame();
    QVERIFY(frame);
    auto* toolBar = frame->findChild<QToolBar*>();
    const QList<CommandId> bodyEntries = {CommandId::CodeDiameter, CommandId::CodeBrightness, CommandId::CodeNone, CommandId::ShowMoon};
    const QList<CommandId> twilightEntries = {CommandId::ZoneUt, CommandId::ZoneUtPlus1, CommandId::ZoneUtPlus2, CommandId::SummerTime};
    frame->action(CommandId::CodeDiameter)->trigger();
    for (bool twilight : {true, false}) {
        frame->action(twilight ? CommandId::ModeTwilight : CommandId::ModeSun)->trigger();
        for (CommandId command : bodyEntries) QCOMPARE(frame->action(command)->isEnabled(), !twilight);
        for (CommandId command : twilightEntries) QCOMPARE(frame->action(command)->isEnabled(), twilight);
        QCOMPARE(frame->action(CommandId::CodeDiameter)->isChecked(), !twilight);
        QVERIFY(frame->action(CommandId::ShowMoon)->isChecked());
        QCOMPARE(frame->action(CommandId::ZoneUtPlus1)->isChecked(), twilight);
        // The toolbar button is the same command: it shows the same check.
        auto* button = qobject_cast<QToolButton*>(toolBar->widgetForAction(frame->action(CommandId::ModeTwilight)));
        QVERIFY(button);
        QCOMPARE(button->isChecked(), twilight);
    }
}

void TestMainFrame::oddTimeZoneFromTheFileChecksNoZone() {
    WriteFile(IniPath(), "0 0 3 1 0 1 1\r\n52.000000 9.800000 1.5\r\n");
    auto frame = StartFrame(false);
    QCOMPARE(frame->settings().timeZoneHours, 1.5);
    for (CommandId command : {CommandId::ZoneUt, CommandId::ZoneUtPlus1, CommandId::ZoneUtPlus2}) {
        QVERIFY(frame->action(command)->isEnabled());
        QVERIFY(!frame->action(command)->isChecked());
    }
    frame->action(CommandId::ZoneUtPlus2)->trigger();
    QCOMPARE(frame->settings().timeZoneHours, 2.0);
    QVERIFY(frame->action(CommandId::ZoneUtPlus2)->isChecked());
    QVERIFY(ReadFile(IniPath()).contains(" 2.0\r\n"));
}

void TestMainFrame::summerTimeIsOnAtEveryStart() {
    {
        auto frame = StartFrame(false);
        frame->action(CommandId::ModeTwilight)->trigger();
        frame->action(CommandId::SummerTime)->trigger();
        QCOMPARE(frame->settings().summerTime, 0);
        QVERIFY(!frame->action(CommandId::SummerTime)->isChecked());
    }
    auto again = StartFrame(false);
    QCOMPARE(again->settings().summerTime, 1);
    QCOMPARE(again->settings().displayMode, DisplayMode::Twilight);
}

void TestMainFrame::settingsSurviveARestart() {
    ChartSettings expected;
    {
        auto frame = StartFrame(false);
        for (CommandId command : {CommandId::ModeTwilight, CommandId::ZoneUtPlus2, CommandId::ShowGrid, CommandId::CodeBrightness, CommandId::ShowMoon,
                            CommandId::LatitudeSouth, CommandId::LongitudeWest, CommandId::LongitudeWest})
            frame->action(command)->trigger();
        expected = frame->settings();
    }
    auto again = StartFrame(false);
    // The file keeps six decimals of a degree.
    QVERIFY(qAbs(again->settings().latitude - expected.latitude) < 1e-6 * kDegree);
    QVERIFY(qAbs(again->settings().longitude - expected.longitude) < 1e-6 * kDegree);
    ChartSettings read = again->settings();
    read.latitude = expected.latitude;
    read.longitude = expected.longitude;
    QCOMPARE(read, expected);
    QCOMPARE(again->action(CommandId::ZoneUtPlus2)->isChecked(), true);
    QCOMPARE(again->action(CommandId::ModeTwilight)->isChecked(), true);
}

void TestMainFrame::damagedFilesStartWithDefaults_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("displayMode");
    QTest::addColumn<double>("latitude");
    QTest::newRow("empty") << QByteArray() << 0 << 52.0;
    QTest::newRow("binary") << QByteArray("\x00\xff\xfe\x01\r\n\x80\x00", 8) << 0 << 52.0;
    QTest::newRow("short lines") << QByteArray("1 1 3\n48.5\n") << 3 << 48.5;
    QTest::newRow("huge window") << QByteArray("0 0 2 1 0 1 1\r\n52 9.8 1\r\n2147483647 2147483647\r\n") << 2 << 52.0;
    QTest::newRow("negative window") << QByteArray("0 0 1 1 0 1 1\r\n52 9.8 1\r\n-5 0\r\n") << 1 << 52.0;
    QTest::newRow("mode out of range") << QByteArray("0 0 7 1 0 1 1\r\n100 9.8 1\r\n") << 7 << 100.0;
    QTest::newRow("huge") << QByteArray(3 << 20, '9') << 0 << 52.0;
}

void TestMainFrame::damagedFilesStartWithDefaults() {
    QFETCH(QByteArray, file);
    QFETCH(int, displayMode);
    QFETCH(double, latitude);
    WriteFile(IniPath(), file);
    auto frame = StartFrame();
    QVERIFY(frame);
    QCOMPARE(static_cast<int>(frame->settings().displayMode), displayMode);
    QVERIFY(qAbs(frame->settings().latitude / kDegree - latitude) < 1e-9);
    // The window fits a screen whatever size the file asks for, and the chart is drawn.
    const QSize limit = QSize(1212, 800).expandedTo(QGuiApplication::primaryScreen()->availableVirtualSize());
    QVERIFY(frame->width() <= limit.width() && frame->height() <= limit.height());
    frame->view()->RenderIfNeeded();
    QVERIFY(!frame->view()->backBuffer().isNull());
}

void TestMainFrame::keysDriveLocationAndYear() {
    WriteFile(IniPath(), "0 0 0 1 0 1 1\r\n87.000000 174.000000 1.0\r\n");
    auto frame = StartFrame();
    QVERIFY(frame);
    QVERIFY(QTest::qWaitForWindowActive(frame.get()));
    QWidget* view = frame->view();
    const int startYear = frame->view()->year();

    QTest::keyClick(view, Qt::Key_N);
    QCOMPARE(frame->settings().latitude, 90.0 * kDegree);
    QTest::keyClick(view, Qt::Key_N);
    QCOMPARE(frame->settings().latitude, 90.0 * kDegree);
    QTest::keyClick(view, Qt::Key_S);
    QVERIFY(qAbs(frame->settings().latitude / kDegree - 85.0) < 1e-9);
    QTest::keyClick(view, Qt::Key_O);
    QVERIFY(qAbs(frame->settings().longitude / kDegree - 179.0) < 1e-9);
    QTest::keyClick(view, Qt::Key_O);
    QCOMPARE(frame->settings().longitude, 180.0 * kDegree);
    QTest::keyClick(view, Qt::Key_W);
    QVERIFY(qAbs(frame->settings().longitude / kDegree - 175.0) < 1e-9);
    QVERIFY(ReadFile(IniPath()).contains("85.000000 175.000000 1.0\r\n"));

    QTest::keyClick(view, '+');
    QTest::keyClick(view, '+');
    QCOMPARE(frame->view()->year(), startYear + 2);
    QTest::keyClick(view, '-');
    QCOMPARE(frame->view()->year(), startYear + 1);
    QTest::keyClick(view, Qt::Key_Minus, Qt::KeypadModifier);
    QCOMPARE(frame->view()->year(), startYear);
    frame->view()->SetYear(1);
    QTest::keyClick(view, Qt::Key_J);
    QCOMPARE(frame->view()->year(), startYear);

    // Editing keys do nothing.
    const ChartSettings before = frame->settings();
    for (auto key : {Qt::Key_C, Qt::Key_V, Qt::Key_X, Qt::Key_Z}) QTest::keyClick(view, key, Qt::ControlModifier);
    QCOMPARE(frame->settings(), before);
    QCOMPARE(frame->view()->year(), startYear);
    QVERIFY(frame->isVisible());
}

void TestMainFrame::quitKeysCloseTheWindow_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Alt+X") << int(Qt::Key_X) << int(Qt::AltModifier) << true;
    QTest::newRow("Ctrl+Q") << int(Qt::Key_Q) << int(Qt::ControlModifier) << true;
    QTest::newRow("Ctrl+W") << int(Qt::Key_W) << int(Qt::ControlModifier) << true;
    // The program's own keys stay theirs.
    QTest::newRow("Ctrl+X") << int(Qt::Key_X) << int(Qt::ControlModifier) << false;
    QTest::newRow("W") << int(Qt::Key_W) << int(Qt::NoModifier) << false;
    QTest::newRow("Q") << int(Qt::Key_Q) << int(Qt::NoModifier) << false;
}

void TestMainFrame::quitKeysCloseTheWindow() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, closes);
    auto frame = StartFrame();
    QVERIFY(frame);
    QVERIFY(QTest::qWaitForWindowActive(frame.get()));
    QTest::keyClick(frame->view(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(frame->isVisible(), !closes);
}

void TestMainFrame::yearCommandsSaturate() {
    auto frame = StartFrame(false);
    frame->view()->SetYear(1);
    frame->action(CommandId::YearMinus)->trigger();
    frame->action(CommandId::YearMinus)->trigger();
    QCOMPARE(frame->view()->year(), -1);
    frame->view()->SetYear(kMaxYear);
    frame->action(CommandId::YearPlus)->trigger();
    QCOMPARE(frame->view()->year(), kMaxYear);
    frame->view()->SetYear(kMinYear);
    frame->action(CommandId::YearMinus)->trigger();
    QCOMPARE(frame->view()->year(), kMinYear);
    // Year commands save nothing of their own: the file holds no year.
    QCOMPARE(ReadFile(IniPath()), QByteArray("0 0 0 1 0 1 1\r\n52.000000 9.800000 1.0\r\n"));
}

void TestMainFrame::yearPrompt_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("closeKey");
    QTest::addColumn<int>("expected");  // -1: unchanged (the test starts at 1999)
    QTest::newRow("number and letters") << "2030abc" << int(Qt::Key_Return) << 2030;
    QTest::newRow("the shown year") << "" << int(Qt::Key_Return) << -1;
    QTest::newRow("cancel after typing") << "2030" << int(Qt::Key_Escape) << -1;
    QTest::newRow("negative") << "  -450" << int(Qt::Key_Enter) << -450;
    QTest::newRow("clamped") << "12345678901" << int(Qt::Key_Return) << kMaxYear;
}

void TestMainFrame::yearPrompt() {
    QFETCH(QString, typed);
    QFETCH(int, closeKey);
    QFETCH(int, expected);
    auto frame = StartFrame();
    QVERIFY(frame);
    frame->view()->SetYear(1999);
    QString caption, prompt, initial;
    bool editHasFocus = false;
    WhenPromptOpens([&](CDialogStr* dialog) {
        caption = dialog->windowTitle();
        prompt = dialog->promptControl()->text();
        initial = dialog->editControl()->text();
        editHasFocus = dialog->focusWidget() == dialog->editControl();
        QTest::keyClicks(dialog->editControl(), typed);
        QTest::keyClick(dialog->editControl(), Qt::Key(closeKey));
    });
    frame->action(CommandId::YearPrompt)->trigger();
    QCOMPARE(caption, QStringLiteral("Velmarin"));
    QVERIFY(editHasFocus);
    QCOMPARE(prompt, QStringLiteral("Eingabe des Jahres?"));
    QCOMPARE(initial, QStringLiteral("1999"));  // the chart's year
    QCOMPARE(frame->view()->year(), expected == -1 ? 1999 : expected);
}

void TestMainFrame::locationPrompt_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("closeKey");
    QTest::addColumn<bool>("changes");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::newRow("decimal commas") << "51,5 7,25" << int(Qt::Key_Return) << true << 51.5 << 7.25;
    QTest::newRow("clamped") << "95 200" << int(Qt::Key_Return) << true << 90.0 << 180.0;
    QTest::newRow("empty") << "" << int(Qt::Key_Return) << false << 0.0 << 0.0;
    QTest::newRow("cancelled") << "10 10" << int(Qt::Key_Escape) << false << 0.0 << 0.0;
}

void TestMainFrame::locationPrompt() {
    QFETCH(QString, typed);
    QFETCH(int, closeKey);
    QFETCH(bool, changes);
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    auto frame = StartFrame();
    QVERIFY(frame);
    const QByteArray fileBefore = ReadFile(IniPath());
    QString prompt, initial;
    WhenPromptOpens([&](CDialogStr* dialog) {
        prompt = dialog->promptControl()->text();
        initial = dialog->editControl()->text();
        QLineEdit* edit = dialog->editControl();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key(closeKey));
    });
    frame->action(CommandId::ChangeLocation)->trigger();
    QCOMPARE(prompt, QStringLiteral("Eingabe des Ortes?\nBreite Länge"));
    QCOMPARE(initial, QStringLiteral("52.00 9.80"));
    if (changes) {
        QVERIFY(qAbs(frame->settings().latitude / kDegree - latitude) < 1e-9);
        QVERIFY(qAbs(frame->settings().longitude / kDegree - longitude) < 1e-9);
        const QByteArray line2 = QByteArray::number(latitude, 'f', 6) + ' ' +
                                 QByteArray::number(longitude, 'f', 6) + " 1.0\r\n";
        QVERIFY2(ReadFile(IniPath()).contains(line2), ReadFile(IniPath()).constData());
    } else {
        QCOMPARE(frame->settings(), ChartSettings{});
        QCOMPARE(ReadFile(IniPath()), fileBefore);
    }
}

void TestMainFrame::unwritableSettingsFileChangesNothingInMemory() {
    // A regular file where the settings folder should be: nothing can be written there.
    WriteFile(dir_->filePath(QStringLiteral("blocker")), "x");
    const QString path = dir_->filePath(QStringLiteral("blocker/Velmarin.ini"));
    CMainFrame frame(path.toStdString());
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QCOMPARE(frame.settings(), ChartSettings{});
    frame.action(CommandId::ModeSun)->trigger();
    frame.action(CommandId::LatitudeSouth)->trigger();
    QCOMPARE(frame.settings().displayMode, DisplayMode::Sun);
    QVERIFY(qAbs(frame.settings().latitude / kDegree - 47.0) < 1e-9);
    QVERIFY(!QFile::exists(path));
    // The chart is drawn all the same.
    frame.view()->RenderIfNeeded();
    QVERIFY(!frame.view()->backBuffer().isNull());
}

void TestMainFrame::sizeLineOnlyWhenThePositionAllowsIt() {
    auto frame = StartFrameAt(QPoint(40, 30));
    QVERIFY(frame);
    frame->SaveSettingsFile();
    if (!PlacedInsideTheScreen(*frame)) QSKIP("the platform does not place windows where asked");
    const QByteArray line3 = SizeLine(*frame);
    QVERIFY2(ReadFile(IniPath()).endsWith("1.0\r\n" + line3), ReadFile(IniPath()).constData());
    frame->move(0, 30);
    QTRY_COMPARE(frame->frameGeometry().left(), 0);
    frame->SaveSettingsFile();
    QVERIFY(ReadFile(IniPath()).endsWith("1.0\r\n"));
    // Back inside the screen, the size line returns.
    frame->move(40, 30);
    QTRY_COMPARE(frame->frameGeometry().left(), 40);
    frame->SaveSettingsFile();
    QVERIFY(ReadFile(IniPath()).endsWith(line3));
}

// A repaint's save waits until the window has stopped changing; what it
// writes is the window as painted; closing writes a save still waiting.
void TestMainFrame::repaintSavesWhenTheWindowSettlesAndOnClose() {
    auto frame = StartFrameAt(QPoint(40, 30));
    QVERIFY(frame);
    frame->SaveSettingsFile();
    if (!PlacedInsideTheScreen(*frame)) QSKIP("the platform does not place windows where asked");
    const auto sizeLine = [&] { return SizeLine(*frame); };
    const QByteArray firstLine = sizeLine();
    QVERIFY(ReadFile(IniPath()).endsWith(firstLine));

    // Dragged larger in steps, each painted: nothing written meanwhile.
    QElapsedTimer drag;
    drag.start();
    for (int step = 1; step <= 3; ++step) {
        frame->resize(frame->size() + QSize(10, 4));
        frame->view()->repaint();
    }
    const QByteArray draggedLine = sizeLine();
    QVERIFY(draggedLine != firstLine);
    if (drag.elapsed() < CMainFrame::kRepaintSaveDelayMs) QVERIFY(ReadFile(IniPath()).endsWith(firstLine));
    QTRY_VERIFY_WITH_TIMEOUT(ReadFile(IniPath()).endsWith(draggedLine), 5000);

    // A command's save is immediate and takes the place of a waiting one.
    frame->resize(frame->size() + QSize(6, 0));
    frame->view()->repaint();
    frame->action(CommandId::ModeSun)->trigger();
    QVERIFY(ReadFile(IniPath()).startsWith("0 0 1 "));
    QVERIFY(ReadFile(IniPath()).endsWith(sizeLine()));

    // Closed before the delay is up: the last paint's size is in the file.
    frame->resize(frame->size() + QSize(8, 8));
    frame->view()->repaint();
    const QByteArray lastLine = sizeLine();
    frame->close();
    QVERIFY2(ReadFile(IniPath()).endsWith(lastLine), ReadFile(IniPath()).constData());
}

void TestMainFrame::repaintKeepsTheChartUntilAnInputChanges() {
    auto frame = StartFrame();
    QVERIFY(frame);
    CVelmarinView* view = frame->view();
    view->RenderIfNeeded();
    const int first = view->renderCount();
    QVERIFY(first >= 1);
    const QImage before = view->backBuffer();
    view->repaint();
    view->repaint();
    QCOMPARE(view->renderCount(), first);
    frame->action(CommandId::YearPlus)->trigger();
    view->RenderIfNeeded();
    QCOMPARE(view->renderCount(), first + 1);
    frame->action(CommandId::ShowGrid)->trigger();
    view->RenderIfNeeded();
    QCOMPARE(view->renderCount(), first + 2);
    frame->resize(frame->size() + QSize(30, 20));
    QTRY_VERIFY(view->backBuffer().size() != before.size() || view->renderCount() > first + 2);
    view->RenderIfNeeded();
    QCOMPARE(view->backBuffer().size(), view->size() * view->devicePixelRatioF());
}

void TestMainFrame::printsExactlyOnePage() {
    auto frame = StartFrame(false);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = dir_->filePath(QStringLiteral("print.pdf"));
    printer.setOutputFileName(pdf);
    const int screenRenders = frame->view()->renderCount();
    QVERIFY(frame->view()->PrintChart(&printer));
    const QByteArray bytes = ReadFile(pdf);
    QVERIFY(bytes.startsWith("%PDF"));
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    QCOMPARE(QString::fromLatin1(bytes).count(page), 1);
    QCOMPARE(frame->view()->renderCount(), screenRenders);
}

void TestMainFrame::exportsPngSvgAndPdf() {
    auto frame = StartFrame();
    QVERIFY(frame);
    CVelmarinView* view = frame->view();
    const QString png = dir_->filePath(QStringLiteral("chart.png"));
    QVERIFY(view->ExportChart(png).isEmpty());
    QImage saved(png);
    QCOMPARE(saved.size(), view->backBuffer().size());
    QImage shown = view->backBuffer().convertToFormat(QImage::Format_RGB32);
    shown.setDevicePixelRatio(1.0);
    QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), shown);
    const QString svg = dir_->filePath(QStringLiteral("chart.svg"));
    QVERIFY(view->ExportChart(svg).isEmpty());
    QVERIFY(ReadFile(svg).contains("<svg"));
    const QString pdf = dir_->filePath(QStringLiteral("chart.PDF"));
    QVERIFY(view->ExportChart(pdf).isEmpty());
    QVERIFY(ReadFile(pdf).startsWith("%PDF"));
    QVERIFY(!view->ExportChart(dir_->filePath(QStringLiteral("chart.bmp"))).isEmpty());
    QVERIFY(!view->ExportChart(dir_->filePath(QStringLiteral("missing/folder/chart.png"))).isEmpty());
}

void TestMainFrame::exportFailuresKeepTheOldFileAndSayWhy_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("png") << QStringLiteral("chart.png");
    QTest::newRow("svg") << QStringLiteral("chart.svg");
    QTest::newRow("pdf") << QStringLiteral("chart.pdf");
}

// A full disk, imitated by a lowered file size limit (SIGXFSZ ignored, so
// the write fails with EFBIG): the old file stays whole, nothing is left
// beside it, and the reason is the system's.
void TestMainFrame::exportFailuresKeepTheOldFileAndSayWhy() {
    QFETCH(QString, name);
    auto frame = StartFrame();
    QVERIFY(frame);
    QDir folder(dir_->path());
    QVERIFY(folder.mkdir(QStringLiteral("out")));
    const QString path = folder.filePath(QStringLiteral("out/") + name);
    const QByteArray old(3000, 'o');
    WriteFile(path, old);

    rlimit saved{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit low = saved;
    low.rlim_cur = 1024;
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &low), 0);
    const QString problem = frame->view()->ExportChart(path);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY2(problem.contains(QString::fromLocal8Bit(std::strerror(EFBIG))), qPrintable(problem));
    QVERIFY(!problem.contains(QLatin1Char('\n')));
    QCOMPARE(ReadFile(path), old);
    QCOMPARE(QDir(folder.filePath(QStringLiteral("out"))).entryList(QDir::AllEntries | QDir::Hidden |
                                                                     QDir::NoDotAndDotDot),
             QStringList{name});

    // In the way: a folder of that name stays a folder and the user is told.
    QVERIFY(folder.mkdir(QStringLiteral("dir.") + QFileInfo(name).suffix()));
    const QString intoFolder = frame->view()->ExportChart(folder.filePath(QStringLiteral("dir.") + QFileInfo(name).suffix()));
    QCOMPARE(intoFolder, QStringLiteral("Unter diesem Namen steht ein Ordner."));
}

void TestMainFrame::unreadableSettingsFileIsNeverOverwritten_data() {
    QTest::addColumn<QString>("inItsPlace");
    // The FIFO and the folder stand for any file that cannot be read, and
    // catch a clobber when run as root too (a save would replace the FIFO).
    QTest::newRow("fifo") << QStringLiteral("fifo");
    QTest::newRow("folder") << QStringLiteral("folder");
    QTest::newRow("no read permission") << QStringLiteral("mode 200");
}

// The user's settings may be in a file we cannot read: it is never
// replaced by the defaults, however many save points pass.
void TestMainFrame::unreadableSettingsFileIsNeverOverwritten() {
    QFETCH(QString, inItsPlace);
    const QByteArray userText = "1 1 3 1 0 1 1\r\n-33.000000 151.000000 10.0\r\n";
    if (inItsPlace == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(IniPath()).constData(), 0600), 0);
    } else if (inItsPlace == QLatin1String("folder")) {
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("Velmarin.ini")));
    } else {
        if (::geteuid() == 0) QSKIP("root reads files whatever their mode");
        WriteFile(IniPath(), userText);
        QVERIFY(QFile::setPermissions(IniPath(), QFileDevice::WriteOwner));
    }
    {
        auto frame = StartFrame();
        QVERIFY(frame);
        QCOMPARE(frame->settings(), ChartSettings{});
        frame->action(CommandId::ModeSun)->trigger();
        frame->action(CommandId::LatitudeNorth)->trigger();
        frame->SaveSettingsFile();
        QCOMPARE(frame->settings().displayMode, DisplayMode::Sun);
        frame->view()->RenderIfNeeded();
        QVERIFY(!frame->view()->backBuffer().isNull());
    }
    struct stat info {};
    QCOMPARE(::lstat(QFile::encodeName(IniPath()).constData(), &info), 0);
    if (inItsPlace == QLatin1String("fifo")) {
        QVERIFY(S_ISFIFO(info.st_mode));
    } else if (inItsPlace == QLatin1String("folder")) {
        QVERIFY(S_ISDIR(info.st_mode));
    } else {
        QVERIFY(QFile::setPermissions(IniPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QCOMPARE(ReadFile(IniPath()), userText);
    }
    QCOMPARE(QDir(dir_->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System),
             QStringList{QStringLiteral("Velmarin.ini")});
}

// A dotfile manager links the settings file: saves go to the linked file.
void TestMainFrame::linkedSettingsFileStaysALink() {
    QDir folder(dir_->path());
    QVERIFY(folder.mkdir(QStringLiteral("dotfiles")));
    const QString real = folder.filePath(QStringLiteral("dotfiles/Velmarin.ini"));
    WriteFile(real, "0 0 0 1 0 1 1\r\n48.000000 11.000000 1.0\r\n");
    QVERIFY(QFile::link(QStringLiteral("dotfiles/Velmarin.ini"), IniPath()));
    auto frame = StartFrame(false);
    QVERIFY(qAbs(frame->settings().latitude / kDegree - 48.0) < 1e-9);
    frame->action(CommandId::ModeMidnight)->trigger();
    QVERIFY(QFileInfo(IniPath()).isSymLink());
    QVERIFY2(ReadFile(real).startsWith("0 0 2 1 0 1 1\r\n48.000000 11.000000 1.0\r\n"), ReadFile(real).constData());
}

void TestMainFrame::toolkitDialogsSpeakGerman_data() {
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("german");
    // Standard buttons, the print dialog and the file dialog, in Qt's own catalogue.
    QTest::newRow("cancel button") << "QPlatformTheme" << "Cancel" << "Abbrechen";
    QTest::newRow("print") << "QPrintDialog" << "Print" << "Drucken";
    QTest::newRow("file dialog") << "QFileDialog" << "Look in:" << "Suchen in:";
}

void TestMainFrame::toolkitDialogsSpeakGerman() {
    QFETCH(QString, context);
    QFETCH(QString, english);
    QFETCH(QString, german);
    static const bool installed = InstallQtTranslations(*QCoreApplication::instance());
    QVERIFY2(installed, "Qt's German translations are not installed (qt6-translations-l10n)");
    QCOMPARE(QCoreApplication::translate(context.toLatin1().constData(), english.toLatin1().constData()), german);
}

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
