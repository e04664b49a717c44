// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

#include "cli/CurrencyTable.h"
#include "store/AllCurrencies.h"

namespace kursomatik {

// A JSON string literal of UTF-8 text; a JSON number of an exact decimal; a rate per Euro as the
// conversion takes it (six decimals), null where it is unusable.
std::string jsonString(std::string_view text);
std::string jsonNumber(const DecimalNumber& n);
std::string jsonRate(const std::optional<Money>& scaled);

// Every currency in list order: code, rate per Euro as the currency windows show it, date, member
// flag and name, in aligned columns.
void printCurrencyList(const CurrencyTable& table, const RegionalSettings& regional, std::ostream& out);

// The same as a JSON array of objects: code, name, rate per Euro as a number and as the windows show
// it, the rate's day in ISO 8601 and the member flag (null where a field cannot be read).
void printCurrencyListJson(const CurrencyTable& table, const RegionalSettings& regional, std::ostream& out);

// An amount in every currency (--alle): aligned columns, or a JSON array.
void printAllCurrencies(const std::vector<AllCurrenciesRow>& rows, bool json, std::ostream& out);

// The conversion as one JSON object: amounts and rates as JSON numbers, the shown result and rates
// also as text, the rates' days in ISO 8601.
void printJson(const RechnerErgebnis& ergebnis, const RegionalSettings& regional, std::ostream& out);

}  // namespace kursomatik
