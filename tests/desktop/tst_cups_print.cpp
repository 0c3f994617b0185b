// The window's print command through a real print server: the view prints
// the chart with the main frame's printer, as "Drucken..." does after its
// dialog, to a CUPS-PDF queue; the PDF that comes back is read with poppler.
// with_cups_pdf_printer.sh starts the server and names the queue and the
// folder the PDFs land in; without it the test is skipped.
#include <QDir>
#include <QElapsedTimer>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <memory>

#include "qt/window/CMainFrame.h"
#include "qt/window/CVelmarinView.h"

using namespace velmarin;

namespace {

// One word of `pdftotext -bbox`, in points from the sheet's top-left corner.
struct Word {
    QString text;
    QRectF box;
};

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QList<Word> WordsOf(const QString& pdf) {
    static const QRegularExpression word(
        R"re(<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">([^<]*)</word>)re");
    QList<Word> words;
    for (const auto& match : word.globalMatch(Run("pdftotext", {"-bbox", pdf, "-"}))) {
        const QPointF topLeft(match.captured(1).toDouble(), match.captured(2).toDouble());
        const QPointF bottomRight(match.captured(3).toDouble(), match.captured(4).toDouble());
        words.append({match.captured(5), QRectF(topLeft, bottomRight)});
    }
    return words;
}

}  // namespace

class TestCupsPrint : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void printsOneSheetWithTheChartTurnedForPortrait_data();
    void printsOneSheetWithTheChartTurnedForPortrait();

private:
    // The PDF of the queue's next finished job, or empty after a minute.
    QString WaitForPrintedPdf(const QStringList& before) const;

    QString queue_;
    QDir output_;
    QTemporaryDir settings_;
};

void TestCupsPrint::initTestCase() {
    queue_ = qEnvironmentVariable("VELMARIN_PRINTER");
    if (queue_.isEmpty()) QSKIP("no print server: run through with_cups_pdf_printer.sh");
    output_ = QDir(qEnvironmentVariable("VELMARIN_PRINT_OUTPUT"));
    QVERIFY(output_.exists());
    QVERIFY2(QPrinterInfo::availablePrinterNames().contains(queue_), qPrintable(queue_));
    QVERIFY(settings_.isValid());
}

QString TestCupsPrint::WaitForPrintedPdf(const QStringList& before) const {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 60000) {
        // Done when the queue holds no job and the backend has left its file.
        if (Run("lpstat", {"-o", queue_}).trimmed().isEmpty()) {
            const QStringList now = output_.entryList({"*.pdf"}, QDir::Files);
            for (const QString& name : now) {
                if (!before.contains(name)) return output_.filePath(name);
            }
        }
        QTest::qWait(100);
    }
    return {};
}

void TestCupsPrint::printsOneSheetWithTheChartTurnedForPortrait_data() {
    QTest::addColumn<int>("paper");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QSizeF>("sheet");  // points, as the sheet comes out of the printer
    QTest::addColumn<QString>("angleAxis");
    QTest::addColumn<bool>("turnedOnTheSheet");
    // On a portrait sheet the chart turns: the days run down the page and the
    // angle runs along x. A landscape page goes to the printer turned on its
    // sheet, so there the whole chart, title included, reads sideways.
    QTest::newRow("A4 portrait") << int(QPageSize::A4) << int(QPageLayout::Portrait)
                                 << QSizeF(595, 842) << "X-Achse:" << false;
    QTest::newRow("A4 landscape") << int(QPageSize::A4) << int(QPageLayout::Landscape)
                                  << QSizeF(595, 842) << "Y-Achse:" << true;
    QTest::newRow("Letter landscape") << int(QPageSize::Letter) << int(QPageLayout::Landscape)
                                      << QSizeF(612, 792) << "Y-Achse:" << true;
    QTest::newRow("A3 portrait") << int(QPageSize::A3) << int(QPageLayout::Portrait)
                                 << QSizeF(842, 1191) << "X-Achse:" << false;
}

void TestCupsPrint::printsOneSheetWithTheChartTurnedForPortrait() {
    QFETCH(int, paper);
    QFETCH(int, orientation);
    QFETCH(QSizeF, sheet);
    QFETCH(QString, angleAxis);
    QFETCH(bool, turnedOnTheSheet);

    CMainFrame frame(settings_.filePath(QStringLiteral("Velmarin.ini")).toStdString());
    QPrinter* printer = frame.printer();
    printer->setPrinterName(queue_);
    QCOMPARE(printer->outputFormat(), QPrinter::NativeFormat);
    QVERIFY(printer->setPageSize(QPageSize(QPageSize::PageSizeId(paper))));
    QVERIFY(printer->setPageOrientation(QPageLayout::Orientation(orientation)));
    printer->setDocName(QStringLiteral("velmarin-%1").arg(QTest::currentDataTag()).replace(' ', '-'));

    const QStringList before = output_.entryList({"*.pdf"}, QDir::Files);
    QVERIFY(frame.view()->PrintChart(printer));
    const QString pdf = WaitForPrintedPdf(before);
    QVERIFY2(!pdf.isEmpty(), "no PDF came back from the queue within a minute");

    const QString info = Run("pdfinfo", {pdf});
    QVERIFY2(info.contains(QRegularExpression(R"(\nPages:\s+1\n)")), qPrintable(info));
    const QRegularExpressionMatch size =
        QRegularExpression(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)").match(info);
    QVERIFY2(size.hasMatch(), qPrintable(info));
    QVERIFY(qAbs(size.captured(1).toDouble() - sheet.width()) < 1.0);
    QVERIFY(qAbs(size.captured(2).toDouble() - sheet.height()) < 1.0);

    const QList<Word> words = WordsOf(pdf);
    auto find = [&](const QString& text) {
        return std::find_if(words.begin(), words.end(), [&](const Word& w) { return w.text == text; });
    };
    // The print pass (its footer names the version) and the axis of the chart's layout.
    QVERIFY2(find(QStringLiteral("Version")) != words.end(), "no footer: not the print pass");
    QVERIFY2(find(angleAxis) != words.end(), qPrintable(angleAxis));
    const auto title = find(QStringLiteral("Kalender"));
    QVERIFY(title != words.end());
    QCOMPARE(title->box.height() > title->box.width(), turnedOnTheSheet);

    // The chart fills the sheet: its texts reach from near one edge to near the other.
    QRectF extent;
    for (const Word& word : words) extent = extent.united(word.box);
    QVERIFY2(extent.width() > 0.8 * sheet.width() && extent.height() > 0.8 * sheet.height(),
             qPrintable(QStringLiteral("texts cover %1 x %2 pt of %3 x %4")
                            .arg(extent.width()).arg(extent.height())
                            .arg(sheet.width()).arg(sheet.height())));
    QVERIFY(QRectF(QPointF(0, 0), sheet).adjusted(-1, -1, 1, 1).contains(extent));
}

QTEST_MAIN(TestCupsPrint)
#include "tst_cups_print.moc"
