// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversion/Money.h"

#include <cfenv>
#include <cmath>

namespace kursomatik {

std::optional<Money> Money::fromDouble(double value) {
    // nearbyint rounds by the current mode, which the program never changes from ties-to-even.
    const double scaled = std::nearbyint(value * kScale);
    // 2^63 is exactly representable; every double below it in magnitude fits into int64.
    constexpr double kLimit = 9223372036854775808.0;
    if (!(scaled >= -kLimit && scaled < kLimit)) return std::nullopt;
    return Money(static_cast<std::int64_t>(scaled));
}

}  // namespace kursomatik
