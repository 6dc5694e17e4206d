#pragma once

#include <chrono>

namespace dfe {

using Time = std::chrono::system_clock::time_point;

// Where the route reads the time: the use limits and the certificate's validity depend on
// it, and tests move it by hand.
class Clock {
public:
    virtual ~Clock() = default;
    virtual Time Now() const = 0;
};

class SystemClock : public Clock {
public:
    Time Now() const override { return std::chrono::system_clock::now(); }
};

}  // namespace dfe
