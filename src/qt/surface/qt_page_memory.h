#pragma once

#include <QImage>
#include <QRgb>
#include <cstddef>
#include <memory>

namespace velmarin {

// The memory under the window's page, kept across changes of size. A page
// that fits in what is held reuses it, so a resize draws into memory that is
// already mapped instead of faulting in 8 MB of fresh pages. Memory that an
// image handed out earlier still uses (a copy someone holds) is never given
// out again; every image keeps its own memory alive for as long as it lives.
class PageMemory {
public:
    // An RGB32 image of width x height (both > 0) over the held memory, which
    // grows when too small or still in use. Its pixels are not initialised.
    // A null image when the memory cannot be had.
    QImage Page(int width, int height);

private:
    struct Block {
        std::unique_ptr<QRgb[]> pixels;
        std::size_t count = 0;
    };
    std::shared_ptr<Block> block_;
};

}  // namespace velmarin
