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
    SortedLines all;
    for (long n = 1; n <= count; ++n) {
        const auto bytes = tableBytes.substr(static_cast<std::size_t>(n - 1) * kRecordLength, kRecordLength);
        const std::string line = buildListLine(decodeRecord(bytes), n);
        all.add(line, collationKey(lineName(line)), n);
    }
    return all.records();
}

std::optional<long> samePosition(const std::vector<long>& before, const std::vector<long>& after,
                                 long position) {
    if (position < 0 || position >= static_cast<long>(before.size())) return std::nullopt;
    const auto found = std::find(after.begin(), after.end(), before[static_cast<std::size_t>(position)]);
    if (found == after.end()) return std::nullopt;
    return found - after.begin();
}

}  // namespace kursomatik
