// The final block of a deflate stream, found by walking its codes, is
// where zlib's inflate finds it: inflate stops at each block's end when
// asked to (Z_BLOCK) and tells which bits it has not used. Streams come
// from zlib and libdeflate at their levels and strategies.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <libdeflate.h>
#include <zlib.h>

#include "qt/surface/png_deflate_join.h"

namespace velmarin {
namespace {

using Bytes = std::vector<unsigned char>;

// The final block as inflate finds it: the header starts where the block
// before ended (0 for the first), and inflate stops after the final
// block's last code before it drops the bits up to the byte boundary.
std::optional<DeflateFinalBlock> InflatedFinalBlock(const Bytes& stream) {
    z_stream z{};
    if (inflateInit2(&z, -15) != Z_OK) return std::nullopt;
    z.next_in = const_cast<unsigned char*>(stream.data());
    z.avail_in = static_cast<uInt>(stream.size());
    Bytes out(1 << 16);
    std::optional<DeflateFinalBlock> found;
    std::size_t lastEnd = 0;
    for (;;) {
        z.next_out = out.data();
        z.avail_out = static_cast<uInt>(out.size());
        const int status = inflate(&z, Z_BLOCK);
        if (status != Z_OK && status != Z_STREAM_END) break;
        if ((z.data_type & 128) != 0) {
            const std::size_t at = z.total_in * 8 - static_cast<std::size_t>(z.data_type & 63);
            if ((z.data_type & 64) != 0) {
                found = DeflateFinalBlock{lastEnd, at};
                break;
            }
            lastEnd = at;
        }
        if (status == Z_STREAM_END || (z.avail_in == 0 && z.avail_out != 0)) break;
    }
    inflateEnd(&z);
    return found;
}

// Raw deflate by zlib; `flushEvery` > 0 ends a block after each so many bytes.
Bytes ZlibDeflated(const Bytes& input, int level, int strategy, std::size_t flushEvery = 0, int flush = Z_NO_FLUSH) {
    z_stream z{};
    EXPECT_EQ(deflateInit2(&z, level, Z_DEFLATED, -15, 8, strategy), Z_OK);
    Bytes out(deflateBound(&z, input.size()) + 64 * (input.size() / std::max<std::size_t>(flushEvery, 1) + 1));
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    std::size_t at = 0;
    do {
        const std::size_t piece = flushEvery == 0 ? input.size() - at : std::min(flushEvery, input.size() - at);
        z.next_in = const_cast<unsigned char*>(input.data() + at);
        z.avail_in = static_cast<uInt>(piece);
        at += piece;
        EXPECT_NE(deflate(&z, at == input.size() ? Z_FINISH : flush), Z_STREAM_ERROR);
    } while (at < input.size());
    out.resize(out.size() - z.avail_out);
    deflateEnd(&z);
    return out;
}

Bytes LibdeflateDeflated(const Bytes& input, int level) {
    libdeflate_compressor* compressor = libdeflate_alloc_compressor(level);
    Bytes out(libdeflate_deflate_compress_bound(compressor, input.size()));
    out.resize(libdeflate_deflate_compress(compressor, input.data(), input.size(), out.data(), out.size()));
    libdeflate_free_compressor(compressor);
    return out;
}

// Inputs: nothing, one byte, noise (stored and literal blocks), runs and
// repeats (long matches and far distances), and rows like a chart's.
Bytes Input(const std::string& kind) {
    Bytes bytes;
    std::mt19937 random(7);
    if (kind == "one") bytes = {'x'};
    if (kind == "noise") {
        for (int i = 0; i < 200000; ++i) bytes.push_back(static_cast<unsigned char>(random() >> 24));
    }
    if (kind == "runs") {
        for (int i = 0; i < 300000; ++i) bytes.push_back(static_cast<unsigned char>((i / 1000) % 7 == 0 ? i % 251 : 'a'));
    }
    if (kind == "rows") {
        // Rows of three colours with a few noisy pixels, filtered Up or None.
        for (int y = 0; y < 300; ++y) {
            bytes.push_back(y % 5 == 0 ? 0 : 2);
            for (int x = 0; x < 3 * 700; ++x) {
                const bool edge = x % 301 < 6 || random() % 97 == 0;
                bytes.push_back(static_cast<unsigned char>(y % 5 == 0 ? (x / 300) * 40 : edge ? random() : 0));
            }
        }
    }
    return bytes;
}

struct StreamCase {
    std::string name;
    std::string input;
    std::function<Bytes(const Bytes&)> deflated;
};

class FinalBlockOf : public ::testing::TestWithParam<StreamCase> {};

TEST_P(FinalBlockOf, IsWhereInflateFindsIt) {
    const Bytes stream = GetParam().deflated(Input(GetParam().input));
    const std::optional<DeflateFinalBlock> expected = InflatedFinalBlock(stream);
    ASSERT_TRUE(expected.has_value());
    const std::optional<DeflateFinalBlock> found = FindFinalBlock(stream.data(), stream.size());
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->headerBit, expected->headerBit);
    EXPECT_EQ(found->endBit, expected->endBit);
    // Its header says final.
    EXPECT_EQ((stream[found->headerBit / 8] >> (found->headerBit % 8)) & 1, 1);
}

TEST_P(FinalBlockOf, IsNotFoundInACutStream) {
    const Bytes stream = GetParam().deflated(Input(GetParam().input));
    for (const std::size_t size : {std::size_t(0), std::size_t(1), stream.size() / 2, stream.size() - 1}) {
        EXPECT_FALSE(FindFinalBlock(stream.data(), std::min(size, stream.size() - 1)).has_value()) << size;
    }
}

Bytes Zlib(const Bytes& input, int level) { return ZlibDeflated(input, level, Z_DEFAULT_STRATEGY); }

INSTANTIATE_TEST_SUITE_P(
    Streams, FinalBlockOf,
    ::testing::Values(
        StreamCase{"zlib_stored_noise", "noise", [](const Bytes& b) { return Zlib(b, 0); }},
        StreamCase{"zlib_1_empty", "empty", [](const Bytes& b) { return Zlib(b, 1); }},
        StreamCase{"zlib_6_one_byte", "one", [](const Bytes& b) { return Zlib(b, 6); }},
        StreamCase{"zlib_9_runs", "runs", [](const Bytes& b) { return Zlib(b, 9); }},
        StreamCase{"zlib_6_noise", "noise", [](const Bytes& b) { return Zlib(b, 6); }},
        StreamCase{"zlib_fixed_rows", "rows", [](const Bytes& b) { return ZlibDeflated(b, 6, Z_FIXED); }},
        StreamCase{"zlib_huffman_only_rows", "rows", [](const Bytes& b) { return ZlibDeflated(b, 6, Z_HUFFMAN_ONLY); }},
        StreamCase{"zlib_rle_runs", "runs", [](const Bytes& b) { return ZlibDeflated(b, 6, Z_RLE); }},
        // Many blocks: empty stored ones after sync flushes, empty fixed
        // ones after partial flushes.
        StreamCase{"zlib_sync_flushed_rows", "rows",
                   [](const Bytes& b) { return ZlibDeflated(b, 4, Z_DEFAULT_STRATEGY, 5000, Z_SYNC_FLUSH); }},
        StreamCase{"zlib_partial_flushed_runs", "runs",
                   [](const Bytes& b) { return ZlibDeflated(b, 4, Z_DEFAULT_STRATEGY, 7000, Z_PARTIAL_FLUSH); }},
        StreamCase{"zlib_block_flushed_noise", "noise",
                   [](const Bytes& b) { return ZlibDeflated(b, 1, Z_DEFAULT_STRATEGY, 3000, Z_BLOCK); }},
        StreamCase{"libdeflate_0_rows", "rows", [](const Bytes& b) { return LibdeflateDeflated(b, 0); }},
        StreamCase{"libdeflate_1_noise", "noise", [](const Bytes& b) { return LibdeflateDeflated(b, 1); }},
        StreamCase{"libdeflate_6_empty", "empty", [](const Bytes& b) { return LibdeflateDeflated(b, 6); }},
        StreamCase{"libdeflate_6_one_byte", "one", [](const Bytes& b) { return LibdeflateDeflated(b, 6); }},
        StreamCase{"libdeflate_6_rows", "rows", [](const Bytes& b) { return LibdeflateDeflated(b, 6); }},
        StreamCase{"libdeflate_6_runs", "runs", [](const Bytes& b) { return LibdeflateDeflated(b, 6); }},
        StreamCase{"libdeflate_12_rows", "rows", [](const Bytes& b) { return LibdeflateDeflated(b, 12); }}),
    [](const ::testing::TestParamInfo<StreamCase>& info) { return info.param.name; });

// Headers no stream may have: the reserved block type, a stored block
// whose length and its complement disagree, a dynamic block asking for
// more length codes than there are.
TEST(FinalBlock, MalformedHeadersAreNotStreams) {
    struct Case {
        const char* name;
        Bytes stream;
    };
    const std::vector<Case> cases{
        {"reserved type", {0x07, 0x00}},
        {"stored length", {0x01, 0x05, 0x00, 0xfa, 0xfe, 'a', 'b', 'c', 'd', 'e'}},
        {"too many literal codes", {0xfd, 0xff, 0xff, 0xff, 0xff}},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(FindFinalBlock(c.stream.data(), c.stream.size()).has_value()) << c.name;
        EXPECT_FALSE(InflatedFinalBlock(c.stream).has_value()) << c.name;
    }
    // The well-formed stored block beside them, for contrast.
    const Bytes stored{0x01, 0x05, 0x00, 0xfa, 0xff, 'a', 'b', 'c', 'd', 'e'};
    const std::optional<DeflateFinalBlock> found = FindFinalBlock(stored.data(), stored.size());
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->endBit, stored.size() * 8);
}

}  // namespace
}  // namespace velmarin
