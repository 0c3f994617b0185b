// The caption below the plot stays on the page and off other text at every
// page width from 600 to 1920, landscape and portrait, on screen and paper,
// with the longest caption (both line codings). Text is measured with the
// real fonts; nothing needs to be painted.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QRect>
#include <string>
#include <vector>

#include "core/chart/draw_chart.h"
#include "core/chart/frame_layers.h"
#include "qt/chart/gui_application.h"
#include "qt/surface/qt_painter_surface.h"

namespace velmarin {
namespace {

struct PlacedText {
    std::string text;
    QRect box;
};

// Measures with the Qt fonts, draws nothing, keeps every text's box.
class TextBoxSurface : public Surface {
public:
    TextBoxSurface(int width, int height, bool printing)
        : width_(width), height_(height), printing_(printing), image_(1, 1, QImage::Format_RGB32),
          painter_(&image_), fonts_(painter_, 1, 1, false, &image_) {}
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    bool IsPrinting() const override { return printing_; }
    Pen SelectPen(const Pen& pen) override { return std::exchange(pen_, pen); }
    Brush SelectBrush(const Brush& brush) override { return std::exchange(brush_, brush); }
    Font SelectFont(const Font& font) override {
        fonts_.SelectFont(font);
        return std::exchange(font_, font);
    }
    Font DefaultFont() const override { return fonts_.DefaultFont(); }
    void SetBackgroundMode(BackgroundMode) override {}
    void SetBackgroundColor(Color) override {}
    void SetTextColor(Color) override {}
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
    void Rectangle(int, int, int, int) override {}
    void Ellipse(int, int, int, int) override {}
    void Polygon(const Point*, int) override {}
    void SetPixel(int, int, Color) override {}
    Color GetPixel(int, int) const override { return kInvalidColor; }
    void TextOut(int x, int y, const std::string& text) override {
        const TextSize size = GetTextExtent(text);
        // Text turns counter-clockwise about its top-left corner.
        QRect box(x, y, size.cx, size.cy);
        if (font_.escapement == 900) box = QRect(x, y - size.cx, size.cy, size.cx);
        if (font_.escapement == 2700) box = QRect(x - size.cy, y, size.cy, size.cx);
        texts.push_back(PlacedText{text, box});
    }
    TextSize GetTextExtent(const std::string& text) const override { return fonts_.GetTextExtent(text); }
    void IntersectClipRect(int, int, int, int) override {}

    std::vector<PlacedText> texts;

private:
    int width_, height_;
    bool printing_;
    Pen pen_;
    Brush brush_;
    Font font_ = SurfaceDefaultFont();
    QImage image_;
    QPainter painter_;
    QtPainterSurface fonts_;
};

struct PageShape {
    const char* name;
    int heightPerThousandWidth;
    bool printing;
};

class CaptionLayoutTest : public ::testing::TestWithParam<PageShape> {};

TEST_P(CaptionLayoutTest, CaptionStaysOnThePageAndOffOtherText) {
    const PageShape shape = GetParam();
    testing::EnsureGuiApplication();
    ChartSettings settings;
    settings.codeByDiameter = 1;
    settings.codeByBrightness = 1;
    ChartViewState state;  // kept: the year is computed once
    for (int width = 600; width <= 1920; ++width) {
        const int height = width * shape.heightPerThousandWidth / 1000;
        SCOPED_TRACE(::testing::Message() << width << "x" << height);
        TextBoxSurface dc(width, height, shape.printing);
        DrawChart(dc, ScreenCharHeight(), 2025, 2460700.5, settings, state);
        const std::string whole = AxisCaption(DisplayMode::Normal, settings, state.layout.portrait);
        const std::string brief = AxisCaption(DisplayMode::Normal, settings, state.layout.portrait, {}, true);

        // The caption's lines follow one another and say the whole caption,
        // in full or in its short wording.
        size_t first = 0;
        while (first < dc.texts.size() && dc.texts[first].text.rfind(whole.substr(0, 9), 0) != 0) ++first;
        ASSERT_LT(first, dc.texts.size());
        size_t end = first;
        std::string joined;
        while (end < dc.texts.size() && joined != whole && joined != brief) {
            joined += (joined.empty() ? "" : " ") + dc.texts[end].text;
            ++end;
        }
        ASSERT_TRUE(joined == whole || joined == brief) << joined;
        // The short wording only where the whole one needs more lines.
        if (joined == brief) {
            dc.SelectFont(state.fonts.fontNormal);  // the caption's font
            EXPECT_GT(dc.GetTextExtent(whole).cx, state.layout.plotRight + state.layout.tickLongX -
                                                      (state.layout.plotLeft - state.layout.tickLongX));
        }

        const QRect page(0, 0, width, height);
        for (size_t i = first; i < end; ++i) {
            const QRect& line = dc.texts[i].box;
            EXPECT_TRUE(page.contains(line)) << dc.texts[i].text;
            for (size_t j = 0; j < dc.texts.size(); ++j) {
                if (j == i) continue;
                EXPECT_FALSE(line.intersects(dc.texts[j].box))
                    << dc.texts[i].text << " meets " << dc.texts[j].text;
            }
        }
        if (HasFailure()) return;  // one width's report is enough
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, CaptionLayoutTest,
    ::testing::Values(PageShape{"landscape_4_3", 750, false}, PageShape{"landscape_16_9", 563, false},
                      PageShape{"portrait_3_4", 1333, false}, PageShape{"portrait_9_16", 1778, false},
                      PageShape{"print_landscape", 707, true}, PageShape{"print_portrait", 1414, true}),
    [](const ::testing::TestParamInfo<PageShape>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmarin
