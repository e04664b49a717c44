// SPDX-License-Identifier: GPL-3.0-or-later
#include "rates/ReferenceRates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <regex>
#include <set>

#include "rates/RateImport.h"
#include "store/Compaction.h"
#include "tests/rates/HistoryFiles.h"
#include "tests/rates/RateFiles.h"
#include "tests/store/RecordBuilder.h"
#include "tests/support/FailingStep.h"
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
const std::string kNewest = "2024-06-28: USD=1.070500 JPY=172.430000 HRK=7.534500 TRY=35.189300 XAU=0.500000";

// The day and rates read, as kNewest shows them.
std::string shown(const ReferenceRates& rates) {
    std::string text = formatShortDate(rates.date, "yyyy-MM-dd") + ":";
    for (const auto& [code, rate] : rates.rates) text += " " + code + "=" + std::to_string(rate.toDouble());
    return text;
}

TEST(ReferenceRates, BrokenFilesAreRefusedNamingTheFileAndThePlace) {
    testsupport::TempDir dir;
    const std::filesystem::path file = dir / "kurse";
    const std::string huge(kReferenceFileLimit + 1, ' ');
    for (const auto& [content, expected] : std::initializer_list<std::pair<std::string, std::string>>{
             {"Hallo", "keine Referenzkursdatei der EZB"},
             {"Date, US, \n28 June 2024, 1.0, \n", "Zeile 1: „US“ ist kein Währungscode"},
             {"Date, USD, \n\n31 June 2024, 1.0, \n", "Zeile 3: „31 June 2024“ ist kein Datum"},
             // A long field is quoted by its first 20 characters.
             {"Date, USD, \n28 June 2024, 1.0705-Dollar-je-Euro-am-Freitag, \n",
              "„1.0705-Dollar-je-Eur…“ ist kein Kurs"},
             {"Date, USD, \n28 June 2024, 19.4", "Zeile 2: Die Zeile hört ohne Zeilenende auf"},
             {replaced(kDailyXml, "'172.43'", "'172,43'"),
              "<Cube currency='JPY'> in Zeile 7: „172,43“ ist kein"},
             {replaced(kDailyXml, "</gesmes:Envelope>", "</Envelope>"),
              "Zeile 13: Die Datei ist kein wohlgeformtes"},
             {writeZip(file, {{"eurofxref.csv", huge}}), "“ enthält „eurofxref.csv“ mit mehr als 64 MiB"},
             {writeZip(file, {{"a.txt", "x"}, {"b.txt", "y"}}), "“ enthält keine Referenzkursdatei"},
             {writeZip(file, {{"eurofxref.csv", kDailyCsv}}, ZIP_CM_DEFAULT, "geheim"),
              "“ ist verschlüsselt, mit einem unbekannten Verfahren"},
             {std::string("PK\x03\x04", 4) + "kaputt", "“ ist kein lesbares ZIP-Archiv"},
             {huge, "“ ist größer als 64 MiB"},
             // A fault in an older day refuses the whole file.
             {replaced(kHistoryCsv, "171.11", "171.1x"), "Zeile 3: JPY: „171.1x“ ist kein Kurs größer null"},
             {replaced(kHistoryXml, "'1.07'", "'-1'"), "„-1“ ist kein Kurs größer null"},
             {"Date, USD, \n", "Zeile 1: Die Datei enthält keinen Tag mit Kursen"},
             // An end record whose directory lies 4 GiB beyond the file.
             {std::string("PK\x05\x06\0\0\0\0\1\0\1\0\0\0\0\0\xF0\xFF\xFF\xFF\0\0", 22),
              "ist kein lesbares ZIP"}}) {
        writeFile(file, content);
        const auto rates = readReferenceRates(file);
        const auto days = readReferenceHistory(file);  // the reader of every day: the very same message
        const std::string error = rates ? "read" : rates.error();
        EXPECT_TRUE(error.starts_with("Die Datei „" + file.string()) && error.find(expected) != error.npos &&
                    (days ? "read" : days.error()) == error)
            << error;
    }
}

// Older working days for a long XML history, newest first: rates of many digits, currencies missing
// now and then, and codes from early in the alphabet.
std::string olderDays(int count) {
    std::string text;
    for (int d = 0; d < count; ++d) {
        text += "<Cube time='" + formatShortDate({2023, 12 - d / 25, 25 - d % 25}, "yyyy-MM-dd") + "'>\n";
        for (std::size_t c = 0; c < 6; ++c) {
            const std::string rate = testsupport::rateOf(c, static_cast<std::size_t>(d));
            if (rate != "N/A")
                text += "<Cube currency='" + testsupport::kCodes[c] + "' rate='" + rate + "'/>\n";
        }
        text += "</Cube>\n";
    }
    return text;
}

