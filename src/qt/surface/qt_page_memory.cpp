#include "qt/surface/qt_page_memory.h"

#include <new>

namespace velmarin {

namespace {

void ReleaseBlock(void* holder) { delete static_cast<std::shared_ptr<void>*>(holder); }

}  // namespace

QImage PageMemory::Page(int width, int height) {
    if (width <= 0 || height <= 0) return QImage();
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    // Only this store holds the block: no image uses it any more.
    const bool reusable = block_ && block_.use_count() == 1 && block_->count >= count;
    if (!reusable) {
        // Growing a little beyond the need spares a reallocation at each
        // step of a window dragged larger.
        const std::size_t grown = block_ && block_->count < count ? count + count / 4 : count;
        auto block = std::make_shared<Block>();
        block->pixels.reset(new (std::nothrow) QRgb[grown]);
        if (!block->pixels) {
            block->pixels.reset(new (std::nothrow) QRgb[count]);
            if (!block->pixels) return QImage();
            block->count = count;
        } else {
            block->count = grown;
        }
        block_ = std::move(block);
    }
    const qsizetype bytesPerLine = static_cast<qsizetype>(width) * static_cast<qsizetype>(sizeof(QRgb));
    auto holder = std::make_unique<std::shared_ptr<void>>(block_);
    QImage page(reinterpret_cast<uchar*>(block_->pixels.get()), width, height, bytesPerLine,
                QImage::Format_RGB32, ReleaseBlock, holder.get());
    // Qt calls ReleaseBlock only for an image it made; a refused size leaves
    // the holder with us.
    if (!page.isNull()) holder.release();
    return page;
}

}  // namespace velmarin
