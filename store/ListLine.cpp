#include "ListLine.h"

#include "Collation.h"
#include "Utf8.h"

namespace kursomatik {

std::string buildListLine(const CurrencyRecord& r, long recordNumber) {
    return utf8::fit(r.Bezeichnung, 40) + ' ' + utf8::fit(r.Kurs, 40) + ' ' + utf8::fit(r.ISO, 40) + ' ' +
           utf8::fit(r.EWWU, 7) + ' ' + utf8::fit(r.Datum, 20) + ' ' + std::to_string(recordNumber);
}

std::string lineKurs(std::string_view line) {
    return utf8::mid(line, 41, 40);
}

std::string lineIso(std::string_view line) {
    return utf8::mid(line, 82, 12);
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

int compareListLines(std::string_view a, std::string_view b) {
    if (const int byName = collate(utf8::head(a, 40), utf8::head(b, 40)); byName != 0) return byName;
    return collate(a, b);
}

}  // namespace kursomatik
