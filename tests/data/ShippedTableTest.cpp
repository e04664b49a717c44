// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "data/CurrencyTableSource.h"
#include "history/RateOfDay.h"
#include "platform/FileOperations.h"
#include "settings/IniFile.h"
#include "store/ListLine.h"
#include "tests/support/TempDir.h"

namespace kursomatik {
namespace {

std::string readData(const std::string& name) {
    const auto data = readWholeFile(std::filesystem::path(KURSOMATIK_DATA_DIR) / name);
    return data ? *data : data.error();
}

// Every member's record is dated from the fixing day the history knows for it, and no other
// currency has one.
TEST(ShippedTable, IsWhatTheEncoderBuildsHoldsTheFixedRatesAndDaysAndStartsWithDeutscheMarkToEuro) {
    const auto built = buildCurrencyTable(readData("currencies.csv"));
    ASSERT_TRUE(built) << built.error();
    const std::string bytes = readData("KURSOMATIK.DAT");
    EXPECT_TRUE(bytes == *built) << "rebuild: kursomatik-tabelle data/currencies.csv data/KURSOMATIK.DAT";
    // A source saved with Windows line ends gives the same records.
    const auto crlf = buildCurrencyTable("Euro;EUR;1;1;01.01.1999\r\n");
    EXPECT_TRUE(crlf && *crlf == *buildCurrencyTable("Euro;EUR;1;1;01.01.1999\n"));
    EXPECT_EQ(buildCurrencyTable("\nEuro;EUR;-1;1;\n").error(),
              "Zeile 2: Kurs \"-1\" ist keine Zahl größer Null mit höchstens sechs Nachkommastellen.");
    std::vector<std::string> lines;
    std::map<std::string, std::string> rates;  // a currency in two records shows twice
    int members = 0;
    for (std::size_t at = 0; at < bytes.size(); at += kRecordLength) {
        const CurrencyRecord r = decodeRecord(std::string_view(bytes).substr(at, kRecordLength));
        lines.push_back(buildListLine(r, static_cast<long>(at / kRecordLength + 1)));
        const std::string iso = fieldValue(r.ISO);
        rates[iso] += fieldValue(r.Kurs) + " " + fieldValue(r.EWWU) + "; ";
        const auto fixing = fixingDay(iso);
        const bool member = fieldValue(r.EWWU) == "1" && iso != "EUR";
        members += member;
        EXPECT_EQ(fixing ? formatShortDate(*fixing, "dd.MM.yyyy") : "-", member ? fieldValue(r.Datum) : "-")
            << iso;
    }
    EXPECT_EQ(members, 21);
    EXPECT_EQ(rates["EUR"] + rates["DEM"] + rates["ITL"] + rates["IEP"] + rates["USD"],
              "1000000 1; 1955830 1; 1936270000 1; 787564 1; 1179400 0; ");
    std::ranges::sort(lines, [](const auto& a, const auto& b) { return compareListLines(a, b) < 0; });
    const auto value = [ini = std::filesystem::path(KURSOMATIK_DATA_DIR) / "Kursomatik.ini"](
                           const char* key) { return getProfileString(ini, "Kursomatik", key, "-1"); };
    const auto iso = [&](const char* key) { return lines.at(std::stoul(value(key))).substr(82, 3); };
    EXPECT_EQ(iso("startwaehrung") + iso("ausgabewaehrung") + value("stellen1") + value("stellen2"),
              "DEMEUR1000100");
}

// The encoder names the file it cannot read or write, and ends with status 1 (2 is a wrong call).
TEST(TableEncoder, NamesTheFileItCannotReadOrWrite) {
    const testsupport::TempDir dir;
    for (const auto& [arguments, message] :
         {std::pair{" fehlt.csv x.dat", "Die Datei fehlt.csv kann nicht gelesen werden.\n"},
          std::pair{" " KURSOMATIK_DATA_DIR "/KURSOMATIK.DAT x.dat", KURSOMATIK_DATA_DIR
                    "/KURSOMATIK.DAT: Zeile 1: fünf durch ';' getrennte Felder erwartet.\n"},
          std::pair{" " KURSOMATIK_DATA_DIR "/currencies.csv /dev/full",
                    "Die Datei /dev/full kann nicht geschrieben werden.\n"}}) {
        const testsupport::Ran ran = testsupport::runShell(dir, KURSOMATIK_TABELLE + std::string(arguments));
        EXPECT_EQ(std::pair(ran.status, ran.err), std::pair(1, std::string(message))) << arguments;
    }
}

}  // namespace
}  // namespace kursomatik
