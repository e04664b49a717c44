// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/CurrencyRecord.h"

namespace kursomatik {

struct RegionalSettings;

// The list line of a record: its fields at the line columns of kFieldLayout and its record number at
// the end (153 characters for records 1 to 9, 154 for 10 to 99, and so on).
std::string buildListLine(const CurrencyRecord& record, long recordNumber);

// The name column, padded as stored: what both sort orders compare first.
std::string_view lineName(std::string_view line);
// The whole Kurs column, so rates of 10,000 units per Euro and more read in full.
std::string lineKurs(std::string_view line);
// The 12 characters from the ISO column, which the ISO boxes cut to the code.
std::string lineIso(std::string_view line);
// The scaled rate in the Kurs column, as choosing the line's currency takes it; empty when it is no
// number.
std::optional<double> lineRate(std::string_view line, const RegionalSettings& regional);
// Any field of the line's record, trimmed.
std::string lineField(std::string_view line, std::string CurrencyRecord::*field);
// The record number from the last three characters, blanks before the digits allowed.
std::optional<long> lineRecordNumber(std::string_view line);

// What the lists show of their lines: the trimmed name in a pick list, and the name and code a
// screen reader says instead of the padded columns.
struct ShownLines {
    std::vector<std::string> names;
    std::vector<std::string> spoken;
};
ShownLines shownLines(const std::vector<std::string>& lines);

// The order of every list of lines: by the name column first, then by the whole line, so that a
// grid sorted by its name cells keeps the same order as the list.
int compareListLines(std::string_view a, std::string_view b);

}  // namespace kursomatik
