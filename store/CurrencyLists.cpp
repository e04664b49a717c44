// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/CurrencyLists.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "conversion/DecimalNumber.h"
#include "conversion/NumberFormat.h"
#include "platform/Collation.h"
#include "platform/RegionalSettings.h"
#include "platform/Utf8.h"
#include "store/ListLine.h"

namespace kursomatik {
namespace {

constexpr std::string_view kRatePattern = "######,##0.000000######";

GridRow gridRowOf(const CurrencyRecord& record, const std::string& line, const RegionalSettings& regional) {
    return {record.Bezeichnung, gridRateCell(record.Kurs, regional), record.ISO, record.Datum, line};
}

}  // namespace

void SortedLines::add(const std::string& line, std::u32string nameKey, long record) {
    // After every line that does not come later: a sorted list box inserts the same way.
    std::size_t low = 0;
    std::size_t high = lines_.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        const int byName = nameKey.compare(keys_[middle]);
        if (byName < 0 || (byName == 0 && collate(line, lines_[middle]) < 0)) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    keys_.insert(keys_.begin() + static_cast<std::ptrdiff_t>(low), std::move(nameKey));
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(low), line);
    records_.insert(records_.begin() + static_cast<std::ptrdiff_t>(low), record);
}

Status fillRecordInLists(CurrencyLists& lists, RecordFileState& file, long n,
                         const RegionalSettings& regional) {
    auto record = file.iDateiNr.read(n);
    if (!record) return record.status();
    file.buffer = *record;
    const std::string line = buildListLine(*record, n);
    // The name column's keys give the orders of compareListLines and compareListLinesGeneric.
    const std::string_view name = lineName(line);
    std::u32string textKey = collationKey(name);
    const std::string ewwu = fieldValue(record->EWWU);
    if (ewwu == "1") {
        lists.members.add(line, textKey, n);
        lists.memberRows.push_back(gridRowOf(*record, line, regional));
    } else if (ewwu == "0") {
        lists.others.add(line, genericNameKey(name, regional), n);
        lists.otherRows.push_back(gridRowOf(*record, line, regional));
    }
    lists.all.add(line, std::move(textKey), n);
    return Status::ok();
}

std::string gridRateCell(std::string_view kurs, const RegionalSettings& regional) {
    const auto scaled = parseRegionalNumber(utf8::trimSpaces(kurs), regional);
    if (!scaled) return {};
    const auto asMoney =
        parseRegionalNumber(formatNumber(scaled->toDouble(), kRatePattern, regional), regional);
    const auto money = asMoney ? asMoney->toMoney() : std::nullopt;
    if (!money) return {};
    return formatNumber(money->toDouble() / kRateScale, kRatePattern, regional);
}

int compareListLinesGeneric(std::string_view a, std::string_view b, const RegionalSettings& regional) {
    const int byName = genericNameKey(lineName(a), regional).compare(genericNameKey(lineName(b), regional));
    if (byName != 0) return byName < 0 ? -1 : 1;
    return collate(a, b);
}

std::u32string genericNameKey(std::string_view name, const RegionalSettings& regional) {
    std::u32string key;
    const std::string_view trimmed = utf8::trimSpaces(name);
    const auto number = trimmed.empty() ? std::nullopt : parseRegionalNumber(trimmed, regional);
    key += trimmed.empty() ? U'\1' : number ? U'\2' : U'\3';
    if (number) {
        // The double's bits, turned so that their unsigned order is the order of the values.
        const double value = number->toDouble() == 0.0 ? 0.0 : number->toDouble();
        std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
        bits = (bits >> 63) != 0 ? ~bits : bits | (std::uint64_t{1} << 63);
        key += static_cast<char32_t>(bits >> 32);
        key += static_cast<char32_t>(bits & 0xFFFFFFFFu);
    }
    key += collationKey(name);
    return key;
}

}  // namespace kursomatik
