// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

namespace kursomatik {

// Rates are kept as units per Euro × 1,000,000: the Kurs field, the lists and the conversion.
inline constexpr double kRateScale = 1000000.0;

// Fixed-point money value: a signed 64-bit count of ten-thousandths (4 decimal places).
class Money {
  public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Money() = default;
    static constexpr Money fromTicks(std::int64_t ticks) { return Money(ticks); }
    static constexpr Money fromWhole(std::int64_t units) { return Money(units * kScale); }
    // × 10,000 and rounded to the nearest integer, ties to even; empty when out of range or NaN.
    static std::optional<Money> fromDouble(double value) {
        // nearbyint rounds by the current mode, which the program never changes from ties-to-even.
        const double scaled = std::nearbyint(value * kScale);
        // 2^63 is exactly representable; every double below it in magnitude fits into int64.
        constexpr double kLimit = 9223372036854775808.0;
        if (!(scaled >= -kLimit && scaled < kLimit)) return std::nullopt;
        return Money(static_cast<std::int64_t>(scaled));
    }

    constexpr std::int64_t ticks() const { return ticks_; }
    double toDouble() const { return static_cast<double>(ticks_) / kScale; }

    friend constexpr bool operator==(Money, Money) = default;

  private:
    constexpr explicit Money(std::int64_t ticks) : ticks_(ticks) {}
    std::int64_t ticks_ = 0;
};

}  // namespace kursomatik
