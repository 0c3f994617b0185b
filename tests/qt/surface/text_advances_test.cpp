// Text widths kept across drawings: one table serves every font and text,
// and each answer is what Qt measures for that font.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "qt/chart/gui_application.h"
#include "qt/surface/qt_painter_surface.h"
#include "qt/surface/qt_text_advances.h"

namespace velmarin {
namespace {

Font MakeFont(const char* face, int height, int weight, int escapement = 0) {
    Font font;
    font.face = face;
    font.height = height;
    font.weight = weight;
    font.escapement = escapement;
    return font;
}

TEST(TextAdvances, EveryFontAndTextGetsQtsOwnWidthFromOneTable) {
    testing::EnsureGuiApplication();
    QImage page(10, 10, QImage::Format_RGB32);
    const std::vector<Font> fonts = {
        MakeFont("Arial", -14, 400),          MakeFont("Arial", -14, 700), MakeFont("Arial", -15, 400),
        MakeFont("Arial", 20, 400),           MakeFont("Liberation Serif", -14, 400),
        MakeFont("Arial", -14, 400, 900)};
    const std::vector<std::string> texts = {"8", "88", "Sep", "Mond-Knoten", "Dämmerung", "", "M W"};
    TextAdvances advances;
    // Twice round, fonts and texts interleaved: the second round answers from the table.
    for (int round = 0; round < 2; ++round) {
        for (const std::string& text : texts) {
            for (const Font& font : fonts) {
                const QFontMetrics metrics(ToQFont(font), &page);
                const int expected = metrics.horizontalAdvance(QString::fromStdString(text));
                EXPECT_EQ(advances.Of(font, text, metrics), expected)
                    << font.face << " " << font.height << " " << font.weight << " '" << text << "'";
            }
        }
    }
}

TEST(TextAdvances, SurfacesSharingATableMeasureAsAFreshSurface) {
    testing::EnsureGuiApplication();
    TextAdvances kept;
    for (const int height : {-14, -22, -14}) {
        QImage shared(100, 50, QImage::Format_RGB32);
        QImage fresh(100, 50, QImage::Format_RGB32);
        QPainter sharedPainter(&shared);
        QPainter freshPainter(&fresh);
        QtPainterSurface withTable(sharedPainter, 100, 50, false, &shared, nullptr, nullptr, &kept);
        QtPainterSurface alone(freshPainter, 100, 50, false, &fresh);
        for (const int weight : {400, 700}) {
            withTable.SelectFont(MakeFont("Arial", height, weight));
            alone.SelectFont(MakeFont("Arial", height, weight));
            for (const char* text : {"Jan", "24", "Sternzeit 0h"}) {
                const TextSize got = withTable.GetTextExtent(text);
                const TextSize expected = alone.GetTextExtent(text);
                EXPECT_EQ(got.cx, expected.cx) << height << " " << weight << " " << text;
                EXPECT_EQ(got.cy, expected.cy) << height << " " << weight << " " << text;
            }
        }
    }
}

}  // namespace
}  // namespace velmarin
