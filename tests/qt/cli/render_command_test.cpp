// `velmarin render`: files of the asked size and kind, and nothing at all on
// bad input.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <string>
#include <utility>
#include <vector>

#include "core/test_names.h"
#include "qt/chart/gui_application.h"
#include "qt/cli/render_command.h"

namespace velmarin {
namespace {

class RenderCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::EnsureGuiApplication();
        ASSERT_TRUE(folder.isValid());
        // No settings file of the user's may leak in.
        qputenv("XDG_CONFIG_HOME", folder.filePath("config").toLocal8Bit());
    }
    std::string PathOf(const char* name) const { return folder.filePath(name).toStdString(); }
    QStringList Files() const { return QDir(folder.path()).entryList(QDir::Files); }

    QTemporaryDir folder;
};

TEST_F(RenderCommandTest, WritesEachFormatAtTheAskedSize) {
    const std::string png = PathOf("chart.png");
    EXPECT_EQ(RunRenderCommand({"--output", png, "--year", "2024", "--size", "320x200", "--mode",
                                "twilight", "--lat", "69", "--print"}),
              0);
    const QImage image(QString::fromStdString(png));
    EXPECT_EQ(image.size(), QSize(320, 200));

    const std::string svg = PathOf("chart.svg");
    EXPECT_EQ(RunRenderCommand({"--output", svg, "--size", "300x400", "--code", "both"}), 0);
    QFile svgFile(QString::fromStdString(svg));
    ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
    const QByteArray svgText = svgFile.readAll();
    EXPECT_TRUE(svgText.contains("viewBox=\"0 0 300 400\""));
    EXPECT_TRUE(svgText.contains("Astronomischer Kalender"));

    const std::string pdf = PathOf("chart.pdf");
    EXPECT_EQ(RunRenderCommand({"--output", pdf, "--size", "640x480", "--mode", "sun"}), 0);
    QFile pdfFile(QString::fromStdString(pdf));
    ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
    const QByteArray pdfText = pdfFile.readAll();
    EXPECT_TRUE(pdfText.startsWith("%PDF"));
    EXPECT_TRUE(pdfText.contains("/MediaBox [0 0 640"));
    EXPECT_EQ(Files().size(), 3);  // no temporary files left
}

TEST_F(RenderCommandTest, BadInputWritesNothingAndExitsWithTwo) {
    const std::vector<std::vector<std::string>> bad = {
        {"--output", PathOf("a.png"), "--mode", "upside-down"},
        {"--output", PathOf("b.png"), "--size", "0x0"},
        {"--output", PathOf("c.png"), "--lat", "91"},
        {"--output", PathOf("d.png"), "--year", "1000000"},
        {"--output", PathOf("e.png"), "--bogus"},
        {"--output", PathOf("missing/f.png")},
        {"--output", PathOf("folder.png")},  // a folder of that name is in the way
    };
    ASSERT_TRUE(QDir(folder.path()).mkdir("folder.png"));
    for (const auto& args : bad) {
        EXPECT_EQ(RunRenderCommand(args), 2) << args[1];
    }
    EXPECT_TRUE(Files().isEmpty()) << Files().join(",").toStdString();
}

// Sheets by their standard sizes in millimetres (ISO 216; Letter is 8.5 x 11 in).
struct SheetCase {
    const char* paper;
    const char* dpi;  // nullptr: the default, 300
    const char* orientation;
    double shortMm;
    double longMm;
    int expectedDpi;
};

class RenderPaperTest : public RenderCommandTest, public ::testing::WithParamInterface<SheetCase> {};

// The side in dots of `mm` at `dpi`.
double Dots(double mm, int dpi) { return mm / 25.4 * dpi; }

