// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/Einstellungen.h"
#include "settings/IniFile.h"
#include "settings/ListPosition.h"
#include "settings/OptionWrites.h"

#include <gtest/gtest.h>

#include <chrono>

#include "settings/FirstRun.h"
#include "tests/support/FailingStep.h"
#include "tests/support/TempDir.h"

namespace kursomatik {
namespace {

namespace fs = std::filesystem;
using testsupport::readFile;
using testsupport::writeFile;

TEST(ProfileText, ReadingBehavesLikeTheWindowsProfileFunctions) {
    const std::string x200(200, 'x');
    using C = std::tuple<std::string, std::string, std::string>;
    for (const auto& [text, defaultValue, expected] :
         {C("[Kursomatik]\nstellen1=1000\n;stellen2=100\n", "vorher", "vorher"), C("", "  100   ", "  100"),
          C("[Kursomatik]\nstellen2=" + x200, "", x200.substr(1)),
          C("[Kursomatik]\nstellen2=\n", "vorher", ""),
          C("[KURSOMATIK]\nSTELLEN2=100\nstellen2=1000\n", "", "100"),
          C("  [ Kursomatik ]  \n\t stellen2 \t=  a=b  \n", "", "a=b"),
          C("[Kursomatik]\nstellen2=\" 100 \"\n", "", " 100 "),
          C("[Kursomatik]\nstellen2='100'\n", "", "100"), C("[Kursomatik]\nstellen2=\"\"\n", "v", ""),
          C("[Kursomatik]\r\nstellen2=100", "", "100"),
          // Only the first section of the name counts, and it ends at the next header.
          C("[Kursomatik]\nstellen1=1\n[kursomatik]\nstellen2=5\n", "v", "v")}) {
        EXPECT_EQ(profileValue(text, "Kursomatik", "stellen2", defaultValue), expected) << text;
    }
}

TEST(Profile, WritingChangesOnlyItsKeyAndKeepsEveryOtherLineByteForByte) {
    const testsupport::TempDir dir;
    const fs::path file = dir / "Kursomatik.ini";
    const std::string added = "[Kursomatik]\nstellen2=100\n";
    for (const auto& [before, after] : std::initializer_list<std::pair<std::string, std::string>>{
             {"; von Hand\n[Andere]\nx=1", "; von Hand\n[Andere]\nx=1\n\n" + added},
             {"[KURSOMATIK]\nstellen1=1\n\n[Andere]\n",
              "[KURSOMATIK]\nstellen1=1\nstellen2=100\n\n[Andere]\n"},
             {"[Kursomatik]\nstellen1 = 1\n  STELLEN2=1000   \n# kein\n[Andere]\nstellen2=5\n",
              "[Kursomatik]\nstellen1 = 1\nSTELLEN2=100\n# kein\n[Andere]\nstellen2=5\n"},
             // A last line ending in a lone carriage return must not take the new key onto itself.
             {"[Kursomatik]\nstellen1=1\r", "[Kursomatik]\nstellen1=1\r\nstellen2=100\n"},
             {"[Andere]\r\nx=1\r\n", "[Andere]\r\nx=1\r\n\r\n[Kursomatik]\r\nstellen2=100\r\n"}}) {
        writeFile(file, before);
        ASSERT_TRUE(writeProfileString(file, "Kursomatik", "stellen2", "100"));
        EXPECT_EQ(readFile(file), after) << before;
        // Every start writes the options again; an unchanged file is not rewritten at all.
        testsupport::FailingStep ops;
        EXPECT_TRUE(writeProfileString(file, "kursomatik", "STELLEN2", "100", ops) && ops.calls.empty());
    }
}

const std::string kAllKeys =
    "[Kursomatik]\nstellen1=10000\nstellen2=1000\noptionen1=2\noptionen2=3\n"
    "startwaehrung=4\nausgabewaehrung=7\nkursalter=0\n";
const std::string kAllValues = "Kursomatik 10000 1000 2 3 4 7 10000.000000 1000.000000 0";

// A program folder deeper than 199 characters and WIN.INI, both inside a fresh temporary folder.
class Settings : public ::testing::Test {
  protected:
    Settings() { fs::create_directories(environment_.programDir); }
    fs::path privateIni() const { return environment_.programDir / "Kursomatik.ini"; }
    void start() { Initialisierung(sStartauswahl_, settings_, environment_); }
    std::string values() const {
        const SettingsState& s = settings_;
        return s.sIniSektion + " " + s.sStellen1 + " " + s.sStellen2 + " " + s.sOptionen1 + " " +
               s.sOptionen2 + " " + s.sStartwaehrung + " " + s.sAusgabewaehrung + " " +
               std::to_string(s.dStellen1) + " " + std::to_string(s.dStellen2) + " " +
               std::to_string(s.iKursalter);
    }
    testsupport::TempDir dir_;
    SettingsEnvironment environment_{dir_ / std::string(120, 'a') / std::string(120, 'b'), dir_ / "WIN.INI",
                                     [this](const std::string& problem) { reports_.push_back(problem); }};
    SettingsState settings_;
    std::string sStartauswahl_ = "0";
    std::vector<std::string> reports_;
};

TEST_F(Settings, StartUpReadsEveryKeyAndAMissingKeyKeepsItsValue) {
    writeFile(privateIni(), kAllKeys);
    start();
    // The rate age limit is a whole number of days up to 36500, else 30.
    for (const auto& [entry, days] : std::initializer_list<std::pair<std::string, std::string>>{
             {"36500", "36500"}, {"36501", "30"}, {"1,5", "30"}}) {
        writeFile(privateIni(), "[Kursomatik]\nstellen2=1000abc\nkursalter=" + entry + "\n");
        start();
        EXPECT_EQ(values(), "Kursomatik 10000 1000abc 2 3 4 7 10000.000000 1000.000000 " + days);
    }
}

// Start currencies after the list changed. Following their currencies (two new ones sort after the
// first of three old ones; positions 3 and -1 pointed to none) reads "1,0" by the regional conventions,
// as the list pass reads it; "0,0" stays, and so does its text. The options dialog's start lists, while
// the dialog is not made, move a choice below 1 to 1 where there is a second currency; a position the
// list cannot take writes nothing. The file is written only when a position moved.
TEST_F(Settings, StartCurrenciesFollowTheirCurrenciesAndTheStartListsWriteOnlyWhatTheDialogWould) {
    const auto newPosition = [](long position) {
        const std::optional<long> moved[] = {0, 3, 4};
        return position >= 0 && position < 3 ? moved[position] : std::nullopt;
    };
    // start and output position, entries of the start lists (0: the currencies are followed), next start
    using C = std::tuple<std::string, std::string, std::size_t, std::string>;
    for (const auto& [start, ausgabe, entries, moved] :
         {C("2", "0", 0, "4 0"), C("1,0", "abc", 0, "3 abc"), C("0,0", "3", 0, "0,0 3"),
          C("0", "0", 3, "1 1"), C("abc", "abc", 3, "abc abc"), C("5", "5", 3, "5 5"), C("0", "0", 1, "0 0"),
          C("-1", "-1", 3, "-1 -1")}) {
        writeFile(privateIni(),
                  "[Kursomatik]\nstartwaehrung=" + start + "\nausgabewaehrung=" + ausgabe + "\n");
        this->start();
        const fs::file_time_type old = fs::file_time_type::clock::now() - std::chrono::hours(1);
        fs::last_write_time(privateIni(), old);
        StartCurrencyChoices choices;
        ASSERT_TRUE(
            entries == 0
                ? followStartCurrencies(settings_, environment_, RegionalSettings::german(), newPosition)
                : choices.takeCurrencies(entries, settings_, environment_, RegionalSettings::german()));
        EXPECT_EQ(fs::last_write_time(privateIni()) != old, moved != start + " " + ausgabe) << start;
        this->start();  // what the next start reads
        EXPECT_EQ(settings_.sStartwaehrung + " " + settings_.sAusgabewaehrung, moved) << start << entries;
    }
}

// An IniDatei that cannot be meant (a NUL in it, 300 kB of it, WIN.INI itself) is told once and
// counts as none: the settings beside the program hold, and nothing is ever written into WIN.INI.
TEST_F(Settings, AnUnusableIniDateiIsToldOnceAndTheSettingsBesideTheProgramHold) {
    using C = std::pair<std::string, std::string>;
    for (const auto& [value, cause] : {C(std::string("/tmp/a\0b.ini", 12), "enthält ein Steuerzeichen"),
                                       C("/" + std::string(300 << 10, 'x'), "ist länger als 199 Zeichen"),
                                       C((dir_ / "." / "WIN.INI").string(), "nennt WIN.INI selbst")}) {
        writeFile(privateIni(), kAllKeys);
        const std::string winIni = "[Kursomatik]\nIniDatei=" + value + "\n";
        writeFile(environment_.systemProfile, winIni);
        reports_.clear();
        settings_.lastReadProblem.clear();
        for (int reading = 0; reading < 2; ++reading) start();
        EXPECT_EQ(settings_.sIniDatei + " " + values(), privateIni().string() + " " + kAllValues);
        ASSERT_EQ(reports_.size(), 1u);
        EXPECT_TRUE(reports_[0].find("ist unbrauchbar: Der Pfad " + cause) != std::string::npos &&
                    reports_[0].ends_with("Einstellungen kommen aus „" + privateIni().string() + "“."))
            << reports_[0];
        ASSERT_TRUE(IniSchreiben(settings_, environment_, "Kursomatik", "stellen1", "1000", true));
        EXPECT_EQ(readFile(environment_.systemProfile), winIni);
    }
}

const std::string kShippedTable = "shipped table";
const std::string kShippedSettings = "[Kursomatik]\nstellen1=1000\n";

// A pretended installation and home: only the shipped files exist before the first run.
class FirstRun : public ::testing::Test {
  protected:
    FirstRun() {
        fs::create_directories(paths_.programDir), fs::create_directories(paths_.shipped);
        writeFile(paths_.shipped / "KURSOMATIK.DAT", kShippedTable);
        writeFile(paths_.shipped / "Kursomatik.ini", kShippedSettings);
    }
    fs::path table() const { return paths_.dataDir / "KURSOMATIK.DAT"; }
    fs::path dataSettings() const { return paths_.dataDir / "Kursomatik.ini"; }
    testsupport::TempDir dir_;
    FirstRunPaths paths_{dir_ / "share", dir_ / "libexec", dir_ / "home" / "Kursomatik",
                         dir_ / "home" / ".config" / "WIN.INI"};
};

TEST_F(FirstRun, TheTableAndTheSettingsAreCopiedOnceAndTheUsersFilesNeverReplaced) {
    // The settings go to the data folder also where the program's folder could be written (as root).
    // Settings an earlier version kept beside the program move along; that folder is only read.
    const fs::path earlier = paths_.programDir / "Kursomatik.ini";
    for (const std::string kept : {"", "[Kursomatik]\nstellen1=10000\n"}) {
        fs::remove_all(dir_ / "home");
        fs::remove_all(earlier);
        if (!kept.empty()) writeFile(earlier, kept);
        const std::string settings = kept.empty() ? kShippedSettings : kept;
        ASSERT_TRUE(prepareFirstRun(paths_));
        EXPECT_EQ(readFile(table()) + "|" + readFile(dataSettings()), kShippedTable + "|" + settings);
        EXPECT_EQ(readFile(paths_.systemProfile), "[Kursomatik]\nIniDatei=" + dataSettings().string() + "\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(paths_.programDir), {}), kept.empty() ? 0 : 1);
        // The copies are the user's own files, made as any new file of the user's.
        writeFile(dir_ / "neu", "");
        EXPECT_EQ(fs::status(table()).permissions(), fs::status(dir_ / "neu").permissions());
        writeFile(dataSettings(), "mine");
        // A link the user made, even one leading nowhere now, is the user's table; nothing is put beside it.
        fs::remove(table());
        fs::create_symlink(dir_ / "anderswo" / "KURSOMATIK.DAT", table());
        ASSERT_TRUE(prepareFirstRun(paths_));
        EXPECT_EQ(readFile(dataSettings()) + (fs::is_symlink(table()) ? " link" : ""), "mine link");
        EXPECT_EQ(std::distance(fs::directory_iterator(paths_.dataDir), {}), 2);
    }
    // An IniDatei entered already, in any case and spacing, stays, and no settings go to the data folder.
    fs::remove_all(dir_ / "home");
    fs::create_directories(paths_.systemProfile.parent_path());
    const std::string entered = "[KURSOMATIK]\n  inidatei = /anderswo/k.ini\n";
    writeFile(paths_.systemProfile, entered);
    ASSERT_TRUE(prepareFirstRun(paths_));
    EXPECT_EQ(readFile(paths_.systemProfile), entered);
    EXPECT_FALSE(fs::exists(dataSettings()));
}

}  // namespace
}  // namespace kursomatik
