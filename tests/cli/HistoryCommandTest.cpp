// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sstream>

#include "cli/Rechner.h"
#include "tests/rates/RateFiles.h"
#include "tests/support/ProgramHarness.h"

namespace kursomatik::testsupport {
namespace {

namespace fs = std::filesystem;

const std::vector<Currency> kTable{kEuro,
                                   kDeutscheMark,
                                   kFranc,
                                   {"Slowenischer Tolar", "SIT", "239640000", "1", "01.01.2007"},
                                   {"US-Dollar", "USD", "1179400", "0", "06.02.2026"}};

// A few days of history, in each of the ECB's formats.
const std::string kCsv =
    "Date,USD,JPY,SIT,\n"
    "2019-03-18,1.1329,126.47,N/A,\n"
    "2019-03-15,1.1317,126.03,N/A,\n"
    "2006-12-29,1.3170,156.93,239.6400,\n"
    "1999-01-04,1.1789,133.73,189.0450,\n";
std::string xmlOf(const std::string& csv) {
    std::string xml = "<?xml version=\"1.0\"?>\n<Envelope><Cube>\n";
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line);
    const std::vector<std::string> codes{"USD", "JPY", "SIT"};
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string field;
        std::getline(fields, field, ',');
        xml += "<Cube time='" + field + "'>";
        for (const std::string& code : codes) {
            std::getline(fields, field, ',');
            if (field != "N/A") xml += "<Cube currency='" + code + "' rate='" + field + "'/>";
        }
        xml += "</Cube>\n";
    }
    return xml + "</Cube></Envelope>\n";
}

struct Call {
    std::vector<std::string> args;
    std::string out;
    std::string err;  // a part of the message; empty: no message at all
    int status;
};

void run(const std::vector<Call>& calls, const RechnerEnvironment& environment, const std::string& format) {
    for (const Call& c : calls) {
        std::ostringstream out, err;
        EXPECT_EQ(runRechner(c.args, environment, out, err), c.status) << format << ": " << c.args[1];
        EXPECT_EQ(out.str(), c.out) << format << ": " << c.args[1];
        EXPECT_TRUE(err.str().find(c.err) != std::string::npos && c.err.empty() == err.str().empty())
            << format << ": " << c.args[1] << ": " << err.str();
    }
}

// 2 result decimals, 3 Euro decimals (kDecimalsIni): 100 USD on 15 March 2019 are 100 / 1.1317 =
// 88.36265 → 88.363 EUR → 88,36; in JPY 88.363 × 126.03 = 11136.3889 → 11.136,39.
TEST(HistoryCommand, EveryFormatFillsTheHistoryAndTheDayConvertsWithItsRates) {
    for (const std::string format : {"csv", "xml", "zip"}) {
        TempDir dir;
        writeFile(dir / "KURSOMATIK.DAT", tableBytes(kTable));
        fs::create_directories(dir / "programm");
        writeFile(dir / "programm" / "Kursomatik.ini", kDecimalsIni);
        if (format == "csv") writeFile(dir / "hist.csv", kCsv);
        if (format == "xml") writeFile(dir / "hist.xml", xmlOf(kCsv));
        if (format == "zip") writeZip(dir / "hist.zip", {{"eurofxref-hist.csv", kCsv}});
        const std::string file = "hist." + format;
        const RechnerEnvironment environment{
            RegionalSettings::german(), dir / "programm", dir / "WIN.INI", {}, {}, {}};
        // Before any import: members fixed on the day convert, the others ask for the history.
        run({{{"--datum", "1999-01-02", "100", "DEM", "FRF"}, "335,38\n", "", 0},
             {{"--datum", "2019-03-15", "100", "USD", "EUR"},
              "",
              "ist noch leer; die Kurse seit 1999 bringt: kursomatik-rechner --import eurofxref-hist.zip",
              1},
             {{"--verlauf", "EUR", "USD"}, "", "ist noch leer", 1}},
            environment, format);
        EXPECT_FALSE(fs::exists(dir / "KURSVERLAUF.DB")) << format;

        std::ostringstream out, err;
        ASSERT_EQ(runRechner({"--import", file}, environment, out, err), 0) << err.str();
        EXPECT_NE(
            out.str().find("\nKursverlauf: 4 Tage, 10 Kurse neu, 3 Währungen neu; 0 abweichende Kurse nicht "
                           "übernommen.\n"),
            std::string::npos)
            << format << ": " << out.str();
        run({{{"--datum", "2019-03-15", "100", "USD", "EUR"}, "88,36\n", "", 0},
             {{"--datum", "2019-03-16", "100", "usd", "JPY"},
              "11.136,39\n",
              "Am 16.03.2019 gibt es keinen Referenzkurs für JPY; es gilt der vom 15.03.2019.",
              0},
             // SIT: 1000 / 239.64 = 4.1729 → 4.173 EUR; × 1.3170 = 5.4958 USD. From 2007 the table's 239.640.
             {{"--datum", "2006-12-31", "1000", "SIT", "USD"},
              "5,50\n",
              "Am 31.12.2006 gibt es keinen Referenzkurs für SIT; es gilt der vom 29.12.2006.",
              0},
             {{"--datum", "2007-01-02", "1000", "SIT", "EUR"}, "4,17\n", "", 0},
             {{"--datum", "2007-01-03", "1000", "SIT", "USD"},
              "",
              "Für USD gibt es am 03.01.2007 keinen Referenzkurs, auch nicht in den 4 Tagen davor. Der "
              "Kursverlauf hat USD vom 04.01.1999 bis 18.03.2019.",
              1},
             {{"--datum", "1999-01-01", "1", "EUR", "JPY"}, "", "Kursverlauf hat JPY vom 04.01.1999", 1},
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
             {{"--verlauf", "SIT", "JPY", "--bis", "2007-06-30"},
              "1999-01-04;0,707398\n2006-12-29;0,654857\n",
              "",
              0},
             {{"--verlauf", "--json", "USD", "EUR", "--bis", "1999-01-05"},
              "[\n{\"tag\": \"1999-01-04\", \"kurs\": 0.848248}\n]\n",
              "",
              0},
             {{"--verlauf", "USD", "EUR", "--von", "2019-03-19", "--bis", "2019-03-18"},
              "",
              "--bis liegt vor --von",
              1}},
            environment, format);
    }
}

TEST(HistoryCommand, AHistoryThatCannotBeWrittenLeavesTheTableImported) {
    TempDir dir;
    writeFile(dir / "KURSOMATIK.DAT", tableBytes(kTable));
    writeFile(dir / "hist.csv", kCsv);
    fs::create_directories(dir / "KURSVERLAUF.DB");  // a folder where the file would be
    const RechnerEnvironment environment{
        RegionalSettings::german(), dir / "programm", dir / "WIN.INI", {}, {}, {}};
    std::ostringstream out, err;
    EXPECT_EQ(runRechner({"--import", "hist.csv"}, environment, out, err), kRechnerNoHistory);
    EXPECT_NE(out.str().find("Referenzkurse vom 18.03.2019"), std::string::npos) << out.str();
    EXPECT_NE(err.str().find("Die Tabelle ist übernommen, der Kursverlauf nicht."), std::string::npos)
        << err.str();
    EXPECT_NE(readFile(dir / "KURSOMATIK.DAT"), tableBytes(kTable));
}

}  // namespace
}  // namespace kursomatik::testsupport
