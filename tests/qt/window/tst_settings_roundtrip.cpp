// The window with settings files a user edited by hand: started, saved and
// closed, the file keeps every byte the window has nothing new to say about.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>
#include <memory>
#include <unistd.h>

#include "core/app/command_rules.h"
#include "qt/window/CMainFrame.h"

using namespace velmarin;

namespace {

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// What the code in between writes to standard error.
class StandardErrorCapture {
public:
    explicit StandardErrorCapture(const QString& path) : path_(path) {
        std::fflush(stderr);
        saved_ = ::dup(2);
        std::FILE* file = std::fopen(path.toLocal8Bit().constData(), "w");
        ::dup2(::fileno(file), 2);
        std::fclose(file);
    }
    ~StandardErrorCapture() { Finish(); }
    QByteArray Finish() {
        if (saved_ >= 0) {
            std::fflush(stderr);
            ::dup2(saved_, 2);
            ::close(saved_);
            saved_ = -1;
        }
        return ReadFile(path_);
    }

private:
    QString path_;
    int saved_ = -1;
};

const QByteArray kNotes =
    "0 0 0 1 0 1 1\r\n52 9.8 1\r\nfoo 1\r\n# note\r\n_x 1\r\n\xc3\xbc" "ber 1\r\n  ind 1\r\n7key 1\r\n";

}  // namespace

class TestSettingsRoundTrip : public QObject {
    Q_OBJECT

private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }
    void cleanup() { dir_.reset(); }
    void startAndSaveChangeNothing_data();
    void startAndSaveChangeNothing();
    void aCommandChangesOnlyItsNumber_data();
    void aCommandChangesOnlyItsNumber();
    void anUnknownZoneIsSaidOnceAndKept();
    void aFileNotReadWholeIsNeverRewritten();

private:
    QString IniPath() const { return dir_->filePath(QStringLiteral("Velmarin.ini")); }
    std::unique_ptr<QTemporaryDir> dir_;
};

// Files without a window size: a window that is not shown writes none.
void TestSettingsRoundTrip::startAndSaveChangeNothing_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("unknown lines") << kNotes;
    QTest::newRow("extra fields") << QByteArray("0 0 3 1 0 1 1 8 # mine\r\n52 9.8 1 home\r\n");
    QTest::newRow("zone first") << QByteArray("zone Europe/Berlin\r\n0 0 3 1 0 1 1\r\n48 9 1\r\n");
    QTest::newRow("unknown zone") << QByteArray("0 0 3 1 0 1 1\r\n52 9.8 1\r\nzone Europe/Nowhere\r\n");
    QTest::newRow("zone with a blank") << QByteArray("0 0 3 1 0 1 1\r\n52 9.8 1\r\nzone Europe/Berlin \r\n");
    QTest::newRow("fractional offset") << QByteArray("0 0 3 1 0 1 1\r\n27.7172 85.3240 5.75\r\n");
    QTest::newRow("LF, no last end") << QByteArray("1 1 3\n48.5\nplanets 1\n# x");
}

void TestSettingsRoundTrip::startAndSaveChangeNothing() {
    QFETCH(QByteArray, file);
    QVERIFY(WriteFile(IniPath(), file));
    {
        CMainFrame frame(IniPath().toStdString());
        frame.SaveSettingsFile();
        QCOMPARE(ReadFile(IniPath()), file);
        // A command and its undoing: the file is as it was.
        const ChartSettings original = frame.settings();
        frame.action(CommandId::ModeSun)->trigger();
        QVERIFY(ReadFile(IniPath()) != file);
        frame.ChangeSettings(original);
        frame.SaveSettingsFile();
    }
    QCOMPARE(ReadFile(IniPath()), file);
}

void TestSettingsRoundTrip::aCommandChangesOnlyItsNumber_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("unknown lines") << kNotes << QByteArray(kNotes).replace("0 0 0 1 0 1 1", "0 0 1 1 0 1 1");
    QTest::newRow("fractional offset") << QByteArray("0 0 3 1 0 1 1\r\n27.7172 85.3240 5.75\r\n")
                                       << QByteArray("0 0 1 1 0 1 1\r\n27.7172 85.3240 5.75\r\n");
    QTest::newRow("unknown zone") << QByteArray("0 0 3 1 0 1 1\r\n52 9.8 1\r\nzone Europe/Nowhere\r\n")
                                  << QByteArray("0 0 1 1 0 1 1\r\n52 9.8 1\r\nzone Europe/Nowhere\r\n");
}

void TestSettingsRoundTrip::aCommandChangesOnlyItsNumber() {
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, saved);
    QVERIFY(WriteFile(IniPath(), file));
    {
        CMainFrame frame(IniPath().toStdString());
        frame.action(CommandId::ModeSun)->trigger();
        QCOMPARE(ReadFile(IniPath()), saved);
    }
    QCOMPARE(ReadFile(IniPath()), saved);
}

void TestSettingsRoundTrip::anUnknownZoneIsSaidOnceAndKept() {
    const QByteArray file("0 0 3 1 0 1 1\r\n27.7172 85.3240 5.75\r\nzone Europe/Nowhere\r\n");
    QVERIFY(WriteFile(IniPath(), file));
    StandardErrorCapture capture(dir_->filePath(QStringLiteral("stderr")));
    {
        CMainFrame frame(IniPath().toStdString());
        // The fixed offset as written applies: 5.75 h, not 5.8.
        QCOMPARE(frame.settings().zone, std::string());
        QCOMPARE(frame.settings().timeZoneHours, 5.75);
        for (int i = 0; i < 3; ++i) frame.SaveSettingsFile();
        frame.action(CommandId::ShowGrid)->trigger();
        frame.action(CommandId::ShowGrid)->trigger();
    }
    const QByteArray said = capture.Finish();
    QCOMPARE(said.count('\n'), 1);
    QVERIFY2(said.startsWith("velmarin: ") && said.contains("'Europe/Nowhere'"), said.constData());
    QCOMPARE(ReadFile(IniPath()), file);
}

void TestSettingsRoundTrip::aFileNotReadWholeIsNeverRewritten() {
    // 3 MiB: more than the window reads.
    QByteArray file("0 0 3 1 0 1 1\r\n48 9 1\r\n");
    for (int line = 0; file.size() < (3 << 20); ++line) file += "# padding line " + QByteArray::number(line) + "\r\n";
    file += "lang en\r\n";
    QVERIFY(WriteFile(IniPath(), file));
    StandardErrorCapture capture(dir_->filePath(QStringLiteral("stderr")));
    {
        CMainFrame frame(IniPath().toStdString());
        QCOMPARE(frame.settings().displayMode, DisplayMode::Twilight);
        frame.action(CommandId::ModeSun)->trigger();
        frame.action(CommandId::ShowGrid)->trigger();
        QCOMPARE(frame.settings().displayMode, DisplayMode::Sun);
    }
    const QByteArray said = capture.Finish();
    QCOMPARE(said.count('\n'), 1);
    QVERIFY2(said.contains("not saved"), said.constData());
    QCOMPARE(ReadFile(IniPath()), file);
}

QTEST_MAIN(TestSettingsRoundTrip)
#include "tst_settings_roundtrip.moc"
