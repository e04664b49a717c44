// SPDX-License-Identifier: GPL-3.0-or-later
// Whole currency files of arbitrary bytes: every record decodes, re-encodes to the same bytes,
// forms a list line whose readers hold, and the list order stays a strict order.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "platform/RegionalSettings.h"
#include "platform/Utf8.h"
#include "store/CurrencyLists.h"
#include "store/CurrencyRecord.h"
#include "store/ListLine.h"

using namespace kursomatik;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const RegionalSettings german = RegionalSettings::german();
    std::vector<std::string> lines;
    // A trailing fragment of 74 bytes or more counts as a record, as the record count rounds.
    const std::size_t records = (size + kRecordLength / 2) / kRecordLength;
    for (std::size_t n = 0; n < records; ++n) {
        const std::string_view chunk = bytes.substr(n * kRecordLength, kRecordLength);
        const CurrencyRecord record = decodeRecord(chunk);
        std::string padded(chunk);
        padded.resize(kRecordLength, ' ');
        FUZZ_CHECK(encodeRecord(record) == padded);  // every byte has its own character
        const std::string line = buildListLine(record, static_cast<long>(n + 1));
        FUZZ_CHECK(utf8::length(line) == 152 + std::to_string(n + 1).size());
        // Every field stands at its column, whatever its characters.
        for (const FieldLayout& column : kFieldLayout)
            FUZZ_CHECK(utf8::mid(line, column.lineColumn, column.width) == record.*column.field);
        (void)gridRateCell(record.Kurs, german);
        (void)decodeRate(record.Kurs, german);
        lines.push_back(line);
    }
    // The order's properties over the first lines; all pairs of a long file would starve the search.
    if (lines.size() > 24) lines.resize(24);
    for (const auto& a : lines) {
        for (const auto& b : lines) {
            const int ab = compareListLines(a, b);
            FUZZ_CHECK(ab == -compareListLines(b, a) && (ab == 0) == (a == b));
            const int generic = compareListLinesGeneric(a, b, german);
            FUZZ_CHECK(generic == -compareListLinesGeneric(b, a, german));
        }
    }
    return 0;
}
