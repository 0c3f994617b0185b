#pragma once

#include <cstddef>
#include <optional>

namespace velmarin {

// The final block of a raw deflate stream: where its header starts and
// where its last code ends, in bits from the stream's first byte (each
// byte's bits counted from its lowest, as deflate packs them).
struct DeflateFinalBlock {
    std::size_t headerBit = 0;
    std::size_t endBit = 0;
};

// Walks the blocks of the raw deflate stream data[0..size) by their codes
// alone, making none of their output (a small fraction of the work of
// inflating it): its final block, or nothing when the data is not a whole,
// well-formed stream. libdeflate ends every stream it writes with a final
// block; knowing where that block starts and ends lets the next piece of
// a stream follow it.
std::optional<DeflateFinalBlock> FindFinalBlock(const unsigned char* data, std::size_t size);

}  // namespace velmarin
