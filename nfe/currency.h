#pragma once

#include <cmath>
#include <compare>
#include <cstdint>

namespace nfe {

// Money, quantities, weights and rates: a signed count of 1/10000 units, so that sums
// and comparisons are exact. A page number x is stored as x * 10000 rounded (see
// convert/page_number.h); the XML writer formats the count with exact decimal rounding.
class Currency {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Currency() = default;
    static constexpr Currency FromRaw(std::int64_t raw) { return Currency(raw); }
    static constexpr Currency FromUnits(std::int64_t units) { return Currency(units * kScale); }
    // The nearest count to a value written in code, such as a sample's price.
    static Currency FromDouble(double units) { return Currency(std::llround(units * kScale)); }

    constexpr std::int64_t Raw() const { return raw_; }
    constexpr bool IsZero() const { return raw_ == 0; }
    constexpr double ToDouble() const { return static_cast<double>(raw_) / kScale; }

    constexpr auto operator<=>(const Currency&) const = default;

    constexpr Currency& operator+=(Currency other) {
        raw_ += other.raw_;
        return *this;
    }
    constexpr Currency& operator-=(Currency other) {
        raw_ -= other.raw_;
        return *this;
    }
    friend constexpr Currency operator+(Currency a, Currency b) { return a += b; }
    friend constexpr Currency operator-(Currency a, Currency b) { return a -= b; }
    friend constexpr Currency operator-(Currency a) { return Currency(-a.raw_); }

private:
    explicit constexpr Currency(std::int64_t raw) : raw_(raw) {}

    std::int64_t raw_ = 0;
};

}  // namespace nfe
