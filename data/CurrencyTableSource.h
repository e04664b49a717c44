// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "platform/Result.h"

namespace kursomatik {

// The shipped currency table from its readable source: one currency per line,
// "Bezeichnung;ISO;Kurs;EWWU;Datum", the rate in units per Euro with a full stop as decimal point,
// '#' lines and blank lines ignored. Returns the bytes of the record file. Rates are limited to
// six decimals, so the file reads the same under every regional convention.
Result<std::string> buildCurrencyTable(std::string_view source);

}  // namespace kursomatik