TEST_P(RenderPaperTest, EachFormatHasTheSheetsSize) {
    const SheetCase& c = GetParam();
    const bool landscape = std::string(c.orientation) == "landscape";
    const double widthMm = landscape ? c.longMm : c.shortMm;
    const double heightMm = landscape ? c.shortMm : c.longMm;
    auto args = [&](const std::string& output) {
        std::vector<std::string> words{"--output", output, "--print", "--paper", c.paper,
                                       "--orientation", c.orientation};
        if (c.dpi != nullptr) words.insert(words.end(), {"--dpi", c.dpi});
        return words;
    };

    // PNG: the sheet in pixels, with its resolution recorded.
    const std::string png = PathOf("sheet.png");
    ASSERT_EQ(RunRenderCommand(args(png)), 0);
    const QImage image(QString::fromStdString(png));
    EXPECT_NEAR(image.width(), Dots(widthMm, c.expectedDpi), 1.0);
    EXPECT_NEAR(image.height(), Dots(heightMm, c.expectedDpi), 1.0);
    EXPECT_NEAR(image.dotsPerMeterX(), c.expectedDpi / 0.0254, 1.0);

    // PDF: one page of the paper, in points.
    const std::string pdf = PathOf("sheet.pdf");
    ASSERT_EQ(RunRenderCommand(args(pdf)), 0);
    QFile pdfFile(QString::fromStdString(pdf));
    ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
    const QString pdfText = QString::fromLatin1(pdfFile.readAll());
    const QRegularExpressionMatch box =
        QRegularExpression(R"(/MediaBox \[0 0 ([0-9.]+) ([0-9.]+)\])").match(pdfText);
    ASSERT_TRUE(box.hasMatch());
    EXPECT_NEAR(box.captured(1).toDouble(), Dots(widthMm, 72), 0.5);
    EXPECT_NEAR(box.captured(2).toDouble(), Dots(heightMm, 72), 0.5);
    EXPECT_EQ(pdfText.count(QRegularExpression(R"(/Type\s*/Page\b)")), 1);

    // SVG: the sheet's size in millimetres.
    const std::string svg = PathOf("sheet.svg");
    ASSERT_EQ(RunRenderCommand(args(svg)), 0);
    QFile svgFile(QString::fromStdString(svg));
    ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
    const QRegularExpressionMatch size =
        QRegularExpression(R"(width="([0-9.]+)mm" height="([0-9.]+)mm")").match(QString::fromUtf8(svgFile.readAll()));
    ASSERT_TRUE(size.hasMatch());
    EXPECT_NEAR(size.captured(1).toDouble(), widthMm, 0.5);
    EXPECT_NEAR(size.captured(2).toDouble(), heightMm, 0.5);
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, RenderPaperTest,
    ::testing::Values(SheetCase{"A4", nullptr, "landscape", 210.0, 297.0, 300},
                      SheetCase{"A4", "72", "portrait", 210.0, 297.0, 72},
                      SheetCase{"A3", "100", "portrait", 297.0, 420.0, 100},
                      SheetCase{"Letter", "150", "landscape", 215.9, 279.4, 150}),
    [](const ::testing::TestParamInfo<SheetCase>& info) {
        return std::string(info.param.paper) + "_" + (info.param.dpi ? info.param.dpi : "default") + "dpi_" +
               info.param.orientation;
    });

TEST_F(RenderCommandTest, APaperSheetIsThePrintPassAtTheSheetsPixels) {
    // At 300 dpi, the resolution the print pens' dot counts are for, a sheet
    // is the print pass at its pixels: A4 is 3508 x 2480; portrait turns the
    // chart. (At other resolutions the pens scale: print_widths_test.)
    for (const auto& [orientation, size] :
         {std::pair{"landscape", "3508x2480"}, std::pair{"portrait", "2480x3508"}}) {
        const std::string sheet = PathOf("sheet.png");
        const std::string sized = PathOf("sized.png");
        ASSERT_EQ(RunRenderCommand({"--output", sheet, "--year", "2026", "--print", "--paper", "A4",
                                    "--dpi", "300", "--orientation", orientation}),
                  0);
        ASSERT_EQ(RunRenderCommand({"--output", sized, "--year", "2026", "--print", "--size", size}), 0);
        const QImage a(QString::fromStdString(sheet));
        const QImage b(QString::fromStdString(sized));
        ASSERT_EQ(a.size(), b.size()) << orientation;
        EXPECT_TRUE(a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32))
            << orientation;
    }
}

TEST_F(RenderCommandTest, TargetsAreDrawnAndABadTargetsFileWritesNothing) {
    const std::string plain = PathOf("plain.png");
    const std::string withTargets = PathOf("targets.png");
    ASSERT_EQ(RunRenderCommand({"--output", plain, "--year", "2026"}), 0);
    ASSERT_EQ(RunRenderCommand({"--output", withTargets, "--year", "2026", "--targets", "messier"}), 0);
    EXPECT_FALSE(QImage(QString::fromStdString(plain)) == QImage(QString::fromStdString(withTargets)));

    // A declination beyond 90 degrees on line 3.
    const std::string list = PathOf("list.csv");
    QFile file(QString::fromStdString(list));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("name,ra,dec\nVega,18:36:56,+38:47:01\nNowhere,1.0,95\n");
    file.close();
    const std::string refused = PathOf("refused.png");
    EXPECT_EQ(RunRenderCommand({"--output", refused, "--year", "2026", "--targets", list}), 2);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(refused)));
}

TEST_F(RenderCommandTest, ASheetTooLargeForAnImageIsRefused) {
    // A3 at 1200 dpi is 14032 x 19843 pixels.
    EXPECT_EQ(RunRenderCommand({"--output", PathOf("huge.png"), "--print", "--paper", "A3", "--dpi",
                                "1200", "--orientation", "portrait"}),
              2);
    EXPECT_TRUE(Files().isEmpty()) << Files().join(",").toStdString();
}

}  // namespace
}  // namespace velmarin
