// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversion/Decimals.h"

#include <algorithm>

namespace kursomatik {
namespace {

template <std::size_t N>
const Decimals* withFactor(const std::array<Decimals, N>& choices, double factor) {
    const auto found = std::ranges::find(choices, factor, &Decimals::factor);
    return found != choices.end() ? &*found : nullptr;
}

}  // namespace

const Decimals* resultDecimals(double factor) {
    return withFactor(kResultDecimals, factor);
}

const Decimals* euroDecimals(double factor) {
    return withFactor(kEuroDecimals, factor);
}

}  // namespace kursomatik
