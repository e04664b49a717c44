// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace kursomatik {

// The number value of a settings text: a full stop as decimal separator whatever the locale,
// blanks skipped, reading stops at the first character that cannot belong to the number, and an
// empty or non-numeric text gives 0 ("1000abc" is 1000).
double numberValue(std::string_view text);

}  // namespace kursomatik
