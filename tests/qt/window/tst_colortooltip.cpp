// The colour tooltip: size rule, placement, line cap and that it never
// takes the focus or activates.
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QtTest>

#include "qt/window/C_ColorToolTip.h"

using velmarin::C_ColorToolTip;

class TestColorToolTip : public QObject {
    Q_OBJECT

private slots:
    void sizeFollowsLines_data();
    void sizeFollowsLines();
    void placedRightOfAndAbovePoint();
    void atMostTwentyLines();
    void neverActivatesOrTakesFocus();
    void hideAndRepeatedShow();
    void paintsFrameBackgroundAndText();

private:
    // The line height the tooltip measures with.
    static int LineHeight(const C_ColorToolTip& tip) { return QFontMetrics(tip.font()).height(); }
    static int Width(const C_ColorToolTip& tip, const QString& line) {
        return QFontMetrics(tip.font()).horizontalAdvance(line);
    }
};

void TestColorToolTip::sizeFollowsLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("widest");
    QTest::addColumn<int>("lines");
    QTest::newRow("one line") << "01.05.2024: Neumond" << "01.05.2024: Neumond" << 1;
    QTest::newRow("three lines") << "01.05.2024: Mars| 2:09, +11.9°|5.2\", 1.0mag"
                                 << "01.05.2024: Mars" << 3;
    QTest::newRow("trailing bar") << "abc|" << "abc" << 2;
    QTest::newRow("empty middle") << "x||yy" << "yy" << 3;
    QTest::newRow("empty") << "" << "" << 1;
}

// Width: the widest line plus 6; height: lines times the line height plus 2.
void TestColorToolTip::sizeFollowsLines() {
    QFETCH(QString, text);
    QFETCH(QString, widest);
    QFETCH(int, lines);
    C_ColorToolTip tip;
    tip.ShowText(400, 300, text);
    int width = 0;
    for (const QString& line : text.split('|')) width = std::max(width, Width(tip, line));
    QCOMPARE(width, Width(tip, widest));
    QCOMPARE(tip.width(), width + 6);
    QCOMPARE(tip.height(), lines * LineHeight(tip) + 2);
    QVERIFY(LineHeight(tip) <= 15);
}

// The lower edge sits 3 pixels above the point, the left edge 3 to its right.
void TestColorToolTip::placedRightOfAndAbovePoint() {
    C_ColorToolTip tip;
    tip.ShowText(400, 300, "a|b|c");
    const QRect box = tip.geometry();
    QCOMPARE(box.left(), 403);
    QCOMPARE(box.top(), 300 - 3 * LineHeight(tip) - 5);
    QCOMPARE(box.bottom(), 300 - 4);  // bottom() is the last row: 3 free rows above the point
    QVERIFY(!box.contains(400, 300));
}

void TestColorToolTip::atMostTwentyLines() {
    QStringList many;
    for (int i = 0; i < 30; ++i) many << QString::number(i);
    QCOMPARE(C_ColorToolTip::SplitLines(many.join('|')).size(), 20);
    QCOMPARE(C_ColorToolTip::SplitLines(many.join('|')).last(), QString("19"));
    C_ColorToolTip tip;
    tip.ShowText(100, 900, many.join('|'));
    QCOMPARE(tip.height(), 20 * LineHeight(tip) + 2);
    // Painting the long text must stay within the window (no crash, no overrun).
    QImage image(tip.size(), QImage::Format_RGB32);
    tip.render(&image);
}

// A tooltip shown over a focused editor leaves the focus and activation where they were.
void TestColorToolTip::neverActivatesOrTakesFocus() {
    QLineEdit editor;
    editor.show();
    editor.activateWindow();
    editor.setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    QCOMPARE(QApplication::focusWidget(), &editor);

    C_ColorToolTip tip(&editor);
    tip.ShowText(200, 200, "a|b");
    QVERIFY(QTest::qWaitForWindowExposed(&tip));
    QVERIFY(tip.testAttribute(Qt::WA_ShowWithoutActivating));
    QVERIFY(tip.windowFlags() & Qt::WindowDoesNotAcceptFocus);
    QCOMPARE(tip.focusPolicy(), Qt::NoFocus);
    QTest::qWait(20);
    QCOMPARE(QApplication::activeWindow(), &editor);
    QCOMPARE(QApplication::focusWidget(), &editor);
    QVERIFY(!tip.isActiveWindow());
}

void TestColorToolTip::hideAndRepeatedShow() {
    C_ColorToolTip tip;
    tip.Hide();  // already hidden: nothing happens
    QVERIFY(!tip.isVisible());
    tip.ShowText(100, 100, "one");
    tip.ShowText(150, 120, "two|lines");
    QVERIFY(tip.isVisible());
    QCOMPARE(tip.geometry().left(), 153);
    QCOMPARE(tip.Text(), QString("two|lines"));
    tip.Hide();
    QVERIFY(!tip.isVisible());
    QVERIFY(!tip.IsShown());
}

// Background (249, 249, 238), a one-pixel frame (155, 110, 53), black text from x = 3.
void TestColorToolTip::paintsFrameBackgroundAndText() {
    C_ColorToolTip tip;
    tip.ShowText(300, 300, "WWWW|MMMM");
    QImage image(tip.size(), QImage::Format_RGB32);
    tip.render(&image);
    const QRgb border = qRgb(155, 110, 53);
    const QRgb background = qRgb(249, 249, 238);
    const int w = image.width();
    const int h = image.height();
    for (int x = 0; x < w; ++x) {
        QCOMPARE(image.pixel(x, 0), border);
        QCOMPARE(image.pixel(x, h - 1), border);
    }
    for (int y = 0; y < h; ++y) {
        QCOMPARE(image.pixel(0, y), border);
        QCOMPARE(image.pixel(w - 1, y), border);
    }
    QCOMPARE(image.pixel(1, 1), background);
    QCOMPARE(image.pixel(2, h / 2), background);
    // Each line has dark text pixels in its own band.
    const int pitch = LineHeight(tip);
    for (int line = 0; line < 2; ++line) {
        int dark = 0;
        for (int y = 1 + line * pitch; y < 1 + (line + 1) * pitch; ++y)
            for (int x = 3; x < w - 1; ++x) dark += qGray(image.pixel(x, y)) < 100;
        QVERIFY2(dark > 5, qPrintable(QString("line %1").arg(line)));
    }
}

QTEST_MAIN(TestColorToolTip)
#include "tst_colortooltip.moc"
