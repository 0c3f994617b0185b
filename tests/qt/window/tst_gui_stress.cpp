// The main window under thousands of random commands, keys, prompt answers
// (empty, huge, binary), resizes down to nothing and mouse moves. Afterwards
// the settings file must hold exactly what the window holds, and the window
// must still draw. The seed is printed; VELMARIN_STRESS_SEED repeats a run.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/app/command_rules.h"
#include "core/app/settings_file.h"
#include "qt/window/CDialogStr.h"
#include "qt/window/CMainFrame.h"
#include "qt/window/CVelmarinView.h"

using namespace velmarin;

namespace {

// Commands that stay inside the window. Printing, saving and quitting open
// the system's dialogs or end the program and are left to their own tests.
const std::vector<CommandId> kCommands = {
    CommandId::ModeNormal,     CommandId::ModeSun,        CommandId::ModeMidnight,   CommandId::ModeTwilight,
    CommandId::YearPlus,       CommandId::YearMinus,      CommandId::YearNow,        CommandId::YearPrompt,
    CommandId::CodeDiameter,   CommandId::CodeBrightness, CommandId::CodeNone,       CommandId::ShowDayLine,
    CommandId::ZoneUt,         CommandId::ZoneUtPlus1,    CommandId::ZoneUtPlus2,    CommandId::SummerTime,
    CommandId::ChangeLocation, CommandId::LatitudeNorth,  CommandId::LatitudeSouth,  CommandId::LongitudeEast,
    CommandId::LongitudeWest,  CommandId::ShowGrid,       CommandId::ShowMoon,       CommandId::ToolBar,
    CommandId::About,
};

const std::vector<int> kKeys = {Qt::Key_N, Qt::Key_S,    Qt::Key_O,     Qt::Key_W,
                                Qt::Key_J, Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Escape,
                                Qt::Key_A, Qt::Key_F1,   Qt::Key_Return, Qt::Key_Space};

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// One answer to a prompt: a number pair or year, nothing, a huge text or raw bytes.
QString RandomAnswer(std::mt19937& random) {
    std::uniform_int_distribution<int> kind(0, 7);
    std::uniform_int_distribution<int> byte(0, 255);
    switch (kind(random)) {
        case 0:
            return QString();
        case 1:
            return QString(200000, QLatin1Char('9'));
        case 2: {
            QByteArray bytes;
            for (int i = 0; i < 64; ++i) bytes.append(static_cast<char>(byte(random)));
            return QString::fromUtf8(bytes);
        }
        case 3: {
            QByteArray bytes;
            for (int i = 0; i < 64; ++i) bytes.append(static_cast<char>(byte(random)));
            return QString::fromLatin1(bytes);
        }
        case 4:
            return QStringLiteral("1e999 -1e999");
        case 5:
            return QStringLiteral("nan inf");
        case 6: {
            std::uniform_int_distribution<int> year(-2000000, 2000000);
            return QString::number(year(random));
        }
        default: {
            std::uniform_real_distribution<double> angle(-200.0, 200.0);
            return QString::number(angle(random), 'f', 3).replace('.', ',') + QLatin1Char(' ') +
                   QString::number(angle(random), 'f', 3);
        }
    }
}

}  // namespace

class TestGuiStress : public QObject {
    Q_OBJECT

private slots:
    void randomUseLeavesAValidFileAndADrawingWindow();
};

