// SPDX-License-Identifier: GPL-3.0-or-later
// A whole currency file of arbitrary bytes, written as KURSOMATIK.DAT and read by the real list pass
// (the record file and the lists, without the windows). Every list and grid must show the currencies
// in the same order as the windows sort them, and every entry's record number must open the record
// it was made from.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzWorkFolder.h"
#include "platform/Collation.h"
#include "platform/RegionalSettings.h"
#include "platform/Utf8.h"
#include "store/CurrencyLists.h"
#include "store/ListLine.h"
#include "store/RecordFile.h"

using namespace kursomatik;

namespace {

using NameKey = std::u32string (*)(std::string_view name, const RegionalSettings& regional);

std::u32string textKey(std::string_view name, const RegionalSettings&) {
    return collationKey(name);
}

// A currency window's grid after its sort: the spare empty row and one row per currency, ordered by
// the key of the name cell and then by the row's line, as the window's sort moves them.
std::vector<std::string> sortedGridLines(const std::vector<SortedEntries::Entry>& fileOrder, NameKey keyOf,
                                         const RegionalSettings& regional) {
    struct Row {
        std::u32string key;
        std::string line;
    };
    std::vector<Row> grid{{keyOf("", regional), ""}};
    for (const auto& entry : fileOrder) {
        const GridRow row = gridRowOf(*entry, regional);
        grid.push_back({keyOf(row.name, regional), row.line});
    }
    std::stable_sort(grid.begin(), grid.end(), [](const Row& a, const Row& b) {
        if (const int byName = a.key.compare(b.key); byName != 0) return byName < 0;
        return collate(a.line, b.line) < 0;
    });
    std::vector<std::string> lines;
    for (const Row& row : grid) lines.push_back(row.line);
    return lines;
}

// Grid row r + 2 opens list entry r, and row 1 is the spare row: the window relies on both.
void checkGridMatchesList(const SortedEntries& list, const std::vector<SortedEntries::Entry>& rows,
                          NameKey keyOf, const RegionalSettings& regional) {
    FUZZ_CHECK(list.size() == rows.size());
    const std::vector<std::string> grid = sortedGridLines(rows, keyOf, regional);
    FUZZ_CHECK(grid.front().empty());
    for (std::size_t k = 0; k < list.size(); ++k) FUZZ_CHECK(list[k].line == grid[k + 1]);
    for (const auto& entry : rows) {
        const GridRow row = gridRowOf(*entry, regional);
        FUZZ_CHECK(utf8::head(row.line, 40) == row.name);
        FUZZ_CHECK(utf8::mid(row.line, 82, 40) == row.iso);
        FUZZ_CHECK(utf8::mid(row.line, 131, 20) == row.date);
    }
}

// The editor opens an entry's record through its number, on the file as it now is: the record the
// entry was made from.
void checkRecordNumber(const CurrencyEntry& entry, const RecordFile& file) {
    const auto reread = file.read(entry.record);
    FUZZ_CHECK(reread && *reread == entry.fields && buildListLine(*reread, entry.record) == entry.line);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Record numbers have three digits; a longer table is not a list pass's business here.
    if (size >= 999 * kRecordLength + kRecordLength / 2) return -1;
    const RegionalSettings german = RegionalSettings::german();
    const std::filesystem::path table = fuzzWorkFolder() / kCurrencyFileName;
    writeWholeFile(table, std::string_view(reinterpret_cast<const char*>(data), size));

    // The pass as the main window runs it: count, open for reading, one record after the other, close.
    RecordFileState file;
    FUZZ_CHECK(openForListPass(file, table).empty());
    const long count = file.lSatzAnzahl;
    FUZZ_CHECK(count == static_cast<long>((size + kRecordLength / 2) / kRecordLength));
    CurrencyLists lists;
    for (long n = 1; n <= count; ++n) FUZZ_CHECK(fillRecordInLists(lists, file, n, german));
    file.iDateiNr.close();

    const SortedEntries& all = lists.all;
    FUZZ_CHECK(all.size() == static_cast<std::size_t>(count));
    for (std::size_t k = 1; k < all.size(); ++k)
        FUZZ_CHECK(compareListLines(all[k - 1].line, all[k].line) < 0);
    const SortedEntries& others = lists.others;
    for (std::size_t k = 1; k < others.size(); ++k) {
        FUZZ_CHECK(compareListLinesGeneric(others[k - 1].line, others[k].line, german) < 0);
    }
    checkGridMatchesList(lists.members, lists.membersInFileOrder, textKey, german);
    checkGridMatchesList(lists.others, lists.othersInFileOrder, genericNameKey, german);

    // The editor opens a line's record through its number, on the file as it now is.
    RecordFile reopened;
    FUZZ_CHECK(reopened.open(table, false));
    for (const CurrencyEntry& entry : all) checkRecordNumber(entry, reopened);
    return 0;
}
