#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace sample {

// Lets a server hold a slow answer back without keeping it from stopping.
class StopSignal {
public:
    // Waits for delay; false when the signal was raised before or meanwhile.
    bool Hold(std::chrono::seconds delay);
    // Safe from any thread; every hold ends at once.
    void Raise();

private:
    std::mutex mutex_;
    bool raised_ = false;
    std::condition_variable changed_;
};

}  // namespace sample
