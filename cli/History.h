// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <ostream>

#include "cli/CommandLine.h"
#include "cli/CurrencyTable.h"
#include "rates/RateUpdate.h"
#include "rates/ReferenceRates.h"

namespace kursomatik {

// After the table's import: every day of the file into the history, and a line about it on out.
// False when the history could not be written (the message is on err).
bool importHistory(const ReferenceHistory& days, const std::filesystem::path& table,
                   const RegionalSettings& regional, std::ostream& out, std::ostream& err);

// The network update's top-up of the history beside `table`: where it needs them, the 90-day file's
// days fetched and appended to a fresh answer's `days`. A fetch that fails is said on err; returned is
// the line for after the history's summary about days it still lacks (empty: none).
std::string topUpHistory(const RateSource& source, ReferenceHistory& days, const std::filesystem::path& table,
                         const RegionalSettings& regional,
                         const std::function<Result<DownloadAnswer>(const DownloadRequest&)>& download,
                         std::ostream& err);

// --datum: BETRAG from VON to NACH with the rates of that day, as the window converts; on err a line
// for each currency whose rate is of an earlier day. False with a message on err when a currency has no
// rate that day.
bool convertOnDay(const RechnerOptions& options, const CurrencyTable& table, double dStellen1,
                  double dStellen2, const RegionalSettings& regional, std::ostream& out, std::ostream& err);

// --verlauf: the cross rate per day as CSV lines "2019-03-15;1,1337" or a JSON array.
bool printSeries(const RechnerOptions& options, const CurrencyTable& table, const RegionalSettings& regional,
                 std::ostream& out, std::ostream& err);

}  // namespace kursomatik
