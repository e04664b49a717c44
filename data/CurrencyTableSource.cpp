// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/CurrencyTableSource.h"

#include <vector>

#include "conversion/DecimalNumber.h"
#include "platform/RegionalSettings.h"
#include "platform/Utf8.h"
#include "store/CurrencyRecord.h"

namespace kursomatik {
namespace {

std::vector<std::string_view> split(std::string_view line, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const auto end = line.find(separator, start);
        parts.push_back(line.substr(start, end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

}  // namespace

Result<std::string> buildCurrencyTable(std::string_view source) {
    const RegionalSettings plain = RegionalSettings::english();
    const RegionalSettings german = RegionalSettings::german();
    std::string bytes;
    int lineNumber = 0;
    for (std::string_view line : split(source, '\n')) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (utf8::trimBlanks(line).empty() || line.front() == '#') continue;
        const auto where = "Zeile " + std::to_string(lineNumber) + ": ";
        const auto fields = split(line, ';');
        if (fields.size() != 5) return Status::fail(where + "fünf durch ';' getrennte Felder erwartet.");
        const auto rate = parseRegionalNumber(fields[2], plain);
        if (!rate || rate->negative || rate->isZero() || rate->exponent < -6) {
            return Status::fail(where + "Kurs \"" + std::string(fields[2]) +
                                "\" ist keine Zahl größer Null mit höchstens sechs Nachkommastellen.");
        }
        const auto kurs = encodeRate(rate->toDouble(), german);
        if (!kurs) return Status::fail(where + kurs.error());
        CurrencyRecord record;
        storeField(record, &CurrencyRecord::Bezeichnung, fields[0]);
        storeField(record, &CurrencyRecord::ISO, fields[1]);
        storeField(record, &CurrencyRecord::Kurs, *kurs);
        storeField(record, &CurrencyRecord::EWWU, fields[3]);
        storeField(record, &CurrencyRecord::Datum, fields[4]);
        bytes += encodeRecord(record);
    }
    return bytes;
}

}  // namespace kursomatik
