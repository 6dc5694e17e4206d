#include "sample/serving/stop_signal.h"

namespace sample {

bool StopSignal::Hold(std::chrono::seconds delay) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, delay, [this] { return raised_; });
    return !raised_;
}

void StopSignal::Raise() {
    {
        const std::lock_guard lock(mutex_);
        raised_ = true;
    }
    changed_.notify_all();
}

}  // namespace sample
