// "Exportieren…" driven through its file dialog as a user would: the kind
// chosen by file type, the suggested name following it, the file written
// whole, the folder remembered for the next export.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <clocale>
#include <functional>
#include <memory>

#include "core/app/command_rules.h"
#include "qt/window/CMainFrame.h"
#include "qt/window/CVelmarinView.h"
#include "qt/window/widget_test_helpers.h"

using namespace velmarin;
using velmarin::testing::ReadFile;
using velmarin::testing::WhenModalOpens;

namespace {

struct DialogSeen {
    QString directory;
    QString suggested;  // the name field after the file type was chosen
};

// Picks the file type with `typeIndex` as a user does (the combo box), then
// saves under `name` in `folder`.
void AnswerExportDialog(int typeIndex, const QString& folder, const QString& name, DialogSeen& seen) {
    WhenModalOpens<QFileDialog>([=, &seen](QFileDialog* dialog) {
        seen.directory = dialog->directory().absolutePath();
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* nameEdit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!types || !nameEdit) {
            dialog->reject();
            return;
        }
        // What the combo box sends when the user picks an entry; the click
        // takes the focus to it (the dialog leaves a name field that has the
        // focus alone, and by the time this runs it may have taken it).
        types->setFocus(Qt::MouseFocusReason);
        types->setCurrentIndex(typeIndex);
        emit types->activated(typeIndex);
        emit types->textActivated(types->itemText(typeIndex));
        seen.suggested = nameEdit->text();
        dialog->setDirectory(folder);
        nameEdit->setText(name);
        static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept, as the button does
    });
}

}  // namespace

class TestExport : public QObject {
    Q_OBJECT

private slots:
    // A decimal comma in the user's locale must not reach the files.
    void initTestCase() {
        std::setlocale(LC_ALL, "de_DE.UTF-8");
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }
    void cleanup() { dir_.reset(); }
    void exportWritesTheChosenKindAndKeepsTheFolder();
    void aYearBeyondCalendarFilesIsAMessageNotAFile();

private:
    std::unique_ptr<CMainFrame> StartFrame() {
        auto frame = std::make_unique<CMainFrame>(dir_->filePath(QStringLiteral("Velmarin.ini")).toStdString());
        frame->show();
        QApplication::setActiveWindow(frame.get());
        if (!QTest::qWaitForWindowExposed(frame.get())) return nullptr;
        return frame;
    }
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestExport::exportWritesTheChosenKindAndKeepsTheFolder() {
    auto frame = StartFrame();
    QVERIFY(frame);
    const int year = frame->view()->year();
    const QString folder = dir_->filePath(QStringLiteral("exports"));
    QVERIFY(QDir().mkpath(folder));

    // The twilight table, the second file type, named without a suffix.
    DialogSeen first;
    AnswerExportDialog(1, folder, QStringLiteral("daemmerung"), first);
    frame->action(CommandId::Export)->trigger();
    QCOMPARE(first.suggested, QStringLiteral("Daemmerung-%1.csv").arg(year));
    const QByteArray csv = ReadFile(folder + QStringLiteral("/daemmerung.csv"));
    QVERIFY2(csv.startsWith("year,latitude,longitude,timeZoneHours,summerTime,zone,jd,date,utcOffsetHours,"), csv.left(80));
    const QList<QByteArray> rows = csv.split('\n');
    // Every second day of the year and the header; the file ends with CR LF.
    QVERIFY(rows.size() >= 183 + 2 && rows.size() <= 184 + 2);
    QVERIFY(rows[1].startsWith(QByteArray::number(year) + ",52,9.8,1,true,"));

    // The next export opens in that folder; the calendar, the first type.
    DialogSeen second;
    AnswerExportDialog(0, folder, QStringLiteral("phasen.ics"), second);
    frame->action(CommandId::Export)->trigger();
    QCOMPARE(second.directory, QDir(folder).absolutePath());
    QCOMPARE(second.suggested, QStringLiteral("Mondphasen-%1.ics").arg(year));
    const QByteArray ics = ReadFile(folder + QStringLiteral("/phasen.ics"));
    QVERIFY(ics.startsWith("BEGIN:VCALENDAR\r\n"));
    QVERIFY(ics.endsWith("END:VCALENDAR\r\n"));
    QVERIFY(ics.count("BEGIN:VEVENT") > 45);

    // The rise and set table: every day of the year, for the chart's place.
    DialogSeen third;
    AnswerExportDialog(2, folder, QStringLiteral("sicht.csv"), third);
    frame->action(CommandId::Export)->trigger();
    // The suggested name is checked above; here the chosen type decides the content.
    const QByteArray visibility = ReadFile(folder + QStringLiteral("/sicht.csv"));
    QVERIFY2(visibility.startsWith("year,latitude,longitude,zone,date,utcOffsetHours,start,Sonne.rise,"),
             visibility.left(80));
    const qsizetype days = visibility.count("\r\n") - 1;
    QVERIFY2(days == 365 || days == 366, qPrintable(QString::number(days)));
    QVERIFY(visibility.contains(QByteArray::number(year) + "-06-21,"));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

void TestExport::aYearBeyondCalendarFilesIsAMessageNotAFile() {
    auto frame = StartFrame();
    QVERIFY(frame);
    frame->view()->SetYear(12000);
    DialogSeen seen;
    AnswerExportDialog(0, dir_->path(), QStringLiteral("fern.ics"), seen);
    bool warned = false;
    QTimer::singleShot(50, [&] {
        WhenModalOpens<QMessageBox>([&](QMessageBox* box) {
            warned = box->text().contains(QStringLiteral("konnte nicht gespeichert werden"));
            box->accept();
        });
    });
    frame->action(CommandId::Export)->trigger();
    QVERIFY(warned);
    QVERIFY(!QFile::exists(dir_->filePath(QStringLiteral("fern.ics"))));
}

QTEST_MAIN(TestExport)
#include "tst_export.moc"
