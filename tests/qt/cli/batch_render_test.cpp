// `velmarin render` with --years, --modes, --places: one file per chart from
// the pattern, or one PDF of them all; a failing chart stops the batch and
// leaves no file cut.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "qt/chart/gui_application.h"
#include "qt/cli/render_command.h"

namespace velmarin {
namespace {

class BatchRenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::EnsureGuiApplication();
        ASSERT_TRUE(folder.isValid());
        qputenv("XDG_CONFIG_HOME", folder.filePath("config").toLocal8Bit());
    }
    std::string PathOf(const QString& name) const { return folder.filePath(name).toStdString(); }
    QStringList Files(const QString& sub = {}) const {
        return QDir(folder.filePath(sub)).entryList(QDir::Files, QDir::Name);
    }
    void WritePlaces(const QByteArray& text) const {
        QFile file(folder.filePath("places.csv"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QImage Image(const QString& name) const {
        return QImage(folder.filePath(name)).convertToFormat(QImage::Format_RGB32);
    }

    QTemporaryDir folder;
};

TEST_F(BatchRenderTest, EveryCombinationGetsItsFileWithTheSinglesPixels) {
    WritePlaces("name,lat,lon,zone\nTromsø,69.65,18.96,Europe/Oslo\nQuito,-0.18,-78.47,\n");
    ASSERT_TRUE(QDir(folder.path()).mkdir("c"));
    ASSERT_EQ(RunRenderCommand({"--years", "2026,2030", "--modes", "twilight,sun", "--places", PathOf("places.csv"),
                                "--size", "400x300", "--output", PathOf("c/{place}-{year}-{mode}.png")}),
              0);
    const QStringList expected = {"Quito-2026-sun.png",  "Quito-2026-twilight.png",  "Quito-2030-sun.png",
                                  "Quito-2030-twilight.png", "Tromsø-2026-sun.png", "Tromsø-2026-twilight.png",
                                  "Tromsø-2030-sun.png", "Tromsø-2030-twilight.png"};
    EXPECT_EQ(Files("c"), expected);
    // The same charts one at a time.
    ASSERT_EQ(RunRenderCommand({"--year", "2030", "--mode", "twilight", "--lat", "69.65", "--lon", "18.96", "--zone",
                                "Europe/Oslo", "--size", "400x300", "--output", PathOf("one.png")}),
              0);
    EXPECT_TRUE(Image("one.png") == Image("c/Tromsø-2030-twilight.png"));
    // A place without a zone takes the command's observer settings otherwise.
    ASSERT_EQ(RunRenderCommand({"--year", "2026", "--mode", "sun", "--lat", "-0.18", "--lon", "-78.47", "--size",
                                "400x300", "--output", PathOf("two.png")}),
              0);
    EXPECT_TRUE(Image("two.png") == Image("c/Quito-2026-sun.png"));
    EXPECT_FALSE(Image("c/Quito-2026-sun.png") == Image("c/Quito-2030-sun.png"));
}

int PdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    return static_cast<int>(QString::fromLatin1(file.readAll()).count(QRegularExpression("/Type /Page\\b(?!s)")));
}

TEST_F(BatchRenderTest, OnePdfWithoutFieldsIsAnAtlasWithAPagePerChart) {
    ASSERT_EQ(RunRenderCommand({"--years", "2026..2028", "--modes", "normal,sun", "--output", PathOf("atlas.pdf")}),
              0);
    EXPECT_EQ(Files(), QStringList{"atlas.pdf"});
    EXPECT_EQ(PdfPages(folder.filePath("atlas.pdf")), 6);
    ASSERT_EQ(RunRenderCommand({"--years", "2026", "--output", PathOf("single.pdf")}), 0);
    EXPECT_EQ(PdfPages(folder.filePath("single.pdf")), 1);
}

TEST_F(BatchRenderTest, AFailingChartStopsTheBatchAndLeavesNoFileCut) {
    // The folder of the twilight charts is missing: those cannot be written.
    ASSERT_TRUE(QDir(folder.path()).mkdir("sun"));
    EXPECT_EQ(RunRenderCommand({"--years", "2026..2045", "--modes", "sun,twilight", "--size", "200x150",
                                "--output", PathOf("{mode}/{year}.png")}),
              2);
    // Whatever was written before the stop is whole; nothing else is left.
    const QStringList written = Files("sun");
    EXPECT_LT(written.size(), 20);
    for (const QString& name : written) {
        EXPECT_TRUE(name.endsWith(".png")) << name.toStdString();
        EXPECT_EQ(QImage(folder.filePath("sun/" + name)).size(), QSize(200, 150)) << name.toStdString();
    }
    EXPECT_TRUE(Files().isEmpty());
}

TEST_F(BatchRenderTest, BadPlacesFilesWriteNothing) {
    for (const QByteArray& text : {QByteArray("A,1,2,Mars/Olympus_Mons\n"), QByteArray("A,1\n"), QByteArray()}) {
        WritePlaces(text);
        EXPECT_EQ(RunRenderCommand({"--places", PathOf("places.csv"), "--output", PathOf("{place}.png")}), 2)
            << text.toStdString();
        EXPECT_EQ(Files(), QStringList{"places.csv"});
    }
    EXPECT_EQ(RunRenderCommand({"--years", "2026,2027", "--output", PathOf("{place}-{year}.png")}), 2);
    EXPECT_EQ(RunRenderCommand({"--places", PathOf("none.csv"), "--output", PathOf("{place}.png")}), 2);
    EXPECT_EQ(Files(), QStringList{"places.csv"});
}

}  // namespace
}  // namespace velmarin
