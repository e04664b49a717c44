// SPDX-License-Identifier: GPL-3.0-or-later
#include "rates/CurrencyNames.h"
#include "rates/ReferenceRates.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>

#include "tests/rates/RateFiles.h"
#include "tests/support/TempDir.h"

namespace kursomatik {
namespace {

using testsupport::kDailyCsv;
using testsupport::writeFile;
using testsupport::writeZip;

// The same day as the ECB's XML file.
const std::string kDailyXml =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<gesmes:Envelope xmlns:gesmes=\"http://www.gesmes.org/xml/2002-08-01\" "
    "xmlns=\"http://www.ecb.int/vocabulary/2002-08-01/eurofxref\">\n"
    "\t<gesmes:subject>Reference rates</gesmes:subject>\n"
    "\t<Cube>\n\t\t<Cube time='2024-06-28'>\n"
    "\t\t\t<Cube currency='USD' rate='1.0705'/>\n\t\t\t<Cube currency='JPY' rate='172.43'/>\n"
    "\t\t\t<Cube currency='HRK' rate='7.5345'/>\n\t\t\t<Cube currency='TRY' rate='35.1893'/>\n"
    "\t\t\t<Cube currency='XAU' rate='0.5'/>\n\t\t</Cube>\n\t</Cube>\n</gesmes:Envelope>\n";

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    return std::regex_replace(text, std::regex(from), to);
}

// Older days before and after the newest: the newest day is taken wherever it stands.
const std::string kHistoryXml =
    replaced(replaced(kDailyXml, "\t<Cube>\n",
                      "\t<Cube>\n<Cube time='2024-06-27'><Cube currency='USD' rate='1.07'/></Cube>\n"),
             "</Cube>\n\t</Cube>", "</Cube><Cube time='2024-01-02'/></Cube>");
const std::string kHistoryCsv =
    "Date,USD,JPY,HRK,TRY,XAU,CYP,\n"
    "2024-06-28,1.0705,172.43,7.5345,35.1893,0.5,N/A,\n"
    "2024-06-27,1.0701,171.11,N/A,35.0,0.4,N/A,\n"
    "1999-01-04,1.1789,133.73,N/A,N/A,N/A,0.58231,\n";
const std::string kNewest = "2024-06-28: USD=1.0705 JPY=172.4300 HRK=7.5345 TRY=35.1893 XAU=0.5000";

// The day and rates read, as kNewest shows them.
std::string shown(const ReferenceRates& rates) {
    std::string text = formatShortDate(rates.date, "yyyy-MM-dd") + ":";
    for (const auto& [code, rate] : rates.rates) {
        char digits[32];
        std::snprintf(digits, sizeof digits, "%.4f", rate.toDouble());
        text += " " + code + "=" + digits;
    }
    return text;
}

TEST(ReferenceRates, EveryFormatGivesTheNewestDayExactlyWhateverItsName) {
    testsupport::TempDir dir;
    writeZip(dir / "hist.zip", {{"README", "x"}, {"eurofxref-hist.csv", kHistoryCsv}});
    writeZip(dir / "stored.zip", {{"EUROFXREF.CSV", kDailyCsv}}, ZIP_CM_STORE);
    // A history of some hundred kilobytes unpacks in more than one piece.
    std::string longHistory = kHistoryCsv;
    for (int day = 0; day < 4000; ++day) longHistory += "1999-02-01,1.1,130.0,N/A,N/A,N/A,0.58,\n";
    writeZip(dir / "long.zip", {{"hist.csv", longHistory}});
    writeFile(dir / "hist", kHistoryXml);
    writeFile(dir / "daily.csv", "\xEF\xBB\xBF" + replaced(kDailyCsv, "\n", "\r\n"));
    for (const char* name : {"hist.zip", "stored.zip", "long.zip", "hist", "daily.csv"}) {
        const auto rates = readReferenceRates(dir / name);
        ASSERT_TRUE(rates) << name << ": " << rates.error();
        EXPECT_EQ(shown(*rates), kNewest) << name;
    }
    // Each code gets its German name, or else stands for itself.
    EXPECT_EQ(germanCurrencyName("ROL") + "|" + germanCurrencyName("XAU"), "Rumänischer Leu (alt)|XAU");
}

TEST(ReferenceRates, BrokenFilesAreRefusedNamingTheFileAndThePlace) {
    testsupport::TempDir dir;
    const std::string bomb(kReferenceFileLimit + 1, ' ');
    writeZip(dir / "bomb.zip", {{"eurofxref.csv", bomb}});
    writeZip(dir / "empty.zip", {{"a.txt", "x"}, {"b.txt", "y"}});
    writeZip(dir / "locked.zip", {{"eurofxref.csv", kDailyCsv}}, ZIP_CM_DEFAULT, "geheim");
    writeZip(dir / "bzip2.zip", {{"eurofxref.csv", kDailyCsv}}, ZIP_CM_BZIP2);
    writeFile(dir / "cut.zip", std::string("PK\x03\x04", 4) + "kaputt");
    writeFile(dir / "huge", "");
    std::filesystem::resize_file(dir / "huge", kReferenceFileLimit + 1);
    for (const auto& [content, expected] : std::initializer_list<std::pair<std::string, std::string>>{
             {"Hallo", "keine Referenzkursdatei der EZB"},
             {"Date, USD, \n", "Zeile 1: Die Datei enthält keinen Tag mit Kursen"},
             {"Date, US, \n28 June 2024, 1.0, \n", "Zeile 1: „US“ ist kein Währungscode aus drei Buchstaben"},
             {"Date, USD, \n\n31 June 2024, 1.0, \n", "Zeile 3: „31 June 2024“ ist kein Datum"},
             {"Date, USD, \n28 June 2024, 1,0, \n",
              "Zeile 2: Die Zeile hat 2 Kurse, die Kopfzeile aber 1 Währung"},
             {"Date, USD, \n28 June 2024, -1, \n", "Zeile 2: USD: „-1“ ist kein Kurs größer null"},
             // Cut inside the last rate, or a line not ended as the ECB ends every line.
             {"Date, USD, \n28 June 2024, 19.4",
              "Zeile 2: Die Zeile hört ohne Zeilenende auf: Die Datei ist unvollständig"},
             {"Date, USD\n28 June 2024, 1.0, \n",
              "Zeile 1: Die Zeile endet nicht mit einem Komma nach dem letzten Feld"},
             {replaced(kDailyXml, "'172.43'", "'172,43'"),
              "<Cube currency='JPY'> in Zeile 7: „172,43“ ist kein Kurs"},
             {replaced(kDailyXml, "'JPY'", "'USD'"),
              "<Cube currency='USD'> in Zeile 7: Die Währung steht an diesem Tag zweimal da"},
             {replaced(kDailyXml, " time='2024-06-28'", ""),
              "<Cube currency='USD'> in Zeile 6: Der Kurs steht in keinem"},
             {replaced(kDailyXml, "</gesmes:Envelope>", "</Envelope>"),
              "Zeile 13: Die Datei ist kein wohlgeformtes XML"},
             {"@bomb.zip", "bomb.zip“ enthält „eurofxref.csv“ mit mehr als 64 MiB"},
             {"@empty.zip", "empty.zip“ enthält keine Referenzkursdatei"},
             {"@locked.zip", "locked.zip“ ist verschlüsselt, mit einem unbekannten Verfahren gepackt"},
             {"@bzip2.zip", "bzip2.zip“ ist verschlüsselt, mit einem unbekannten Verfahren gepackt"},
             {"@cut.zip", "cut.zip“ ist kein lesbares ZIP-Archiv"},
             {"@huge", "huge“ ist größer als 64 MiB"}}) {
        // "@name" is one of the files made above; other contents are written to a file first.
        const std::filesystem::path file = dir / (content.starts_with('@') ? content.substr(1) : "kurse");
        if (!content.starts_with('@')) writeFile(file, content);
        const auto rates = readReferenceRates(file);
        ASSERT_FALSE(rates) << content;
        EXPECT_NE(rates.error().find("Die Datei „" + file.string()), std::string::npos) << rates.error();
        EXPECT_NE(rates.error().find(expected), std::string::npos) << rates.error();
    }
}

// A file cut at any byte is refused, naming the file, or gives the whole file's newest day with all of
// its rates: an XML file cut in the blanks after its root element, a history CSV cut at the end of a
// day after the first, any file whole.
TEST(ReferenceRates, AFileCutAnywhereIsRefusedOrGivesTheWholeFilesNewestDay) {
    testsupport::TempDir dir;
    writeZip(dir / "csv.zip", {{"eurofxref-hist.csv", kHistoryCsv}});
    writeZip(dir / "xml.zip", {{"eurofxref-daily.xml", kDailyXml}});
    const std::size_t firstDayEnd = kHistoryCsv.find("\n2024-06-27");
    for (const std::string& bytes :
         {kHistoryCsv, kHistoryXml, kDailyCsv, replaced(kDailyCsv, "\n", "\r\n"), kDailyXml,
          testsupport::readFile(dir / "csv.zip"), testsupport::readFile(dir / "xml.zip")}) {
        const std::size_t wholeFrom = bytes.starts_with("<?xml") ? bytes.rfind('>') + 1 : bytes.size();
        for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
            const auto rates = parseReferenceRates(std::string_view(bytes).substr(0, cut), "kurse");
            const bool whole =
                cut >= wholeFrom || (bytes == kHistoryCsv && cut > firstDayEnd && bytes[cut - 1] == '\n');
            std::string got = rates ? shown(*rates) : rates.error();
            if (!rates && got.find("„kurse“") != std::string::npos) got = "refused";
            ASSERT_EQ(got, whole ? kNewest : "refused") << "cut at " << cut << " of " << bytes.substr(0, 20);
        }
    }
}

}  // namespace
}  // namespace kursomatik
