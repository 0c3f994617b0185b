// The PNG files hold exactly the page's pixels: each written file is read
// back by Qt's reader (libpng) and held against the image, beside the file
// Qt's own writer makes of the same page, which must decode the same.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <string>

#include <zlib.h>

#include "core/chart/draw_chart.h"
#include "qt/chart/gui_application.h"
#include "qt/surface/png_writer.h"
#include "qt/surface/qt_chart_output.h"
#include "qt/surface/qt_painter_surface.h"

namespace velmarin {
namespace {

QImage Decoded(const QByteArray& file) {
    QImage image = QImage::fromData(file, "PNG");
    return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
}

QByteArray QtWriterFile(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// The colour type byte of the IHDR chunk: 2 truecolour, 3 palette.
int ColourType(const QByteArray& file) { return file.size() > 25 ? static_cast<unsigned char>(file[25]) : -1; }

struct ChartCase {
    std::string name;
    DisplayMode mode;
    bool print;
    bool overlays;  // planets and moonlight on the twilight chart: many more colours
    int width;
    int height;
};

class PngOfChart : public ::testing::TestWithParam<ChartCase> {};

TEST_P(PngOfChart, DecodesToThePagesPixelsAndIsNoLargerThanQtsFile) {
    testing::EnsureGuiApplication();
    const ChartCase& c = GetParam();
    ChartSettings settings;
    settings.displayMode = c.mode;
    settings.showPlanets = c.overlays;
    settings.showMoonlight = c.overlays;
    ChartViewState state;
    const QImage page = DrawOnImage(c.width, c.height, c.print, [&](Surface& surface) {
        DrawChart(surface, ScreenCharHeight(), 2026, 2461041.5, settings, state);
    });
    ASSERT_FALSE(page.isNull());
    const QByteArray ours = EncodePng(page);
    const QByteArray qts = QtWriterFile(page);
    ASSERT_FALSE(ours.isEmpty());
    EXPECT_TRUE(Decoded(ours) == page);
    EXPECT_TRUE(Decoded(qts) == Decoded(ours));
    EXPECT_LE(ours.size(), qts.size());
    // A palette exactly when the colours fit in one.
    EXPECT_EQ(ColourType(ours), PaletteOf(page).empty() ? 2 : 3);
}

INSTANTIATE_TEST_SUITE_P(
    Charts, PngOfChart,
    ::testing::Values(ChartCase{"normal", DisplayMode::Normal, false, false, 1280, 960},
                      ChartCase{"sun_print", DisplayMode::Sun, true, false, 1100, 800},
                      ChartCase{"midnight_tall", DisplayMode::Midnight, false, false, 600, 1800},
                      ChartCase{"twilight_overlays", DisplayMode::Twilight, false, true, 1280, 960},
                      ChartCase{"twilight_tiny", DisplayMode::Twilight, false, false, 40, 30}),
    [](const ::testing::TestParamInfo<ChartCase>& info) { return info.param.name; });

// An image of exactly `colours` colours (each at least once), in stripes.
QImage ColourStripes(int colours, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int i = (x + y * width) % colours;
            row[x] = qRgb(i & 255, (i >> 8) & 255, 200);  // distinct for every i < 65536
        }
    }
    return image;
}

struct PaletteCase {
    int colours;
    int expectedType;
};

class PngPalette : public ::testing::TestWithParam<PaletteCase> {};

TEST_P(PngPalette, PaletteUpTo256ColoursTruecolourBeyond) {
    const QImage image = ColourStripes(GetParam().colours, 97, 61);
    const QByteArray file = EncodePng(image);
    EXPECT_EQ(ColourType(file), GetParam().expectedType);
    EXPECT_TRUE(Decoded(file) == image);
    EXPECT_EQ(PaletteOf(image).size(), GetParam().expectedType == 3 ? std::size_t(GetParam().colours) : 0u);
}

INSTANTIATE_TEST_SUITE_P(Counts, PngPalette,
                         ::testing::Values(PaletteCase{1, 3}, PaletteCase{2, 3}, PaletteCase{255, 3},
                                           PaletteCase{256, 3}, PaletteCase{257, 2}, PaletteCase{5000, 2}),
                         [](const ::testing::TestParamInfo<PaletteCase>& info) {
                             return "colours_" + std::to_string(info.param.colours);
                         });

TEST(PngWriter, KeepsTheResolutionAsQtsWriterDoes) {
    QImage image = ColourStripes(3, 20, 10);
    image.setDotsPerMeterX(23622);  // 600 dpi
    image.setDotsPerMeterY(11811);
    const QImage decoded = QImage::fromData(EncodePng(image), "PNG");
    EXPECT_EQ(decoded.dotsPerMeterX(), 23622);
    EXPECT_EQ(decoded.dotsPerMeterY(), 11811);
}

TEST(PngWriter, ImageWithTranslucencyKeepsItsAlpha) {
    QImage image(8, 8, QImage::Format_ARGB32);
    image.fill(qRgba(10, 20, 30, 128));
    const QImage decoded = QImage::fromData(EncodePng(image), "PNG").convertToFormat(QImage::Format_ARGB32);
    EXPECT_TRUE(decoded == image);
    EXPECT_TRUE(EncodePng(QImage()).isEmpty());
}

// Bands of uneven heights (1 row, a few, the rest) make the same pixels as the whole.
TEST(PngStreamTest, BandsInAnyHeightsGiveTheWholeImage) {
    const QImage image = ColourStripes(5000, 131, 77);
    for (const int bandRows : {1, 7, 76, 77}) {
        PngStream stream(image.width(), image.height(), image.dotsPerMeterX(), image.dotsPerMeterY());
        for (int top = 0; top < image.height(); top += bandRows) {
            const int rows = std::min(bandRows, image.height() - top);
            // A band is a separate image, taller than the rows it gives.
            QImage band(image.width(), bandRows + 3, QImage::Format_RGB32);
            band.fill(Qt::red);
            QPainter(&band).drawImage(0, 0, image.copy(0, top, image.width(), rows));
            ASSERT_TRUE(stream.Append(band, rows));
        }
        const QByteArray file = stream.Finish();
        EXPECT_EQ(ColourType(file), 2);
        EXPECT_TRUE(Decoded(file) == image) << bandRows << " rows a band";
    }
}

// The image data of a PNG file: its IDAT chunks joined.
std::string ImageData(const QByteArray& file) {
    std::string data;
    for (qsizetype at = 8; at + 12 <= file.size();) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(file.constData() + at);
        const std::size_t length = std::size_t(bytes[0]) << 24 | std::size_t(bytes[1]) << 16 | std::size_t(bytes[2]) << 8 | bytes[3];
        if (file.mid(at + 4, 4) == "IDAT") data.append(file.constData() + at + 8, length);
        at += static_cast<qsizetype>(length) + 12;
    }
    return data;
}

