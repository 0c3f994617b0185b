#include "core/text/message_text.h"

#include <gtest/gtest.h>

#include <string>

namespace velmarin {
namespace {

struct QuoteCase {
    const char* name;
    std::string text;
    std::size_t maxBytes;
    std::string quoted;
};

class MessageQuote : public ::testing::TestWithParam<QuoteCase> {};

TEST_P(MessageQuote, EscapesAndCuts) {
    EXPECT_EQ(QuoteForMessage(GetParam().text, GetParam().maxBytes), GetParam().quoted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MessageQuote,
    ::testing::Values(
        QuoteCase{"Plain", "chart.png", 160, "'chart.png'"},
        QuoteCase{"NewlineTabReturn", "a\nb\tc\rd", 160, "'a\\nb\\tc\\rd'"},
        QuoteCase{"EscapeAndDel", "\x1b[2J\x7f", 160, "'\\x1b[2J\\x7f'"},
        QuoteCase{"NulInside", std::string("a\0b", 3), 160, "'a\\x00b'"},
        QuoteCase{"Backslash", "a\\nb", 160, "'a\\\\nb'"},
        QuoteCase{"Utf8Kept", "Käse", 160, "'Käse'"},
        QuoteCase{"CutWithLength", std::string(1000, 'x'), 4, "'xxxx'... (1000 bytes)"},
        // "ä" is two bytes: a cut inside it backs off to the character's start.
        QuoteCase{"CutNeverSplitsACharacter", "aä", 2, "'a'... (3 bytes)"},
        QuoteCase{"ExactlyTheLimit", "abcd", 4, "'abcd'"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MessageLine, EscapesControlCharactersOnly) {
    EXPECT_EQ(OneLineMessage("render: bad\nvalue \\ \x1b"), "render: bad\\nvalue \\ \\x1b");
}

}  // namespace
}  // namespace velmarin
