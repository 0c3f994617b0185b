// `velmarin render` as whole processes: one default chart, one A3 sheet at
// 600 dpi, and 80 charts (20 years x 4 modes) as one batch process or as 80
// processes one after the other. The built program runs as "new"; a second
// build named by VELMARIN_BASE_BINARY (e.g. the main branch's) runs as
// "base" in the same run. Wall time (UseRealTime); run with
//   --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
// for medians.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

const char* Binary(bool base) {
    if (!base) return VELMARIN_BINARY_PATH;
    return std::getenv("VELMARIN_BASE_BINARY");
}

// Runs the program with `args`, output to /dev/null; false unless it exits 0.
bool Run(const char* binary, const std::vector<std::string>& args) {
    std::vector<char*> argv{const_cast<char*>(binary)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, binary, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return false;
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A scratch folder with an empty settings folder, so no user's settings count.
struct Scratch {
    Scratch() {
        path = fs::temp_directory_path() / ("velmarin-bench-" + std::to_string(::getpid()));
        fs::create_directories(path / "config");
        setenv("XDG_CONFIG_HOME", (path / "config").c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    ~Scratch() { fs::remove_all(path); }
    fs::path path;
};

void RunOrSkip(benchmark::State& state, bool base, const std::vector<std::string>& args, int charts) {
    const char* binary = Binary(base);
    if (binary == nullptr) {
        state.SkipWithError("set VELMARIN_BASE_BINARY for the base build");
        return;
    }
    for (auto _ : state) {
        if (!Run(binary, args)) {
            state.SkipWithError("render failed");
            return;
        }
    }
    state.counters["charts_per_s"] = benchmark::Counter(charts, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_DefaultChart(benchmark::State& state) {
    const Scratch scratch;
    RunOrSkip(state, state.range(0) != 0, {"render", "--year", "2026", "--output", (scratch.path / "c.png").string()}, 1);
}

void BM_A3At600Dpi(benchmark::State& state) {
    const Scratch scratch;
    RunOrSkip(state, state.range(0) != 0,
              {"render", "--year", "2026", "--print", "--paper", "A3", "--dpi", "600", "--output",
               (scratch.path / "a3.png").string()},
              1);
}

constexpr const char* kModes[] = {"normal", "sun", "midnight", "twilight"};

// 80 processes one after the other: what a script did before the batch.
void BM_EightyChartsSeparately(benchmark::State& state) {
    const Scratch scratch;
    const char* binary = Binary(state.range(0) != 0);
    if (binary == nullptr) {
        state.SkipWithError("set VELMARIN_BASE_BINARY for the base build");
        return;
    }
    for (auto _ : state) {
        for (int year = 2026; year < 2046; ++year) {
            for (const char* mode : kModes) {
                const std::string file = (scratch.path / (std::to_string(year) + "-" + mode + ".png")).string();
                if (!Run(binary, {"render", "--year", std::to_string(year), "--mode", mode, "--output", file})) {
                    state.SkipWithError("render failed");
                    return;
                }
            }
        }
    }
    state.counters["charts_per_s"] = benchmark::Counter(80, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_EightyChartsInOneBatch(benchmark::State& state) {
    const Scratch scratch;
    RunOrSkip(state, false,
              {"render", "--years", "2026..2045", "--modes", "normal,sun,midnight,twilight", "--output",
               (scratch.path / "{year}-{mode}.png").string()},
              80);
}

// Arg 0: the built program ("new"), 1: VELMARIN_BASE_BINARY ("base").
BENCHMARK(BM_DefaultChart)->ArgName("base")->Arg(0)->Arg(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_A3At600Dpi)->ArgName("base")->Arg(0)->Arg(1)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_EightyChartsSeparately)->ArgName("base")->Arg(0)->Arg(1)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_EightyChartsInOneBatch)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
