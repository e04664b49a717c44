// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Rechner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <sstream>

#include "platform/Version.h"
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
const std::string kList =
    "ISO  Kurs je Euro  Datum        EWWU  Bezeichnung\n"
    "ITL  1.936,270000  01.01.1999   ja    Italienische Lira\n"
    "Q\"\\      2,000000  05.02.2026?  nein  Zitat \"Q\"\n";

struct Call {
    std::vector<std::string> args;
    std::string out;
    std::string err;  // a part of the message; empty: no message at all
    int status;
};

TEST(Rechner, InvocationsGiveTheWindowsResultOrAGermanMessageAndTheirStatus) {
    TempDir dir;
    writeFile(dir / "KURSOMATIK.DAT", tableBytes(kTable));
    writeFile(dir / "liste.dat", tableBytes({kTable[3], kLira}));  // listed by name
    fs::create_directories(dir / "programm");
    writeFile(dir / "programm" / "Kursomatik.ini", kDecimalsIni);
    const std::string table = "„" + (dir / "KURSOMATIK.DAT").string() + "“";
    const RechnerEnvironment environment{
        RegionalSettings::german(), dir / "programm", dir / "WIN.INI", {}, {}, {}};
    for (const Call& c : std::initializer_list<Call>{
             {{"100", "DEM", "FRF"}, "", "„FRF“ gibt es in " + table + " nicht", 1},
             // Settings overridden (codes in any case: the README's example), a negative amount is no option.
             {{"--stellen", "4", "-100", "DEM", "EUR"}, "-51,1291\n", "", 0},
             {{"--json", "--", "-0,5", "q\"\\", "EUR"}, kJson, "", 0},
             {{"--liste", "--tabelle=liste.dat"}, kList, "", 0},
             {{"--json", "--liste", "--tabelle=liste.dat"}, kListJson, "", 0},
             {{"--alle", "--tabelle=liste.dat", "1936,27", "itl"}, kAll, "", 0},
             {{"--alle", "--json", "--tabelle=liste.dat", "1936,27", "itl"}, kAllJson, "", 0},
             {{"--alle", "--liste", "1", "DEM"}, "", "--alle und --liste gehen nicht zusammen", 1},
             {{"--liste", "--version"}, std::string("kursomatik-rechner ") + kVersion + "\n", "", 0},
             {{"0.500", "DEM", "EUR"}, "", "„0.500“ ist keine Zahl", 1},
             {{"-.5", "DEM", "EUR"}, "", "„-.5“ ist keine Zahl", 1},  // an amount, no option
             // Where the window silently shows 0, the command refuses the amount.
             {{"922337204", "EUR", "DEM"}, "", "„922337204“ ist zu groß", 1},
             {{"922337203", "EUR", "EUR"}, "922.337.203,00\n", "", 0},
             {{"1", "neg", "EUR"}, "", "„-1955830“ ist keine Zahl über 0", 1},
             {{"1", "EUR", "Dup"}, "", "mehrere Währungen in " + table + ": Doppelt A, Doppelt B", 1},
             {{"--stellen", "5", "1", "DEM", "EUR"}, "", "erlaubt 2, 3 oder 4, nicht „5“", 1},
             {{"1", "DEM"}, "", "zum Beispiel: kursomatik-rechner 100 DEM FRF", 1},
         }) {
        std::ostringstream out, err;
        EXPECT_EQ(runRechner(c.args, environment, out, err), c.status) << c.args[0];
        EXPECT_EQ(out.str(), c.out) << c.args[0];
        EXPECT_TRUE(err.str().find(c.err) != std::string::npos && c.err.empty() == err.str().empty())
            << c.args[0] << ": " << err.str();
    }
    // The usage names the places the option takes.
    std::ostringstream usage, none;
    EXPECT_EQ(runRechner({"--help"}, environment, usage, none), 0);
    EXPECT_NE(usage.str().find("--euro-stellen 3|4 "), std::string::npos);
    // A record of NUL bytes, as a broken copy leaves one, is listed like any other, and converts to
    // nothing; an escape sequence in a name never reaches the terminal.
    writeFile(dir / "null.dat",
              std::string(kRecordLength, '\0') + recordBytes({"\x1b[31mRot", "ROT", "1000000"}));
    std::ostringstream out, err;
    EXPECT_EQ(runRechner({"--liste", "--tabelle=null.dat"}, environment, out, err), 0) << err.str();
    EXPECT_TRUE(out.str().find(std::string(40, '?') + "      ungültig") != std::string::npos &&
                out.str().find("?[31mRot\n") != std::string::npos &&
                out.str().find_first_of(std::string("\x1b\0", 2)) == std::string::npos)
        << out.str();
    EXPECT_EQ(runRechner({"1", "ROT", "\x01"}, environment, out, err), 1);

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

}  // namespace
}  // namespace kursomatik::testsupport
