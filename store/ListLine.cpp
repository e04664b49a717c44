// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/ListLine.h"

#include <algorithm>

#include "platform/Collation.h"
#include "platform/Utf8.h"

namespace kursomatik {

// kFieldLayout holds Bezeichnung, ISO and Kurs at 0, 1 and 2.
std::string buildListLine(const CurrencyRecord& r, long recordNumber) {
    static const auto columns = [] {
        auto inLineOrder = kFieldLayout;
        std::ranges::sort(inLineOrder, {}, &FieldLayout::lineColumn);
        return inLineOrder;
    }();
    std::string line;
    for (const FieldLayout& column : columns) line += utf8::fit(r.*column.field, column.width) + ' ';
    return line + std::to_string(recordNumber);
}

std::string_view lineName(std::string_view line) {
    return utf8::head(line, kFieldLayout[0].width);
}

int compareListLines(std::string_view a, std::string_view b) {
    if (const int byName = collate(lineName(a), lineName(b)); byName != 0) return byName;
    return collate(a, b);
}

}  // namespace kursomatik
