// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/ListLine.h"

#include <algorithm>

#include "conversion/DecimalNumber.h"
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

std::string lineKurs(std::string_view line) {
    return utf8::mid(line, kFieldLayout[2].lineColumn, kFieldLayout[2].width);
}

std::string lineIso(std::string_view line) {
    return utf8::mid(line, kFieldLayout[1].lineColumn, 12);
}

std::optional<double> lineRate(std::string_view line, const RegionalSettings& regional) {
    const auto rate = parseRegionalNumber(lineKurs(line), regional);
    return rate ? std::optional<double>(rate->toDouble()) : std::nullopt;
}

std::string lineField(std::string_view line, std::string CurrencyRecord::*field) {
    for (const FieldLayout& column : kFieldLayout) {
        if (column.field == field) return fieldValue(utf8::mid(line, column.lineColumn, column.width));
    }
    return {};
}

std::optional<long> lineRecordNumber(std::string_view line) {
    const std::string last = utf8::right(line, 3);
    const std::string_view digits = utf8::trimSpaces(last);
    if (digits.empty()) return std::nullopt;
    long number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
    }
    return number;
}

ShownLines shownLines(const std::vector<std::string>& lines) {
    ShownLines shown;
    shown.names.reserve(lines.size());
    shown.spoken.reserve(lines.size());
    for (const std::string& line : lines) {
        std::string shownName(utf8::trimSpaces(lineName(line)));
        const std::string code(
            utf8::trimSpaces(utf8::mid(line, kFieldLayout[1].lineColumn, kFieldLayout[1].width)));
        shown.spoken.push_back(code.empty() ? shownName : shownName + ", " + code);
        shown.names.push_back(std::move(shownName));
    }
    return shown;
}

int compareListLines(std::string_view a, std::string_view b) {
    if (const int byName = collate(lineName(a), lineName(b)); byName != 0) return byName;
    return collate(a, b);
}

}  // namespace kursomatik
