// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Rechner.h"

#include <fcntl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <sstream>

#include "cli/CheckedOutput.h"
#include "cli/Output.h"
#include "platform/Version.h"
#include "tests/rates/RateFiles.h"
#include "tests/support/ProgramHarness.h"

namespace kursomatik::testsupport {
namespace {

namespace fs = std::filesystem;

const std::vector<Currency> kTable{kDeutscheMark,
                                   kEuro,
                                   kLira,
                                   {"Zitat \"Q\"", "Q\"\\", "2000000", "0", "05.02.2026\t"},
                                   {"Doppelt A", "DUP", "1", "0"},
                                   {"Doppelt B", "dup", "2", "0"},
                                   {"Negativ", "NEG", "-1955830", "0"}};

const std::string kJson =
    R"({"betrag": -0.5, "von": "Q\"\\", "nach": "EUR", "euro": -0.249, "ergebnis": -0.24, )"
    R"("anzeige": "-0,24", "kurs_von": 2, "kurs_von_anzeige": "2,000000", "kurs_nach": 1, )"
    R"("kurs_nach_anzeige": "1,000000", "datum_von": null, "datum_nach": "1999-01-01"})"
    "\n";
// The same table as JSON (days in ISO 8601, null where unreadable), and the amount in all of it.
const std::string kListJson =
    R"([
{"iso": "ITL", "bezeichnung": "Italienische Lira", "kurs": 1936.27, "kurs_anzeige": "1.936,270000", "datum": "1999-01-01", "ewwu": true},
{"iso": "Q\"\\", "bezeichnung": "Zitat \"Q\"", "kurs": 2, "kurs_anzeige": "2,000000", "datum": null, "ewwu": false}
]
)";
const std::string kAll =
    "ISO  Ergebnis  Datum          Bezeichnung\n"
    "ITL  1.936,27  01.01.1999     Italienische Lira\n"
    "Q\"\\      2,00  05.02.2026?    Zitat \"Q\"\n";
const std::string kAllJson =
    R"([
{"iso": "ITL", "bezeichnung": "Italienische Lira", "ergebnis": 1936.27, "anzeige": "1.936,27", "datum": "1999-01-01", "alt": false},
{"iso": "Q\"\\", "bezeichnung": "Zitat \"Q\"", "ergebnis": 2, "anzeige": "2,00", "datum": null, "alt": false}
]
)";
// A record of NUL bytes, as a broken copy leaves one, listed like any other; the escape sequence in the
// other record's name never reaches the terminal.
const std::string kNullList = "ISO" + std::string(39, ' ') + "Kurs je Euro  Datum" + std::string(17, ' ') +
                              "EWWU     Bezeichnung\n" + std::string(40, '?') + "      ungültig  " +
                              std::string(20, '?') + "  ???????  " + std::string(40, '?') + "\nROT" +
                              std::string(43, ' ') + "1,000000  01.01.1999            ja       ?[31mRot\n";

struct Call {
    std::vector<std::string> args;
    std::string out;
    std::string err;  // a part of the message; empty: no message at all
    int status;
};

void run(const std::vector<Call>& calls, const RechnerEnvironment& environment) {
    for (const Call& c : calls) {
        std::ostringstream out, err;
        const std::string call = testing::PrintToString(c.args);
        EXPECT_EQ(runRechner(c.args, environment, out, err), c.status) << call;
        EXPECT_EQ(out.str(), c.out) << call;
        EXPECT_TRUE(err.str().find(c.err) != std::string::npos && c.err.empty() == err.str().empty())
            << call << ": " << err.str();
    }
}

// The command in `dir` with the given table, 2 result and 3 Euro decimals, German conventions.
RechnerEnvironment inFolder(const TempDir& dir, const std::vector<Currency>& table) {
    writeFile(dir / "KURSOMATIK.DAT", tableBytes(table));
    fs::create_directories(dir / "programm");
    writeFile(dir / "programm" / "Kursomatik.ini", kDecimalsIni);
    return {RegionalSettings::german(), dir / "programm", dir / "WIN.INI", {}, {}, {}};
}

