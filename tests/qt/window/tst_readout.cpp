// The hover readout in the window: moves over tracks and markers give the
// exact texts at device pixel ratios 1, 1.5 and 2; white keeps the tooltip,
// leaving the plot, a click and printing hide it; no redraw per move.
//
// A device pixel ratio is fixed per process, so the program runs itself once
// per ratio (QT_SCALE_FACTOR) unless VELMARIN_READOUT_RATIO names one.
#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "core/app/hover_readout.h"
#include "core/chart/draw_chart.h"
#include "core/chart/night_overlay.h"
#include "core/chart/phase_markers.h"
#include "core/ephemeris/body_position.h"
#include "core/ephemeris/time_calendar.h"
#include "qt/window/CMainFrame.h"
#include "qt/window/CVelmarinView.h"
#include "qt/surface/qt_chart_output.h"
#include "qt/surface/qt_painter_surface.h"
#include "qt/surface/qt_text_pixels.h"
#include "qt/window/C_ColorToolTip.h"
#include "qt/zones/qt_zone_database.h"

using namespace velmarin;

class TestReadout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void tracksNameTheirBody_data();
    void tracksNameTheirBody();
    void markersNameTheirPhase_data();
    void markersNameTheirPhase();
    void whiteBorderAndClickHide();
    void twilightChartNamesTheBand();
    void twilightOverlaysNameTheirBody();
    void textPixelsAreThoseOfTheLastRedraw();

private:
    // A back-buffer pixel inside the readout area that shows `colour` with
    // the same colour around it; nullopt when there is none.
    std::optional<QPoint> FindPixel(QRgb colour) const;
    // Moves the pointer onto a buffer pixel, as the platform reports it: at
    // the pixel's logical position, fractional at ratio 1.5. Returns the
    // tooltip's text, empty when hidden.
    QString MoveTo(QPoint pixel);
    QPointF Logical(QPoint pixel) const { return QPointF(pixel) / ratio_; }
    C_ColorToolTip* ToolTip() const { return view_->findChild<C_ColorToolTip*>(); }

    QTemporaryDir configDir_;
    CMainFrame* frame_ = nullptr;
    CVelmarinView* view_ = nullptr;
    qreal ratio_ = 1.0;
};

void TestReadout::initTestCase() {
    QVERIFY(configDir_.isValid());
    frame_ = new CMainFrame(std::filesystem::path(configDir_.filePath("Velmarin.ini").toStdString()));
    view_ = frame_->view();
    QVERIFY(view_);
    frame_->resize(1200, 800);
    frame_->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame_));
    view_->SetYear(2024);
    view_->repaint();
    QVERIFY(!view_->backBuffer().isNull());
    ratio_ = view_->backBufferPixelRatio();
    const qreal expected = qEnvironmentVariable("VELMARIN_READOUT_RATIO", "1").toDouble();
    QCOMPARE(ratio_, expected);
    QCOMPARE(view_->backBuffer().width(), qCeil(view_->width() * ratio_ - 1e-6));
}

void TestReadout::cleanupTestCase() { delete frame_; }

std::optional<QPoint> TestReadout::FindPixel(QRgb colour) const {
    const QImage& buffer = view_->backBuffer();
    const ChartLayout& layout = view_->chartLayout();
    const auto same = [&](int x, int y) {
        return buffer.rect().contains(x, y) && (buffer.pixel(x, y) & 0xffffff) == (colour & 0xffffff);
    };
    for (int y = layout.plotTop + 2; y < layout.plotBottom - 2; ++y) {
        for (int x = layout.plotLeft + 2; x < layout.plotRight - 2; ++x) {
            if (same(x, y) && same(x - 1, y) && same(x + 1, y) && same(x, y - 1) &&
                same(x, y + 1))
                return QPoint(x, y);
        }
    }
    return std::nullopt;
}

QString TestReadout::MoveTo(QPoint pixel) {
    const QPointF local = Logical(pixel);
    QMouseEvent move(QEvent::MouseMove, local, view_->mapToGlobal(local), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view_, &move);
    QCoreApplication::processEvents();
    C_ColorToolTip* tip = ToolTip();
    return tip && tip->IsShown() ? tip->Text() : QString();
}

void TestReadout::tracksNameTheirBody_data() {
    QTest::addColumn<int>("body");
    QTest::newRow("Sonne") << int(BodyId::kSun);
    QTest::newRow("Merkur") << int(BodyId::kMercury);
    QTest::newRow("Mars") << int(BodyId::kMars);
    QTest::newRow("Jupiter") << int(BodyId::kJupiter);
    QTest::newRow("Mond") << int(BodyId::kMoon);
}

