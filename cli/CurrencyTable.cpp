// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CurrencyTable.h"

#include "conversion/Berechnen.h"
#include "platform/RegionalSettings.h"
#include "platform/SystemError.h"
#include "platform/Utf8.h"
#include "store/ListLine.h"
#include "store/RecordFileState.h"

namespace kursomatik {

const CurrencyRecord& CurrencyTable::recordAt(std::size_t k) const {
    return records[static_cast<std::size_t>(lists.all.records()[k] - 1)];
}

Result<CurrencyTable> loadCurrencyTable(const std::filesystem::path& file, const RegionalSettings& regional) {
    CurrencyTable table;
    RecordFileState state;
    table.file = std::filesystem::absolute(file);
    table.notice = openForListPass(state, file);
    if (!state.iDateiNr.isOpen()) return Status::fail(table.notice);
    for (long n = 1; n <= state.lSatzAnzahl; ++n) {
        if (Status filled = fillRecordInLists(table.lists, state, n, regional); !filled) return filled;
        table.records.push_back(state.buffer);
    }
    return table;
}

Result<ChosenCurrency> currencyOfCode(const CurrencyTable& table, std::string_view code,
                                      const RegionalSettings& regional) {
    const std::string wanted = utf8::toUpper(code);
    std::optional<std::size_t> found;
    std::string names;
    for (std::size_t k = 0; k < table.lists.all.lines().size(); ++k) {
        const CurrencyRecord& record = table.recordAt(k);
        if (utf8::toUpper(fieldValue(record.ISO)) != wanted) continue;
        names += (names.empty() ? "" : ", ") + fieldValue(record.Bezeichnung);
        if (!found) found = k;
    }
    const std::string named = inQuotes(std::string(code));
    if (!found || wanted.empty())
        return Status::fail("Den Währungscode " + named + " gibt es in " + inQuotes(table.file) + " nicht.");
    if (names.find(", ") != std::string::npos) {
        return Status::fail("Den Währungscode " + named + " haben mehrere Währungen in " +
                            inQuotes(table.file) + ": " + names + ".");
    }
    const CurrencyRecord& record = table.recordAt(*found);
    const std::optional<Money> rate =
        fixedRateOf(lineRate(table.lists.all.lines()[*found], regional), regional);
    if (!rate) {
        return Status::fail("Der Kurs von " + inQuotes(fieldValue(record.Bezeichnung)) + " in " +
                            inQuotes(table.file) + " ist unbrauchbar: " + inQuotes(fieldValue(record.Kurs)) +
                            " ist keine Zahl über 0.");
    }
    return ChosenCurrency{&record, *rate};
}

Result<RechnerErgebnis> umrechnen(const CurrencyTable& table, std::string_view betrag, std::string_view von,
                                  std::string_view nach, double dStellen1, double dStellen2,
                                  const RegionalSettings& regional) {
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
    const auto from = currencyOfCode(table, von, regional);
    if (!from) return from.status();
    const auto to = currencyOfCode(table, nach, regional);
    if (!to) return to.status();

    BerechnenInput input{betrag, from->cyKurs, to->cyKurs, dStellen1, dStellen2};
    const BerechnenOutcome shown = Berechnen(input, regional);
    // The Euro value is the conversion into the Euro at the Euro decimals.
    input.cyAusgabeKurs = Money::fromWhole(static_cast<std::int64_t>(kRateScale));
    input.dStellen2 = dStellen1;
    const BerechnenOutcome euro = Berechnen(input, regional);
    if (!shown.wertText || !euro.wertText) return Status::fail("Diese Nachkommastellen gibt es nicht.");
    return RechnerErgebnis{*from, *to, *amount, *euro.wertText, *shown.wertText};
}

}  // namespace kursomatik
