// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/DecimalNumber.h"
#include "platform/RegionalSettings.h"
#include "platform/Result.h"

namespace kursomatik {

struct ReferenceRate {
    std::string code;    // three capital letters
    DecimalNumber rate;  // units per Euro exactly as the file writes it, greater than zero
};

// The euro reference rates of one day: of a history file, its newest day.
struct ReferenceRates {
    CivilDate date;
    std::vector<ReferenceRate> rates;  // in the file's order, each code once
};

// A reference-rate file, and a file unpacked from a .zip, is read up to this size: the full history
// is a few megabytes, so anything larger is no such file (or a zip bomb).
inline constexpr std::size_t kReferenceFileLimit = std::size_t{64} << 20;

// The rates of one of the ECB's files, told apart by their content: the daily or history XML
// (eurofxref-daily.xml, eurofxref-hist.xml), the daily or history CSV (eurofxref.csv,
// eurofxref-hist.csv) and the .zip files that carry the CSVs. The message names the file and the
// line or element at fault.
Result<ReferenceRates> readReferenceRates(const std::filesystem::path& file);
// The same from the file's bytes; `fileName` names the file in messages.
Result<ReferenceRates> parseReferenceRates(std::string_view bytes, const std::string& fileName);

}  // namespace kursomatik