// Every byte of a small file. Of a long one every 97th, the last 64, and both sides of each line end
// except those between the rates of a day (for time).
std::set<std::size_t> cutsOf(const std::string& bytes) {
    std::set<std::size_t> cuts;
    const std::size_t step = bytes.size() < 4000 ? 1 : 97;
    for (std::size_t cut = 0; cut <= bytes.size(); cut += step) cuts.insert(cut);
    for (std::size_t cut = bytes.size() - std::min<std::size_t>(bytes.size(), 64); cut <= bytes.size(); ++cut)
        cuts.insert(cut);
    for (std::size_t end = 0; (end = bytes.find('\n', end + 1)) != std::string::npos;) {
        const std::size_t start = bytes.rfind('\n', end - 1) + 1;
        if (bytes.substr(start, end - start).find("currency=") == std::string::npos)
            cuts.insert({end - 1, end, end + 1});
    }
    return cuts;
}

// A file of any format cut at any byte is refused, naming the file, or gives the whole file's newest
// day with all of its rates: an XML file cut in the blanks after its root element, a history CSV cut at the
// end of a day after the first, any file whole. Also an XML history of 150 days, cut at a sample of its
// bytes.
TEST(ReferenceRates, AFileCutAnywhereIsRefusedOrGivesTheWholeFilesNewestDay) {
    testsupport::TempDir dir;
    std::string longXml = kHistoryXml;
    longXml.insert(longXml.find("<Cube time='2024-01-02'/>"), olderDays(150));
    std::string longHistory = kHistoryCsv;
    for (int day = 0; day < 4000; ++day) longHistory += "1999-02-01,1.1,130.0,N/A,N/A,N/A,0.58,\n";
    const std::filesystem::path zip = dir / "kurse.zip";
    for (const std::string& bytes :
         {kHistoryCsv, kHistoryXml, kDailyCsv, "\xEF\xBB\xBF" + replaced(kDailyCsv, "\n", "\r\n"), kDailyXml,
          longXml, writeZip(zip, {{"eurofxref-daily.xml", kDailyXml}}),
          // Stored, not packed, under any name; and a history of some hundred kilobytes, which unpacks in
          // more than one piece, after another entry.
          writeZip(zip, {{"EUROFXREF.CSV", kDailyCsv}}, ZIP_CM_STORE),
          writeZip(zip, {{"README", "x"}, {"hist.csv", longHistory}})}) {
        const std::size_t wholeFrom = bytes.starts_with("<?xml") ? bytes.rfind('>') + 1 : bytes.size();
        const bool history = bytes.starts_with("Date,U");  // no blank after the comma: a history
        const std::size_t firstDayEnd = bytes.find('\n', bytes.find('\n') + 1);
        for (const std::size_t cut : cutsOf(bytes)) {
            const auto rates = parseReferenceRates(std::string_view(bytes).substr(0, cut), "kurse");
            const bool whole = cut >= wholeFrom || (history && cut > firstDayEnd && bytes[cut - 1] == '\n');
            std::string got = rates ? shown(*rates) : rates.error();
            if (!rates && got.find("„kurse“") != std::string::npos) got = "refused";
            ASSERT_EQ(got, whole ? kNewest : "refused") << "cut at " << cut << " of " << bytes.substr(0, 20);
        }
    }
}

using testsupport::makeRecord;
using testsupport::readFile;

const auto record = [](auto... fields) { return encodeRecord(makeRecord(fields...)); };

class RateImportTest : public ::testing::Test {
  protected:
    RateImportTest() { writeFile(csv(), testsupport::kDailyCsv); }
    // A table with the file's codes as member, newer and unreadably dated records, and others. A
    // German date is read whatever the regional pattern.
    std::string writeTable(const RegionalSettings& regional) {
        newer_ = formatShortDate({2024, 7, 2}, regional.shortDatePattern);
        const std::string table = record("Deutsche Mark", "DEM", "1955830", "1", "01.01.1999") +
                                  record("US-Dollar", "usd", "1100000", "0", "irgendwann") +
                                  record("Japanischer Yen", "JPY", "170000000", "0", newer_) +
                                  record("Kroatische Kuna", "HRK", "7534500", "1", "01.01.2023") +
                                  record("Pfund", "GBP", "850000", "0", "01.06.2024") +
                                  record("Gold", "XAU", "400000", "0", "03.07.2024");
        writeFile(dat(), table);
        return table;
    }
    std::filesystem::path dat() const { return dir_ / kCurrencyFileName; }
    std::filesystem::path csv() const { return dir_ / "eurofxref.csv"; }

