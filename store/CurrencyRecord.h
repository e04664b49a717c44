// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Result.h"

namespace kursomatik {

struct RegionalSettings;

// One currency: five fixed-width text fields, 147 bytes in the file, one byte per character.
// In memory each field is UTF-8 text padded with spaces to its width in characters.
struct CurrencyRecord {
    std::string Bezeichnung;  // name, 40
    std::string ISO;          // currency code, 40
    std::string Kurs;         // units per Euro × 1,000,000 as text, 40
    std::string EWWU;         // "1" member of the monetary union, "0" other currency, 7
    std::string Datum;        // short date of the last write, 20

    friend bool operator==(const CurrencyRecord&, const CurrencyRecord&) = default;
};

// Where each field stands in the file (bytes) and in its list line (characters). A list line holds
// the padded fields by their column, each followed by one space, and the record number at the end.
struct FieldLayout {
    std::string CurrencyRecord::*field;
    std::size_t offset;
    std::size_t width;
    std::size_t lineColumn;
};

inline constexpr std::size_t kRecordLength = 147;
inline const std::array<FieldLayout, 5> kFieldLayout = {{
    {&CurrencyRecord::Bezeichnung, 0, 40, 0},
    {&CurrencyRecord::ISO, 40, 40, 82},
    {&CurrencyRecord::Kurs, 80, 40, 41},
    {&CurrencyRecord::EWWU, 120, 7, 123},
    {&CurrencyRecord::Datum, 127, 20, 131},
}};

// Stores a text into a field: left-aligned, padded with spaces, cut at the width.
void storeField(CurrencyRecord& record, std::string CurrencyRecord::*field, std::string_view text);
// The field's text without leading and trailing spaces.
std::string fieldValue(std::string_view field);

// The 147 Windows-1252 bytes of a record; characters without such a byte become '?'.
std::string encodeRecord(const CurrencyRecord& record);
// A record from its bytes; bytes missing at the end read as spaces.
CurrencyRecord decodeRecord(std::string_view bytes);

// The Kurs field: units per Euro × 1,000,000 as text. The product is rounded to the fixed-point
// type (ten-thousandths, ties to even) and written as digits without grouping, followed by the
// regional decimal separator and at most four decimals only when there is a fraction.
// A rate whose product does not fit the fixed-point type is refused, never stored as another value.
Result<std::string> encodeRate(double rate, const RegionalSettings& regional);

// The rate of a Kurs field (padded or trimmed): the trimmed text read as a fixed-point number by
// the regional conventions, divided by 1,000,000. Empty when the text is no number.
std::optional<double> decodeRate(std::string_view kurs, const RegionalSettings& regional);

}  // namespace kursomatik
