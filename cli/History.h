// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <ostream>

#include "cli/CommandLine.h"
#include "cli/CurrencyTable.h"
#include "rates/ReferenceRates.h"

namespace kursomatik {

// The rate history beside a table: KURSVERLAUF.DB in the table's folder.
std::filesystem::path historyFileOf(const std::filesystem::path& table);

// After the table's import: every day of the file into the history, and a line about it on out.
// False when the history could not be written (the message is on err).
bool importHistory(const ReferenceHistory& days, const std::filesystem::path& table,
                   const RegionalSettings& regional, std::ostream& out, std::ostream& err);

// --datum: BETRAG from VON to NACH with the rates of that day, as the window converts; on err a line
// for each currency whose rate is of an earlier day. False with a message on err when a currency has no
// rate that day.
bool convertOnDay(const RechnerOptions& options, const CurrencyTable& table, double dStellen1,
                  double dStellen2, const RegionalSettings& regional, std::ostream& out, std::ostream& err);

// --verlauf: the cross rate per day as CSV lines "2019-03-15;1,1337" or a JSON array.
bool printSeries(const RechnerOptions& options, const CurrencyTable& table, const RegionalSettings& regional,
                 std::ostream& out, std::ostream& err);

}  // namespace kursomatik
