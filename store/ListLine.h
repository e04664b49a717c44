#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "CurrencyRecord.h"

namespace kursomatik {

// The list line of a record: its padded fields at fixed columns and its record number at the end.
//   1-40 Bezeichnung, 42-81 Kurs, 83-122 ISO, 124-130 EWWU, 132-151 Datum, 153- record number,
// each separated by one space; 153 characters for records 1 to 9, 154 for 10 to 99, and so on.
std::string buildListLine(const CurrencyRecord& record, long recordNumber);

// The whole Kurs column (42 to 81), so rates of 10,000 units per Euro and more read in full.
std::string lineKurs(std::string_view line);
// The 12 characters from column 83, which the ISO boxes cut to the code.
std::string lineIso(std::string_view line);
// The record number from the last three characters, blanks before the digits allowed.
std::optional<long> lineRecordNumber(std::string_view line);

// The order of every list of lines: by the name column first, then by the whole line, so that a
// grid sorted by its name cells keeps the same order as the list.
int compareListLines(std::string_view a, std::string_view b);

}  // namespace kursomatik
