// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/ListOrder.h"

#include <algorithm>

#include "platform/Collation.h"
#include "store/CurrencyLists.h"
#include "store/ListLine.h"
#include "store/RecordFile.h"

namespace kursomatik {

std::vector<long> listOrder(std::string_view tableBytes) {
    // Whole records as the list pass reads them (decodeRecord pads a fragment at the end), at most 999.
    const long count = std::min(recordsOfLength(static_cast<long long>(tableBytes.size())), kMaxRecords);
    SortedEntries all;
    for (long n = 1; n <= count; ++n) {
        const CurrencyRecord record =
            decodeRecord(tableBytes.substr(static_cast<std::size_t>(n - 1) * kRecordLength, kRecordLength));
        all.add(std::make_shared<const CurrencyEntry>(
                    CurrencyEntry{n, record, std::nullopt, buildListLine(record, n)}),
                collationKey(record.Bezeichnung));
    }
    std::vector<long> order;
    for (const CurrencyEntry& entry : all) order.push_back(entry.record);
    return order;
}

std::optional<long> samePosition(const std::vector<long>& before, const std::vector<long>& after,
                                 long position) {
    if (position < 0 || position >= static_cast<long>(before.size())) return std::nullopt;
    const auto found = std::find(after.begin(), after.end(), before[static_cast<std::size_t>(position)]);
    if (found == after.end()) return std::nullopt;
    return found - after.begin();
}

}  // namespace kursomatik
