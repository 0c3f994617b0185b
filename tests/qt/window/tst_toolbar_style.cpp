// The toolbar's quicker background: the same pixels as the style's own
// drawing, and the style's own drawing wherever its background varies
// along the toolbar.
#include <QApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionToolBar>
#include <QtTest>
#include <memory>

#include "qt/window/toolbar_background_style.h"

using velmarin::ToolBarBackgroundStyle;

namespace {

QStyleOptionToolBar ToolBarOption(QSize size, Qt::ToolBarArea area, QStyleOptionToolBar::ToolBarPosition line) {
    QStyleOptionToolBar option;
    option.rect = QRect(QPoint(0, 0), size);
    option.state = QStyle::State_Enabled | QStyle::State_Horizontal;
    option.toolBarArea = area;
    option.positionOfLine = line;
    option.palette = QApplication::palette();
    return option;
}

// The background on a page that already shows something, as a window's
// backing store does, clipped to the toolbar as its paint event is.
QImage Background(const QStyle* style, const QStyleOptionToolBar& option, QImage::Format format) {
    QImage page(option.rect.size() + QSize(6, 4), format);
    page.fill(QColor(90, 160, 30));
    if (style == nullptr) return page;
    QPainter painter(&page);
    painter.translate(3, 2);
    painter.setClipRect(option.rect);
    style->drawControl(QStyle::CE_ToolBar, &option, &painter, nullptr);
    return page;
}

// A background that brightens along the toolbar, with a dark end.
class VaryingStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (element != CE_ToolBar) return QProxyStyle::drawControl(element, option, painter, widget);
        QLinearGradient gradient(option->rect.topLeft(), option->rect.topRight());
        gradient.setColorAt(0, Qt::black);
        gradient.setColorAt(1, Qt::white);
        painter->fillRect(option->rect, gradient);
        painter->fillRect(QRect(option->rect.right() - 3, option->rect.top(), 4, 2), Qt::red);
    }
};

}  // namespace

class TestToolBarStyle : public QObject {
    Q_OBJECT
private slots:
    void sameBackgroundAsTheStyle_data();
    void sameBackgroundAsTheStyle();
    void varyingBackgroundIsLeftToTheStyle();
};

void TestToolBarStyle::sameBackgroundAsTheStyle_data() {
    QTest::addColumn<QString>("styleName");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("area");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("format");
    // Fusion, Qt's own style on every platform, draws a gradient with
    // translucent lines; the Windows style draws no background at all.
    for (const QString& name : {QStringLiteral("Fusion")}) {
        for (const QSize size : {QSize(2000, 29), QSize(13, 29), QSize(640, 1)}) {
            const QByteArray row = name.toUtf8() + ' ' + QByteArray::number(size.width());
            QTest::newRow(row + " top") << name << size << int(Qt::TopToolBarArea)
                                        << int(QStyleOptionToolBar::OnlyOne) << int(QImage::Format_RGB32);
            QTest::newRow(row + " bottom, middle line") << name << size << int(Qt::BottomToolBarArea)
                                                        << int(QStyleOptionToolBar::Middle)
                                                        << int(QImage::Format_ARGB32_Premultiplied);
        }
    }
}

void TestToolBarStyle::sameBackgroundAsTheStyle() {
    QFETCH(QString, styleName);
    QFETCH(QSize, size);
    QFETCH(int, area);
    QFETCH(int, line);
    QFETCH(int, format);
    std::unique_ptr<QStyle> plain(QStyleFactory::create(styleName));
    QVERIFY(plain);
    ToolBarBackgroundStyle quick(QStyleFactory::create(styleName));
    const QStyleOptionToolBar option = ToolBarOption(size, Qt::ToolBarArea(area),
                                                     QStyleOptionToolBar::ToolBarPosition(line));
    const QImage expected = Background(plain.get(), option, QImage::Format(format));
    const QImage drawn = Background(&quick, option, QImage::Format(format));
    QVERIFY(expected != Background(nullptr, option, QImage::Format(format)));
    QCOMPARE(drawn, expected);
}

void TestToolBarStyle::varyingBackgroundIsLeftToTheStyle() {
    const QStyleOptionToolBar option = ToolBarOption(QSize(900, 20), Qt::TopToolBarArea, QStyleOptionToolBar::OnlyOne);
    VaryingStyle varying(QStyleFactory::create(QStringLiteral("Fusion")));
    ToolBarBackgroundStyle quick(new VaryingStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
    QCOMPARE(Background(&quick, option, QImage::Format_RGB32), Background(&varying, option, QImage::Format_RGB32));
}

QTEST_MAIN(TestToolBarStyle)
#include "tst_toolbar_style.moc"
