// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "conversion/Berechnen.h"
#include "conversion/DecimalNumber.h"
#include "platform/Result.h"
#include "store/CurrencyLists.h"

namespace kursomatik {

struct RegionalSettings;

// The currency table as the main window's list pass reads it: its entries in list order.
struct CurrencyTable {
    std::filesystem::path file;
    CurrencyLists lists;
    std::string notice;  // to tell, though the table can be used (cut at 999 records)
};

// Fails with the window's message when the file is missing or cannot be read.
Result<CurrencyTable> loadCurrencyTable(const std::filesystem::path& file, const RegionalSettings& regional);

// A currency chosen by its ISO code, letter case ignored, with the rate the conversion takes when
// the main window chooses it. Fails when no record or more than one has that code, or when the rate
// cannot be used.
struct ChosenCurrency {
    const CurrencyEntry* entry = nullptr;
    Money cyKurs;
};
Result<ChosenCurrency> currencyOfCode(const CurrencyTable& table, std::string_view code,
                                      const RegionalSettings& regional);

// One conversion as the main window makes it, with its numbers and its text.
struct RechnerErgebnis {
    ChosenCurrency von;
    ChosenCurrency nach;
    DecimalNumber betrag;
    BerechnenOutcome shown;  // with the text of txtWert
};
// The amount as the amount box reads it; refused when it is no number or too large for the window's
// fixed-point type (where the window would silently show 0).
Result<DecimalNumber> amountOf(std::string_view betrag, const RegionalSettings& regional);

// dStellen1 and dStellen2 are rounding factors the options dialog offers; the amount is a number.
Result<RechnerErgebnis> umrechnen(const CurrencyTable& table, std::string_view betrag, std::string_view von,
                                  std::string_view nach, double dStellen1, double dStellen2,
                                  const RegionalSettings& regional);

}  // namespace kursomatik
