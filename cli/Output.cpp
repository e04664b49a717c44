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

// A JSON string literal of UTF-8 text.
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

// A JSON number of an exact decimal.
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
    std::array<std::size_t, 5> widths{};
    for (const Row& row : rows) {
        for (std::size_t c = 0; c < widths.size(); ++c) widths[c] = std::max(widths[c], utf8::length(row[c]));
    }
    // The rates stand right-aligned; the name, last, is not padded.
    for (const Row& row : rows) {
        for (std::size_t c = 0; c + 1 < row.size(); ++c) out << padded(row[c], widths[c], c == 1) << "  ";
        out << row.back() << '\n';
    }
}

void printJson(const RechnerErgebnis& e, std::ostream& out) {
    out << "{\"betrag\": " << jsonNumber(e.betrag)
        << ", \"von\": " << jsonString(fieldValue(e.von.entry->fields.ISO))
        << ", \"nach\": " << jsonString(fieldValue(e.nach.entry->fields.ISO))
        << ", \"euro\": " << jsonNumber(e.shown.euro) << ", \"ergebnis\": " << jsonNumber(e.shown.wert)
        << ", \"anzeige\": " << jsonString(*e.shown.wertText)
        << ", \"datum_von\": " << jsonString(fieldValue(e.von.entry->fields.Datum))
        << ", \"datum_nach\": " << jsonString(fieldValue(e.nach.entry->fields.Datum)) << "}\n";
}

}  // namespace kursomatik
