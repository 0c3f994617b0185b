#include "qt/window/CVelmarinView.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <cmath>
#include <cstring>
#include <string_view>
#include <utility>

#include "core/app/atomic_file.h"
#include "core/app/command_rules.h"
#include "core/app/image_format.h"
#include "core/app/prompt_parsing.h"
#include "core/app/version_text.h"
#include "qt/surface/qt_chart_output.h"
#include "qt/surface/qt_painter_surface.h"
#include "qt/window/CDialogStr.h"
#include "qt/window/CMainFrame.h"
#include "qt/window/qt_first_paint_report.h"
#include "qt/zones/qt_zone_database.h"

namespace velmarin {

CVelmarinView::CVelmarinView(CMainFrame* frame) : QWidget(frame), frame_(frame) {
    year_ = CurrentYearAndToday(todayJd_);
    state_.footerText = FooterText();
    state_.zones = std::make_shared<const QtZoneDatabase>();
    // The chart paints every pixel itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    // The hover readout needs moves without a button pressed.
    setMouseTracking(true);
    connect(this, &CVelmarinView::printingStarted, this, &CVelmarinView::HideReadout);
}

const ChartSettings& CVelmarinView::settings() const { return frame_->settings(); }

CVelmarinView::RenderKey CVelmarinView::CurrentKey() const {
    const qreal ratio = devicePixelRatioF();
    // Rounded up so the buffer always covers the whole widget.
    const QSize pixels(static_cast<int>(std::ceil(width() * ratio - 1e-6)),
                       static_cast<int>(std::ceil(height() * ratio - 1e-6)));
    return RenderKey{pixels, ratio, year_, todayJd_, settings(), ProgramLanguage(), state_.targets};
}

PageDrawing CVelmarinView::ScreenDrawing(const RenderKey& key) {
    return [this, key](Surface& surface) {
        DrawChart(surface, ScreenCharHeight(), key.year, key.todayJd, key.settings, state_);
    };
}

void CVelmarinView::RenderIfNeeded() {
    const RenderKey key = CurrentKey();
    if (key == renderedKey_ && !backBuffer_.isNull()) return;
    textPixels_.Clear();
    textPixelsRecorded_ = false;
    if (key.pixelSize.isEmpty()) {
        backBuffer_ = QImage();
        renderedKey_ = key;
        return;
    }
    // The old buffer's pixels are reused when the size stays (a year or
    // settings change): no new allocation for every redraw. A new size takes
    // memory already held.
    QImage image = DrawOnImage(std::exchange(backBuffer_, QImage()), key.pixelSize.width(),
                               key.pixelSize.height(), false, ScreenDrawing(key), &keptPage_);
    image.setDevicePixelRatio(key.pixelRatio);
    backBuffer_ = std::move(image);
    renderedKey_ = key;
    ++renderCount_;
}

const TextPixels& CVelmarinView::textPixels() {
    if (textPixelsRecorded_ || backBuffer_.isNull()) return textPixels_;
    // The chart of the back buffer again, from the same inputs (the drawing
    // depends on nothing else), on a page of its own; with the kept shapes
    // and widths, not the kept memory (the back buffer holds it).
    const QSize size = renderedKey_.pixelSize;
    DrawOnImage(QImage(size, QImage::Format_RGB32), size.width(), size.height(), false, ScreenDrawing(renderedKey_),
                &keptPage_, &textPixels_);
    textPixelsRecorded_ = true;
    return textPixels_;
}

void CVelmarinView::paintEvent(QPaintEvent*) {
    RenderIfNeeded();
    QPainter painter(this);
    if (backBuffer_.isNull()) return;
    painter.drawImage(QPointF(0, 0), backBuffer_);
    // Every layout rewrites the settings file (with the window's current
    // size), once the window stops changing: never in the middle of a drag.
    frame_->SaveSettingsFileSoon();
    if (!firstPaintDone_) {
        firstPaintDone_ = true;
        if (FirstPaintReportWanted()) ReportFirstPaintAndQuit(backBuffer_.size());
    }
}

void CVelmarinView::ChartChanged() {
    update();
    frame_->UpdateCommandStates();
}

void CVelmarinView::OnDisplayCommand(CommandId command) {
    ChartSettings changed = settings();
    if (!ApplyDisplayCommand(command, changed)) return;
    frame_->ChangeSettings(changed);
}

void CVelmarinView::OnYearStep(int delta) { SetYear(StepYear(year_, delta)); }

void CVelmarinView::SetYear(int year) {
    year_ = std::clamp(year, kMinYear, kMaxYear);
    ChartChanged();
}

void CVelmarinView::SetTargets(std::shared_ptr<const std::vector<Target>> targets) {
    state_.targets = std::move(targets);
    ChartChanged();
}

void CVelmarinView::OnYearPrompt() {
    // The field starts with the chart's year; a text that holds no number is
    // refused with a message and asked again, never taken for year 0.
    QString typed = QString::number(year_);
    for (;;) {
        CDialogStr dialog(frame_);
        dialog.SetTexts(tr("Velmarin"), tr("Eingabe des Jahres?"), typed);
        if (dialog.DoModal() != CDialogStr::kOk) return;
        typed = dialog.GetValue();
        const YearPromptAnswer answer = ParseYearPrompt(typed.toStdString());
        switch (answer.kind) {
        case YearPromptAnswer::Kind::Empty: return;
        case YearPromptAnswer::Kind::Year: SetYear(answer.year); return;
        case YearPromptAnswer::Kind::NotAYear:
            QMessageBox::warning(frame_, tr("Velmarin"),
                                 tr("„%1“ ist keine Jahreszahl.\nBitte ein Jahr von %2 bis %3 eingeben.")
                                     .arg(PromptEcho(typed))
                                     .arg(kMinYear)
                                     .arg(kMaxYear));
            break;
        }
    }
}

void CVelmarinView::OnYearNow() {
    year_ = CurrentYearAndToday(todayJd_);
    ChartChanged();
}

bool CVelmarinView::PrintChart(QPrinter* printer) {
    emit printingStarted();
    // A copy, so the screen's layout and pens stay as the hover readout knows them.
    ChartViewState printState = state_;
    printState.printDotsPerInch = printer->resolution();
    // One page, always: the pass never asks for a new page.
    const bool ok = DrawOnPrinter(*printer, [&](Surface& surface) {
        DrawChart(surface, ScreenCharHeight(), year_, todayJd_, settings(), printState);
    });
    frame_->SaveSettingsFile();
    return ok;
}

QString CVelmarinView::ExportChart(const QString& fileName) {
    RenderIfNeeded();
    const std::optional<ImageFormat> format = ImageFormatOfFileName(fileName.toStdString());
    if (!format) return tr("Nur PNG, SVG und PDF können gespeichert werden.");
    // The vector files take the widget's size in units; the PNG the pixels on screen.
    const int width = std::max(1, this->width());
    const int height = std::max(1, this->height());
    // A copy of the state: the screen's layout stays as the hover readout knows it.
    ChartViewState exportState = state_;
    const PageDrawing draw = [&](Surface& surface) {
        DrawChart(surface, ScreenCharHeight(), year_, todayJd_, settings(), exportState);
    };
    // The file is made in memory and written in one step that either
    // replaces the old file whole or leaves it as it was.
    QByteArray bytes;
    switch (*format) {
        case ImageFormat::Png: bytes = EncodePng(backBuffer_); break;
        case ImageFormat::Svg: bytes = DrawSvgBytes(width, height, false, draw); break;
        case ImageFormat::Pdf: bytes = DrawPdfBytes(width, height, false, draw); break;
    }
    if (bytes.isEmpty()) return tr("Die Grafik konnte nicht erzeugt werden.");

    const FileWriteResult result = WriteFileAtomically(
        QFile::encodeName(fileName).toStdString(),
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    const QString reason = QString::fromLocal8Bit(std::strerror(result.osError));
    switch (result.error) {
        case FileWriteError::None: return {};
        case FileWriteError::TargetIsDirectory: return tr("Unter diesem Namen steht ein Ordner.");
        case FileWriteError::TargetIsSpecial:
            return tr("Unter diesem Namen steht keine gewöhnliche Datei (ein Gerät, eine FIFO oder ein Socket).");
        case FileWriteError::DanglingLink:
            return tr("Der Name ist ein symbolischer Verweis auf eine fehlende Datei.");
        case FileWriteError::TargetUnusable: return reason;
        case FileWriteError::CreateTemporary:
            return tr("Im Ordner kann keine temporäre Datei angelegt werden: %1").arg(reason);
        case FileWriteError::WriteData: return tr("Schreiben fehlgeschlagen: %1").arg(reason);
        case FileWriteError::Replace: return tr("Die alte Datei kann nicht ersetzt werden: %1").arg(reason);
    }
    return reason;
}

void CVelmarinView::OnFileSave() {
    const QString png = tr("PNG-Bild (*.png)");
    const QString svg = tr("SVG-Grafik (*.svg)");
    const QString pdf = tr("PDF-Dokument (*.pdf)");
    QString filter = png;
    QString fileName = QFileDialog::getSaveFileName(
        this, tr("Speichern unter"), QStringLiteral("Velmarin-%1.png").arg(year_),
        png + QStringLiteral(";;") + svg + QStringLiteral(";;") + pdf, &filter);
    if (fileName.isEmpty()) return;
    if (QFileInfo(fileName).suffix().isEmpty()) {
        fileName += filter == svg ? QStringLiteral(".svg")
                    : filter == pdf ? QStringLiteral(".pdf")
                                    : QStringLiteral(".png");
    }
    const QString problem = ExportChart(fileName);
    if (!problem.isEmpty()) {
        QMessageBox::warning(this, tr("Velmarin"),
                             tr("Die Datei %1 konnte nicht gespeichert werden.\n%2").arg(fileName, problem));
    }
}

}  // namespace velmarin