// The image data inflated by zlib, which checks the stream's Adler-32 and
// that nothing follows its end; empty when it fails.
std::string Inflated(const std::string& data, std::size_t expectedSize) {
    std::string out(expectedSize + 1, '\0');
    uLongf size = static_cast<uLongf>(out.size());
    uLong used = static_cast<uLong>(data.size());
    const int status = uncompress2(reinterpret_cast<Bytef*>(out.data()), &size,
                                   reinterpret_cast<const Bytef*>(data.data()), &used);
    if (status != Z_OK || used != data.size()) return {};
    out.resize(size);
    return out;
}

struct PieceCase {
    std::string name;
    DisplayMode mode;
    bool print;
    std::size_t pieceBytes;
    int bandRows;
};

class PngStreamPieces : public ::testing::TestWithParam<PieceCase> {};

// Pieces of one row up to the whole page, with bands across them: one
// zlib stream (its check and end right) of exactly the page's pixels.
TEST_P(PngStreamPieces, JoinIntoOneStreamOfThePagesPixels) {
    testing::EnsureGuiApplication();
    const PieceCase& c = GetParam();
    ChartSettings settings;
    settings.displayMode = c.mode;
    settings.showPlanets = 1;
    settings.showMoonlight = 1;
    ChartViewState state;
    const QImage page = DrawOnImage(700, 530, c.print, [&](Surface& surface) {
        DrawChart(surface, ScreenCharHeight(), 2026, 2461041.5, settings, state);
    });
    PngStream stream(page.width(), page.height(), page.dotsPerMeterX(), page.dotsPerMeterY(), c.pieceBytes);
    for (int top = 0; top < page.height(); top += c.bandRows) {
        const int rows = std::min(c.bandRows, page.height() - top);
        ASSERT_TRUE(stream.Append(page.copy(0, top, page.width(), rows), rows));
    }
    const QByteArray file = stream.Finish();
    const std::size_t stride = 1 + 3 * std::size_t(page.width());
    const std::string rows = Inflated(ImageData(file), stride * std::size_t(page.height()));
    ASSERT_EQ(rows.size(), stride * std::size_t(page.height()));
    for (int y = 0; y < page.height(); ++y) {
        const int filter = static_cast<unsigned char>(rows[stride * std::size_t(y)]);
        // None, Sub, Up or Paeth.
        EXPECT_TRUE(filter <= 4 && filter != 3) << "row " << y;
    }
    EXPECT_TRUE(Decoded(file) == page);
    // Pieces as large as the page compress no worse than Qt's writer.
    if (c.pieceBytes >= stride * std::size_t(page.height())) {
        EXPECT_LE(file.size(), QtWriterFile(page).size());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, PngStreamPieces,
    ::testing::Values(PieceCase{"twilight_rows_of_one", DisplayMode::Twilight, false, 1, 530},
                      PieceCase{"sun_print_pieces_of_7_rows", DisplayMode::Sun, true, 7 * 2101, 64},
                      PieceCase{"midnight_pieces_across_bands", DisplayMode::Midnight, false, 100000, 37},
                      PieceCase{"normal_whole_piece", DisplayMode::Normal, false, kPngPieceBytes, 100},
                      PieceCase{"twilight_whole_piece", DisplayMode::Twilight, true, kPngPieceBytes, 1}),
    [](const ::testing::TestParamInfo<PieceCase>& info) { return info.param.name; });

TEST(PngStreamTest, MissingOrExtraRowsGiveNoFile) {
    const QImage image = ColourStripes(7, 10, 10);
    PngStream missing(10, 10, 0, 0);
    ASSERT_TRUE(missing.Append(image, 9));
    EXPECT_TRUE(missing.Finish().isEmpty());
    PngStream extra(10, 10, 0, 0);
    ASSERT_TRUE(extra.Append(image, 10));
    EXPECT_FALSE(extra.Append(image, 1));
    EXPECT_TRUE(extra.Finish().isEmpty());
    PngStream narrow(11, 10, 0, 0);
    EXPECT_FALSE(narrow.Append(image, 10));
}

}  // namespace
}  // namespace velmarin
