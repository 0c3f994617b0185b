#include "qt/surface/png_deflate_join.h"

#include <array>
#include <cstdint>

namespace velmarin {

namespace {

constexpr int kMaxCodeBits = 15;
constexpr int kLiteralCodes = 288;
constexpr int kDistanceCodes = 30;
constexpr int kEndOfBlock = 256;
// Extra bits after the length codes 257..285 and the distance codes 0..29.
constexpr std::array<unsigned char, 29> kLengthExtraBits{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                         2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<unsigned char, kDistanceCodes> kDistanceExtraBits{
    0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a dynamic block gives the lengths of its code-length code.
constexpr std::array<unsigned char, 19> kCodeLengthOrder{16, 17, 18, 0, 8, 7, 9, 6, 10, 5,
                                                         11, 4, 12, 3, 13, 2, 14, 1, 15};

// Bits from the lowest of each byte up, as deflate packs them.
class BitReader {
public:
    BitReader(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}

    // The next `count` (at most 16) bits as a number, the first the lowest.
    bool Read(int count, unsigned& value) {
        while (held_ < count) {
            if (next_ == size_) return false;
            buffer_ |= static_cast<std::uint64_t>(data_[next_++]) << held_;
            held_ += 8;
        }
        value = static_cast<unsigned>(buffer_ & ((1u << count) - 1));
        buffer_ >>= count;
        held_ -= count;
        return true;
    }
    void ToByteBoundary() {
        const int drop = held_ % 8;
        buffer_ >>= drop;
        held_ -= drop;
    }
    // Passes `count` bytes from a byte boundary.
    bool SkipBytes(std::size_t count) {
        for (; count > 0 && held_ >= 8; --count) {
            buffer_ >>= 8;
            held_ -= 8;
        }
        if (count > size_ - next_) return false;
        next_ += count;
        return true;
    }
    std::size_t BitsRead() const { return next_ * 8 - static_cast<std::size_t>(held_); }

private:
    const unsigned char* data_;
    std::size_t size_;
    std::size_t next_ = 0;
    std::uint64_t buffer_ = 0;
    int held_ = 0;
};

// A canonical Huffman code: how many codes of each length, and the symbols
// in code order.
struct HuffmanCode {
    std::array<unsigned short, kMaxCodeBits + 1> counts{};
    std::array<unsigned short, kLiteralCodes> symbols{};
};

// The code of the lengths[0..n) (0: the symbol has no code); false when
// the lengths ask for more codes than there are. An incomplete code is
// valid (a block of one distance has one).
bool BuildCode(HuffmanCode& code, const unsigned char* lengths, int n) {
    code.counts.fill(0);
    for (int s = 0; s < n; ++s) ++code.counts[lengths[s]];
    int left = 1;
    for (int length = 1; length <= kMaxCodeBits; ++length) {
        left = 2 * left - code.counts[length];
        if (left < 0) return false;
    }
    std::array<unsigned short, kMaxCodeBits + 2> offsets{};
    for (int length = 1; length <= kMaxCodeBits; ++length) {
        offsets[length + 1] = static_cast<unsigned short>(offsets[length] + code.counts[length]);
    }
    for (int s = 0; s < n; ++s) {
        if (lengths[s] != 0) code.symbols[offsets[lengths[s]]++] = static_cast<unsigned short>(s);
    }
    return true;
}

// The next symbol, or -1. Huffman codes come first bit highest, one bit
// at a time; codes of one length are consecutive numbers.
int Decode(BitReader& in, const HuffmanCode& code) {
    int value = 0, first = 0, index = 0;
    for (int length = 1; length <= kMaxCodeBits; ++length) {
        unsigned bit = 0;
        if (!in.Read(1, bit)) return -1;
        value |= static_cast<int>(bit);
        const int count = code.counts[length];
        if (value - first < count) return code.symbols[index + value - first];
        index += count;
        first = (first + count) << 1;
        value <<= 1;
    }
    return -1;
}

// Reads the codes of a block up to its end-of-block code.
bool SkipCodes(BitReader& in, const HuffmanCode& literals, const HuffmanCode& distances) {
    unsigned extra = 0;
    for (;;) {
        const int symbol = Decode(in, literals);
        if (symbol < 0) return false;
        if (symbol < kEndOfBlock) continue;
        if (symbol == kEndOfBlock) return true;
        const int length = symbol - (kEndOfBlock + 1);
        if (length >= static_cast<int>(kLengthExtraBits.size())) return false;
        if (!in.Read(kLengthExtraBits[length], extra)) return false;
        const int distance = Decode(in, distances);
        if (distance < 0 || distance >= kDistanceCodes) return false;
        if (!in.Read(kDistanceExtraBits[distance], extra)) return false;
    }
}

struct FixedCodes {
    HuffmanCode literals;
    HuffmanCode distances;
    FixedCodes() {
        std::array<unsigned char, kLiteralCodes> lengths{};
        for (int s = 0; s < kLiteralCodes; ++s) lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
        BuildCode(literals, lengths.data(), kLiteralCodes);
        lengths.fill(5);
        BuildCode(distances, lengths.data(), kDistanceCodes);
    }
};

bool SkipDynamicBlock(BitReader& in) {
    unsigned literalCount = 0, distanceCount = 0, lengthCount = 0;
    if (!in.Read(5, literalCount) || !in.Read(5, distanceCount) || !in.Read(4, lengthCount)) return false;
    literalCount += 257;
    distanceCount += 1;
    lengthCount += 4;
    if (literalCount > 286 || distanceCount > static_cast<unsigned>(kDistanceCodes)) return false;
    std::array<unsigned char, kCodeLengthOrder.size()> lengthLengths{};
    for (unsigned i = 0; i < lengthCount; ++i) {
        unsigned length = 0;
        if (!in.Read(3, length)) return false;
        lengthLengths[kCodeLengthOrder[i]] = static_cast<unsigned char>(length);
    }
    HuffmanCode lengthCode;
    if (!BuildCode(lengthCode, lengthLengths.data(), static_cast<int>(lengthLengths.size()))) return false;
    std::array<unsigned char, 286 + kDistanceCodes> lengths{};
    const unsigned total = literalCount + distanceCount;
    for (unsigned at = 0; at < total;) {
        const int symbol = Decode(in, lengthCode);
        if (symbol < 0) return false;
        if (symbol < 16) {
            lengths[at++] = static_cast<unsigned char>(symbol);
            continue;
        }
        unsigned repeat = 0;
        unsigned char value = 0;
        if (symbol == 16) {
            if (at == 0 || !in.Read(2, repeat)) return false;
            value = lengths[at - 1];
            repeat += 3;
        } else if (symbol == 17) {
            if (!in.Read(3, repeat)) return false;
            repeat += 3;
        } else {
            if (!in.Read(7, repeat)) return false;
            repeat += 11;
        }
        if (at + repeat > total) return false;
        for (; repeat > 0; --repeat) lengths[at++] = value;
    }
    if (lengths[kEndOfBlock] == 0) return false;
    HuffmanCode literals, distances;
    if (!BuildCode(literals, lengths.data(), static_cast<int>(literalCount)) ||
        !BuildCode(distances, lengths.data() + literalCount, static_cast<int>(distanceCount))) {
        return false;
    }
    return SkipCodes(in, literals, distances);
}

}  // namespace

std::optional<DeflateFinalBlock> FindFinalBlock(const unsigned char* data, std::size_t size) {
    static const FixedCodes fixed;
    BitReader in(data, size);
    for (;;) {
        const std::size_t header = in.BitsRead();
        unsigned last = 0, type = 0;
        if (!in.Read(1, last) || !in.Read(2, type)) return std::nullopt;
        bool read = false;
        if (type == 0) {
            in.ToByteBoundary();
            unsigned length = 0, complement = 0;
            read = in.Read(16, length) && in.Read(16, complement) && length == (~complement & 0xffffu) &&
                   in.SkipBytes(length);
        } else if (type == 1) {
            read = SkipCodes(in, fixed.literals, fixed.distances);
        } else if (type == 2) {
            read = SkipDynamicBlock(in);
        }
        if (!read) return std::nullopt;
        if (last != 0) return DeflateFinalBlock{header, in.BitsRead()};
    }
}

}  // namespace velmarin
