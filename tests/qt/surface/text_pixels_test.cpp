// What text left on a page: exactly the pixels a text drawing changed, on
// every page format, told from a plain comparison of the page before and
// after the drawing.
#include <gtest/gtest.h>

#include <QFont>
#include <QImage>
#include <QPainter>

#include "core/test_names.h"
#include "qt/chart/gui_application.h"
#include "qt/surface/qt_text_pixels.h"

namespace velmarin {
namespace {

struct PageCase {
    QImage::Format format;
    QRect box;  // where the text may draw; may cross the page's edge
};

class TextPixelsOnPage : public ::testing::TestWithParam<PageCase> {};

TEST_P(TextPixelsOnPage, RecognisesExactlyThePixelsTheTextChanged) {
    testing::EnsureGuiApplication();
    const PageCase c = GetParam();
    QImage page(120, 60, c.format);
    page.fill(QColor(90, 200, 120));
    {
        // Something under the text that it partly covers.
        QPainter painter(&page);
        painter.fillRect(QRect(0, 20, 120, 6), QColor(10, 20, 200));
    }
    const QImage before = page.copy();

    TextPixels text;
    text.Before(page, c.box);
    {
        QPainter painter(&page);
        painter.setClipRect(c.box.intersected(page.rect()));
        QFont font("Arial");
        font.setPixelSize(22);
        painter.setFont(font);
        painter.setPen(QColor(250, 250, 10));
        painter.drawText(c.box.topLeft() + QPoint(2, 24), "Mg Wy");
    }
    text.After(page);

    int changed = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QRgb now = page.pixel(x, y);
            const bool drawn = (now & 0xffffffu) != (before.pixel(x, y) & 0xffffffu);
            changed += drawn ? 1 : 0;
            EXPECT_EQ(text.Shows(QPoint(x, y), now), drawn) << x << ", " << y;
        }
    }
    EXPECT_GT(changed, 50);
    // A pixel a later drawing painted over is no longer the text's.
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (text.Shows(QPoint(x, y), page.pixel(x, y))) {
                EXPECT_FALSE(text.Shows(QPoint(x, y), qRgb(1, 2, 3)));
                return;
            }
        }
    }
}

std::string PageCaseName(const ::testing::TestParamInfo<PageCase>& info) {
    static constexpr std::pair<QImage::Format, const char*> kFormats[] = {
        {QImage::Format_RGB32, "RGB32"}, {QImage::Format_ARGB32_Premultiplied, "ARGB32_Premultiplied"},
        {QImage::Format_ARGB32, "ARGB32"}, {QImage::Format_RGB888, "RGB888"}, {QImage::Format_RGB16, "RGB16"}};
    std::string name = "Format" + std::to_string(static_cast<int>(info.param.format));
    for (const auto& [format, formatName] : kFormats) {
        if (format == info.param.format) name = formatName;
    }
    return name + "_At" + test::NameOfNumber(info.param.box.x()) + "_" + test::NameOfNumber(info.param.box.y());
}

INSTANTIATE_TEST_SUITE_P(
    Formats, TextPixelsOnPage,
    ::testing::Values(PageCase{QImage::Format_RGB32, QRect(10, 5, 100, 40)},
                      PageCase{QImage::Format_ARGB32_Premultiplied, QRect(10, 5, 100, 40)},
                      PageCase{QImage::Format_ARGB32, QRect(10, 5, 100, 40)},
                      // Read through a converted copy.
                      PageCase{QImage::Format_RGB888, QRect(10, 5, 100, 40)},
                      PageCase{QImage::Format_RGB16, QRect(10, 5, 100, 40)},
                      // Boxes across the page's edges: only the page's part counts.
                      PageCase{QImage::Format_RGB32, QRect(-30, -10, 100, 40)},
                      PageCase{QImage::Format_RGB32, QRect(60, 30, 100, 40)},
                      PageCase{QImage::Format_RGB16, QRect(60, 30, 100, 40)}),
    PageCaseName);

TEST(TextPixels, AnEmptyBoxOrATextThatChangedNothingLeavesNoMark) {
    testing::EnsureGuiApplication();
    QImage page(40, 40, QImage::Format_RGB32);
    page.fill(Qt::white);
    TextPixels text;
    text.Before(page, QRect(50, 50, 10, 10));  // off the page
    text.After(page);
    text.Before(page, QRect(5, 5, 20, 20));
    text.After(page);  // nothing drawn in between
    EXPECT_TRUE(text.IsEmpty());
}

}  // namespace
}  // namespace velmarin
