// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "store/CurrencyRecord.h"

namespace kursomatik {

// The list line of a record: its fields at the line columns of kFieldLayout and its record number at
// the end (153 characters for records 1 to 9, 154 for 10 to 99, and so on).
std::string buildListLine(const CurrencyRecord& record, long recordNumber);

// The name column, padded as stored: what both sort orders compare first.
std::string_view lineName(std::string_view line);

// The order of every list of lines: by the name column first, then by the whole line, so that a
// grid sorted by its name cells keeps the same order as the list.
int compareListLines(std::string_view a, std::string_view b);

}  // namespace kursomatik
