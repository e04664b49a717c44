// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace kursomatik {

// The German name of a currency the European Central Bank publishes or once published a reference
// rate for ("USD" -> "US-Dollar"); the code itself for any other code.
std::string germanCurrencyName(std::string_view code);

}  // namespace kursomatik
