// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Output.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/RegionalSettings.h"
#include "platform/Utf8.h"
#include "store/RateAge.h"

namespace kursomatik {
namespace {

using Row = std::array<std::string, 5>;

std::string padded(const std::string& text, std::size_t width, bool right) {
    const std::string blanks(width - std::min(width, utf8::length(text)), ' ');
    return right ? blanks + text : text + blanks;
}

std::string memberText(const CurrencyRecord& record) {
    const std::string ewwu = fieldValue(record.EWWU);
    return ewwu == "1" ? "ja" : ewwu == "0" ? "nein" : ewwu;
}

}  // namespace

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string jsonNumber(const DecimalNumber& n) {
    if (n.isZero()) return "0";
    const std::string sign = n.negative ? "-" : "";
    const long size = static_cast<long>(n.digits.size());
    // Plain digits where that stays short, else an exponent (JSON allows both).
    if (n.exponent >= 0 && n.exponent <= 20) return sign + n.digits + std::string(n.exponent, '0');
    if (n.exponent < 0 && -n.exponent <= 20 + size) {
        const long point = size + n.exponent;
        if (point > 0) return sign + n.digits.substr(0, point) + "." + n.digits.substr(point);
        return sign + "0." + std::string(-point, '0') + n.digits;
    }
    return sign + n.digits + "e" + std::to_string(n.exponent);
}

std::string jsonRate(const std::optional<Money>& scaled) {
    if (!scaled) return "null";
    DecimalNumber rate = DecimalNumber::fromMoney(*scaled);
    rate.exponent -= 6;  // the Kurs field's scale: units per Euro × 1,000,000
    return jsonNumber(rate);
}

namespace {

// The day of a rate in ISO 8601 ("2024-06-28"), null where the record's date cannot be read.
std::string jsonDate(const std::optional<CivilDate>& date) {
    return date ? jsonString(formatShortDate(*date, "yyyy-MM-dd")) : "null";
}
std::string jsonDate(const CurrencyRecord& record, const RegionalSettings& regional) {
    return jsonDate(rateDate(record, regional));
}

// Rows in aligned columns: a column's index in `right` stands right-aligned; the last is not padded.
template <std::size_t N>
void printColumns(const std::vector<std::array<std::string, N>>& rows, std::size_t right, std::ostream& out) {
    std::array<std::size_t, N> widths{};
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < N; ++c) widths[c] = std::max(widths[c], utf8::length(row[c]));
    }
    for (const auto& row : rows) {
        for (std::size_t c = 0; c + 1 < N; ++c) out << padded(row[c], widths[c], c == right) << "  ";
        out << row.back() << '\n';
    }
}

// The rate's text as the currency windows show it, null where they show none.
std::string jsonRateText(const CurrencyRecord& record, const RegionalSettings& regional) {
    const std::string shown = gridRateCell(record.Kurs, regional);
    return shown.empty() ? "null" : jsonString(shown);
}

}  // namespace

void printCurrencyList(const CurrencyTable& table, const RegionalSettings& regional, std::ostream& out) {
    std::vector<Row> rows{{"ISO", "Kurs je Euro", "Datum", "EWWU", "Bezeichnung"}};
    for (const CurrencyEntry& entry : table.lists.all) {
        const CurrencyRecord& record = entry.fields;
        const std::string rate = gridRateCell(record.Kurs, regional);
        rows.push_back({utf8::printable(fieldValue(record.ISO)), rate.empty() ? "ungültig" : rate,
                        utf8::printable(fieldValue(record.Datum)), utf8::printable(memberText(record)),
                        utf8::printable(fieldValue(record.Bezeichnung))});
    }
    printColumns(rows, 1, out);  // the rates right-aligned
}

void printAllCurrencies(const std::vector<AllCurrenciesRow>& rows, bool json, std::ostream& out) {
    if (json) {
        out << '[';
        const char* separator = "\n";
        for (const AllCurrenciesRow& row : rows) {
            out << separator << "{\"iso\": " << jsonString(row.iso)
                << ", \"bezeichnung\": " << jsonString(row.name)
                << ", \"ergebnis\": " << (row.value ? jsonNumber(*row.value) : "null")
                << ", \"anzeige\": " << (row.value ? jsonString(row.result) : "null")
                << ", \"datum\": " << jsonDate(row.day) << ", \"alt\": " << (row.old ? "true" : "false")
                << '}';
            separator = ",\n";
        }
        out << (rows.empty() ? "]\n" : "\n]\n");
        return;
    }
    std::vector<Row> lines{{"ISO", "Ergebnis", "Datum", "", "Bezeichnung"}};
    for (const AllCurrenciesRow& row : rows)
        lines.push_back({row.iso, row.result, row.date, row.mark(), row.name});
    printColumns(lines, 1, out);
}

void printCurrencyListJson(const CurrencyTable& table, const RegionalSettings& regional, std::ostream& out) {
    out << '[';
    const char* separator = "\n";
    for (const CurrencyEntry& entry : table.lists.all) {
        const CurrencyRecord& record = entry.fields;
        const std::string ewwu = fieldValue(record.EWWU);
        out << separator << "{\"iso\": " << jsonString(utf8::printable(fieldValue(record.ISO)))
            << ", \"bezeichnung\": " << jsonString(utf8::printable(fieldValue(record.Bezeichnung)))
            << ", \"kurs\": " << jsonRate(fixedRateOf(entry.rate, regional))
            << ", \"kurs_anzeige\": " << jsonRateText(record, regional)
            << ", \"datum\": " << jsonDate(record, regional) << ", \"ewwu\": "
            << (ewwu == "1"   ? "true"
                : ewwu == "0" ? "false"
                              : "null")
            << '}';
        separator = ",\n";
    }
    out << (table.lists.all.size() == 0 ? "]\n" : "\n]\n");
}

void printJson(const RechnerErgebnis& e, const RegionalSettings& regional, std::ostream& out) {
    const CurrencyRecord& von = e.von.entry->fields;
    const CurrencyRecord& nach = e.nach.entry->fields;
    out << "{\"betrag\": " << jsonNumber(e.betrag) << ", \"von\": " << jsonString(fieldValue(von.ISO))
        << ", \"nach\": " << jsonString(fieldValue(nach.ISO)) << ", \"euro\": " << jsonNumber(e.shown.euro)
        << ", \"ergebnis\": " << jsonNumber(e.shown.wert)
        << ", \"anzeige\": " << jsonString(*e.shown.wertText) << ", \"kurs_von\": " << jsonRate(e.von.cyKurs)
        << ", \"kurs_von_anzeige\": " << jsonRateText(von, regional)
        << ", \"kurs_nach\": " << jsonRate(e.nach.cyKurs)
        << ", \"kurs_nach_anzeige\": " << jsonRateText(nach, regional)
        << ", \"datum_von\": " << jsonDate(von, regional) << ", \"datum_nach\": " << jsonDate(nach, regional)
        << "}\n";
}

}  // namespace kursomatik