void TestGuiStress::randomUseLeavesAValidFileAndADrawingWindow() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString iniPath = dir.filePath(QStringLiteral("Velmarin.ini"));

    const QByteArray seedText = qgetenv("VELMARIN_STRESS_SEED");
    const unsigned seed = seedText.isEmpty() ? 20240101u : seedText.toUInt();
    qInfo("stress seed %u", seed);
    std::mt19937 random(seed);

    CMainFrame frame(iniPath.toStdString());
    frame.show();
    QApplication::setActiveWindow(&frame);
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    CVelmarinView* view = frame.view();

    // Answers whatever modal dialog a command opens: prompts get a random text,
    // anything else (the about box) is closed.
    int answered = 0;
    QTimer responder;
    responder.setInterval(0);
    connect(&responder, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* prompt = qobject_cast<CDialogStr*>(modal)) {
            prompt->editControl()->setText(RandomAnswer(random));
            ++answered;
            if (random() % 4 == 0) {
                prompt->reject();
            } else {
                prompt->accept();
            }
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        }
    });
    responder.start();

    constexpr int kSteps = 3000;
    std::uniform_int_distribution<int> action(0, 9);
    std::uniform_int_distribution<int> side(0, 1600);
    int commands = 0;
    int keys = 0;
    int resizes = 0;
    int moves = 0;
    for (int step = 0; step < kSteps; ++step) {
        switch (action(random)) {
            case 0:
            case 1:
            case 2: {
                const CommandId command = kCommands[random() % kCommands.size()];
                QAction* entry = frame.action(command);
                QVERIFY2(entry, qPrintable(QString::number(static_cast<int>(command))));
                entry->trigger();
                ++commands;
                break;
            }
            case 3:
            case 4:
                QTest::keyClick(view, static_cast<Qt::Key>(kKeys[random() % kKeys.size()]));
                ++keys;
                break;
            case 5:
                // The frame keeps a minimum size; the view itself can be squeezed to nothing.
                if (random() % 2 == 0) {
                    frame.resize(side(random), side(random));
                } else {
                    const int width = random() % 3 == 0 ? 0 : side(random) % 5;
                    view->resize(width, random() % 3 == 0 ? 0 : side(random) % 5);
                }
                ++resizes;
                break;
            default: {
                const QPoint at(side(random) - 100, side(random) - 100);
                QTest::mouseMove(view, at);
                QMouseEvent move(QEvent::MouseMove, QPointF(at), view->mapToGlobal(QPointF(at)),
                                 Qt::NoButton, Qt::NoButton, Qt::NoModifier);
                QApplication::sendEvent(view, &move);
                ++moves;
                break;
            }
        }
        // Let paints and the hover readout run now and then, as a busy user would see them.
        if (step % 8 == 0) QApplication::processEvents();
    }
    responder.stop();
    QApplication::processEvents();
    qInfo("%d commands, %d keys, %d prompt answers, %d resizes, %d mouse moves", commands, keys,
          answered, resizes, moves);

    // The file holds the window's settings, with or without the size line.
    const ChartSettings& held = frame.settings();
    const QByteArray file = ReadFile(iniPath);
    const bool matches = file == QByteArray::fromStdString(FormatSettingsText(held, true)) ||
                         file == QByteArray::fromStdString(FormatSettingsText(held, false));
    QVERIFY2(matches, file.constData());
    QVERIFY(held.latitude >= -90.0 * degToRad && held.latitude <= 90.0 * degToRad);
    QVERIFY(held.longitude >= -180.0 * degToRad && held.longitude <= 180.0 * degToRad);
    QVERIFY(view->year() >= kMinYear && view->year() <= kMaxYear);

    // And the window still draws a chart.
    frame.resize(900, 700);
    view->resize(640, 480);
    const int rendersBefore = view->renderCount();
    view->SetYear(2024);
    view->repaint();
    QApplication::processEvents();
    QVERIFY(view->renderCount() > rendersBefore);
    const QImage& shown = view->backBuffer();
    QVERIFY(!shown.isNull());
    bool drawn = false;
    for (int y = 0; y < shown.height() && !drawn; y += 3)
        for (int x = 0; x < shown.width() && !drawn; x += 3)
            drawn = (shown.pixel(x, y) & 0xffffff) != 0xffffff;
    QVERIFY(drawn);
}

QTEST_MAIN(TestGuiStress)
#include "tst_gui_stress.moc"
