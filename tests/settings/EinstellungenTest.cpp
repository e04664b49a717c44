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
using testing::TempDir;
using testing::writeFile;

constexpr const char* kAllKeys =
    "[Kursomatik]\nstellen1=10000\nstellen2=1000\noptionen1=2\noptionen2=2\nstartwaehrung=3\n"
    "ausgabewaehrung=7\n";

// A program folder and a configuration folder with WIN.INI, both inside a fresh temporary folder.
class Settings : public ::testing::Test {
  protected:
    Settings() {
        fs::create_directories(dir_ / "prog");
        fs::create_directories(dir_ / "config");
        environment_.programDir = dir_ / "prog";
        environment_.systemProfile = dir_ / "config" / "WIN.INI";
    }

    fs::path privateIni() const { return dir_ / "prog" / "Kursomatik.ini"; }

    bool start() { return Initialisierung(sStartauswahl_, settings_, environment_); }

    TempDir dir_;
    SettingsEnvironment environment_;
    SettingsState settings_;
    std::string sStartauswahl_ = "0";
};

TEST_F(Settings, StartUpReadsEveryKeyFromTheIniBesideTheProgram) {
    writeFile(privateIni(), kAllKeys);
    int guardCalls = 0;
    environment_.instanceGuard = [&] { return ++guardCalls == 1; };
    ASSERT_TRUE(start());
    EXPECT_EQ(guardCalls, 1);
    EXPECT_EQ(sStartauswahl_, "1");
    EXPECT_EQ(settings_.sIniDatei, privateIni().string());
    EXPECT_EQ(settings_.sIniSektion, "Kursomatik");
    EXPECT_EQ(settings_.sStellen1, "10000");
    EXPECT_EQ(settings_.sStellen2, "1000");
    EXPECT_EQ(settings_.sOptionen1, "2");
    EXPECT_EQ(settings_.sOptionen2, "2");
    EXPECT_EQ(settings_.sStartwaehrung, "3");
    EXPECT_EQ(settings_.sAusgabewaehrung, "7");
    EXPECT_EQ(settings_.dStellen1, 10000.0);
    EXPECT_EQ(settings_.dStellen2, 1000.0);
}

TEST_F(Settings, WithoutAnIniEverySettingStaysEmpty) {
    ASSERT_TRUE(start());
    EXPECT_EQ(settings_.sIniDatei, privateIni().string());
    EXPECT_EQ(settings_.sStellen1, "");
    EXPECT_EQ(settings_.sStellen2, "");
    EXPECT_EQ(settings_.dStellen2, 0.0);
    EXPECT_FALSE(fs::exists(privateIni()));
    EXPECT_FALSE(fs::exists(environment_.systemProfile));
}

TEST_F(Settings, WinIniEntryNamesAnotherSettingsFile) {
    const fs::path other = dir_ / "anderswo.ini";
    writeFile(environment_.systemProfile,
              "[Andere]\nIniDatei=/nirgends.ini\n[kursomatik]\nINIDATEI = " + other.string() + "\n");
    writeFile(privateIni(), "[Kursomatik]\nstellen2=10000\n");
    writeFile(other, "[Kursomatik]\nstellen2=100\n");
    ASSERT_TRUE(start());
    EXPECT_EQ(settings_.sIniDatei, other.string());
    EXPECT_EQ(settings_.sStellen2, "100");
    // Writing goes to the same file, and WIN.INI is only read.
    const std::string winIni = readFile(environment_.systemProfile);
    ASSERT_TRUE(IniSchreiben(settings_, environment_, "Kursomatik", "stellen1", "1000", true));
    EXPECT_EQ(getProfileString(other, "Kursomatik", "stellen1", ""), "1000");
    EXPECT_EQ(getProfileString(privateIni(), "Kursomatik", "stellen1", "fehlt"), "fehlt");
    EXPECT_EQ(readFile(environment_.systemProfile), winIni);
}

