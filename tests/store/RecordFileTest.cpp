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

TEST_F(CurrencyFile, FieldsAreWindows1252BytesAtFixedOffsetsAndUtf8InMemory) {
    std::string ae40;
    for (int i = 0; i < 45; ++i) ae40 += "Ä";
    // Characters without a Windows-1252 byte are stored and read back as '?'; names are cut at 40 characters.
    for (const auto& [text, bytes, readBack] : std::initializer_list<std::tuple<std::string, std::string, std::string>>{
             {"DM", "DM", "DM"}, {"Österreichischer Schilling", "\xD6sterreichischer Schilling", "Österreichischer Schilling"},
             {"Groß €", "Gro\xDF \x80", "Groß €"}, {"Polnischer Złoty", "Polnischer Z?oty", "Polnischer Z?oty"},
             {ae40, std::string(40, '\xC4'), ae40.substr(0, 80)}}) {
        ASSERT_TRUE(file_.open(kCurrencyFileName));
        ASSERT_TRUE(file_.write(1, makeRecord(text, "DEM", "1955830")));
        EXPECT_EQ(readFile(datFile()), bytes + spaces(40 - bytes.size()) + "DEM" + spaces(37) + "1955830" + spaces(33) +
                                           "1" + spaces(6) + "04.01.1999" + spaces(10));
        EXPECT_EQ(fieldValue(file_.read(1)->Bezeichnung), readBack);
    }
}

TEST_F(CurrencyFile, CountRoundsTheLengthToTheNearestWholeRecordAndAFragmentReadsWithSpaces) {
    for (const auto& [bytes, records] : std::initializer_list<std::pair<std::size_t, long>>{
             {0, 0}, {73, 0}, {74, 1}, {220, 1}, {221, 2}, {147 * 10 + 73, 10}, {147 * 10 + 74, 11}}) {
        writeFile(datFile(), std::string(bytes, 'x'));
        RecordFileState state;
        EXPECT_EQ(openForListPass(state, kCurrencyFileName), "") << bytes << " bytes";
        EXPECT_EQ(state.lSatzAnzahl, records) << bytes << " bytes";
    }
    writeFile(datFile(), fileOf(1) + encodeRecord(makeRecord("Rest", "REST", "42")).substr(0, 74));
    ASSERT_TRUE(file_.open(kCurrencyFileName));
    EXPECT_EQ(*file_.read(2), (CurrencyRecord{"Rest" + spaces(36), "REST" + spaces(36), spaces(40), spaces(7), spaces(20)}));
}

TEST_F(CurrencyFile, AMissingTableIsReportedWithItsFolderAndNotCreated) {
    RecordFileState state;
    EXPECT_EQ(openForListPass(state, kCurrencyFileName),
              "Die Datei \u201E" + (std::filesystem::current_path() / kCurrencyFileName).string() +
                  "\u201C kann nicht gelesen werden: Die Datei oder der Ordner ist nicht vorhanden.");
    EXPECT_EQ(state.lSatzAnzahl, 0);
    EXPECT_FALSE(std::filesystem::exists(datFile()));
}

// The record number of a list line has three digits: a longer table is listed up to record 999, in
// the time and memory of 999 records however long the file is, and the user is told once.
TEST_F(CurrencyFile, ATableOfMoreThan999RecordsIsListedUpToRecord999AndReportedOnce) {
    for (const auto& [bytes, reported] : std::initializer_list<std::pair<long long, bool>>{
             {999 * 147, false}, {1000 * 147, true}, {2LL << 30, true}}) {
        SCOPED_TRACE(bytes);
        writeFile(datFile(), fileOf(3));
        std::filesystem::resize_file(datFile(), static_cast<std::uintmax_t>(bytes));  // sparse
        RecordFileState state;
        const std::string message = openForListPass(state, kCurrencyFileName);
        EXPECT_EQ(state.lSatzAnzahl, 999);
        EXPECT_EQ(message.find(" Datensätze. Angezeigt werden nur die ersten 999") != std::string::npos, reported) << message;
        EXPECT_EQ(openForListPass(state, kCurrencyFileName), "");
        // A new record would be record 1000, or overwrite it: it is refused.
        ASSERT_TRUE(state.iDateiNr.open(kCurrencyFileName));
        const Status appended = appendPlaceholder(state, RegionalSettings::german());
        EXPECT_NE(appended.error().find("enthält schon 999 Datensätze"), std::string::npos) << appended.error();
        EXPECT_EQ(static_cast<long long>(std::filesystem::file_size(datFile())), bytes);
    }
}

TEST_F(CurrencyFile, WritingInPlaceOrAppendingLeavesTheOtherRecordsByteForByte) {
    const CurrencyRecord edited = makeRecord("Französischer Franc", "FRF", "6559570", "1", "06.02.2026");
    writeFile(datFile(), fileOf(5));
    ASSERT_TRUE(file_.open(kCurrencyFileName));
    ASSERT_TRUE(file_.write(2, edited));
    ASSERT_TRUE(file_.write(6, edited));
    EXPECT_EQ(readFile(datFile()), fileOf(1) + encodeRecord(edited) + fileOf(5).substr(294) + encodeRecord(edited));
    EXPECT_EQ(*file_.read(6), edited);
}

TEST_F(CurrencyFile, PlaceholderIsAppendedWithTodaysDateAndBecomesTheCurrentRecord) {
    for (auto [regional, datum] : std::initializer_list<std::pair<RegionalSettings, std::string>>{
             {RegionalSettings::german(), "06.02.2026"}, {RegionalSettings::english(), "02/06/2026"}}) {
        writeFile(datFile(), fileOf(5));
        regional.today = [] { return CivilDate{2026, 2, 6}; };
        RecordFileState state;
        state.lSatzAnzahl = 5;
        state.lAktuellerSatz = 2;
        ASSERT_TRUE(state.iDateiNr.open(kCurrencyFileName));
        ASSERT_TRUE(appendPlaceholder(state, regional));
        EXPECT_EQ(state.lSatzAnzahl, 6);
        EXPECT_EQ(state.lAktuellerSatz, 6);
        EXPECT_EQ(readFile(datFile()), fileOf(5) + "Neu" + spaces(77) + "0" + spaces(39) + "0" + spaces(6) + datum +
                                           spaces(20 - datum.size()));
        EXPECT_EQ(state.buffer, *state.iDateiNr.read(6));
    }
}

}  // namespace
}  // namespace kursomatik
