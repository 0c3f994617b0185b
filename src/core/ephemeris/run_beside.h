#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <system_error>
#include <thread>
#include <vector>

namespace velmarin {

// Runs a and b, b on a thread of its own when one is to be had.
template <typename A, typename B>
void RunBeside(A a, B b) {
    std::thread thread;
    try {
        thread = std::thread(b);
    } catch (const std::system_error&) {
        b();  // no thread to be had: this one does it
    }
    a();
    if (thread.joinable()) thread.join();
}

// Runs work(first, last) over [0, count) in takes of `perTake` items, on up
// to `threads` workers with the calling thread among them. Workers take the
// next items as they get free: a worker the system starts late simply does
// less, and one the system refuses leaves its share to the others.
// makeWorker() gives each worker its own state (a context, a buffer). The
// work on each item must not depend on which worker does it; then the result
// is the same whatever the number of threads.
template <typename MakeWorker>
void ParallelFor(std::size_t count, int threads, std::size_t perTake, MakeWorker makeWorker) {
    std::atomic<std::size_t> next{0};
    const auto run = [&] {
        auto work = makeWorker();
        for (;;) {
            const std::size_t first = next.fetch_add(perTake);
            if (first >= count) return;
            work(first, std::min(first + perTake, count));
        }
    };
    const std::size_t workers = std::min(static_cast<std::size_t>(std::max(threads, 1)),
                                         std::max<std::size_t>(count / perTake, 1));
    std::vector<std::thread> pool;
    for (std::size_t w = 1; w < workers; ++w) {
        try {
            pool.emplace_back(run);
        } catch (const std::system_error&) {
            break;  // no thread to be had: the others do its share
        }
    }
    run();
    for (std::thread& worker : pool) worker.join();
}

// Worker threads worth starting for a year of samples or events: one per
// core, from one to four (a few already share a year out; more only add
// start-up cost). Asked of the system once: each asking is three system calls.
inline int YearWorkerThreads() {
    static const int threads = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
    return threads;
}

}  // namespace velmarin
