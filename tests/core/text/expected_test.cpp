#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/text/expected.h"

namespace velmarin {
namespace {

Expected<int> Half(int n) {
    if (n % 2 != 0) return "odd: " + std::to_string(n);
    return n / 2;
}

TEST(Expected, ValueAndMessageCases) {
    const Expected<int> good = Half(8);
    ASSERT_TRUE(good.has_value());
    EXPECT_TRUE(static_cast<bool>(good));
    EXPECT_EQ(good.value(), 4);
    EXPECT_EQ(*good, 4);
    EXPECT_EQ(good.error(), "");

    const Expected<int> bad = Half(7);
    EXPECT_FALSE(bad.has_value());
    EXPECT_FALSE(static_cast<bool>(bad));
    EXPECT_EQ(bad.error(), "odd: 7");
    EXPECT_THROW(static_cast<void>(bad.value()), std::bad_variant_access);

    // A literal message, and one built explicitly, are failures too.
    const Expected<std::vector<int>> literal = "no list";
    EXPECT_FALSE(literal);
    EXPECT_EQ(literal.error(), "no list");
    const Expected<double> failure = Failure{"no number"};
    EXPECT_EQ(failure.error(), "no number");
}

TEST(Expected, AStringIsAMessageUnlessTheValueIsMadeOfStrings) {
    // A bool or a pointer could be made from a literal; it must still count as a message.
    const Expected<bool> flag = "not a flag";
    EXPECT_FALSE(flag);
    EXPECT_EQ(flag.error(), "not a flag");
    const Expected<bool> yes = true;
    ASSERT_TRUE(yes);
    EXPECT_TRUE(*yes);

    // For a string value a string is the value, and only Failure says otherwise.
    const Expected<std::string> text = std::string("abc");
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, "abc");
    EXPECT_EQ(text->size(), 3u);
    const Expected<std::filesystem::path> path = Failure{"no path"};
    EXPECT_FALSE(path);
    EXPECT_EQ(path.error(), "no path");

    // An aggregate that begins with a string can be made from one with
    // parentheses; a message must still not become its value.
    struct Named {
        std::string name;
        int count = 0;
    };
    const Expected<Named> named = std::string("not named");
    EXPECT_FALSE(named);
    EXPECT_EQ(named.error(), "not named");
    const Expected<Named> built = Named{"x", 2};
    ASSERT_TRUE(built);
    EXPECT_EQ(built->count, 2);

    const Expected<std::optional<int>> none = std::nullopt;
    ASSERT_TRUE(none);
    EXPECT_FALSE(none->has_value());
}

TEST(Expected, HoldsAndGivesUpAMoveOnlyValue) {
    Expected<std::unique_ptr<int>> owned = std::make_unique<int>(42);
    ASSERT_TRUE(owned);
    EXPECT_EQ(**owned, 42);
    **owned = 43;
    Expected<std::unique_ptr<int>> moved = std::move(owned);
    ASSERT_TRUE(moved);
    const std::unique_ptr<int> taken = *std::move(moved);
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(*taken, 43);

    const Expected<std::unique_ptr<int>> failed = "nothing owned";
    EXPECT_FALSE(failed);
    EXPECT_EQ(failed.error(), "nothing owned");
}

}  // namespace
}  // namespace velmarin
