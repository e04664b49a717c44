// SPDX-License-Identifier: GPL-3.0-or-later
// A whole currency file of arbitrary bytes, written as KURSOMATIK.DAT and read by the real list pass
// (the record file and the lists, without the windows). Every list must show the currencies in its
// order, every grid row the fields of its entry, and every entry's record number must open the record
// it was made from.
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

// A grid row shows its entry's fields as the entry's line carries them.
void checkGridRows(const SortedEntries& list, const RegionalSettings& regional) {
    for (const CurrencyEntry& entry : list) {
        const GridRow row = gridRowOf(entry, regional);
        FUZZ_CHECK(utf8::head(entry.line(), 40) == row.name);
        FUZZ_CHECK(utf8::mid(entry.line(), 82, 40) == row.iso);
        FUZZ_CHECK(utf8::mid(entry.line(), 131, 20) == row.date);
    }
}

// The editor opens an entry's record through its number, on the file as it now is: the record the
// entry was made from.
void checkRecordNumber(const CurrencyEntry& entry, const RecordFile& file) {
    const auto reread = file.read(entry.record);
    FUZZ_CHECK(reread && *reread == entry.fields && buildListLine(*reread, entry.record) == entry.line());
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
        FUZZ_CHECK(compareListLines(all[k - 1].line(), all[k].line()) < 0);
    const SortedEntries& members = lists.members;
    for (std::size_t k = 1; k < members.size(); ++k)
        FUZZ_CHECK(compareListLines(members[k - 1].line(), members[k].line()) < 0);
    const SortedEntries& others = lists.others;
    for (std::size_t k = 1; k < others.size(); ++k) {
        FUZZ_CHECK(compareListLinesGeneric(others[k - 1].line(), others[k].line(), german) < 0);
    }
    checkGridRows(members, german);
    checkGridRows(others, german);

    // The editor opens a line's record through its number, on the file as it now is.
    RecordFile reopened;
    FUZZ_CHECK(reopened.open(table, false));
    for (const CurrencyEntry& entry : all) checkRecordNumber(entry, reopened);
    return 0;
}
