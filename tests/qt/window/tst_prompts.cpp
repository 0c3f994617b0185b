// The two prompts refuse what they cannot read, as a user meets it: a message
// that quotes the answer and says what the prompt takes, and nothing changed
// (the year prompt asks again, the place prompt leaves place and file alone).
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <functional>

#include "core/app/command_rules.h"
#include "core/chart/chart_settings.h"
#include "qt/window/CDialogStr.h"
#include "qt/window/CMainFrame.h"
#include "qt/window/CVelmarinView.h"
#include "qt/window/widget_test_helpers.h"

using namespace velmarin;
using velmarin::testing::ReadFile;
using velmarin::testing::WhenModalOpens;

namespace {

// Replaces the prompt's text by `typed` and presses `key`.
void Answer(CDialogStr* dialog, const QString& typed, Qt::Key key) {
    dialog->editControl()->setText(typed);
    QTest::keyClick(dialog->editControl(), key);
}

}  // namespace

class TestPrompts : public QObject {
    Q_OBJECT
private slots:
    void yearPromptRefusesTextWithoutANumberAndAsksAgain_data();
    void yearPromptRefusesTextWithoutANumberAndAsksAgain();
    void placePromptSaysWhatItTakes_data();
    void placePromptSaysWhatItTakes();
};

void TestPrompts::yearPromptRefusesTextWithoutANumberAndAsksAgain_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("echo");
    QTest::newRow("letters") << "abc" << "„abc“";
    QTest::newRow("blanks only") << "   " << "„“";
    QTest::newRow("two signs") << "+-7" << "„+-7“";
    QTest::newRow("a pasted page") << QString(30000, QLatin1Char('x')) << "„" + QString(39, QLatin1Char('x')) + "…“";
}

void TestPrompts::yearPromptRefusesTextWithoutANumberAndAsksAgain() {
    QFETCH(QString, typed);
    QFETCH(QString, echo);
    QTemporaryDir dir;
    CMainFrame frame(dir.filePath(QStringLiteral("Velmarin.ini")).toStdString());
    frame.view()->SetYear(1999);
    QString message, secondField;
    WhenModalOpens<CDialogStr>([&](CDialogStr* dialog) { Answer(dialog, typed, Qt::Key_Return); });
    WhenModalOpens<QMessageBox>([&](QMessageBox* box) {
        message = box->text();
        // The prompt comes back with the refused text, ready to be mended.
        WhenModalOpens<CDialogStr>([&](CDialogStr* again) {
            secondField = again->editControl()->text();
            Answer(again, QStringLiteral("2031"), Qt::Key_Return);
        });
        box->accept();
    });
    frame.action(CommandId::YearPrompt)->trigger();
    QVERIFY2(message.startsWith(echo + QStringLiteral(" ist keine Jahreszahl.")), qPrintable(message.left(200)));
    QVERIFY2(message.contains(QStringLiteral("-999999 bis 999999")), qPrintable(message.left(200)));
    QCOMPARE(secondField, typed);
    QCOMPARE(frame.view()->year(), 2031);
}

void TestPrompts::placePromptSaysWhatItTakes_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("first");
    // Names the zone table lacks: the default place's own city among them.
    QTest::newRow("Hannover") << "Hannover" << "„Hannover“ ist kein bekannter Ort.";
    QTest::newRow("München") << "München" << "„München“ ist kein bekannter Ort.";
    QTest::newRow("Boston") << "  Boston " << "„Boston“ ist kein bekannter Ort.";
    QTest::newRow("Tokio") << "Tokio" << "„Tokio“ ist kein bekannter Ort.";
    QTest::newRow("letters") << "x y" << "„x y“ ist kein bekannter Ort.";
    // Numbers that are not "Breite Länge".
    QTest::newRow("no blank") << "51.5" << "„51.5“ ist keine Ortsangabe.";
    QTest::newRow("leading blank") << " 51.5 7" << "„51.5 7“ ist keine Ortsangabe.";
    QTest::newRow("commas only") << "51,5,7" << "„51,5,7“ ist keine Ortsangabe.";
}

void TestPrompts::placePromptSaysWhatItTakes() {
    QFETCH(QString, typed);
    QFETCH(QString, first);
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Velmarin.ini"));
    CMainFrame frame(ini.toStdString());
    frame.SaveSettingsFile();
    const QByteArray before = ReadFile(ini);
    QString message;
    WhenModalOpens<CDialogStr>([&](CDialogStr* dialog) { Answer(dialog, typed, Qt::Key_Return); });
    WhenModalOpens<QMessageBox>([&](QMessageBox* box) {
        message = box->text();
        box->accept();
    });
    frame.OnChangeLocation();
    QVERIFY2(message.startsWith(first + QLatin1Char('\n')), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("Breite und Länge in Grad")), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("Zeitzonen-Datenbank")), qPrintable(message));
    QCOMPARE(frame.settings(), ChartSettings{});
    QCOMPARE(ReadFile(ini), before);
}

QTEST_MAIN(TestPrompts)
#include "tst_prompts.moc"