TEST(Rechner, InvocationsGiveTheWindowsResultOrAGermanMessageAndTheirStatus) {
    TempDir dir;
    const RechnerEnvironment environment = inFolder(dir, kTable);
    writeFile(dir / "liste.dat", tableBytes({kTable[3], kLira}));  // listed by name
    writeFile(dir / "null.dat",
              std::string(kRecordLength, '\0') + recordBytes({"\x1b[31mRot", "ROT", "1000000"}));
    const std::string table = "„" + (dir / "KURSOMATIK.DAT").string() + "“";
    run(
        {
            {{"100", "DEM", "FRF"}, "", "„FRF“ gibt es in " + table + " nicht", 1},
            // Settings overridden (codes in any case: the README's example), a negative amount is no option.
            {{"--stellen", "4", "-100", "DEM", "EUR"}, "-51,1291\n", "", 0},
            {{"--json", "--", "-0,5", "q\"\\", "EUR"}, kJson, "", 0},
            {{"--json", "--liste", "--tabelle=liste.dat"}, kListJson, "", 0},
            {{"--alle", "--tabelle=liste.dat", "1936,27", "itl"}, kAll, "", 0},
            {{"--alle", "--json", "--tabelle=liste.dat", "1936,27", "itl"}, kAllJson, "", 0},
            {{"--alle", "--liste", "1", "DEM"}, "", "--alle und --liste gehen nicht zusammen", 1},
            {{"--import", "x.zip", "--json"}, "", "--import nimmt keinen Betrag, keine Währungen", 1},
            {{"--liste", "--version"}, std::string("kursomatik-rechner ") + kVersion + "\n", "", 0},
            {{"-.5", "DEM", "EUR"}, "", "„-.5“ ist keine Zahl", 1},  // an amount, no option
            // Where the window silently shows 0, the command refuses the amount.
            {{"922337204", "EUR", "DEM"}, "", "„922337204“ ist zu groß", 1},
            {{"922337203", "EUR", "EUR"}, "922.337.203,00\n", "", 0},
            {{"1", "neg", "EUR"}, "", "„-1955830“ ist keine Zahl über 0", 1},
            {{"1", "EUR", "Dup"}, "", "mehrere Währungen in " + table + ": Doppelt A, Doppelt B", 1},
            {{"--stellen", "5", "1", "DEM", "EUR"}, "", "erlaubt 2, 3 oder 4, nicht „5“", 1},
            {{"1", "DEM"}, "", "zum Beispiel: kursomatik-rechner 100 DEM FRF", 1},
            {{"--liste", "--tabelle=null.dat"}, kNullList, "", 0},
            // Nor does one in a code typed.
            {{"--tabelle=null.dat", "1", "ROT", "\x1b[31m"}, "", "Den Währungscode „?[31m“ gibt es in", 1},
        },
        environment);
    // The usage names the places the option takes.
    std::ostringstream usage, none;
    EXPECT_EQ(runRechner({"--help"}, environment, usage, none), 0);
    EXPECT_NE(usage.str().find("--euro-stellen 3|4 "), std::string::npos);
    // A table far beyond 999 records, sparse or of random bytes, is read up to its 999th record and
    // never brings the command down.
    writeFile(dir / "gross.dat", "");
    fs::resize_file(dir / "gross.dat", 2LL << 30);
    std::string noise(1 << 20, '\0');
    std::mt19937 random(11);
    for (char& byte : noise) byte = static_cast<char>(random());
    writeFile(dir / "zufall.dat", noise);
    for (const char* file : {"--tabelle=gross.dat", "--tabelle=zufall.dat"}) {
        std::ostringstream listed, listErr, converted;
        EXPECT_EQ(runRechner({"--liste", file}, environment, listed, listErr), 0) << file;
        EXPECT_EQ(std::ranges::count(listed.str(), '\n'), 1000) << file;
        EXPECT_NE(listErr.str().find("Angezeigt werden nur die ersten 999"), std::string::npos) << file;
        EXPECT_EQ(runRechner({"1", "DEM", "EUR", file}, environment, converted, converted), 1) << file;
    }
}

const std::vector<Currency> kHistoryTable{kEuro,
                                          kDeutscheMark,
                                          kFranc,
                                          {"Slowenischer Tolar", "SIT", "239640000", "1", "01.01.2007"},
                                          {"US-Dollar", "USD", "1179400", "0", "06.02.2026"}};

// A few days of history, packed as the ECB's eurofxref-hist.zip; the first on the first day a series
// without --von shows.
const std::string kCsv =
    "Date,USD,JPY,SIT,\n"
    "2019-03-18,1.1329,126.47,N/A,\n"
    "2019-03-15,1.1317,126.03,N/A,\n"
    "2006-12-29,1.3170,156.93,239.6400,\n"
    "1999-01-01,1.1789,133.73,189.0450,\n";
