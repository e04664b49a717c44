// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CurrencyTable.h"

#include "platform/RegionalSettings.h"
#include "platform/SystemError.h"
#include "platform/Utf8.h"
#include "store/RecordFileState.h"

namespace kursomatik {

Result<CurrencyTable> loadCurrencyTable(const std::filesystem::path& file, const RegionalSettings& regional) {
    CurrencyTable table;
    RecordFileState state;
    table.file = std::filesystem::absolute(file);
    table.notice = openForListPass(state, file);
    if (!state.iDateiNr.isOpen()) return Status::fail(table.notice);
    for (long n = 1; n <= state.lSatzAnzahl; ++n) {
        if (Status filled = fillRecordInLists(table.lists, state, n, regional); !filled) return filled;
    }
    table.lists.complete();
    return table;
}

Result<ChosenCurrency> currencyOfCode(const CurrencyTable& table, std::string_view code,
                                      const RegionalSettings& regional) {
    const std::string wanted = utf8::toUpper(code);
    const CurrencyEntry* found = nullptr;
    std::string names;
    int matches = 0;  // counted: a name may hold a comma itself
    for (const CurrencyEntry& entry : table.lists.all) {
        if (utf8::toUpper(fieldValue(entry.fields.ISO)) != wanted) continue;
        names += (names.empty() ? "" : ", ") + utf8::printable(entry.name());
        if (found == nullptr) found = &entry;
        ++matches;
    }
    const std::string named = inQuotes(std::string(code));
    if (found == nullptr || wanted.empty())
        return Status::fail("Den Währungscode " + named + " gibt es in " + inQuotes(table.file) + " nicht.");
    if (matches > 1) {
        return Status::fail("Den Währungscode " + named + " haben mehrere Währungen in " +
                            inQuotes(table.file) + ": " + names + ".");
    }
    const std::optional<Money> rate = fixedRateOf(found->rate, regional);
    if (!rate) {
        return Status::fail("Der Kurs von " + inQuotes(found->name()) + " in " + inQuotes(table.file) +
                            " ist unbrauchbar: " + inQuotes(fieldValue(found->fields.Kurs)) +
                            " ist keine Zahl über 0.");
    }
    return ChosenCurrency{found, *rate};
}

Result<DecimalNumber> amountOf(std::string_view betrag, const RegionalSettings& regional) {
    const auto amount = parseRegionalNumber(betrag, regional);
    if (!amount) {
        return Status::fail("Der Betrag " + inQuotes(std::string(betrag)) +
                            " ist keine Zahl (Dezimaltrennzeichen " + inQuotes(regional.decimalSeparator) +
                            ", Tausendertrennzeichen " + inQuotes(regional.groupSeparator) + ").");
    }
    // The window would silently show 0 for an amount beyond its fixed-point type.
    if (!Money::fromDouble(amount->toDouble() * kRateScale)) {
        return Status::fail("Der Betrag " + inQuotes(std::string(betrag)) +
                            " ist zu groß: Kursomatik rechnet mit Beträgen unter 922.337.203,6854.");
    }
    return *amount;
}

Result<RechnerErgebnis> umrechnen(const CurrencyTable& table, std::string_view betrag, std::string_view von,
                                  std::string_view nach, double dStellen1, double dStellen2,
                                  const RegionalSettings& regional) {
    const auto amount = amountOf(betrag, regional);
    if (!amount) return amount.status();
    const auto from = currencyOfCode(table, von, regional);
    if (!from) return from.status();
    const auto to = currencyOfCode(table, nach, regional);
    if (!to) return to.status();

    const BerechnenInput input{betrag, from->cyKurs, to->cyKurs, dStellen1, dStellen2};
    BerechnenOutcome shown = Berechnen(input, regional);
    if (!shown.wertText) return Status::fail("Diese Nachkommastellen gibt es nicht.");
    return RechnerErgebnis{*from, *to, *amount, std::move(shown)};
}

}  // namespace kursomatik
