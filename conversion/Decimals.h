// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <array>
#include <string>

namespace kursomatik {

// The decimals the options offer, each in one place: the value of its option in the settings
// (optionen1, optionen2), its rounding factor (stellen1, stellen2) and, for the result, the pattern
// txtWert shows it in.
struct Decimals {
    int places;
    const char* option;
    double factor;
    const char* pattern = nullptr;

    // The factor as the settings file holds it ("100").
    std::string factorText() const { return std::to_string(static_cast<long>(factor)); }
};

inline constexpr std::array<Decimals, 3> kResultDecimals{{{2, "1", 100.0, "###,####0.00#####"},
                                                          {3, "2", 1000.0, "###,####0.000####"},
                                                          {4, "3", 10000.0, "###,####0.0000###"}}};
inline constexpr std::array<Decimals, 2> kEuroDecimals{{{3, "1", 1000.0}, {4, "2", 10000.0}}};

// The choice whose factor is exactly `factor`; null for any other value (a factor edited by hand).
template <std::size_t N>
const Decimals* withFactor(const std::array<Decimals, N>& choices, double factor) {
    const auto found = std::ranges::find(choices, factor, &Decimals::factor);
    return found != choices.end() ? &*found : nullptr;
}
inline const Decimals* resultDecimals(double factor) {
    return withFactor(kResultDecimals, factor);
}
inline const Decimals* euroDecimals(double factor) {
    return withFactor(kEuroDecimals, factor);
}

}  // namespace kursomatik