// 2 result decimals, 3 Euro decimals (kDecimalsIni): 100 USD on 15 March 2019 are 100 / 1.1317 =
// 88.36265 → 88.363 EUR → 88,36; in JPY 88.363 × 126.03 = 11136.3889 → 11.136,39.
TEST(HistoryCommand, TheImportFillsTheHistoryAndTheDayConvertsWithItsRates) {
    TempDir dir;
    const RechnerEnvironment environment = inFolder(dir, kHistoryTable);
    writeZip(dir / "hist.zip", {{"eurofxref-hist.csv", kCsv}});
    // Before any import the history is missing, and asking for it does not make it.
    run({{{"--verlauf", "EUR", "USD"}, "", "ist noch leer", 1}}, environment);
    EXPECT_FALSE(fs::exists(dir / "KURSVERLAUF.DB"));
    std::ostringstream out, err;
    ASSERT_EQ(runRechner({"--import", "hist.zip"}, environment, out, err), 0) << err.str();
    EXPECT_NE(
        out.str().find("\nKursverlauf: 4 Tage, 10 Kurse neu, 3 Währungen neu; 0 abweichende Kurse nicht "
                       "übernommen.\n"),
        std::string::npos)
        << out.str();
    run({{{"--datum", "2019-03-15", "100", "USD", "EUR"}, "88,36\n", "", 0},
         {{"--datum", "2019-03-16", "100", "usd", "JPY"},
          "11.136,39\n",
          "Am 16.03.2019 gibt es keinen Referenzkurs für JPY; es gilt der vom 15.03.2019.",
          0},
         // SIT: 1000 / 239.64 = 4.1729 → 4.173 EUR; × 1.3170 = 5.4958 USD. From its fixing day: 239.640.
         {{"--datum", "2006-12-31", "1000", "SIT", "USD"},
          "5,50\n",
          "Am 31.12.2006 gibt es keinen Referenzkurs für SIT; es gilt der vom 29.12.2006.",
          0},
         {{"--datum", "2007-01-01", "1000", "SIT", "EUR"}, "4,17\n", "", 0},
         {{"--datum", "2019-03-22", "1", "GBP", "EUR"},
          "",
          "Der Kursverlauf enthält keinen Kurs von GBP.",
          1},
         {{"--datum", "2019-02-29", "1", "USD", "EUR"}, "", "braucht einen Tag als JJJJ-MM-TT", 1},
         {{"--json", "--datum", "2019-03-17", "100", "USD", "EUR"},
          R"({"datum": "2019-03-17", "betrag": 100, "von": "USD", "nach": "EUR", "euro": 88.363, )"
          R"("ergebnis": 88.36, "anzeige": "88,36", "kurs_von": 1.1317, "kurstag_von": "2019-03-15", )"
          R"("festkurs_von": false, "kurs_nach": 1, "kurstag_nach": "2019-03-17", "festkurs_nach": false})"
          "\n",
          "es gilt der vom 15.03.2019",
          0},
         {{"--verlauf", "EUR", "usd", "--von", "2019-03-14"},
          "2019-03-15;1,1317\n2019-03-18;1,1329\n",
          "",
          0},
         {{"--verlauf", "--json", "USD", "EUR", "--bis", "1999-01-05"},
          "[\n{\"tag\": \"1999-01-01\", \"kurs\": 0.848248}\n]\n",
          "",
          0},
         {{"--verlauf", "USD", "EUR", "--von", "2019-03-19", "--bis", "2019-03-18"},
          "",
          "--bis liegt vor --von",
          1}},
        environment);
}

// A flush reports a write that failed, as a stream expects of its buffer; one that succeeded it does not.
TEST(CheckedOutput, AFlushThatCannotWriteMarksTheStreamBad) {
    for (const std::string device : {"/dev/full", "/dev/null"}) {
        const int descriptor = ::open(device.c_str(), O_WRONLY);
        CheckedOutput buffer(descriptor);
        std::ostream out(&buffer);
        out << "1,00" << std::flush;
        EXPECT_EQ(std::pair(out.bad(), !buffer.finish()),
                  std::pair(device == "/dev/full", device == "/dev/full"));
        ::close(descriptor);
    }
}

// JSON readers take both forms; the plain one is kept to about twenty places beyond the digits.
TEST(JsonNumbers, PlainDigitsWhereThatStaysShortElseAnExponent) {
    using C = std::pair<const char*, const char*>;
    for (const auto& [text, json] :
         {C("1E20", "100000000000000000000"), C("1E21", "1e21"), C("1E-20", "0.00000000000000000001"),
          C("-12,5E-22", "-0.00000000000000000000125"), C("12,5E-23", "125e-24"), C("0,000", "0")})
        EXPECT_EQ(jsonNumber(*parseRegionalNumber(text, RegionalSettings::german())), json) << text;
}

}  // namespace
}  // namespace kursomatik::testsupport
