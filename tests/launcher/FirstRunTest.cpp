// SPDX-License-Identifier: GPL-3.0-or-later
#include "launcher/FirstRun.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "settings/Einstellungen.h"
#include "tests/support/TempDir.h"

namespace kursomatik::testing {
namespace {

namespace fs = std::filesystem;

const std::string kShippedTable = "shipped table 1";
const std::string kShippedSettings = "[Kursomatik]\nstellen1=1000\n";

// A pretended installation and home: only the shipped files exist before the first run.
class FirstRun : public ::testing::Test {
  protected:
    FirstRun() {
        paths_ = {dir_ / "share", dir_ / "libexec", false, dir_ / "home" / "Kursomatik",
                  dir_ / "home" / ".config" / "WIN.INI"};
        fs::create_directories(paths_.programDir);
        fs::create_directories(paths_.shipped);
        writeFile(paths_.shipped / "KURSOMATIK.DAT", kShippedTable);
        writeFile(paths_.shipped / "Kursomatik.ini", kShippedSettings);
    }
    fs::path table() const { return paths_.dataDir / "KURSOMATIK.DAT"; }
    fs::path dataSettings() const { return paths_.dataDir / "Kursomatik.ini"; }
    // The settings file the program will use, found as the program itself finds it.
    std::string settingsTheProgramReads() const {
        SettingsState settings;
        std::string startauswahl;
        Initialisierung(startauswahl, settings, {paths_.programDir, paths_.systemProfile, {}, {}});
        return settings.sIniDatei;
    }
    TempDir dir_;
    FirstRunPaths paths_;
};

TEST_F(FirstRun, TheTableAndTheSettingsAreCopiedOnceAndTheUsersFilesNeverReplaced) {
    for (const bool writable : {true, false}) {
        paths_.programDirWritable = writable;
        const fs::path settings = writable ? paths_.programDir / "Kursomatik.ini" : dataSettings();
        ASSERT_TRUE(prepareFirstRun(paths_));
        EXPECT_EQ(readFile(table()), kShippedTable);
        EXPECT_EQ(readFile(settings), kShippedSettings);
        // The copies are the user's own files, made as any new file of the user's.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        EXPECT_EQ(fs::status(table()).permissions(), static_cast<fs::perms>(0666 & ~mask));
        EXPECT_EQ(settingsTheProgramReads(), settings.string());
        EXPECT_EQ(fs::exists(paths_.systemProfile), !writable);
        writeFile(table(), "edited by the user");
        writeFile(settings, "mine");
        writeFile(paths_.shipped / "KURSOMATIK.DAT", "shipped table 2");  // an update of the installation
        ASSERT_TRUE(prepareFirstRun(paths_));
        EXPECT_EQ(readFile(table()), "edited by the user");
        EXPECT_EQ(readFile(settings), "mine");
        // A link the user made, even one that leads nowhere now, is the user's table; nothing is left beside
        // it.
        fs::remove(table());
        fs::create_symlink(dir_ / "anderswo" / "KURSOMATIK.DAT", table());
        ASSERT_TRUE(prepareFirstRun(paths_));
        EXPECT_TRUE(fs::is_symlink(table()));
        EXPECT_EQ(std::distance(fs::directory_iterator(paths_.dataDir), {}), writable ? 1 : 2);
        fs::remove_all(dir_ / "home");
        writeFile(paths_.shipped / "KURSOMATIK.DAT", kShippedTable);
    }
}

TEST_F(FirstRun, WinIniGetsTheEntryInItsFirstSectionKursomatikAndKeepsEveryOtherLine) {
    const std::string entry = "IniDatei=" + dataSettings().string();
    for (const auto& [before, after] : std::initializer_list<std::pair<std::string, std::string>>{
             {"; S\n[windows]\n;IniDatei=/x\n[ kursomatik ]\nfarbe=blau\n\n[Kursomatik]\nIniDatei=/zweiter\n",
              "; S\n[windows]\n;IniDatei=/x\n[ kursomatik ]\nfarbe=blau\n" + entry +
                  "\n\n[Kursomatik]\nIniDatei=/zweiter\n"},
             {"[Kursomatik\nIniDatei=/nicht/diese\n",
              "[Kursomatik\nIniDatei=/nicht/diese\n\n[Kursomatik]\n" + entry + "\n"},
             {"[Kursomatik]\nIniDatei=\nfarbe=blau\n", "[Kursomatik]\n" + entry + "\nfarbe=blau\n"},
             {"[KURSOMATIK]\r\n  inidatei = /anderswo/k.ini\r\n",
              "[KURSOMATIK]\r\n  inidatei = /anderswo/k.ini\r\n"},
             {"[windows]\r\nload=\r\n", "[windows]\r\nload=\r\n\r\n[Kursomatik]\r\n" + entry + "\r\n"}}) {
        fs::remove_all(dir_ / "home");
        fs::create_directories(paths_.systemProfile.parent_path());
        writeFile(paths_.systemProfile, before);
        ASSERT_TRUE(prepareFirstRun(paths_));
        ASSERT_TRUE(prepareFirstRun(paths_));  // the second start changes nothing
        EXPECT_EQ(readFile(paths_.systemProfile), after);
        EXPECT_EQ(fs::exists(dataSettings()), before != after);
    }
    // A linked WIN.INI stays a link and keeps its mode.
    fs::remove_all(dir_ / "home");
    writeFile(dir_ / "WIN.INI", "[windows]\n");
    fs::permissions(dir_ / "WIN.INI", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_directories(paths_.systemProfile.parent_path());
    fs::create_symlink(dir_ / "WIN.INI", paths_.systemProfile);
    ASSERT_TRUE(prepareFirstRun(paths_));
    EXPECT_EQ(readFile(dir_ / "WIN.INI"), "[windows]\n\n[Kursomatik]\n" + entry + "\n");
    EXPECT_EQ(fs::status(dir_ / "WIN.INI").permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(FirstRun, FailuresAndUnusableFolderNamesAreNamedAndLeaveNothingHalfDone) {
    const std::string home = (dir_ / "home").string();
    for (const auto& [folder, broken, message] :
         std::initializer_list<std::tuple<std::string, int, std::string>>{
             {"Max \"M\" = M; [x] a\\b Jürgen", 0, ""},
             {"zwei\nZeilen", 0,
              "\u201C kann nicht in \u201E" + home +
                  "/.config/WIN.INI\u201C eingetragen werden: Der Pfad enthält einen Zeilenumbruch."},
             {std::string(190, 'x'), 0,
              "\u201C kann nicht in \u201E" + home +
                  "/.config/WIN.INI\u201C eingetragen werden: Der Pfad ist länger als 199 Zeichen."},
             {"d", 1,
              "Die Datei \u201E" + paths_.shipped.string() +
                  "/KURSOMATIK.DAT\u201C kann nicht gelesen werden: Die Datei oder der Ordner ist nicht "
                  "vorhanden."},
             {"d", 2,
              "Der Ordner \u201E" + home +
                  "/d/Kursomatik\u201C kann nicht angelegt werden: Unter diesem Namen steht eine Datei."},
             {"d", 3,
              "Die Datei \u201E" + home +
                  "/.config/WIN.INI\u201C kann nicht gelesen werden: Unter diesem Namen steht ein "
                  "Ordner."}}) {
        fs::remove_all(dir_ / "home");
        writeFile(paths_.shipped / "KURSOMATIK.DAT", kShippedTable);
        paths_.dataDir = dir_ / "home" / folder / "Kursomatik";
        if (broken == 1) fs::remove(paths_.shipped / "KURSOMATIK.DAT");
        if (broken == 2) fs::create_directories(paths_.dataDir.parent_path()), writeFile(paths_.dataDir, "");
        if (broken == 3) fs::create_directories(paths_.systemProfile / "inhalt");
        const Status status = prepareFirstRun(paths_);
        EXPECT_EQ(status ? "" : status.error().substr(status.error().find(message.substr(0, 5))), message)
            << folder;
        // Whatever was copied is whole.
        EXPECT_EQ(fs::exists(dataSettings()) ? readFile(dataSettings()) : "",
                  message.empty() || broken == 3 ? kShippedSettings : "");
        if (message.empty()) {
            EXPECT_EQ(settingsTheProgramReads(), dataSettings().string());
        }
        if (broken != 3) {
            EXPECT_EQ(fs::exists(paths_.systemProfile), message.empty());
        }
    }
}

}  // namespace
}  // namespace kursomatik::testing
