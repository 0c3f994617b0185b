#pragma once

#include <algorithm>
#include <system_error>
#include <thread>

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

// Worker threads worth starting for a year of samples or events: one per
// core, from one to four (a few already share a year out; more only add
// start-up cost). Asked of the system once: each asking is three system calls.
inline int YearWorkerThreads() {
    static const int threads = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
    return threads;
}

}  // namespace velmarin
