// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Result.h"
#include "store/RecordFileState.h"

namespace kursomatik {

struct RegionalSettings;

// One currency as every list of the program holds it: its record number, its record (the fields
// padded as stored), the scaled rate the main window takes when it is chosen (units per Euro ×
// 1,000,000; empty when Kurs is no number), and the list line made from them, which the lists show.
// Everything is read from the record once; nobody reads it back out of the line.
struct CurrencyEntry {
    long record = 0;
    CurrencyRecord fields;
    std::optional<double> rate;

    // The list line, made when asked for: a table's lines are shown a screenful at a time.
    std::string line() const;

    // The code as the ISO boxes get it: 12 characters of the padded field, of which a box shows 3.
    std::string isoShown() const;
    // The trimmed name a pick list shows, and the name and code a screen reader says for a line.
    std::string name() const;
    std::string spoken() const;
};

// Entries kept sorted as they are added, as a sorted list box keeps its lines: by a key of the
// name, and by the whole line where the keys are equal. The key is made once per entry, so adding
// one compares keys rather than folding names again and again. An entry in several lists is there
// once, shared.
class SortedEntries {
  public:
    using Entry = std::shared_ptr<const CurrencyEntry>;
    void add(Entry entry, std::string nameKey);
    // The keys are for adding only: once the list is complete they go.
    void complete() { keys_ = {}; }
    // The entries in the list's order: for (const CurrencyEntry& entry : list).
    class Iterator {
      public:
        explicit Iterator(std::vector<Entry>::const_iterator at) : at_(at) {}
        const CurrencyEntry& operator*() const { return **at_; }
        Iterator& operator++() { return ++at_, *this; }
        bool operator==(const Iterator&) const = default;

      private:
        std::vector<Entry>::const_iterator at_;
    };
    Iterator begin() const { return Iterator(entries_.begin()); }
    Iterator end() const { return Iterator(entries_.end()); }
    std::size_t size() const { return entries_.size(); }
    const CurrencyEntry& operator[](std::size_t k) const { return *entries_[k]; }

  private:
    std::vector<std::string> keys_;
    std::vector<Entry> entries_;
};

// Everything one list pass shows, built from the currency file.
struct CurrencyLists {
    SortedEntries all;      // every record: lstversteckt and lstversteckt2
    SortedEntries members;  // trimmed EWWU "1": lstewwu
    SortedEntries others;   // trimmed EWWU "0": lstweitere, names in the generic order

    // After the pass's last record: what only filling needed goes.
    void complete() {
        all.complete();
        members.complete();
        others.complete();
    }
};

// One row of a currency window's grid: columns 1 to 4 (name, ISO and date padded as stored, the rate
// in units per Euro, "######,##0.000000######", empty when Kurs is no number).
struct GridRow {
    std::string name;
    std::string rate;
    std::string iso;
    std::string date;
};
GridRow gridRowOf(const CurrencyEntry& entry, const RegionalSettings& regional);

// The entry of record n, as the list pass makes it.
CurrencyEntry currencyEntry(const CurrencyRecord& record, long n, const RegionalSettings& regional);

// Reads record n into the record buffer and adds its line to the lists (FillRecordinList).
Status fillRecordInLists(CurrencyLists& lists, RecordFileState& file, long n,
                         const RegionalSettings& regional);

// The grid's rate cell of a Kurs text: read as a number, formatted, taken as money, divided by
// 1,000,000 and formatted again (1955830 -> "1,955830"). Empty when the text is no number.
std::string gridRateCell(std::string_view kurs, const RegionalSettings& regional);

// The generic order of names in a grid and its list: empty names first, then names that are numbers
// by value, then the others by text (collationKey() is the key of the text order). A key is made
// once per row, so sorting compares keys rather than parsing names again and again.
std::string genericNameKey(std::string_view name, const RegionalSettings& regional);

// Lines by the generic order of their name column first and then as a whole, so that a grid row and
// its list entry always stand at the same place.
int compareListLinesGeneric(std::string_view a, std::string_view b, const RegionalSettings& regional);

// The record numbers of a table's bytes in the order of the list of all currencies (lstversteckt,
// lstversteckt2 and the drop-down lists filled from them), as the list pass sorts them: position k of
// those lists shows record listOrder(table)[k].
std::vector<long> listOrder(std::string_view tableBytes);

// Where the currency at `position` of one list order stands in another, when every record kept its
// number in between (an import appends its new currencies); empty when the position points to no
// currency, or its record is gone.
std::optional<long> samePosition(const std::vector<long>& before, const std::vector<long>& after,
                                 long position);

}  // namespace kursomatik
