// `velmarin render`: files of the asked size and kind, and nothing at all on
// bad input.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <string>
#include <vector>

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

}  // namespace
}  // namespace velmarin
