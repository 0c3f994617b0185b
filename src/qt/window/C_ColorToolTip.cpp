#include "qt/window/C_ColorToolTip.h"

#include <QCoreApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace velmarin {

namespace {

// The tooltip's font asks for a cell height (ascent + descent) of 15 pixels.
constexpr int kCellHeight = 15;

QFont TooltipFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::PreferDefault);
    // Qt sizes fonts by their em height; shrink until the line fits the cell.
    for (int pixels = kCellHeight; pixels > 1; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).height() <= kCellHeight) break;
    }
    return font;
}

}  // namespace

C_ColorToolTip::C_ColorToolTip(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                         Qt::WindowTransparentForInput),
      tipFont(TooltipFont()) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    // The paint covers every pixel; skipping the erase keeps moves flicker-free.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setFont(tipFont);
}

QStringList C_ColorToolTip::SplitLines(const QString& text) {
    QStringList lines = text.split(QLatin1Char('|'));
    if (lines.size() > maxLines) lines.erase(lines.begin() + maxLines, lines.end());
    return lines;
}

void C_ColorToolTip::ShowText(int x, int y, const QString& newText) {
    const QFontMetrics metrics(tipFont);
    const QStringList lines = SplitLines(newText);
    int width = 0;
    for (const QString& line : lines) width = std::max(width, metrics.horizontalAdvance(line));
    const int height = metrics.height() * static_cast<int>(lines.size());

    left = x + 3;
    top = y - height - 5;
    text = newText;
    setGeometry(left, top, width + 6, height + 2);
    if (!shown) {
        show();
        shown = true;
    }
    update();
}

void C_ColorToolTip::mouseMoveEvent(QMouseEvent* event) {
    QWidget* owner = parentWidget();
    if (!owner) return;
    QMouseEvent forwarded(QEvent::MouseMove, owner->mapFromGlobal(event->globalPosition()), event->globalPosition(),
                          event->button(), event->buttons(), event->modifiers());
    QCoreApplication::sendEvent(owner, &forwarded);
}

void C_ColorToolTip::mousePressEvent(QMouseEvent* event) {
    QWidget* owner = parentWidget();
    if (!owner) return;
    QMouseEvent forwarded(QEvent::MouseButtonPress, owner->mapFromGlobal(event->globalPosition()),
                          event->globalPosition(), event->button(), event->buttons(), event->modifiers());
    QCoreApplication::sendEvent(owner, &forwarded);
}

void C_ColorToolTip::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    QWidget* owner = parentWidget();
    // Off the tooltip and off the owner too: the owner has been left.
    if (owner && !owner->rect().contains(owner->mapFromGlobal(QCursor::pos()))) {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(owner, &leave);
    }
}

void C_ColorToolTip::Hide() {
    if (!shown) return;
    hide();
    shown = false;
}

void C_ColorToolTip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int w = width();
    const int h = height();
    painter.fillRect(0, 0, w, h, backgroundColour);
    painter.fillRect(0, 0, w, 1, borderColour);
    painter.fillRect(0, h - 1, w, 1, borderColour);
    painter.fillRect(0, 0, 1, h, borderColour);
    painter.fillRect(w - 1, 0, 1, h, borderColour);

    painter.setFont(tipFont);
    painter.setPen(textColour);
    const QFontMetrics metrics(tipFont);
    const int pitch = metrics.height();  // the height of "X": a full line
    const QStringList lines = SplitLines(text);
    for (int i = 0; i < lines.size(); ++i) {
        // Lines are placed by their top-left corner.
        painter.drawText(3, 1 + i * pitch + metrics.ascent(), lines[i]);
    }
}

}  // namespace velmarin
