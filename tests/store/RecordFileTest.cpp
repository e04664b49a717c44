#include "RecordFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "RecordBuilder.h"
#include "RecordFileState.h"
#include "RegionalSettings.h"
#include "support/TempDir.h"

namespace kursomatik {
namespace {

using testing::makeRecord;
using testing::readFile;
using testing::writeFile;

std::string spaces(std::size_t n) {
    return std::string(n, ' ');
}

// Records named "Satz 1" to "Satz count", so every byte of the file tells where it came from.
std::string fileOf(int count) {
    std::string bytes;
    for (int n = 1; n <= count; ++n) bytes += encodeRecord(makeRecord("Satz " + std::to_string(n), "S", "1"));
    return bytes;
}

// Every test runs in a fresh current directory, where the currency file is looked up.
class CurrencyFile : public ::testing::Test {
  protected:
    std::filesystem::path datFile() const { return dir_ / kCurrencyFileName; }
    testing::TempDir dir_;
    RecordFile file_;
};

TEST_F(CurrencyFile, TwoCharacterNameIsTwoBytesAndThirtyEightSpaces) {
    ASSERT_TRUE(file_.open(kCurrencyFileName));
    ASSERT_TRUE(file_.write(1, makeRecord("DM", "DEM", "1955830")));
    // Offsets 0, 40, 80, 120 and 127; 147 bytes without separators.
    EXPECT_EQ(readFile(datFile()), "DM" + spaces(38) + "DEM" + spaces(37) + "1955830" + spaces(33) + "1" +
                                       spaces(6) + "04.01.1999" + spaces(10));
}

TEST_F(CurrencyFile, UmlautsAreOneByteInTheFileAndUtf8InMemory) {
    struct Case {
        const char* text;
        std::string bytes;
        const char* readBack;
    };
    ASSERT_TRUE(file_.open(kCurrencyFileName));
    for (const auto& c :
         {Case{"Österreichischer Schilling", "\xD6sterreichischer Schilling", "Österreichischer Schilling"},
          Case{"Dänische Krone", "D\xE4nische Krone", "Dänische Krone"},
          Case{"Groß €", "Gro\xDF \x80", "Groß €"},
          // No Windows-1252 byte for ł: it is stored and read back as '?'.
          Case{"Polnischer Złoty", "Polnischer Z?oty", "Polnischer Z?oty"}}) {
        ASSERT_TRUE(file_.write(1, makeRecord(c.text, "XXX", "1")));
        const std::string bytes = readFile(datFile());
        ASSERT_EQ(bytes.size(), 147u) << c.text;
        EXPECT_EQ(bytes.substr(0, 43), c.bytes + spaces(40 - c.bytes.size()) + "XXX");
        EXPECT_EQ(fieldValue(file_.read(1)->Bezeichnung), c.readBack);
    }
}

TEST(RecordLayout, LongNamesAreCutAtFortyCharactersNotBytes) {
    std::string name;
    for (int i = 0; i < 45; ++i) name += "Ä";
    const std::string bytes = encodeRecord(makeRecord(name, "ATS", "13760300"));
    ASSERT_EQ(bytes.size(), 147u);
    EXPECT_EQ(bytes.substr(0, 44), std::string(40, '\xC4') + "ATS ");
    EXPECT_EQ(decodeRecord(bytes), makeRecord(name, "ATS", "13760300"));
}

TEST_F(CurrencyFile, CountRoundsTheLengthToTheNearestWholeRecord) {
    struct Case {
        std::size_t bytes;
        long records;
    };
    for (const auto& c : {Case{0, 0},
                          {73, 0},
                          {74, 1},
                          {147, 1},
                          {220, 1},
                          {221, 2},
                          {147 * 5, 5},
                          {147 * 10 + 73, 10},
                          {147 * 10 + 74, 11}}) {
        writeFile(datFile(), std::string(c.bytes, 'x'));
        RecordFileState state;
        EXPECT_EQ(openForListPass(state, kCurrencyFileName), "") << c.bytes << " bytes";
        EXPECT_EQ(state.lSatzAnzahl, c.records) << c.bytes << " bytes";
    }
}

TEST_F(CurrencyFile, AMissingTableIsReportedWithItsFolderAndNotCreated) {
    RecordFileState state;
    const std::string message = openForListPass(state, kCurrencyFileName);
    EXPECT_NE(message.find("\u201E" + (std::filesystem::current_path() / kCurrencyFileName).string() +
                           "\u201C kann nicht gelesen werden: Die Datei oder der Ordner ist nicht vorhanden"),
              std::string::npos)
        << message;
    EXPECT_EQ(state.lSatzAnzahl, 0);
    EXPECT_FALSE(std::filesystem::exists(datFile()));
}

// The record number of a list line has three digits: a longer table is listed up to record 999, in
// the time and memory of 999 records however long the file is, and the user is told once.
TEST_F(CurrencyFile, ATableOfMoreThan999RecordsIsListedUpToRecord999AndReportedOnce) {
    struct Case {
        long long bytes;
        bool reported;
    };
    for (const Case& c :
         {Case{999 * 147, false}, Case{1000 * 147, true}, Case{100000 * 147, true}, Case{2LL << 30, true}}) {
        SCOPED_TRACE(c.bytes);
        writeFile(datFile(), fileOf(3));
        std::filesystem::resize_file(datFile(), static_cast<std::uintmax_t>(c.bytes));  // sparse
        RecordFileState state;
        const std::string message = openForListPass(state, kCurrencyFileName);
        EXPECT_EQ(state.lSatzAnzahl, 999);
        EXPECT_EQ(message.find("Angezeigt werden nur die ersten 999") != std::string::npos, c.reported)
            << message;
        EXPECT_EQ(openForListPass(state, kCurrencyFileName), "");
        // A new record would be record 1000, or overwrite it: it is refused.
        ASSERT_TRUE(state.iDateiNr.open(kCurrencyFileName));
        const Status appended = appendPlaceholder(state, RegionalSettings::german());
        EXPECT_NE(appended.error().find("999 Datensätze"), std::string::npos) << appended.error();
        EXPECT_EQ(static_cast<long long>(std::filesystem::file_size(datFile())), c.bytes);
    }
}

TEST_F(CurrencyFile, TrailingFragmentReadsWithSpacesForTheMissingBytes) {
    writeFile(datFile(), fileOf(1) + encodeRecord(makeRecord("Rest", "REST", "42")).substr(0, 74));
    ASSERT_TRUE(file_.open(kCurrencyFileName));
    const auto record = file_.read(2);
    ASSERT_TRUE(record) << record.error();
    EXPECT_EQ(*record,
              (CurrencyRecord{"Rest" + spaces(36), "REST" + spaces(36), spaces(40), spaces(7), spaces(20)}));
}

TEST_F(CurrencyFile, WritingRecordTwoInPlaceLeavesTheOthersByteForByte) {
    const std::string before = fileOf(3);
    writeFile(datFile(), before);
    ASSERT_TRUE(file_.open(kCurrencyFileName));
    const CurrencyRecord edited = makeRecord("Französischer Franc", "FRF", "6559570", "1", "06.02.2026");
    ASSERT_TRUE(file_.write(2, edited));
    const std::string after = readFile(datFile());
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.substr(0, 147), before.substr(0, 147));
    EXPECT_EQ(after.substr(294), before.substr(294));
    EXPECT_EQ(*file_.read(2), edited);
}

TEST_F(CurrencyFile, AppendingToFiveRecordsWritesRecordSixAtOffset735) {
    writeFile(datFile(), fileOf(5));
    ASSERT_TRUE(file_.open(kCurrencyFileName));
    const CurrencyRecord added = makeRecord("US-Dollar", "USD", "1179400", "0", "06.02.2026");
    ASSERT_TRUE(file_.write(6, added));
    const std::string after = readFile(datFile());
    ASSERT_EQ(after.size(), 882u);
    EXPECT_EQ(after.substr(0, 735), fileOf(5));
    EXPECT_EQ(after.substr(735), encodeRecord(added));
    EXPECT_EQ(*file_.read(6), added);
}

TEST_F(CurrencyFile, PlaceholderIsAppendedWithTodaysDateAndBecomesTheCurrentRecord) {
    struct Case {
        RegionalSettings regional;
        std::string datum;
    };
    for (auto c :
         {Case{RegionalSettings::german(), "06.02.2026"}, Case{RegionalSettings::english(), "02/06/2026"}}) {
        writeFile(datFile(), fileOf(5));
        c.regional.today = [] { return CivilDate{2026, 2, 6}; };
        RecordFileState state;
        state.lSatzAnzahl = 5;
        state.lAktuellerSatz = 2;
        ASSERT_TRUE(state.iDateiNr.open(kCurrencyFileName));
        ASSERT_TRUE(appendPlaceholder(state, c.regional));
        EXPECT_EQ(state.lSatzAnzahl, 6);
        EXPECT_EQ(state.lAktuellerSatz, 6);
        const std::string after = readFile(datFile());
        ASSERT_EQ(after.size(), 882u);
        EXPECT_EQ(after.substr(0, 735), fileOf(5));
        EXPECT_EQ(after.substr(735), "Neu" + spaces(37) + spaces(40) + "0" + spaces(39) + "0" + spaces(6) +
                                         c.datum + spaces(20 - c.datum.size()));
        EXPECT_EQ(state.buffer, *state.iDateiNr.read(6));
    }
}

}  // namespace
}  // namespace kursomatik