TEST_F(Settings, MissingKeyKeepsTheValueOfTheLastReading) {
    writeFile(privateIni(), kAllKeys);
    ASSERT_TRUE(start());
    writeFile(privateIni(), "[Kursomatik]\nstellen2=100\n");
    ASSERT_TRUE(start());
    EXPECT_EQ(settings_.sStellen2, "100");
    EXPECT_EQ(settings_.dStellen2, 100.0);
    EXPECT_EQ(settings_.sStellen1, "10000");
    EXPECT_EQ(settings_.dStellen1, 10000.0);
    EXPECT_EQ(settings_.sOptionen1, "2");
    EXPECT_EQ(settings_.sAusgabewaehrung, "7");
}

TEST_F(Settings, RoundingFactorsAreTheNumberValuesOfTheTexts) {
    struct Case {
        const char* text;
        double factor;
    };
    for (const auto& c : {Case{"1000abc", 1000}, Case{"250", 250}, Case{"10000", 10000}, Case{" 100 ", 100},
                          Case{"1.5", 1.5}, Case{"abc", 0}, Case{"", 0}}) {
        writeFile(privateIni(),
                  std::string("[Kursomatik]\nstellen1=") + c.text + "\nstellen2=" + c.text + "\n");
        ASSERT_TRUE(start());
        EXPECT_EQ(settings_.dStellen1, c.factor) << c.text;
        EXPECT_EQ(settings_.dStellen2, c.factor) << c.text;
    }
}

TEST_F(Settings, ASecondInstanceStopsBeforeAnyFileIsRead) {
    writeFile(privateIni(), kAllKeys);
    writeFile(environment_.systemProfile, "[Kursomatik]\nIniDatei=" + privateIni().string() + "\n");
    int guardCalls = 0;
    environment_.instanceGuard = [&] {
        ++guardCalls;
        EXPECT_EQ(sStartauswahl_, "1");  // set before the guard is asked
        return false;
    };
    EXPECT_FALSE(start());
    EXPECT_EQ(guardCalls, 1);
    EXPECT_EQ(sStartauswahl_, "1");
    EXPECT_EQ(settings_.sIniDatei, "");
    EXPECT_EQ(settings_.sStellen1, "");
    EXPECT_EQ(settings_.sStellen2, "");
    EXPECT_EQ(settings_.dStellen2, 0.0);
}

// Linux allows far deeper folders than 199 characters; the program must still find its settings there.
TEST_F(Settings, DeepProgramFolderKeepsItsFullIniPath) {
    environment_.programDir = dir_ / std::string(120, 'a') / std::string(120, 'b');
    fs::create_directories(environment_.programDir);
    const fs::path ini = environment_.programDir / "Kursomatik.ini";
    writeFile(ini, "[Kursomatik]\nstellen2=100\n");
    ASSERT_TRUE(start());
    EXPECT_EQ(settings_.sIniDatei, ini.string());
    EXPECT_EQ(settings_.sStellen2, "100");
}

// A settings file over 1 MB is no settings file of ours (/dev/zero as one grew without end): it is
// reported once, read as missing and never rewritten.
TEST_F(Settings, ASettingsFileOverOneMegabyteIsReportedOnceAndLeftAlone) {
    const std::string huge = kAllKeys + std::string(std::size_t{1} << 20, ';');
    writeFile(privateIni(), huge);
    std::vector<std::string> reports;
    environment_.report = [&](const std::string& problem) { reports.push_back(problem); };
    ASSERT_TRUE(start());
    ASSERT_TRUE(start());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("\u201E" + privateIni().string() +
                              "\u201C kann nicht gelesen werden: Die Datei ist "
                              "größer als 1 MB"),
              std::string::npos)
        << reports[0];
    EXPECT_EQ(settings_.sStellen2, "");
    EXPECT_FALSE(IniSchreiben(settings_, environment_, "Kursomatik", "stellen2", "100", true));
    EXPECT_EQ(readFile(privateIni()), huge);
    // Just below the limit it is read.
    writeFile(privateIni(),
              kAllKeys + std::string((std::size_t{1} << 20) - std::string(kAllKeys).size(), ';'));
    ASSERT_TRUE(start());
    EXPECT_EQ(settings_.sStellen2, "1000");
}

}  // namespace
}  // namespace kursomatik
