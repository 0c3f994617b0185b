// ParallelFor hands every item to exactly one worker, whatever the thread
// count and take size.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "core/ephemeris/run_beside.h"

namespace velmarin {
namespace {

struct ShareCase {
    std::size_t count;
    int threads;
    std::size_t perTake;
    std::string name;
};

class ParallelForShare : public ::testing::TestWithParam<ShareCase> {};

TEST_P(ParallelForShare, EveryItemOnceAndWorkersAtMostAsAsked) {
    const ShareCase& c = GetParam();
    std::vector<std::atomic<int>> done(c.count);
    std::atomic<int> workers{0};
    ParallelFor(c.count, c.threads, c.perTake, [&] {
        ++workers;
        return [&](std::size_t first, std::size_t last) {
            EXPECT_LT(first, last);
            EXPECT_LE(last - first, c.perTake);
            for (std::size_t i = first; i < last; ++i) ++done[i];
        };
    });
    for (std::size_t i = 0; i < c.count; ++i) EXPECT_EQ(done[i].load(), 1) << "item " << i;
    EXPECT_GE(workers.load(), 1);
    EXPECT_LE(workers.load(), std::max(c.threads, 1));
}

INSTANTIATE_TEST_SUITE_P(
    Shares, ParallelForShare,
    ::testing::Values(ShareCase{0, 4, 4, "Nothing"}, ShareCase{1, 4, 4, "OneItem"},
                      ShareCase{184, 1, 4, "YearOnOneThread"}, ShareCase{184, 2, 4, "YearOnTwo"},
                      ShareCase{366, 7, 4, "LeapYearOnSeven"}, ShareCase{3, 400, 1, "MoreThreadsThanItems"},
                      ShareCase{10, 0, 3, "NoThreadCountMeansOne"}),
    [](const ::testing::TestParamInfo<ShareCase>& info) { return info.param.name; });

}  // namespace
}  // namespace velmarin