    testsupport::TempDir dir_;
    std::string newer_;
};

TEST_F(RateImportTest, UpdatesOtherCurrenciesKeepsMembersAndNewerRatesAsAskedAndAddsTheRest) {
    const std::string counts = "aktualisiert, 1 Währung neu, 1 Festkurs beibehalten";
    for (const auto& [regional, overwrite, summary] :
         std::initializer_list<std::tuple<RegionalSettings, bool, std::string>>{
             {RegionalSettings::german(), false,
              "vom 28.06.2024: 1 Kurs " + counts + ", 2 neuere Kurse beibehalten."},
             {RegionalSettings::english(), true, "vom 06/28/2024: 3 Kurse " + counts + "."}}) {
        const std::string before = writeTable(regional);
        auto import = RateImport::prepare(csv(), dat(), regional);
        ASSERT_TRUE(import) << import.error();
        const std::string day = formatShortDate({2024, 6, 28}, regional.shortDatePattern);
        EXPECT_TRUE(import->newerQuestion().ends_with(day + " (vom " + newer_ +
                                                      " und 03.07.2024). Sollen sie überschrieben werden?"));
        const auto done = import->apply(overwrite);
        ASSERT_TRUE(done) << done.error();
        EXPECT_EQ(summaryText(*done), "Referenzkurse " + summary);
        // Untouched records keep their bytes; the updated ones only get Kurs and Datum.
        const auto old = [&](int n) { return before.substr(n * kRecordLength, kRecordLength); };
        const std::string expected =
            old(0) + record("US-Dollar", "usd", "1070500", "0", day) +
            (overwrite ? record("Japanischer Yen", "JPY", "172430000", "0", day) : old(2)) + old(3) + old(4) +
            (overwrite ? record("Gold", "XAU", "500000", "0", day) : old(5)) +
            record("Türkische Lira", "TRY", "35189300", "0", day);
        EXPECT_EQ(readFile(dat()), expected);
    }
}

// Rates dated after tomorrow (a wrong clock somewhere; a day of skew is allowed), more than 999
// currencies, a failed rewrite and a table another program changed: refused, and the table left as it is.
TEST_F(RateImportTest, AnImportThatCannotBeDoneLeavesTheTableAsItIs) {
    std::string full;
    for (int n = 0; n < 998; ++n) full += record("Satz", "S" + std::to_string(n), "1", "0", "");
    const std::string other = record("Andere", "AND", "1", "0", "");
    using C = std::tuple<std::string, int, std::string, std::string>;  // table, today, failing step, refused
    for (const auto& [bytes, day, step, refused] :
         {C("", 27, "", ""), C("", 26, "", "Kurse sind vom 28.06.2024, heute ist aber erst der 26.06.2024."),
          C(full, 30, "",
            "hat 998 Währungen; mit den 5 neuen aus „" + csv().string() + "“ wären es mehr als"),
          // 994 records and 5 new ones fill the table to the last record.
          C(full.substr(4 * kRecordLength), 30, "", ""), C("", 30, "writeAll", describeErrno(ENOSPC)),
          C("", 30, "meanwhile", "von einem anderen Programm geändert"),
          C("", 30, "before", "von einem anderen Programm geändert")}) {
        if (writeTable(RegionalSettings::german()), !bytes.empty()) writeFile(dat(), bytes);
        const std::string before = readFile(dat());
        RegionalSettings at = RegionalSettings::german();
        at.today = [day] { return CivilDate{2024, 6, day}; };
        auto import = RateImport::prepare(csv(), dat(), at);
        std::string error = import ? "" : import.error();
        if (import && !step.empty()) {
            testsupport::FailingStep files(step, step == "writeAll" ? ENOSPC : 0);
            if (step == "meanwhile") files.meanwhile = [&] { writeFile(dat(), other); };
            if (step == "before") writeFile(dat(), other);
            const auto done = import->apply(true, files);
            error = done ? "" : done.error();
        }
        EXPECT_EQ(
            error.find(refused) != std::string::npos && error.ends_with(" Die Tabelle wurde nicht geändert."),
            !refused.empty())
            << error;
        EXPECT_EQ(readFile(dat()), step == "meanwhile" || step == "before" ? other : before) << step;
        EXPECT_FALSE(std::filesystem::exists(dir_ / kTemporaryFileName)) << step;
    }
}

}  // namespace
}  // namespace kursomatik
