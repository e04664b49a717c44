// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Result.h"
#include "store/RecordFileState.h"

namespace kursomatik {

struct RegionalSettings;

// One row of a currency window's grid, in file order: columns 1 to 4 and the line it came from.
struct GridRow {
    std::string name;  // padded as stored
    std::string rate;  // units per Euro, "######,##0.000000######"; empty when Kurs is no number
    std::string iso;   // padded as stored
    std::string date;  // padded as stored
    std::string line;
};

// Lines kept sorted as they are added, as a sorted list box keeps them: by a key of the line's name,
// and by the whole line where the keys are equal. The key is made once per line, so adding a line
// compares keys rather than folding names again and again. Each line keeps the number of its record,
// so nobody has to read it back out of the text (a record of NUL bytes has no readable number).
class SortedLines {
  public:
    void add(const std::string& line, std::u32string nameKey, long record);
    const std::vector<std::string>& lines() const { return lines_; }
    const std::vector<long>& records() const { return records_; }

  private:
    std::vector<std::u32string> keys_;
    std::vector<std::string> lines_;
    std::vector<long> records_;
};

// Everything one list pass shows, built from the currency file; the grid rows stand in file order.
struct CurrencyLists {
    SortedLines all;                  // every record: lstversteckt and lstversteckt2
    SortedLines members;              // trimmed EWWU "1": lstewwu
    SortedLines others;               // trimmed EWWU "0": lstweitere, names in the generic order
    std::vector<GridRow> memberRows;  // grdTable
    std::vector<GridRow> otherRows;   // grdTable2
};

// Reads record n into the record buffer and adds its line to the lists (FillRecordinList).
Status fillRecordInLists(CurrencyLists& lists, RecordFileState& file, long n,
                         const RegionalSettings& regional);

// The grid's rate cell of a Kurs text: read as a number, formatted, taken as money, divided by
// 1,000,000 and formatted again (1955830 -> "1,955830"). Empty when the text is no number.
std::string gridRateCell(std::string_view kurs, const RegionalSettings& regional);

// The generic order of names in a grid and its list: empty names first, then names that are numbers
// by value, then the others by text (collationKey() is the key of the text order). A key is made
// once per row, so sorting compares keys rather than parsing names again and again.
std::u32string genericNameKey(std::string_view name, const RegionalSettings& regional);

// Lines by the generic order of their name column first and then as a whole, so that a grid row and
// its list entry always stand at the same place.
int compareListLinesGeneric(std::string_view a, std::string_view b, const RegionalSettings& regional);

}  // namespace kursomatik
