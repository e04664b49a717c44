// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "platform/Result.h"
#include "rates/ReferenceRates.h"

namespace kursomatik {

// The ECB's CSV: a header "Date, USD, JPY, ..." and a row per day ("28 June 2024, 1.0705, ..." in the
// daily file, "2024-06-28,1.0705,...,N/A," in the history), each field followed by a comma. Every row
// is checked, and the file is taken only whole: each line ends with that comma, blanks and its line
// end, so a cut file is refused. The newest day's rates are taken, without those marked "N/A".
// Messages name `fileName` and the line, after `where` ("" or the name of the file inside a .zip).
Result<ReferenceRates> parseEcbCsv(std::string_view text, const std::string& fileName,
                                   const std::string& where);

}  // namespace kursomatik
