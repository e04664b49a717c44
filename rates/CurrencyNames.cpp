// SPDX-License-Identifier: GPL-3.0-or-later
#include "rates/CurrencyNames.h"

#include <algorithm>
#include <array>
#include <utility>

namespace kursomatik {
namespace {

// Every code of the ECB's reference rates since 1999, sorted by code. The names are those of the
// shipped table where it has them; ROL and TRL are the currencies before their redenomination.
constexpr std::array<std::pair<std::string_view, std::string_view>, 42> kNames = {{
    {"AUD", "Australischer Dollar"},
    {"BGN", "Bulgarischer Lew"},
    {"BRL", "Brasilianischer Real"},
    {"CAD", "Kanadischer Dollar"},
    {"CHF", "Schweizer Franken"},
    {"CNY", "Chinesischer Yuan"},
    {"CYP", "Zypern-Pfund"},
    {"CZK", "Tschechische Krone"},
    {"DKK", "Dänische Krone"},
    {"EEK", "Estnische Krone"},
    {"GBP", "Britisches Pfund"},
    {"GRD", "Griechische Drachme"},
    {"HKD", "Hongkong-Dollar"},
    {"HRK", "Kroatische Kuna"},
    {"HUF", "Ungarischer Forint"},
    {"IDR", "Indonesische Rupiah"},
    {"ILS", "Israelischer Schekel"},
    {"INR", "Indische Rupie"},
    {"ISK", "Isländische Krone"},
    {"JPY", "Japanischer Yen"},
    {"KRW", "Südkoreanischer Won"},
    {"LTL", "Litauischer Litas"},
    {"LVL", "Lettischer Lats"},
    {"MTL", "Maltesische Lira"},
    {"MXN", "Mexikanischer Peso"},
    {"MYR", "Malaysischer Ringgit"},
    {"NOK", "Norwegische Krone"},
    {"NZD", "Neuseeland-Dollar"},
    {"PHP", "Philippinischer Peso"},
    {"PLN", "Polnischer Zloty"},
    {"ROL", "Rumänischer Leu (alt)"},
    {"RON", "Rumänischer Leu"},
    {"RUB", "Russischer Rubel"},
    {"SEK", "Schwedische Krone"},
    {"SGD", "Singapur-Dollar"},
    {"SIT", "Slowenischer Tolar"},
    {"SKK", "Slowakische Krone"},
    {"THB", "Thailändischer Baht"},
    {"TRL", "Türkische Lira (alt)"},
    {"TRY", "Türkische Lira"},
    {"USD", "US-Dollar"},
    {"ZAR", "Südafrikanischer Rand"},
}};

}  // namespace

std::string germanCurrencyName(std::string_view code) {
    const auto* found =
        std::lower_bound(kNames.begin(), kNames.end(), code,
                         [](const auto& entry, std::string_view key) { return entry.first < key; });
    return std::string(found != kNames.end() && found->first == code ? found->second : code);
}

}  // namespace kursomatik
