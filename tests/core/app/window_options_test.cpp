// Which command lines the window takes and which end in the usage error.
#include "core/app/window_options.h"
#include "core/test_names.h"

#include <gtest/gtest.h>

namespace velmarin {
namespace {

struct WindowArgs {
    std::vector<std::string> args;
    std::optional<std::string> unknown;
};
class AppWindowArguments : public ::testing::TestWithParam<WindowArgs> {};

TEST_P(AppWindowArguments, OnlyTheToolkitsOwnOptionsPass) {
    EXPECT_EQ(UnknownWindowArgument(GetParam().args), GetParam().unknown);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AppWindowArguments,
    ::testing::Values(WindowArgs{{}, std::nullopt}, WindowArgs{{"-platform", "offscreen"}, std::nullopt},
                      WindowArgs{{"--platform", "xcb", "-reverse"}, std::nullopt},
                      WindowArgs{{"-style=fusion", "-display", ":1", "-geometry", "800x600"}, std::nullopt},
                      WindowArgs{{"-qmljsdebugger=port:1234"}, std::nullopt},
                      WindowArgs{{"--bogus"}, "--bogus"}, WindowArgs{{"-platform", "offscreen", "-x"}, "-x"},
                      // A value option at the end has no value to take.
                      WindowArgs{{"-platform"}, "-platform"}, WindowArgs{{"-bogus=1"}, "-bogus=1"},
                      WindowArgs{{"-reverse", "stray"}, "stray"}, WindowArgs{{"-"}, "-"},
                      WindowArgs{{"--"}, "--"}),
    [](const ::testing::TestParamInfo<WindowArgs>& info) {
        std::string name;
        for (const std::string& word : info.param.args) name += (name.empty() ? "" : "_") + test::SpelledOut(word);
        return name.empty() ? std::string("NoArguments") : name;
    });

}  // namespace
}  // namespace velmarin
