// "Ansicht → Ziele…" as a user meets it: the Messier box, a typed target, a
// CSV list and an MPC file opened, a bad file refused with its line and the
// list kept, a row removed; what "OK" leaves is saved in the settings file
// and drawn; a file the settings name that has gone is said and the other
// targets still drawn.
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "core/app/target_setting.h"
#include "qt/window/CMainFrame.h"
#include "qt/window/CTargetsDlg.h"
#include "qt/window/CVelmarinView.h"
#include "qt/window/widget_test_helpers.h"

using namespace velmarin;
using velmarin::testing::ReadFile;
using velmarin::testing::WhenModalOpens;

namespace {

// Closes the next message box and keeps its text.
void CloseNextMessage(QString* text) {
    WhenModalOpens<QMessageBox>([text](QMessageBox* box) {
        *text = box->text();
        box->accept();
    });
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

const QByteArray kCometLine =
    "    CT26X010  2026 03 15.2500  0.812300  0.971200  112.3450  248.9010   34.5670  20260101   7.5  4.0  Test "
    "ellipse                                             MPC00000\n";

}  // namespace

class TestTargets : public QObject {
    Q_OBJECT
private slots:
    void theDialogBuildsTheList();
    void badFilesAndTypingAreRefusedAndTheListKept_data();
    void badFilesAndTypingAreRefusedAndTheListKept();
    void okSavesAndDrawsTheList();
    void aFileThatHasGoneIsSaidAndTheOthersDrawn();
    void untickedBodiesAndTargetsAreSavedAndLeftOff();
};

void TestTargets::theDialogBuildsTheList() {
    QTemporaryDir dir;
    const QString csv = WriteFile(dir, "list.csv", "name,ra,dec\nWega,18:36:56.3,+38:47:01\nDeneb,20.69,45.28\n");
    const QString mpc = WriteFile(dir, "comets.txt", kCometLine);
    CTargetsDlg dialog(SavedTargets{});
    dialog.messierControl()->setChecked(true);
    QVERIFY(dialog.OpenFile(csv));
    QVERIFY(dialog.OpenFile(mpc));
    dialog.nameControl()->setText(QStringLiteral("Albireo"));
    dialog.raControl()->setText(QStringLiteral("19:30:43.3"));
    dialog.decControl()->setText(QStringLiteral("+27:57:35"));
    QTest::mouseClick(dialog.addButton(), Qt::LeftButton);
    QCOMPARE(dialog.listControl()->count(), 3);  // the list, the elements, Albireo

    const SavedTargets& t = dialog.targets();
    QCOMPARE(t.sources.lists, (std::vector<std::string>{"messier", csv.toStdString()}));
    QCOMPARE(t.sources.elements, (std::vector<std::string>{mpc.toStdString()}));
    QCOMPARE(t.own.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(t.own[0].name), QStringLiteral("Albireo"));
    QVERIFY(std::abs(t.own[0].ra / 3.14159265358979323846 * 12.0 - (19 + 30 / 60.0 + 43.3 / 3600)) < 1e-9);

    // The selected row (the last one, Albireo) goes; then the list.
    QTest::mouseClick(dialog.removeButton(), Qt::LeftButton);
    QVERIFY(dialog.targets().own.empty());
    dialog.listControl()->setCurrentRow(0);
    QTest::mouseClick(dialog.removeButton(), Qt::LeftButton);
    QCOMPARE(dialog.targets().sources.lists, (std::vector<std::string>{"messier"}));
    dialog.messierControl()->setChecked(false);
    QVERIFY(dialog.targets().sources.lists.empty());
}

void TestTargets::badFilesAndTypingAreRefusedAndTheListKept_data() {
    QTest::addColumn<QByteArray>("file");      // empty: type instead
    QTest::addColumn<QString>("ra");
    QTest::addColumn<QString>("dec");
    QTest::addColumn<QString>("message");      // a part of the message
    QTest::newRow("dec beyond the pole") << QByteArray("name,ra,dec\nA,1,10\nB,2,95\n") << "" << "" << ":3:";
    QTest::newRow("ra of 24 h") << QByteArray("name,ra,dec\nA,24,10\n") << "" << "" << ":2:";
    QTest::newRow("MPC line cut short") << kCometLine.left(60) << "" << "" << ":1:";
    QTest::newRow("typed ra of 25 h") << QByteArray() << "25" << "10" << "Rektaszension";
    QTest::newRow("typed dec of -91") << QByteArray() << "1" << "-91" << "Deklination";
    QTest::newRow("typed words") << QByteArray() << "abc" << "10" << "Rektaszension";
}

void TestTargets::badFilesAndTypingAreRefusedAndTheListKept() {
    QFETCH(QByteArray, file);
    QFETCH(QString, ra);
    QFETCH(QString, dec);
    QFETCH(QString, message);
    QTemporaryDir dir;
    SavedTargets before;
    before.sources.lists = {"messier"};
    CTargetsDlg dialog(before);
    QString said;
    CloseNextMessage(&said);
    if (!file.isEmpty()) {
        QVERIFY(!dialog.OpenFile(WriteFile(dir, "bad.csv", file)));
    } else {
        dialog.nameControl()->setText(QStringLiteral("X"));
        dialog.raControl()->setText(ra);
        dialog.decControl()->setText(dec);
        QVERIFY(!dialog.AddTyped());
    }
    QVERIFY2(said.contains(message), qPrintable(said));
    QCOMPARE(dialog.targets(), before);
}

void TestTargets::okSavesAndDrawsTheList() {
    QTemporaryDir dir;
    const QString settings = dir.filePath(QStringLiteral("Velmarin.ini"));
    CMainFrame frame(settings.toStdString());
    frame.resize(900, 700);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.view()->RenderIfNeeded();
    const QImage without = frame.view()->backBuffer().copy();
    WhenModalOpens<CTargetsDlg>([](CTargetsDlg* dialog) {
        dialog->messierControl()->setChecked(true);
        dialog->accept();
    });
    frame.ExecuteCommand(CommandId::Targets);
    QVERIFY(ReadFile(settings).contains("\r\ntargets messier\r\n"));
    frame.view()->RenderIfNeeded();
    QVERIFY(frame.view()->backBuffer() != without);
}

void TestTargets::aFileThatHasGoneIsSaidAndTheOthersDrawn() {
    QTemporaryDir dir;
    const QString settings =
        WriteFile(dir, "Velmarin.ini", "0 0 0 1 0 1 1\r\n52.000000 9.800000 1.0\r\ntargets /nonexistent/gone.csv\r\n"
                                       "target 16.6948 36.4597 M13\r\n");
    CMainFrame frame(settings.toStdString());
    auto* box = frame.findChild<QMessageBox*>();
    QVERIFY(box != nullptr);
    QVERIFY2(box->text().contains(QStringLiteral("/nonexistent/gone.csv")), qPrintable(box->text()));
    box->accept();
    QVERIFY(frame.view()->targets() != nullptr);
    QCOMPARE(frame.view()->targets()->size(), std::size_t{1});
    // The line stays for when the file is back.
    frame.SaveSettingsFile();
    QVERIFY(ReadFile(settings).contains("targets /nonexistent/gone.csv\r\n"));
    QVERIFY(ReadFile(settings).contains("target 16.6948 36.4597 M13\r\n"));
}

namespace {

QListWidgetItem* RowNamed(QListWidget* list, const QString& name) {
    const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

}  // namespace

void TestTargets::untickedBodiesAndTargetsAreSavedAndLeftOff() {
    QTemporaryDir dir;
    const QString settings =
        WriteFile(dir, "Velmarin.ini", "0 0 0 1 0 1 1\r\n52.000000 9.800000 1.0\r\ntargets messier\r\n");
    CMainFrame frame(settings.toStdString());
    QCOMPARE(frame.view()->targets()->size(), std::size_t{110});
    WhenModalOpens<CTargetsDlg>([](CTargetsDlg* dialog) {
        QListWidget* shown = dialog->shownControl();
        QCOMPARE(shown->count(), 9 + 110);  // the Sun .. Neptune, the Moon, the list
        for (const char* name : {"Jupiter", "Mond", "M31"}) {
            QListWidgetItem* row = RowNamed(shown, QString::fromUtf8(name));
            QVERIFY2(row != nullptr, name);
            QCOMPARE(row->checkState(), Qt::Checked);
            row->setCheckState(Qt::Unchecked);
        }
        dialog->accept();
    });
    frame.ExecuteCommand(CommandId::Targets);
    const QByteArray saved = ReadFile(settings);
    QVERIFY2(saved.startsWith("0 0 0 1 0 1 0\r\n"), saved.constData());  // "mit Mond" off
    QVERIFY(saved.contains("\r\nhidebody Jupiter\r\n"));
    QVERIFY(saved.contains("\r\nhidetarget M31\r\n"));
    QCOMPARE(frame.view()->targets()->size(), std::size_t{109});
    for (const Target& t : *frame.view()->targets()) QVERIFY(TargetName(t) != "M31");

    // Shown again in the next dialog: the rows come up unticked, "Alle"
    // ticks every row and the lines go.
    WhenModalOpens<CTargetsDlg>([](CTargetsDlg* dialog) {
        QCOMPARE(RowNamed(dialog->shownControl(), QStringLiteral("Jupiter"))->checkState(), Qt::Unchecked);
        QCOMPARE(RowNamed(dialog->shownControl(), QStringLiteral("M31"))->checkState(), Qt::Unchecked);
        QTest::mouseClick(dialog->showAllButton(), Qt::LeftButton);
        dialog->accept();
    });
    frame.ExecuteCommand(CommandId::Targets);
    const QByteArray again = ReadFile(settings);
    QVERIFY2(again.startsWith("0 0 0 1 0 1 1\r\n"), again.constData());
    QVERIFY(!again.contains("hidebody") && !again.contains("hidetarget"));
    QCOMPARE(frame.view()->targets()->size(), std::size_t{110});
}

QTEST_MAIN(TestTargets)
#include "tst_targets.moc"