// The text is the one for the buffer pixel under the pointer (the logical
// position times the ratio), with that pixel's date.
void TestReadout::tracksNameTheirBody() {
    QFETCH(int, body);
    const Color colour = MakeBodyCatalogue().entries[body].color;
    const auto pixel = FindPixel(qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour)));
    QVERIFY2(pixel, "no track pixel found");
    const int before = view_->renderCount();
    const QString shown = MoveTo(*pixel);

    const QPoint d = *pixel;
    const ChartLayout& layout = view_->chartLayout();
    const CalendarInstant date = CalendarFromJulianDay(MapToDate(layout, {d.x(), d.y()}));
    const QString prefix = QString::asprintf("%02d.%02d.%4d: ", date.day, date.month, date.year) +
                           QString::fromStdString(MakeBodyCatalogue().entries[body].name) + "|";
    QVERIFY2(shown.startsWith(prefix), qPrintable(shown + " / " + prefix));
    EphemerisContext context;
    const ReadoutDecision expected = HoverReadout(context, colour, {d.x(), d.y()}, layout,
                                                  view_->catalogue(), view_->settings());
    QCOMPARE(shown, QString::fromStdString(expected.text));
    QCOMPARE(shown.count('|'), 2);

    // Placed 3 pixels right of and above the pointer; no redraw for a readout.
    const QPointF global = view_->mapToGlobal(Logical(*pixel));
    // (Qt may round a fractional global position on the way to the view.)
    QVERIFY(qAbs(ToolTip()->geometry().left() - (global.x() + 3)) <= 1.0);
    QVERIFY(qAbs(ToolTip()->geometry().bottom() - (global.y() - 4)) <= 1.0);
    QCOMPARE(view_->renderCount(), before);
}

void TestReadout::markersNameTheirPhase_data() {
    QTest::addColumn<int>("style");
    for (const PhaseMarkerLook& marker : kPhaseMarkerLooks)
        QTest::newRow(marker.label) << marker.style;
}

// The date shown is the marker's own phase among the chart's markers.
void TestReadout::markersNameTheirPhase() {
    QFETCH(int, style);
    const PhaseMarkerLook* marker = nullptr;
    for (const PhaseMarkerLook& m : kPhaseMarkerLooks) if (m.style == style) marker = &m;
    QVERIFY(marker);
    const auto pixel =
        FindPixel(qRgb(RedOf(marker->color), GreenOf(marker->color), BlueOf(marker->color)));
    QVERIFY2(pixel, "no marker of this kind on the 2024 chart");
    const QString shown = MoveTo(*pixel);
    QStringList candidates;
    for (const PhaseMarker& m : SearchPhaseMarkers(2024)) {
        if (m.style != style) continue;
        const CalendarInstant date = CalendarFromJulianDay(m.jd);
        candidates << QString::asprintf("%02d.%02d.%4d: ", date.day, date.month, date.year) +
                          QString::fromUtf8(marker->label);
    }
    QVERIFY2(candidates.contains(shown), qPrintable(shown));
}

void TestReadout::whiteBorderAndClickHide() {
    const Color sun = MakeBodyCatalogue().entries[IndexOf(BodyId::kSun)].color;
    const auto onTrack = FindPixel(qRgb(RedOf(sun), GreenOf(sun), BlueOf(sun)));
    const auto onWhite = FindPixel(qRgb(255, 255, 255));
    QVERIFY(onTrack && onWhite);
    const QString text = MoveTo(*onTrack);
    QVERIFY(!text.isEmpty());
    // Nothing named under the pointer: the readout goes at once.
    QCOMPARE(MoveTo(*onWhite), QString());
    QVERIFY(!ToolTip()->IsShown());

    QCOMPARE(MoveTo(*onTrack), text);
    QTest::mouseClick(view_, Qt::LeftButton, Qt::NoModifier, Logical(*onTrack).toPoint());
    QVERIFY(!ToolTip()->IsShown());
    QVERIFY(!MoveTo(*onTrack).isEmpty());

    // The plot's own border pixel hides it.
    const ChartLayout& layout = view_->chartLayout();
    QCOMPARE(MoveTo({layout.plotLeft, onTrack->y()}), QString());
    QVERIFY(!MoveTo(*onTrack).isEmpty());
    QCOMPARE(MoveTo({onTrack->x(), layout.plotBottom - 1}), QString());

    QVERIFY(!MoveTo(*onTrack).isEmpty());
    emit view_->printingStarted();
    QVERIFY(!ToolTip()->IsShown());
}

// "Dämmerung": the band under the pointer is named with its stretch of the
// day; a click hides it.
void TestReadout::twilightChartNamesTheBand() {
    ChartSettings twilight = frame_->settings();
    twilight.displayMode = DisplayMode::Twilight;
    frame_->ChangeSettings(twilight);
    view_->repaint();
    const auto cell = FindPixel(qRgb(80, 80, 140));  // a darkness cell
    QVERIFY(cell);
    const QString text = MoveTo(*cell);
    const QRegularExpression form(QStringLiteral("^\\d\\d\\.\\d\\d\\.2024: Nacht \\d\\d:\\d\\d\u2013\\d\\d:\\d\\d$"));
    QVERIFY2(form.match(text).hasMatch(), qPrintable(text));
    const auto civil = FindPixel(qRgb(190, 230, 255));
    QVERIFY(civil);
    QVERIFY2(MoveTo(*civil).contains(QStringLiteral(": bürgerliche Dämmerung ")), qPrintable(MoveTo(*civil)));
    QTest::mouseClick(view_, Qt::LeftButton, Qt::NoModifier, Logical(*civil).toPoint());
    QVERIFY(!ToolTip()->IsShown());
    ChartSettings normal = frame_->settings();
    normal.displayMode = DisplayMode::Normal;
    frame_->ChangeSettings(normal);
}

