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
#include "store/RecordFile.h"

namespace kursomatik {
namespace {

constexpr std::string_view kRatePattern = "######,##0.000000######";

}  // namespace

std::string CurrencyEntry::isoShown() const {
    return std::string(utf8::head(fields.ISO, 12));
}

std::string CurrencyEntry::line() const {
    return buildListLine(fields, record);
}

std::string CurrencyEntry::name() const {
    return fieldValue(fields.Bezeichnung);
}

std::string CurrencyEntry::spoken() const {
    const std::string code = fieldValue(fields.ISO);
    return code.empty() ? name() : name() + ", " + code;
}

void SortedEntries::add(Entry entry, std::string nameKey) {
    // After every entry that does not come later: a sorted list box inserts the same way.
    std::size_t low = 0;
    std::size_t high = entries_.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        const int byName = nameKey.compare(keys_[middle]);
        if (byName < 0 || (byName == 0 && collate(entry->line(), entries_[middle]->line()) < 0)) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    keys_.insert(keys_.begin() + static_cast<std::ptrdiff_t>(low), std::move(nameKey));
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(low), std::move(entry));
}

GridRow gridRowOf(const CurrencyEntry& entry, const RegionalSettings& regional) {
    const CurrencyRecord& r = entry.fields;
    return {r.Bezeichnung, gridRateCell(r.Kurs, regional), r.ISO, r.Datum};
}

CurrencyEntry currencyEntry(const CurrencyRecord& record, long n, const RegionalSettings& regional) {
    const auto rate = parseRegionalNumber(record.Kurs, regional);
    return {n, record, rate ? std::optional<double>(rate->toDouble()) : std::nullopt};
}

Status fillRecordInLists(CurrencyLists& lists, RecordFileState& file, long n,
                         const RegionalSettings& regional) {
    auto record = file.iDateiNr.read(n);
    if (!record) return record.status();
    file.buffer = *record;
    const auto entry = std::make_shared<const CurrencyEntry>(currencyEntry(*record, n, regional));
    // The name column's keys give the orders of compareListLines and compareListLinesGeneric.
    const std::string_view name = entry->fields.Bezeichnung;
    std::string textKey = collationKey(name);
    const std::string ewwu = fieldValue(entry->fields.EWWU);
    if (ewwu == "1") lists.members.add(entry, textKey);
    if (ewwu == "0") lists.others.add(entry, genericNameKey(name, regional));
    lists.all.add(entry, std::move(textKey));
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

std::string genericNameKey(std::string_view name, const RegionalSettings& regional) {
    std::string key;
    const std::string_view trimmed = utf8::trimSpaces(name);
    const auto number = trimmed.empty() ? std::nullopt : parseRegionalNumber(trimmed, regional);
    key += trimmed.empty() ? '\1' : number ? '\2' : '\3';
    if (number) {
        // The double's bits, turned so that their unsigned order is the order of the values.
        const double value = number->toDouble() == 0.0 ? 0.0 : number->toDouble();
        std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
        bits = (bits >> 63) != 0 ? ~bits : bits | (std::uint64_t{1} << 63);
        for (int shift = 56; shift >= 0; shift -= 8) key += static_cast<char>(bits >> shift & 0xFF);
    }
    key += collationKey(name);
    return key;
}

std::vector<long> listOrder(std::string_view tableBytes) {
    // Whole records as the list pass reads them (decodeRecord pads a fragment at the end), at most 999.
    const long count = std::min(recordsOfLength(static_cast<long long>(tableBytes.size())), kMaxRecords);
    SortedEntries all;
    for (long n = 1; n <= count; ++n) {
        const CurrencyRecord record =
            decodeRecord(tableBytes.substr(static_cast<std::size_t>(n - 1) * kRecordLength, kRecordLength));
        all.add(std::make_shared<const CurrencyEntry>(CurrencyEntry{n, record, std::nullopt}),
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
