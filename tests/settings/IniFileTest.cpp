// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/Einstellungen.h"
#include "settings/IniFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/FailingStep.h"
#include "tests/support/TempDir.h"

namespace kursomatik {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::writeFile;

class Profile : public ::testing::Test {
  protected:
    std::filesystem::path ini() const { return dir_ / "Kursomatik.ini"; }
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
            names.push_back(entry.path().filename());
        return names;
    }
    testing::TempDir dir_;
};

TEST_F(Profile, ReadingBehavesLikeTheWindowsProfileFunctions) {
    const std::string x200(200, 'x');
    // The value of stellen2 in the section Kursomatik; no content: no file.
    for (const auto& [content, defaultValue, expected] :
         std::initializer_list<std::tuple<std::optional<std::string>, std::string, std::string>>{
             {std::nullopt, "vorher", "vorher"},
             {"[Andere]\nstellen2=100\n", "vorher", "vorher"},
             {"[Xursomatik]\nstellen2=100\n", "vorher", "vorher"},
             {"[Kursomatik]\nxtellen2=100\n", "vorher", "vorher"},
             {"[Kursomatik]\nstellen1=1000\n", "vorher", "vorher"},
             {std::nullopt, "  100   ", "  100"},
             {"[Kursomatik]\nstellen2=\n", "vorher", ""},
             {"[KURSOMATIK]\nSTELLEN2=100\n", "", "100"},
             {"  [Kursomatik]  \n\t stellen2 \t=  1000  \n", "", "1000"},
             {"[Kursomatik]\nstellen2=\" 100 \"\n", "", " 100 "},
             {"[Kursomatik]\nstellen2='100'\n", "", "100"},
             {"[Kursomatik]\nstellen2=\"100'\n", "", "\"100'"},
             {"[Kursomatik]\nstellen2=a=b\n", "", "a=b"},
             {"[Kursomatik]\r\nstellen2=100\r\n", "", "100"},
             {"[Kursomatik]\nstellen2=100", "", "100"},
             {"[Kursomatik]\n;stellen2=100\n", "v", "v"},
             {"[Kursomatik]\nstellen1=1\n[Andere]\nstellen2=5\n", "v", "v"},
             {"[Kursomatik]\nstellen2=100\n[kursomatik]\nstellen2=1000\n", "", "100"},
             {"[Kursomatik]\nstellen2=100\nStellen2=1000\n", "", "100"},
             {"[Kursomatik]\nstellen2=" + x200 + "\n", "", x200.substr(1)},
             {std::nullopt, x200 + "y", x200.substr(1)}}) {
        std::filesystem::remove(ini());
        if (content) writeFile(ini(), *content);
        EXPECT_EQ(getProfileString(ini(), "Kursomatik", "stellen2", defaultValue), expected)
            << content.value_or("no file");
    }
}

TEST_F(Profile, WritingChangesOnlyItsKeyAndKeepsEveryOtherLineByteForByte) {
    for (const auto& [before, section, after] :
         std::initializer_list<std::tuple<std::optional<std::string>, std::string, std::string>>{
             {std::nullopt, "Kursomatik", "[Kursomatik]\nstellen2=100\n"},
             {"; von Hand\n[Andere]\nx=1", "Kursomatik",
              "; von Hand\n[Andere]\nx=1\n\n[Kursomatik]\nstellen2=100\n"},
             {"[Andere]\nx=1\n\n", "Kursomatik", "[Andere]\nx=1\n\n[Kursomatik]\nstellen2=100\n"},
             {"[Kursomatik]\nstellen1=1000\n\n[Andere]\nx=1\n", "kursomatik",
              "[Kursomatik]\nstellen1=1000\nstellen2=100\n\n[Andere]\nx=1\n"},
             {"; K\n\n[Kursomatik]\nstellen1 = 1000\n  STELLEN2=1000   \n# kein\n[Andere]\nstellen2=5\n",
              "Kursomatik",
              "; K\n\n[Kursomatik]\nstellen1 = 1000\nSTELLEN2=100\n# kein\n[Andere]\nstellen2=5\n"},
             // Found by fuzzing: a last line ending in a lone carriage return took the new key onto itself.
             {"[Kursomatik]\nstellen1=1000", "Kursomatik", "[Kursomatik]\nstellen1=1000\nstellen2=100\n"},
             {"[Kursomatik]\nstellen1=1000\r", "Kursomatik", "[Kursomatik]\nstellen1=1000\r\nstellen2=100\n"},
             {"[Kursomatik]\r\nstellen1=1000\r\n", "Kursomatik",
              "[Kursomatik]\r\nstellen1=1000\r\nstellen2=100\r\n"},
             {"[Kursomatik]\r\nstellen2=1\r\n", "Andere",
              "[Kursomatik]\r\nstellen2=1\r\n\r\n[Andere]\r\nstellen2=100\r\n"}}) {
        std::filesystem::remove(ini());
        if (before) writeFile(ini(), *before);
        ASSERT_TRUE(writeProfileString(ini(), section, "stellen2", "100"));
        EXPECT_EQ(readFile(ini()), after) << before.value_or("no file");
        EXPECT_EQ(files(), std::vector<std::string>{"Kursomatik.ini"});
    }
    // Every start writes the options again; the file (its very inode) stays as it was.
    struct stat first {
    }, second{};
    ::stat(ini().c_str(), &first);
    ASSERT_TRUE(writeProfileString(ini(), "Andere", "stellen2", "100"));
    ::stat(ini().c_str(), &second);
    EXPECT_EQ(first.st_ino, second.st_ino);
}

