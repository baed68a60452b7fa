#pragma once

#include <atomic>
#include <chrono>
#include <functional>

namespace quillmoth {

// How the caller of book creation, which can take seconds on a huge book and
// so runs off the window thread, watches it and stops it.
struct BookCreationControl {
    // Called on the creating thread with the fraction done (0 to 1) of the whole creation,
    // at most about every 100 ms (and never more often), never after creation has returned.
    // It must not throw.
    std::function<void(double fraction)> onProgress;
    // Creation stops soon (within a few milliseconds of work) after this becomes true.
    const std::atomic<bool> *cancel = nullptr;
    // The clock the time between two progress calls is measured on; the steady
    // clock when empty.
    std::function<std::chrono::steady_clock::time_point()> clock;
};

// The least time between two progress calls, from the start of creation on.
inline constexpr std::chrono::milliseconds kProgressInterval{100};

} // namespace quillmoth
