#include "qt/cli/batch_render.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

#include "core/almanac/command_output.h"
#include "core/almanac/places_file.h"
#include "core/app/atomic_file.h"
#include "core/app/display_modes.h"
#include "core/text/message_text.h"
#include "qt/zones/qt_zone_database.h"

namespace velmarin {

namespace {

std::string_view ModeWord(DisplayMode mode) {
    for (const DisplayModeEntry& entry : kDisplayModeEntries)
        if (entry.mode == mode) return entry.cliWord;
    return {};
}

// "12/80" over the line before, on a terminal only: a log would fill with them.
class Progress {
public:
    explicit Progress(std::size_t total) : total_(total), shown_(::isatty(STDERR_FILENO) == 1) { Show(); }
    void Step() {
        const std::lock_guard lock(mutex_);
        ++done_;
        Show();
    }
    // Takes the progress line off the terminal.
    void Clear() {
        const std::lock_guard lock(mutex_);
        if (shown_) std::fputs("\r\033[K", stderr);
        shown_ = false;
    }

private:
    void Show() {
        if (!shown_) return;
        std::fprintf(stderr, "\r%zu/%zu", done_, total_);
        std::fflush(stderr);
    }
    std::mutex mutex_;
    std::size_t total_;
    std::size_t done_ = 0;
    bool shown_;
};

// One chart of the batch and where it goes.
struct ChartJob {
    RenderOptions options;
    std::string file;
};

// A chart that could not be made or written: its one line and the exit
// status (1 where the system refused a write that could have worked).
struct ChartFailure {
    std::string message;
    int status = kExitBadInput;
};

int Fail(Progress& progress, const ChartFailure& failure) {
    progress.Clear();
    std::fprintf(stderr, "velmarin: render: %s\n", OneLineMessage(failure.message).c_str());
    return failure.status;
}

std::optional<ChartFailure> WriteChartFile(const std::string& file, const QByteArray& bytes) {
    if (bytes.isEmpty()) return ChartFailure{"cannot draw the chart for " + QuoteForMessage(file)};
    const FileWriteResult written =
        WriteFileAtomically(file, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!written.ok())
        return ChartFailure{"--output " + QuoteForMessage(file) + ": " + DescribeFileWriteResult(written),
                            OutputFailureStatus(written)};
    return std::nullopt;
}

// Draws and writes every job, one thread a core; the first failure stops
// the others after the chart each is on (which is written whole or not at
// all). The failure's message, or nothing.
std::optional<ChartFailure> RunJobs(const std::vector<ChartJob>& jobs, const ChartPageSize& page, double todayJd,
                                   Progress& progress) {
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stop{false};
    std::mutex failureMutex;
    std::optional<ChartFailure> failure;
    const auto work = [&] {
        while (!stop.load()) {
            const std::size_t i = next.fetch_add(1);
            if (i >= jobs.size()) return;
            const QByteArray bytes = ChartBytes(jobs[i].options, page, todayJd);
            if (auto error = WriteChartFile(jobs[i].file, bytes)) {
                const std::lock_guard lock(failureMutex);
                if (!failure) failure = std::move(error);
                stop = true;
                return;
            }
            progress.Step();
        }
    };
    const std::size_t threads =
        std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, jobs.size());
    std::vector<std::thread> helpers;
    for (std::size_t t = 1; t < threads; ++t) helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers) helper.join();
    return failure;
}

}  // namespace

int RunRenderBatch(const RenderOptions& options, const ChartPageSize& page, double todayJd,
                   const QtZoneDatabase& zones) {
    std::vector<Place> places;
    if (!options.placesFile.empty()) {
        auto read = ReadPlacesFile(options.placesFile);
        if (!read) return ReportBadInput("render: --places: " + read.error());
        places = *std::move(read);
        for (const Place& place : places) {
            if (!place.zone.empty() && !zones.HasZone(place.zone))
                return ReportBadInput("render: --places: " + QuoteForMessage(options.placesFile) +
                                      ": unknown zone " + QuoteForMessage(place.zone));
        }
    }
    const std::vector<int> years = options.years.empty() ? std::vector<int>{options.year} : options.years;
    const std::vector<DisplayMode> modes =
        options.modes.empty() ? std::vector<DisplayMode>{options.settings.displayMode} : options.modes;
    const std::size_t placeCount = std::max<std::size_t>(1, places.size());
    if (options.outputFields.place && places.empty())
        return ReportBadInput("render: --output: {place} needs --places");
    if (auto error = CheckBatchOutput(options, years.size(), placeCount, modes.size()))
        return ReportBadInput(*error);

    std::vector<ChartJob> jobs;
    for (const BatchChart& chart : BatchCharts(years.size(), placeCount, modes.size())) {
        ChartJob job{options, {}};
        job.options.year = years[chart.year];
        job.options.settings.displayMode = modes[chart.mode];
        std::string_view placeName;
        if (!places.empty()) {
            const Place& place = places[chart.place];
            job.options.settings.latitude = place.latitudeDegrees * degToRad;
            job.options.settings.longitude = place.longitudeDegrees * degToRad;
            if (!place.zone.empty()) job.options.settings.zone = place.zone;
            placeName = place.name;
        }
        job.file = ExpandPattern(options.output, job.options.year, ModeWord(modes[chart.mode]), placeName);
        jobs.push_back(std::move(job));
    }

    Progress progress(jobs.size());
    if (IsAtlas(options, jobs.size())) {
        std::vector<RenderOptions> pages;
        for (const ChartJob& job : jobs) pages.push_back(job.options);
        const QByteArray bytes = AtlasBytes(pages, page, todayJd, [&] { progress.Step(); });
        if (auto error = WriteChartFile(options.output, bytes)) return Fail(progress, *error);
    } else if (auto error = RunJobs(jobs, page, todayJd, progress)) {
        return Fail(progress, *error);
    }
    progress.Clear();
    std::printf("%zu charts written\n", jobs.size());
    return 0;
}

}  // namespace velmarin
