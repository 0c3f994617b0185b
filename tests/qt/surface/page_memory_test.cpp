// The window's page memory: reused across sizes, never while an image
// handed out earlier still uses it, and alive as long as any image does.
#include <gtest/gtest.h>

#include <QImage>
#include <optional>

#include "qt/surface/qt_page_memory.h"

namespace velmarin {
namespace {

QImage Filled(QImage page, QRgb colour) {
    page.fill(colour);
    return page;
}

TEST(PageMemory, ASmallerOrEqualPageReusesTheMemoryOnceTheOldOneIsGone) {
    PageMemory memory;
    QImage page = memory.Page(1920, 1080);
    ASSERT_FALSE(page.isNull());
    const uchar* const storage = page.constBits();
    page = QImage();
    for (const QSize size : {QSize(1919, 1080), QSize(1920, 1080), QSize(640, 480), QSize(1, 1)}) {
        QImage next = memory.Page(size.width(), size.height());
        EXPECT_EQ(next.constBits(), storage) << size.width() << "x" << size.height();
        EXPECT_EQ(next.size(), size);
        EXPECT_EQ(next.format(), QImage::Format_RGB32);
        EXPECT_EQ(next.bytesPerLine(), size.width() * 4);
        EXPECT_TRUE(next.isDetached());
    }
}

TEST(PageMemory, MemoryAnImageStillUsesIsNotHandedOutAgain) {
    PageMemory memory;
    const QImage held = Filled(memory.Page(800, 600), qRgb(10, 20, 30));
    const QImage copy = held;  // shares the pixels, as a caller's copy would
    QImage next = Filled(memory.Page(800, 600), qRgb(200, 0, 0));
    EXPECT_NE(next.constBits(), held.constBits());
    EXPECT_EQ(held.pixel(799, 599), qRgb(10, 20, 30));
    EXPECT_EQ(copy.pixel(0, 0), qRgb(10, 20, 30));
    // Writing through the held image itself never reaches the new page.
    QImage writable = held;
    writable.setPixel(0, 0, qRgb(1, 2, 3));
    EXPECT_EQ(next.pixel(0, 0), qRgb(200, 0, 0));
}

TEST(PageMemory, PagesOutliveTheStoreAndGrowingKeepsThemApart) {
    std::optional<PageMemory> memory(std::in_place);
    const QImage small = Filled(memory->Page(100, 100), qRgb(1, 1, 1));
    QImage large = Filled(memory->Page(3000, 2000), qRgb(2, 2, 2));
    EXPECT_EQ(large.size(), QSize(3000, 2000));
    memory.reset();
    EXPECT_EQ(small.pixel(99, 99), qRgb(1, 1, 1));
    EXPECT_EQ(large.pixel(2999, 1999), qRgb(2, 2, 2));
}

TEST(PageMemory, EmptySizesGiveANullImage) {
    PageMemory memory;
    EXPECT_TRUE(memory.Page(0, 10).isNull());
    EXPECT_TRUE(memory.Page(10, -1).isNull());
    EXPECT_FALSE(memory.Page(10, 10).isNull());
}

}  // namespace
}  // namespace velmarin
