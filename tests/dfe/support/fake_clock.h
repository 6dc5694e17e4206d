#pragma once

#include <chrono>

#include "dfe/clock.h"

namespace test_support {

// A clock that stands still until the test moves it.
class FakeClock : public dfe::Clock {
public:
    explicit FakeClock(dfe::Time now = dfe::Time(std::chrono::seconds(1'800'000'000)))
        : now_(now) {}
    dfe::Time Now() const override { return now_; }
    void Advance(std::chrono::seconds by) { now_ += by; }

private:
    dfe::Time now_;
};

}  // namespace test_support
