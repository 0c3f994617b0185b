#pragma once

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

}  // namespace velmarin