// A failed write names the file and leaves the old content and no temporary file behind.
class FailedProfileWrite : public Profile {
  protected:
    void SetUp() override { writeFile(ini(), kBefore); }
    void expectOldFileIntact(const Status& status, const std::string& cause) const {
        EXPECT_EQ(status.error().substr(0, status.error().find(':')),
                  "Die Datei \u201E" + ini().string() + "\u201C kann nicht geschrieben werden");
        EXPECT_NE(status.error().find(cause), std::string::npos) << status.error();
        EXPECT_EQ(readFile(ini()), kBefore);
        EXPECT_EQ(files(), std::vector<std::string>{"Kursomatik.ini"});
    }
    static constexpr const char* kBefore = "[Kursomatik]\nstellen2=1000\n";
};

TEST_F(FailedProfileWrite, AFailedStep) {
    for (const auto& [step, error, cause] : std::initializer_list<std::tuple<const char*, int, const char*>>{
             {"createFile", EACCES, "Zugriff verweigert."},
             {"writeAll", ENOSPC, "Auf dem Datenträger ist kein Platz mehr frei."},
             {"renameFile", EXDEV, "Systemfehler 18 (Invalid cross-device link)."}}) {
        testing::FailingStep failing(step, error);
        expectOldFileIntact(writeProfileString(ini(), "Kursomatik", "stellen2", "100", failing), cause);
    }
}

constexpr const char* kAllKeys =
    "[Kursomatik]\nstellen1=10000\nstellen2=1000\noptionen1=2\noptionen2=3\nstartwaehrung=4\nausgabewaehrung="
    "7\n";

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
        return {s.sIniDatei,
                s.sIniSektion,
                s.sStellen1,
                s.sStellen2,
                s.sOptionen1,
                s.sOptionen2,
                s.sStartwaehrung,
                s.sAusgabewaehrung,
                std::to_string(s.dStellen1),
                std::to_string(s.dStellen2)};
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
    const std::vector<std::string> all = {
        privateIni().string(), "Kursomatik", "10000", "1000", "2", "3", "4", "7",
        "10000.000000",        "1000.000000"};
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
    writeFile(environment_.systemProfile,
              "[Andere]\nIniDatei=/nirgends.ini\n[kursomatik]\nINIDATEI = " + other.string() + "\n");
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
    EXPECT_EQ(reports_,
              std::vector<std::string>{"Die Datei \u201E" + privateIni().string() +
                                       "\u201C kann nicht gelesen werden: Die Datei ist größer als 1 MB. "
                                       "Die Einstellungen darin bleiben unbeachtet."});
    EXPECT_EQ(settings_.sStellen2, "");
    EXPECT_FALSE(IniSchreiben(settings_, environment_, "Kursomatik", "stellen2", "100", true));
    EXPECT_EQ(readFile(privateIni()), huge);
    // Just below the limit it is read.
    writeFile(privateIni(),
              kAllKeys + std::string((std::size_t{1} << 20) - std::string(kAllKeys).size(), ';'));
    ASSERT_TRUE(start());
    EXPECT_EQ(settings_.sStellen2, "1000");
}

TEST_F(Settings, RateAgeLimitIsAWholeNumberOfDaysElseThirty) {
    for (const auto& [entry, days] :
         std::initializer_list<std::pair<const char*, int>>{{"", 30},
                                                            {"kursalter=0\n", 0},
                                                            {"kursalter=7\n", 7},
                                                            {"kursalter=36500\n", 36500},
                                                            {"kursalter=36501\n", 30},
                                                            {"kursalter=-5\n", 30},
                                                            {"kursalter=1,5\n", 30},
                                                            {"kursalter=zehn\n", 30}}) {
        writeFile(privateIni(), std::string("[Kursomatik]\n") + entry);
        ASSERT_TRUE(start());
        EXPECT_EQ(settings_.iKursalter, days) << entry;
    }
}

}  // namespace
}  // namespace kursomatik
