#include "CurrencyLists.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "Collation.h"
#include "DecimalNumber.h"
#include "ListLine.h"
#include "NumberFormat.h"
#include "RegionalSettings.h"
#include "Utf8.h"

namespace kursomatik {
namespace {

constexpr std::string_view kRatePattern = "######,##0.000000######";

template <class Order>
void insertSorted(std::vector<std::string>& list, const std::string& line, Order before) {
    list.insert(std::upper_bound(list.begin(), list.end(), line, before), line);
}

GridRow gridRowOf(const CurrencyRecord& record, const std::string& line, const RegionalSettings& regional) {
    return {record.Bezeichnung, gridRateCell(record.Kurs, regional), record.ISO, record.Datum, line};
}

}  // namespace

Status fillRecordInLists(CurrencyLists& lists, RecordFileState& file, long n,
                         const RegionalSettings& regional) {
    auto record = file.iDateiNr.read(n);
    if (!record) return record.status();
    file.buffer = *record;
    const std::string line = buildListLine(*record, n);
    insertSorted(lists.lines, line, [](const auto& a, const auto& b) { return compareListLines(a, b) < 0; });
    const std::string ewwu = fieldValue(record->EWWU);
    if (ewwu == "1") {
        insertSorted(lists.members, line,
                     [](const auto& a, const auto& b) { return compareListLines(a, b) < 0; });
        lists.memberRows.push_back(gridRowOf(*record, line, regional));
    } else if (ewwu == "0") {
        insertSorted(lists.others, line, [&](const auto& a, const auto& b) {
            return compareListLinesGeneric(a, b, regional) < 0;
        });
        lists.otherRows.push_back(gridRowOf(*record, line, regional));
    }
    return Status::ok();
}

std::string gridRateCell(std::string_view kurs, const RegionalSettings& regional) {
    const auto scaled = parseRegionalNumber(utf8::trimSpaces(kurs), regional);
    if (!scaled) return {};
    const auto asMoney =
        parseRegionalNumber(formatNumber(scaled->toDouble(), kRatePattern, regional), regional);
    const auto money = asMoney ? asMoney->toMoney() : std::nullopt;
    if (!money) return {};
    return formatNumber(money->toDouble() / 1000000.0, kRatePattern, regional);
}

int compareNamesGeneric(std::string_view a, std::string_view b, const RegionalSettings& regional) {
    const auto rank = [&](std::string_view name, std::optional<DecimalNumber>& number) {
        if (utf8::trimSpaces(name).empty()) return 0;
        number = parseRegionalNumber(utf8::trimSpaces(name), regional);
        return number ? 1 : 2;
    };
    std::optional<DecimalNumber> numberA;
    std::optional<DecimalNumber> numberB;
    const int rankA = rank(a, numberA);
    const int rankB = rank(b, numberB);
    if (rankA != rankB) return rankA < rankB ? -1 : 1;
    if (rankA == 1) {
        const double x = numberA->toDouble();
        const double y = numberB->toDouble();
        if (x != y) return x < y ? -1 : 1;
    }
    return collate(a, b);
}

int compareListLinesGeneric(std::string_view a, std::string_view b, const RegionalSettings& regional) {
    if (const int byName = compareNamesGeneric(utf8::head(a, 40), utf8::head(b, 40), regional); byName != 0) {
        return byName;
    }
    return collate(a, b);
}

std::u32string genericNameKey(std::string_view name, const RegionalSettings& regional) {
    // Empty names, then numbers by value, then texts, as compareNamesGeneric has it.
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
