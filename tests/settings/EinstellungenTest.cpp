#include "Einstellungen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "IniFile.h"
#include "support/TempDir.h"

namespace kursomatik {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::writeFile;

constexpr const char* kAllKeys =
    "[Kursomatik]\nstellen1=10000\nstellen2=1000\noptionen1=2\noptionen2=3\nstartwaehrung=4\nausgabewaehrung=7\n";

// A program folder and a configuration folder with WIN.INI, both inside a fresh temporary folder.
class Settings : public ::testing::Test {
  protected:
    Settings() {
        fs::create_directories(dir_ / "config");
        environment_.programDir = dir_ / std::string(120, 'a') / std::string(120, 'b');  // deeper than 199
        fs::create_directories(environment_.programDir);
        environment_.systemProfile = dir_ / "config" / "WIN.INI";
        environment_.report = [this](const std::string& problem) { reports_.push_back(problem); };
    }
    fs::path privateIni() const { return environment_.programDir / "Kursomatik.ini"; }
    bool start() { return Initialisierung(sStartauswahl_, settings_, environment_); }
    std::vector<std::string> values() const {
        const SettingsState& s = settings_;
        return {s.sIniDatei, s.sIniSektion, s.sStellen1, s.sStellen2, s.sOptionen1, s.sOptionen2, s.sStartwaehrung,
                s.sAusgabewaehrung, std::to_string(s.dStellen1), std::to_string(s.dStellen2)};
    }

    testing::TempDir dir_;
    SettingsEnvironment environment_;
    SettingsState settings_;
    std::string sStartauswahl_ = "0";
    std::vector<std::string> reports_;
};

TEST_F(Settings, StartUpReadsEveryKeyAndAMissingKeyKeepsTheValueOfTheLastReading) {
    writeFile(privateIni(), kAllKeys);
    int guardCalls = 0;
    environment_.instanceGuard = [&] { return ++guardCalls == 1; };
    ASSERT_TRUE(start());
    EXPECT_EQ(guardCalls, 1);
    EXPECT_EQ(sStartauswahl_, "1");
    const std::vector<std::string> all = {privateIni().string(), "Kursomatik", "10000", "1000", "2", "3", "4", "7",
                                          "10000.000000", "1000.000000"};
    EXPECT_EQ(values(), all);
    writeFile(privateIni(), "[Kursomatik]\nstellen2=1000abc\n");
    environment_.instanceGuard = nullptr;
    ASSERT_TRUE(start());
    std::vector<std::string> next = all;
    next[3] = "1000abc";
    EXPECT_EQ(values(), next);
    EXPECT_TRUE(reports_.empty());
}

TEST_F(Settings, WinIniEntryNamesAnotherSettingsFileAndWritingGoesThere) {
    const fs::path other = dir_ / "anderswo.ini";
    writeFile(environment_.systemProfile, "[Andere]\nIniDatei=/nirgends.ini\n[kursomatik]\nINIDATEI = " + other.string() + "\n");
    writeFile(privateIni(), "[Kursomatik]\nstellen2=10000\n");
    writeFile(other, "[Kursomatik]\nstellen2=100\n");
    ASSERT_TRUE(start());
    EXPECT_EQ(settings_.sIniDatei, other.string());
    EXPECT_EQ(settings_.dStellen2, 100.0);
    // Writing goes to the same file, and WIN.INI is only read.
    const std::string winIni = readFile(environment_.systemProfile);
    ASSERT_TRUE(IniSchreiben(settings_, environment_, "Kursomatik", "stellen1", "1000", true));
    EXPECT_EQ(readFile(other), "[Kursomatik]\nstellen2=100\nstellen1=1000\n");
    EXPECT_EQ(readFile(privateIni()), "[Kursomatik]\nstellen2=10000\n");
    EXPECT_EQ(readFile(environment_.systemProfile), winIni);
}

TEST_F(Settings, ASecondInstanceStopsBeforeAnyFileIsRead) {
    writeFile(privateIni(), kAllKeys);
    environment_.instanceGuard = [&] {
        EXPECT_EQ(sStartauswahl_, "1");  // set before the guard is asked
        return false;
    };
    EXPECT_FALSE(start());
    EXPECT_EQ(values(), (std::vector<std::string>{"", "", "", "", "", "", "", "", "0.000000", "0.000000"}));
}

// A settings file over 1 MB is no settings file of ours (/dev/zero as one grew without end): it is
// reported once, read as missing and never rewritten.
TEST_F(Settings, ASettingsFileOverOneMegabyteIsReportedOnceAndLeftAlone) {
    const std::string huge = kAllKeys + std::string(std::size_t{1} << 20, ';');
    writeFile(privateIni(), huge);
    ASSERT_TRUE(start());
    ASSERT_TRUE(start());
    EXPECT_EQ(reports_, std::vector<std::string>{"Die Datei \u201E" + privateIni().string() +
                                                 "\u201C kann nicht gelesen werden: Die Datei ist größer als 1 MB. "
                                                 "Die Einstellungen darin bleiben unbeachtet."});
    EXPECT_EQ(settings_.sStellen2, "");
    EXPECT_FALSE(IniSchreiben(settings_, environment_, "Kursomatik", "stellen2", "100", true));
    EXPECT_EQ(readFile(privateIni()), huge);
    // Just below the limit it is read.
    writeFile(privateIni(), kAllKeys + std::string((std::size_t{1} << 20) - std::string(kAllKeys).size(), ';'));
    ASSERT_TRUE(start());
    EXPECT_EQ(settings_.sStellen2, "1000");
}

}  // namespace
}  // namespace kursomatik
