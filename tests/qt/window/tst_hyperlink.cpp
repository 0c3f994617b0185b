// The hyperlink label and the about box: link colour states, underline,
// opening through the system with its failure texts, and the box's lines.
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include "qt/window/CAboutDlg.h"
#include "qt/window/CHyperLink.h"

using velmarin::CAboutDlg;
using velmarin::CHyperLink;

class TestHyperLink : public QObject {
    Q_OBJECT

private slots:
    void errorTexts_data();
    void errorTexts();
    void colourStatesFollowHoverAndVisit();
    void failedOpenReportsAndStaysUnvisited();
    void sizeFitsTheUnderlinedText();
    void doubleClickOpensOnce_data();
    void doubleClickOpensOnce();
    void aboutBoxLines();

private:
    // How often a colour occurs among the label's painted pixels.
    static int CountColour(QWidget& widget, const QColor& colour) {
        QImage image(widget.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour.rgb();
        return count;
    }
    static void MoveOver(CHyperLink& link) {
        QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), link.mapToGlobal(QPointF(3, 3)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&link, &move);
    }
};

void TestHyperLink::errorTexts_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("reason");
    QTest::newRow("sharing, trailing blank") << 26 << "A sharing violation occurred. ";
    QTest::newRow("no association")
        << 31 << "There is no application associated\nwith the given filename extension.";
    QTest::newRow("out of memory") << 0 << "The operating system is out\nof memory or resources.";
    QTest::newRow("dll") << 32 << "The specified dynamic-link library was not found.";
    QTest::newRow("unknown 4") << 4 << "Unknown Error (4) occurred.";
    QTest::newRow("unknown negative") << -7 << "Unknown Error (-7) occurred.";
}

void TestHyperLink::errorTexts() {
    QFETCH(int, code);
    QFETCH(QString, reason);
    QCOMPARE(CHyperLink::OpenErrorMessage(code), "Unable to open hyperlink:\n\n" + reason);
}

// Not visited blue, hover red and underlined, visited purple after a successful open.
void TestHyperLink::colourStatesFollowHoverAndVisit() {
    const QColor blue(0, 0, 238), purple(85, 26, 139), red(255, 0, 0);
    CHyperLink link("https://tannwick.example/velmarin");
    QStringList opened;
    link.SetUrlOpener([&](const QUrl& url) { opened << url.toString(); return true; });
    link.show();
    QVERIFY(QTest::qWaitForWindowExposed(&link));
    QCOMPARE(link.toolTip(), QString("https://tannwick.example/velmarin"));
    QCOMPARE(link.cursor().shape(), Qt::PointingHandCursor);

    QCOMPARE(link.CurrentTextColour(), blue);
    QVERIFY(CountColour(link, blue) > 0);
    QVERIFY(!link.font().underline());

    MoveOver(link);
    QCOMPARE(link.CurrentTextColour(), red);
    QVERIFY(CountColour(link, red) > 0);
    QCOMPARE(CountColour(link, blue), 0);
    QVERIFY(link.font().underline());

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&link, &leave);
    QCOMPARE(link.CurrentTextColour(), blue);
    QVERIFY(!link.font().underline());

    QTest::mouseClick(&link, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    QCOMPARE(opened, QStringList{"https://tannwick.example/velmarin"});
    QVERIFY(link.GetVisited());
    QCOMPARE(link.CurrentTextColour(), purple);
    QVERIFY(CountColour(link, purple) > 0);
    QCOMPARE(CountColour(link, blue), 0);

    // Hover still wins over visited.
    MoveOver(link);
    QCOMPARE(link.CurrentTextColour(), red);

    link.SetUnderlineMode(CHyperLink::UnderlineAlways);
    QApplication::sendEvent(&link, &leave);
    QVERIFY(link.font().underline());
    link.SetUnderlineMode(CHyperLink::UnderlineNever);
    MoveOver(link);
    QVERIFY(!link.font().underline());
}

