#include "qt/window/toolbar_background_style.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QStyleOptionToolBar>

namespace velmarin {

namespace {

// Columns of the strip: its two ends, and inner columns enough to tell
// whether the style's drawing changes along the toolbar.
constexpr int kStripWidth = 12;

bool InnerColumnsAlike(const QImage& strip) {
    for (int y = 0; y < strip.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(strip.constScanLine(y));
        for (int x = 2; x < strip.width() - 1; ++x) {
            if (row[x] != row[1]) return false;
        }
    }
    return true;
}

}  // namespace

void ToolBarBackgroundStyle::drawControl(ControlElement element, const QStyleOption* option,
                                         QPainter* painter, const QWidget* widget) const {
    const auto* bar = qstyleoption_cast<const QStyleOptionToolBar*>(option);
    const QRect rect = option != nullptr ? option->rect : QRect();
    const bool plainPainter = painter != nullptr && painter->device() != nullptr &&
                              painter->device()->devicePixelRatioF() == 1.0 &&
                              painter->worldTransform().type() <= QTransform::TxTranslate;
    if (element != CE_ToolBar || bar == nullptr || !(bar->state & State_Horizontal) || !plainPainter ||
        rect.width() <= kStripWidth || rect.height() <= 0) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    QStyleOptionToolBar narrow = *bar;
    narrow.rect = QRect(0, 0, kStripWidth, rect.height());
    QImage strip(narrow.rect.size(), QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    {
        QPainter stripPainter(&strip);
        stripPainter.setRenderHints(painter->renderHints());
        stripPainter.setFont(painter->font());
        QProxyStyle::drawControl(element, &narrow, &stripPainter, widget);
    }
    if (!InnerColumnsAlike(strip)) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const int stripRight = kStripWidth - 1;
    // The two ends as drawn; the inner part one row at a time, each row a
    // single colour (a single span, which Qt blends on this thread).
    painter->drawImage(QPoint(rect.left(), rect.top()), strip, QRect(0, 0, 1, rect.height()));
    painter->drawImage(QPoint(rect.right(), rect.top()), strip, QRect(stripRight, 0, 1, rect.height()));
    for (int y = 0; y < rect.height(); ++y) {
        const QRgb colour = reinterpret_cast<const QRgb*>(strip.constScanLine(y))[1];
        if (qAlpha(colour) == 0) continue;
        painter->fillRect(QRect(rect.left() + 1, rect.top() + y, rect.width() - 2, 1),
                          QColor::fromRgba(qUnpremultiply(colour)));
    }
}

}  // namespace velmarin
