#pragma once

#include <QImage>
#include <QWidget>
#include <optional>

#include "core/app/command_rules.h"
#include "core/app/hover_readout.h"
#include "core/chart/chart_settings.h"
#include "core/text/language.h"
#include "core/chart/draw_chart.h"
#include "qt/surface/qt_chart_output.h"
#include "qt/surface/qt_text_pixels.h"

class QPrinter;

namespace velmarin {

class CMainFrame;
class C_ColorToolTip;

// The central widget: draws the year chart into a back buffer at the
// screen's device pixel ratio and shows it whole. It owns the chart year,
// today's date and the chart state between passes; the settings belong to
// the main frame.
class CVelmarinView : public QWidget {
    Q_OBJECT
public:
    explicit CVelmarinView(CMainFrame* frame);

    int year() const { return year_; }
    double todayJd() const { return todayJd_; }
    // The main frame's settings record (the one commands change and the file holds).
    const ChartSettings& settings() const;

    // What the screen shows, in device pixels; its devicePixelRatio() maps
    // widget coordinates onto it. Null before the first paint.
    const QImage& backBuffer() const { return backBuffer_; }
    // The back buffer's pixels that text drew (the readout passes over them).
    // Recorded on first use after a redraw, by drawing the same chart once
    // more: redraws (each step of a resize) do not pay for a record that only
    // a readout reads.
    const TextPixels& textPixels();
    qreal backBufferPixelRatio() const { return backBuffer_.devicePixelRatio(); }
    // State of the last screen pass (print passes leave it alone).
    const ChartLayout& chartLayout() const { return state_.layout; }
    const BodyCatalogue& catalogue() const { return state_.catalogue; }
    EphemerisContext& ephemeris() { return state_.ephemeris; }
    // How many times the chart was drawn for the screen.
    int renderCount() const { return renderCount_; }

    // Display commands of "&Anzeigen"; other ids are ignored.
    void OnDisplayCommand(CommandId command);
    // "Jahr +1" / "Jahr -1": the year moves by delta, held within the year range.
    void OnYearStep(int delta);
    // "&Eingabe": asks for a year.
    void OnYearPrompt();
    // "Jetzt": this year and today's date from the clock.
    void OnYearNow();
    void SetYear(int year);
    // The observer's targets to draw (none: null).
    void SetTargets(std::shared_ptr<const std::vector<Target>> targets);
    const std::shared_ptr<const std::vector<Target>>& targets() const { return state_.targets; }

    // Draws the chart's print pass on exactly one page of printer.
    bool PrintChart(QPrinter* printer);
    // Saves the chart as PNG (what the screen shows), SVG or PDF, chosen by
    // the file name's extension, replacing an existing file only when the new
    // one is complete. Empty when saved, else the reason (German, one line).
    QString ExportChart(const QString& fileName);
    // Ctrl+S: asks for a file name, then ExportChart.
    void OnFileSave();

    // Draws the chart again if any of its inputs changed; keeps it otherwise.
    void RenderIfNeeded();

signals:
    // A print pass is about to start (the hover readout hides its tooltip).
    void printingStarted();

protected:
    void paintEvent(QPaintEvent* event) override;
    // Hover readout: moves show what lies under the pointer, a left click
    // and leaving the window hide it.
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void ShowReadout(QPointF position, QPointF globalPosition);
    // Over the twilight chart "mit Zielen": the target whose curve lies
    // under the pointer, or nullopt.
    std::optional<ReadoutDecision> TargetCurveReadout(Color pixel, Point point);
    void HideReadout();

    C_ColorToolTip* toolTip_ = nullptr;  // the hover readout's window, made on first use

private:
    // Inputs that decide the picture; the chart is redrawn only when one changes.
    struct RenderKey {
        QSize pixelSize;
        qreal pixelRatio = 0.0;
        int year = 0;
        double todayJd = 0.0;
        ChartSettings settings;
        Language language = Language::German;  // of the chart's texts
        std::shared_ptr<const std::vector<Target>> targets;  // a new list is a new picture
        bool operator==(const RenderKey&) const = default;
    };
    RenderKey CurrentKey() const;
    // The screen pass of the chart that `key` describes (it updates state_).
    PageDrawing ScreenDrawing(const RenderKey& key);
    void ChartChanged();

    CMainFrame* frame_;
    int year_ = 0;
    double todayJd_ = 0.0;
    ChartViewState state_;
    QImage backBuffer_;
    KeptPageState keptPage_;     // kept across redraws: a resize meets the same shapes and labels
    TextPixels textPixels_;      // of the back buffer, when textPixelsRecorded_
    bool textPixelsRecorded_ = false;
    RenderKey renderedKey_;
    int renderCount_ = 0;
    bool firstPaintDone_ = false;
};

}  // namespace velmarin
