// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Result.h"

namespace kursomatik {

struct RegionalSettings;

// The Kurs field: units per Euro × 1,000,000 as text. The product is rounded to the fixed-point
// type (ten-thousandths, ties to even) and written as digits without grouping, followed by the
// regional decimal separator and at most four decimals only when there is a fraction.
// A rate whose product does not fit the fixed-point type is refused, never stored as another value.
Result<std::string> encodeRate(double rate, const RegionalSettings& regional);

// The rate of a Kurs field (padded or trimmed): the trimmed text read as a fixed-point number by
// the regional conventions, divided by 1,000,000. Empty when the text is no number.
std::optional<double> decodeRate(std::string_view kurs, const RegionalSettings& regional);

}  // namespace kursomatik
