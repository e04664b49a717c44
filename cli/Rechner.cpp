// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Rechner.h"

#include <sys/stat.h>

#include "cli/CommandLine.h"
#include "cli/CurrencyTable.h"
#include "cli/History.h"
#include "cli/Output.h"
#include "conversion/Decimals.h"
#include "platform/SystemError.h"
#include "platform/Version.h"
#include "rates/RateImport.h"
#include "rates/RateUpdate.h"
#include "settings/Einstellungen.h"
#include "settings/ListPosition.h"
#include "store/CurrencyLists.h"
#include "store/RecordFile.h"

namespace kursomatik {
namespace {

namespace fs = std::filesystem;

constexpr const char* kName = "kursomatik-rechner: ";

// The message on err, and the exit status that goes with it.
int failed(std::ostream& err, const std::string& message, int status) {
    err << kName << message << '\n';
    return status;
}

// As the program works on the table in its working folder, one there wins over the data folder's.
fs::path tableFile(const RechnerOptions& options, const RechnerEnvironment& environment) {
    if (options.tabelle) return *options.tabelle;
    struct stat info {};
    if (::lstat(kCurrencyFileName, &info) == 0 || environment.dataDir.empty()) return kCurrencyFileName;
    return environment.dataDir / kCurrencyFileName;
}

// A stray copy of the table in the folder a nightly job starts in would take the import unnoticed:
// the one line that says which table is changed, and which is not, where both exist.
void noteOtherTable(const fs::path& table, const RechnerOptions& options,
                    const RechnerEnvironment& environment, std::ostream& err) {
    if (options.tabelle || table != kCurrencyFileName || environment.dataDir.empty()) return;
    const fs::path other = environment.dataDir / kCurrencyFileName;
    std::error_code unknown;
    if (!fs::exists(other, unknown) || fs::equivalent(table, other, unknown)) return;
    err << kName << "Hinweis: Es gilt die Tabelle " << inQuotes(fs::absolute(table, unknown).string())
        << " im aktuellen Ordner, nicht " << inQuotes(other.string())
        << " im Datenordner; eine bestimmte nennt --tabelle DATEI.\n";
}

// The program's settings, read by its own rules (the command may run beside the program).
SettingsState programSettings(const RechnerEnvironment& environment, std::ostream& err) {
    SettingsState settings;
    std::string sStartauswahl;
    SettingsEnvironment files{environment.programDir, environment.systemProfile,
                              [&err](const std::string& problem) { err << kName << problem << '\n'; }};
    Initialisierung(sStartauswahl, settings, files);
    return settings;
}

// The program's settings with the rounding factors the conversion takes: those of the settings
// file, read by the program's own rules, unless the command line names them. The window shows
// nothing for a result setting it does not know; here that is an error naming the key.
Result<SettingsState> stellenOf(const RechnerOptions& options, const RechnerEnvironment& environment,
                                std::ostream& err) {
    SettingsState settings = programSettings(environment, err);
    settings.dStellen1 = options.dStellen1.value_or(settings.dStellen1);
    settings.dStellen2 = options.dStellen2.value_or(settings.dStellen2);
    auto unset = [&](const char* key, const char* option) {
        return Status::fail(
            std::string("Die Nachkommastellen sind nicht eingestellt: ") + key + " in " +
            inQuotes(settings.sIniDatei) + " fehlt oder ist ungültig. Bitte " + option +
            " angeben oder die Stellen in Kursomatik unter „Einstellungen > Optionen“ wählen.");
    };
    if (euroDecimals(settings.dStellen1) == nullptr) return unset("stellen1", "--euro-stellen 3 oder 4");
    if (resultDecimals(settings.dStellen2) == nullptr) return unset("stellen2", "--stellen 2, 3 oder 4");
    return settings;
}

// The start currencies of the settings follow their currencies, as after the window's import; only
// for the table the program opens (the data folder's), not for a copy or another table named here.
bool isProgramsTable(const fs::path& table, const RechnerEnvironment& environment) {
    std::error_code unknown;
    return !environment.dataDir.empty() &&
           fs::equivalent(table, environment.dataDir / kCurrencyFileName, unknown);
}

void keepStartCurrencies(const RateImport& import, bool overwrite, const RechnerEnvironment& environment,
                         std::ostream& err) {
    SettingsState settings = programSettings(environment, err);
    const std::vector<long> before = listOrder(import.tableBefore());
    const std::vector<long> after = listOrder(import.tableAfter(overwrite));
    const Status followed = followStartCurrencies(
        settings, {environment.programDir, environment.systemProfile, {}}, environment.regional,
        [&](long position) { return samePosition(before, after, position); });
    if (!followed) {
        err << kName << followed.error()
            << " Beim nächsten Start von Kursomatik sind daher andere Währungen gewählt.\n";
    }
}

// The table was just read, so a failure to plan the import is the reference file's: missing, not one
// of the ECB's formats, rates dated after tomorrow or rates the table cannot hold. A failed rewrite
// leaves the table as it was. The summary names the table with its full path (as the table was
// loaded), for the mail of a nightly job. Then the file's days go into the rate history beside the
// table; the table is written first, so a history that fails costs no rates of the table.
int importRates(const Result<RateImport>& import, const ReferenceHistory& days, const RechnerOptions& options,
                const fs::path& table, const RechnerEnvironment& environment, std::ostream& out,
                std::ostream& err, const std::string& historyNote = {}) {
    if (!import) return failed(err, import.error(), kRechnerBadInput);
    const auto summary = import->apply(options.ueberschreiben);
    if (!summary) return failed(err, summary.error(), kRechnerNoTable);
    if (summary->changedTable() && isProgramsTable(table, environment))
        keepStartCurrencies(*import, options.ueberschreiben, environment, err);
    out << summaryText(*summary) << "\nTabelle: " << inQuotes(table.string()) << '\n';
    if (days.empty()) return kRechnerOk;
    if (!importHistory(days, table, environment.regional, out, err)) return kRechnerNoHistory;
    if (!historyNote.empty()) out << historyNote << '\n';
    return kRechnerOk;
}

// The file of the settings' source, fetched and then imported as a file is; the answer is kept for
// the next, conditional request once the table holds it.
int updateRates(const RechnerOptions& options, const fs::path& table, const RechnerEnvironment& environment,
                std::ostream& out, std::ostream& err) {
    SettingsState settings = programSettings(environment, err);
    const RateSource source = rateSourceOf(settings);
    const auto answer =
        environment.download(updateRequest(source, environment.keptAnswer, table, environment.regional));
    if (!answer) return failed(err, answer.error() + " Die Tabelle wurde nicht geändert.", kRechnerNoNetwork);
    // The day of a fresh answer goes into the history too, with the 90-day file where the history
    // lacks more than a few days; an unchanged answer brought nothing new.
    ReferenceHistory days = answerDays(*answer, source);
    const std::string note =
        topUpHistory(source, days, table, environment.regional, environment.download, err);
    const int status =
        importRates(importAnswer(*answer, source, environment.keptAnswer, table, environment.regional), days,
                    options, table, environment, out, err, note);
    if (status != kRechnerOk) return status;
    const SettingsEnvironment files{environment.programDir, environment.systemProfile, {}};
    if (Status kept = keepAnswer(*answer, source, environment.keptAnswer, settings, files); !kept)
        err << kName << kept.error() << " Die nächste Aktualisierung holt die Datei daher ganz.\n";
    return kRechnerOk;
}

}  // namespace

int runRechner(const std::vector<std::string>& args, const RechnerEnvironment& environment, std::ostream& out,
               std::ostream& err) {
    const auto options = parseCommandLine(args);
    if (!options)
        return failed(err, options.error() + "\nHilfe: kursomatik-rechner --help", kRechnerBadInput);
    if (options->mode == RechnerOptions::Mode::Help) {
        out << rechnerHilfe();
        return kRechnerOk;
    }
    if (options->mode == RechnerOptions::Mode::Version) {
        out << "kursomatik-rechner " << kVersion << '\n';
        return kRechnerOk;
    }
    const RegionalSettings& regional = environment.regional;
    const fs::path file = tableFile(*options, environment);
    const auto table = loadCurrencyTable(file, regional);
    if (!table) {
        err << kName << table.error() << '\n';
        if (!options->tabelle)
            err << "Kursomatik legt sie beim ersten Start an; eine andere nennt --tabelle DATEI.\n";
        return kRechnerNoTable;
    }
    if (!table->notice.empty()) err << kName << table->notice << '\n';
    if (options->mode == RechnerOptions::Mode::List) {
        if (options->json)
            printCurrencyListJson(*table, regional, out);
        else
            printCurrencyList(*table, regional, out);
        return kRechnerOk;
    }
    if (options->mode == RechnerOptions::Mode::Import || options->mode == RechnerOptions::Mode::Update) {
        noteOtherTable(file, *options, environment, err);
        if (options->mode == RechnerOptions::Mode::Update)
            return updateRates(*options, table->file, environment, out, err);
        ReferenceHistory days;
        const auto import = RateImport::prepare(*options->import, table->file, regional, &days);
        return importRates(import, days, *options, table->file, environment, out, err);
    }
    if (options->mode == RechnerOptions::Mode::Series)
        return printSeries(*options, *table, regional, out, err) ? kRechnerOk : kRechnerBadInput;
    const auto stellen = stellenOf(*options, environment, err);
    if (!stellen) return failed(err, stellen.error(), kRechnerBadInput);
    if (options->mode == RechnerOptions::Mode::OnDay) {
        return convertOnDay(*options, *table, stellen->dStellen1, stellen->dStellen2, regional, out, err)
                   ? kRechnerOk
                   : kRechnerBadInput;
    }
    if (options->mode == RechnerOptions::Mode::All) {
        const auto amount = amountOf(options->betrag, regional);
        if (!amount) return failed(err, amount.error(), kRechnerBadInput);
        const auto from = currencyOfCode(*table, options->von, regional);
        if (!from) return failed(err, from.error(), kRechnerBadInput);
        const auto rows = inAllCurrencies(table->lists.all, options->betrag, from->cyKurs, stellen->dStellen1,
                                          stellen->dStellen2, regional, stellen->iKursalter);
        printAllCurrencies(rows.value_or(std::vector<AllCurrenciesRow>{}), options->json, out);
        return kRechnerOk;
    }
    const auto ergebnis = umrechnen(*table, options->betrag, options->von, options->nach, stellen->dStellen1,
                                    stellen->dStellen2, regional);
    if (!ergebnis) return failed(err, ergebnis.error(), kRechnerBadInput);
    if (options->json) {
        printJson(*ergebnis, regional, out);
    } else {
        out << *ergebnis->shown.wertText << '\n';
    }
    return kRechnerOk;
}

}  // namespace kursomatik