void TestHyperLink::doubleClickOpensOnce_data() {
    QTest::addColumn<QList<int>>("events");
    QTest::addColumn<int>("opens");
    const int press = QEvent::MouseButtonPress, release = QEvent::MouseButtonRelease,
              dbl = QEvent::MouseButtonDblClick;
    // As the window system delivers them: the second press comes with a double-click event.
    QTest::newRow("click") << QList<int>{press, release} << 1;
    QTest::newRow("double click") << QList<int>{press, release, press, dbl, release} << 1;
    QTest::newRow("double click, then a click") << QList<int>{press, release, press, dbl, release, press, release} << 2;
    QTest::newRow("two double clicks") << QList<int>{press, release, press, dbl, release, press, release, press, dbl, release} << 2;
}

void TestHyperLink::doubleClickOpensOnce() {
    QFETCH(QList<int>, events);
    QFETCH(int, opens);
    CHyperLink link("https://tannwick.example/velmarin");
    int opened = 0;
    link.SetUrlOpener([&](const QUrl&) { ++opened; return true; });
    link.show();
    QVERIFY(QTest::qWaitForWindowExposed(&link));
    const QPointF at(3, 3);
    for (const int type : events) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(QEvent::Type(type), at, link.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(&link, &event);
    }
    QCOMPARE(opened, opens);
}

// A browser that cannot be started: beep, the "no application" box, and no visit.
void TestHyperLink::failedOpenReportsAndStaysUnvisited() {
    CHyperLink link("https://tannwick.example/velmarin");
    link.SetUrlOpener([](const QUrl&) { return false; });
    link.show();
    QVERIFY(QTest::qWaitForWindowExposed(&link));
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box) {
            shown = box->text();
            box->accept();
        }
    });
    QTest::mouseClick(&link, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    QCOMPARE(shown, CHyperLink::OpenErrorMessage(31));
    QVERIFY(!link.GetVisited());
    QCOMPARE(link.CurrentTextColour(), QColor(0, 0, 238));
}

// Left-aligned and vertically centred: the left edge and the centre stay,
// the width becomes the underlined text's.
void TestHyperLink::sizeFitsTheUnderlinedText() {
    QWidget parent;
    CHyperLink link("https://tannwick.example/velmarin", &parent);
    link.setGeometry(20, 40, 400, 31);
    link.FitToText();
    QFont underlined = link.font();
    underlined.setUnderline(true);
    const QFontMetrics metrics(underlined);
    QCOMPARE(link.x(), 20);
    QCOMPARE(link.width(), metrics.horizontalAdvance(link.text()));
    QCOMPARE(link.y(), 40 + (31 - metrics.height()) / 2);
    link.SetAutoSize(false);
    link.setGeometry(20, 40, 400, 31);
    link.FitToText();
    QCOMPARE(link.width(), 400);
}

void TestHyperLink::aboutBoxLines() {
    CAboutDlg box("3.4.11", "14.03.2025");
    QCOMPARE(box.windowTitle(), QString("Info über Velmarin"));
    QCOMPARE(box.VersionLine(), QString("Velmarin Version 3.4.11"));
    QCOMPARE(box.CopyrightLine(), QString("Copyright © 14.03.2025"));
    QStringList texts;
    for (QLabel* label : box.findChildren<QLabel*>()) texts << label->text();
    QVERIFY(texts.contains("Velmarin Version 3.4.11"));
    QVERIFY(texts.contains("Tannwick"));
    QVERIFY(texts.contains("Copyright © 14.03.2025"));
    QCOMPARE(box.Link()->GetUrl(), QString("https://tannwick.example/velmarin"));
    // Every control lies inside the box.
    for (QWidget* child : box.findChildren<QWidget*>())
        QVERIFY2(box.rect().contains(child->geometry()), qPrintable(child->metaObject()->className()));

    CAboutDlg empty("", "");
    QCOMPARE(empty.VersionLine(), QString("Velmarin Version "));
    QCOMPARE(empty.CopyrightLine(), QString("Copyright © "));
}

QTEST_MAIN(TestHyperLink)
#include "tst_hyperlink.moc"
