// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kursomatik::testing {

// The ECB's daily CSV file of 28 June 2024, shortened to a few currencies.
inline const std::string kDailyCsv =
    "Date, USD, JPY, HRK, TRY, XAU, \n28 June 2024, 1.0705, 172.43, 7.5345, 35.1893, 0.5, \n";

}  // namespace kursomatik::testing
