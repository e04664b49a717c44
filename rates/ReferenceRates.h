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

// The euro reference rates of one day.
struct ReferenceRates {
    CivilDate date;
    std::vector<ReferenceRate> rates;  // in the file's order, each code once
};

// Every day of a file, in the file's order (the ECB's history files begin with the newest day).
using ReferenceHistory = std::vector<ReferenceRates>;

// The newest day of a file's days, the first one where two carry that date; `days` is not empty.
const ReferenceRates& newestDay(const ReferenceHistory& days);

// A reference-rate file, and a file unpacked from a .zip, is read up to this size: the full history
// is a few megabytes, so anything larger is no such file (or a zip bomb).
inline constexpr std::size_t kReferenceFileLimit = std::size_t{64} << 20;

// The rates of one of the ECB's files, told apart by their content: the daily or history XML
// (eurofxref-daily.xml, eurofxref-hist.xml), the daily or history CSV (eurofxref.csv,
// eurofxref-hist.csv) and the .zip files that carry the CSVs. The message names the file and the
// line or element at fault. Of a history file its newest day is taken.
Result<ReferenceRates> readReferenceRates(const std::filesystem::path& file);
// The same from the file's bytes; `fileName` names the file in messages.
Result<ReferenceRates> parseReferenceRates(std::string_view bytes, const std::string& fileName);
// Every day of such a file, read and checked as above: at least one.
Result<ReferenceHistory> readReferenceHistory(const std::filesystem::path& file);
Result<ReferenceHistory> parseReferenceHistory(std::string_view bytes, const std::string& fileName);

// The two text formats, read by EcbXml.cpp and EcbCsv.cpp. Their messages name `fileName` and the
// place at fault, after `where` ("" or the name of the file inside a .zip).

// The ECB's XML: <Cube time='2024-06-28'> elements, each holding <Cube currency='USD' rate='1.0705'/>
// entries; one of them in the daily file, one per day in the history files. Every entry is checked;
// every day is taken. The place is the element with its line.
Result<ReferenceHistory> parseEcbXml(std::string_view bytes, const std::string& fileName,
                                     const std::string& where);
// The ECB's CSV: a header "Date, USD, JPY, ..." and a row per day ("28 June 2024, 1.0705, ..." in the
// daily file, "2024-06-28,1.0705,...,N/A," in the history), each field followed by a comma. Every row
// is checked, and the file is taken only whole: each line ends with that comma, blanks and its line
// end, so a cut file is refused. Every day is taken, without the rates marked "N/A". The place is
// the line.
Result<ReferenceHistory> parseEcbCsv(std::string_view text, const std::string& fileName,
                                     const std::string& where);

}  // namespace kursomatik