// With "mit Planeten" and "mit Mondlicht" the twilight chart reads out its
// overlays: a planet's curve gives the body and the day's three times, a
// moonlit cell the Moon's rise, set and illuminated fraction.
void TestReadout::twilightOverlaysNameTheirBody() {
    ChartSettings night = frame_->settings();
    night.displayMode = DisplayMode::Twilight;
    night.showPlanets = 1;
    night.showMoonlight = 1;
    frame_->ChangeSettings(night);
    view_->repaint();
    const Color jupiter = MakeBodyCatalogue().entries[IndexOf(BodyId::kJupiter)].color;
    const auto onCurve = FindPixel(qRgb(RedOf(jupiter), GreenOf(jupiter), BlueOf(jupiter)));
    QVERIFY(onCurve);
    const QRegularExpression planet(
        QStringLiteral("^\\d\\d\\.\\d\\d\\.2024: Jupiter\\| Aufgang (\\d\\d:\\d\\d|—), Kulmination "
                       "(\\d\\d:\\d\\d \\(\\d+°\\)|—), Untergang (\\d\\d:\\d\\d|—)$"));
    const QString planetText = MoveTo(*onCurve);
    QVERIFY2(planet.match(planetText).hasMatch(), qPrintable(planetText));
    const auto moonlit = FindPixel(qRgb(RedOf(kMoonlitDarknessColor), GreenOf(kMoonlitDarknessColor),
                                        BlueOf(kMoonlitDarknessColor)));
    QVERIFY(moonlit);
    const QRegularExpression moon(QStringLiteral(
        "^\\d\\d\\.\\d\\d\\.2024: Mond\\| Aufgang (\\d\\d:\\d\\d|—), Untergang (\\d\\d:\\d\\d|—), beleuchtet \\d+ %$"));
    const QString moonText = MoveTo(*moonlit);
    QVERIFY2(moon.match(moonText).hasMatch(), qPrintable(moonText));
    ChartSettings normal = frame_->settings();
    normal.displayMode = DisplayMode::Normal;
    normal.showPlanets = 0;
    normal.showMoonlight = 0;
    frame_->ChangeSettings(normal);
}

// The record of text pixels is made on first use, after any number of
// redraws: it is the record a drawing of the shown chart makes itself.
void TestReadout::textPixelsAreThoseOfTheLastRedraw() {
    ChartSettings night = frame_->settings();
    night.displayMode = DisplayMode::Twilight;
    night.showPlanets = 1;
    frame_->ChangeSettings(night);
    view_->repaint();
    (void)view_->textPixels();  // recorded for this size and chart
    const QSize frameSize = frame_->size();
    for (const QSize step : {QSize(-37, 0), QSize(-37, -23)}) {
        frame_->resize(frameSize + step);
        QCoreApplication::processEvents();
        view_->repaint();
    }
    view_->SetYear(2025);
    view_->repaint();

    const QImage& shown = view_->backBuffer();
    ChartViewState state;
    state.zones = std::make_shared<const QtZoneDatabase>();
    TextPixels expected;
    const QImage page = DrawOnImage(QImage(), shown.width(), shown.height(), false, [&](Surface& dc) {
        DrawChart(dc, ScreenCharHeight(), view_->year(), view_->todayJd(), frame_->settings(), state);
    }, nullptr, &expected);
    QCOMPARE(page.size(), shown.size());
    const TextPixels& recorded = view_->textPixels();
    int text = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            QCOMPARE(shown.pixel(x, y), page.pixel(x, y));
            const bool isText = expected.Shows(QPoint(x, y), page.pixel(x, y));
            text += isText ? 1 : 0;
            if (recorded.Shows(QPoint(x, y), shown.pixel(x, y)) != isText) {
                QFAIL(qPrintable(QStringLiteral("text pixel record differs at %1, %2").arg(x).arg(y)));
            }
        }
    }
    QVERIFY(text > 1000);
    ChartSettings normal = frame_->settings();
    normal.displayMode = DisplayMode::Normal;
    normal.showPlanets = 0;
    frame_->ChangeSettings(normal);
    view_->SetYear(2024);
    view_->repaint();
}

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("VELMARIN_READOUT_RATIO")) {
        int failures = 0;
        const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
        for (const char* ratio : {"1", "1.5", "2"}) {
            std::string command = std::string("VELMARIN_READOUT_RATIO=") + ratio +
                                  " QT_SCALE_FACTOR=" + ratio + " '" + self + "'";
            for (int i = 1; i < argc; ++i) command += std::string(" '") + argv[i] + "'";
            if (std::system(command.c_str()) != 0) ++failures;
        }
        return failures;
    }
    QApplication app(argc, argv);
    TestReadout test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_readout.moc"
