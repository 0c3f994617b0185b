// The readout tooltip under a real X server, with a real pointer: it shows
// on a track and goes over empty chart and outside the window. Run by ctest through
// xvfb-run (the offscreen platform has no pointer to move).
#include <QApplication>
#include <QCursor>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <optional>

#include "core/chart/body_catalogue.h"
#include "core/chart/chart_layout.h"
#include "qt/window/CMainFrame.h"
#include "qt/window/CVelmarinView.h"
#include "qt/window/C_ColorToolTip.h"

using namespace velmarin;

class TestTooltipPointer : public QObject {
    Q_OBJECT
private slots:
    void pointerOnTrackAndOverEmptyChart_data();
    void pointerOnTrackAndOverEmptyChart();
};

void TestTooltipPointer::pointerOnTrackAndOverEmptyChart_data() {
    QTest::addColumn<int>("body");
    QTest::newRow("Sonne") << int(BodyId::kSun);
    QTest::newRow("Mars") << int(BodyId::kMars);
}

// Show a readout on a track, then move the pointer over empty chart: the
// tooltip goes there, comes back on the track, and goes when the pointer
// leaves the window.
void TestTooltipPointer::pointerOnTrackAndOverEmptyChart() {
    QFETCH(int, body);
    if (QGuiApplication::platformName() != QLatin1String("xcb")) QSKIP("needs an X server (run through ctest)");
    QTemporaryDir config;
    CMainFrame frame(std::filesystem::path(config.filePath("Velmarin.ini").toStdString()));
    CVelmarinView* view = frame.view();
    frame.move(0, 0);
    frame.resize(1200, 800);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    view->SetYear(2024);
    view->repaint();

    // A track pixel with room above and to the right for the tooltip.
    const Color colour = MakeBodyCatalogue().entries[body].color;
    const QRgb wanted = qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour));
    const QImage& buffer = view->backBuffer();
    const ChartLayout& layout = view->chartLayout();
    std::optional<QPoint> pixel;
    for (int y = layout.plotTop + 120; y < layout.plotBottom - 20 && !pixel; ++y) {
        for (int x = layout.plotLeft + 20; x < layout.plotRight - 320 && !pixel; ++x) {
            if ((buffer.pixel(x, y) & 0xffffff) == (wanted & 0xffffff)) pixel = QPoint(x, y);
        }
    }
    QVERIFY2(pixel, "no track pixel found");
    const QPointF start = QPointF(*pixel) / view->backBufferPixelRatio();

    QCursor::setPos(view->mapToGlobal(start.toPoint()));
    const auto shownTip = [&] {
        C_ColorToolTip* tip = view->findChild<C_ColorToolTip*>();
        return tip && tip->IsShown() ? tip : nullptr;
    };
    QTRY_VERIFY(shownTip());
    C_ColorToolTip* tip = shownTip();

    // Over empty chart far from the track the readout goes at once, the
    // pointer still inside the window.
    std::optional<QPoint> blank;
    for (int dx = 470; dx > 40 && !blank; dx -= 10) {
        const QPoint at = *pixel + QPoint(dx, 0);
        if (at.x() < layout.plotRight - 2 && (buffer.pixel(at) & 0xffffff) == 0xffffff) blank = at;
    }
    QVERIFY2(blank, "no white pixel right of the track");
    const QPoint from = view->mapToGlobal(start.toPoint());
    QCursor::setPos(view->mapToGlobal((QPointF(*blank) / view->backBufferPixelRatio()).toPoint()));
    QTRY_VERIFY(!tip->IsShown());
    // Back on the track the readout still follows the pointer; off the
    // window it goes.
    QCursor::setPos(from);
    QTest::qWait(15);
    QVERIFY(tip->IsShown());
    QCursor::setPos(frame.geometry().bottomRight() + QPoint(40, 40));
    QTRY_VERIFY(!tip->IsShown());
}

QTEST_MAIN(TestTooltipPointer)
#include "xvfb_tooltip_pointer.moc"
