// Text drawn from kept glyphs: on a raster page, the surface's text is
// pixel for pixel what QPainter::drawText draws, for every font and text
// the chart uses, drawn once and again from the kept table.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "qt/chart/gui_application.h"
#include "qt/surface/qt_painter_surface.h"
#include "qt/surface/qt_text_glyphs.h"

namespace velmarin {
namespace {

Font MakeFont(const char* face, int height, int weight) {
    Font font;
    font.face = face;
    font.height = height;
    font.weight = weight;
    return font;
}

// The page as drawText leaves it: the text's top-left corner at (x, y),
// its baseline one ascent below, over a background with a line across.
QImage Background() {
    QImage page(360, 60, QImage::Format_RGB32);
    page.fill(QColor(140, 200, 245));
    QPainter painter(&page);
    painter.fillRect(QRect(0, 24, 360, 3), QColor(80, 80, 140));
    return page;
}

TEST(TextGlyphs, TextFromKeptGlyphsHasTheSamePixelsAsDrawText) {
    testing::EnsureGuiApplication();
    const std::vector<Font> fonts = {MakeFont("Arial", -14, 400), MakeFont("Arial", -14, 700),
                                     MakeFont("Arial", 20, 400), MakeFont("Arial", -11, 400),
                                     MakeFont("Liberation Serif", -17, 400)};
    // Umlauts, degree signs, arrows from a fallback face, kerning pairs.
    const std::vector<std::string> texts = {"Jan", "Dämmerung 2026", "Jupiter \u2191", "Saturn Kulm.",
                                            "Für Ort 52.00°N / 9.80°O,", "\u2191 Aufgang, \u2193 Untergang",
                                            "AV Wa To", "12"};
    TextGlyphs kept;
    for (int round = 0; round < 2; ++round) {
        for (const Font& font : fonts) {
            for (const std::string& text : texts) {
                const QString qtext = QString::fromStdString(text);
                QImage expected = Background();
                {
                    QPainter painter(&expected);
                    painter.setRenderHint(QPainter::TextAntialiasing, true);
                    painter.setFont(ToQFont(font));
                    painter.setPen(QColor(0, 0, 0));
                    painter.drawText(QPoint(7, 5 + QFontMetrics(ToQFont(font), &expected).ascent()), qtext);
                }
                QImage drawn = Background();
                {
                    QPainter painter(&drawn);
                    QtPainterSurface surface(painter, drawn.width(), drawn.height(), false, &drawn, nullptr,
                                             nullptr, nullptr, &kept);
                    surface.SelectFont(font);
                    surface.SetBackgroundMode(BackgroundMode::Transparent);
                    surface.SetTextColor(Rgb(0, 0, 0));
                    surface.TextOut(7, 5, text);
                }
                EXPECT_FALSE(kept.Of(font, text, ToQFont(font)).isEmpty()) << text;
                EXPECT_TRUE(drawn == expected) << font.face << " " << font.height << " " << font.weight
                                               << " \"" << text << "\" round " << round;
            }
        }
    }
}

TEST(TextGlyphs, TextWithControlCharactersIsLeftToDrawText) {
    testing::EnsureGuiApplication();
    TextGlyphs kept;
    const Font font = MakeFont("Arial", -14, 400);
    EXPECT_TRUE(kept.Of(font, "a\tb", ToQFont(font)).isEmpty());
    EXPECT_TRUE(kept.Of(font, "zwei\nZeilen", ToQFont(font)).isEmpty());
    EXPECT_FALSE(kept.Of(font, "a b", ToQFont(font)).isEmpty());
}

}  // namespace
}  // namespace velmarin
