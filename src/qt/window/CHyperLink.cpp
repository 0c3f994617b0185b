#include "qt/window/CHyperLink.h"

#include <utility>

#include <QApplication>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPalette>

namespace velmarin {

namespace {

// Results as the system's "open" reports them: above 32 is success.
constexpr int kOpenSucceeded = 33;
constexpr int kNoAssociation = 31;

}  // namespace

CHyperLink::CHyperLink(const QString& text, QWidget* parent)
    : QLabel(text, parent), url(text) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setMouseTracking(true);
    standardFont = font();
    underlineFont = standardFont;
    underlineFont.setUnderline(true);
    setCursor(Qt::PointingHandCursor);
    setToolTip(url);
    urlOpener = [](const QUrl& address) { return QDesktopServices::openUrl(address); };
    ApplyState();
    FitToText();
}

void CHyperLink::SetVisited(bool flag) {
    visited = flag;
    ApplyState();
}

void CHyperLink::SetUnderlineMode(int mode) {
    if (mode == underlineMode) return;
    underlineMode = mode;
    ApplyState();
}

void CHyperLink::SetAutoSize(bool flag) {
    adjustToFit = flag;
    FitToText();
}

QColor CHyperLink::CurrentTextColour() const {
    if (overControl) return hoverColour;
    return visited ? visitedColour : linkColour;
}

void CHyperLink::ApplyState() {
    applyingState = true;
    const bool underline =
        underlineMode == UnderlineAlways || (underlineMode == UnderlineOnHover && overControl);
    setFont(underline ? underlineFont : standardFont);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, CurrentTextColour());
    setPalette(colours);
    applyingState = false;
    update();
}

void CHyperLink::FitToText() {
    if (!adjustToFit) return;
    const QFontMetrics metrics(underlineFont);
    const QMargins border = contentsMargins();
    const int cx = metrics.horizontalAdvance(text()) + border.left() + border.right() +
                   2 * margin();
    const int cy = metrics.height() + border.top() + border.bottom() + 2 * margin();

    QRect box = geometry();
    const Qt::Alignment align = alignment();
    if (align & Qt::AlignVCenter) {
        const int shrink = (box.height() - cy) / 2;  // toward zero, as a centred static does
        box.setTop(box.top() + shrink);
        box.setBottom(box.bottom() - shrink);
    } else {
        box.setHeight(cy);
    }
    if (align & Qt::AlignHCenter) {
        const int shrink = (box.width() - cx) / 2;
        box.setLeft(box.left() + shrink);
        box.setRight(box.right() - shrink);
    } else if (align & Qt::AlignRight) {
        box.setLeft(box.right() + 1 - cx);
    } else {
        box.setWidth(cx);
    }
    setGeometry(box);
}

int CHyperLink::OpenUrl(const QString& address) const {
    const QUrl target = QUrl::fromUserInput(address);
    const bool opened = target.isValid() && urlOpener && urlOpener(target);
    return opened ? kOpenSucceeded : kNoAssociation;
}

QString CHyperLink::OpenErrorMessage(int code) {
    QString reason;
    switch (code) {
    case 0: reason = QStringLiteral("The operating system is out\nof memory or resources."); break;
    case 2: reason = QStringLiteral("The specified file was not found."); break;
    case 3: reason = QStringLiteral("The specified path was not found."); break;
    case 5: reason = QStringLiteral("The operating system denied\naccess to the specified file."); break;
    case 8: reason = QStringLiteral("There was not enough memory to complete the operation."); break;
    case 11: reason = QStringLiteral("The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."); break;
    case 26: reason = QStringLiteral("A sharing violation occurred. "); break;
    case 27: reason = QStringLiteral("The filename association is\nincomplete or invalid."); break;
    case 28: reason = QStringLiteral("The DDE transaction could not\nbe completed because the request timed out."); break;
    case 29: reason = QStringLiteral("The DDE transaction failed."); break;
    case 30: reason = QStringLiteral("The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed."); break;
    case 31: reason = QStringLiteral("There is no application associated\nwith the given filename extension."); break;
    case 32: reason = QStringLiteral("The specified dynamic-link library was not found."); break;
    default: reason = QStringLiteral("Unknown Error (%1) occurred.").arg(code); break;
    }
    return QStringLiteral("Unable to open hyperlink:\n\n") + reason;
}

void CHyperLink::ReportOpenError(int code) {
    QApplication::beep();
    QMessageBox::warning(this, QString(), OpenErrorMessage(code));
}

void CHyperLink::mouseMoveEvent(QMouseEvent* event) {
    if (!overControl) {
        overControl = true;
        ApplyState();
    }
    QLabel::mouseMoveEvent(event);
}

void CHyperLink::leaveEvent(QEvent* event) {
    if (overControl) {
        overControl = false;
        ApplyState();
    }
    QLabel::leaveEvent(event);
}

void CHyperLink::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton) return;
    // A double click is one click: the first release opened the address.
    if (std::exchange(inDoubleClick, false)) return;
    if (rect().contains(event->position().toPoint())) Clicked();
}

void CHyperLink::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) inDoubleClick = true;
    QLabel::mouseDoubleClickEvent(event);
}

void CHyperLink::Clicked() {
    overControl = false;
    const int result = OpenUrl(url);
    if (result > 32) {
        SetVisited(true);
    } else {
        ApplyState();
        ReportOpenError(result);
    }
}

void CHyperLink::changeEvent(QEvent* event) {
    // A font given from outside (e.g. the dialog's) becomes the link's base font.
    if (event->type() == QEvent::FontChange && !applyingState) {
        standardFont = font();
        standardFont.setUnderline(false);
        underlineFont = standardFont;
        underlineFont.setUnderline(true);
        FitToText();
    }
    QLabel::changeEvent(event);
}

}  // namespace velmarin
