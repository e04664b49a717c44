// SPDX-License-Identifier: GPL-3.0-or-later
#include "launcher/FirstRun.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/TempDir.h"

namespace kursomatik::testing {
namespace {

namespace fs = std::filesystem;

const std::string kShippedTable = "shipped table";
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
    TempDir dir_;
    FirstRunPaths paths_;
};

TEST_F(FirstRun, TheTableAndTheSettingsAreCopiedOnceAndTheUsersFilesNeverReplaced) {
    for (const bool writable : {true, false}) {
        fs::remove_all(dir_ / "home");
        paths_.programDirWritable = writable;
        const fs::path settings = writable ? paths_.programDir / "Kursomatik.ini" : dataSettings();
        ASSERT_TRUE(prepareFirstRun(paths_));
        EXPECT_EQ(readFile(table()), kShippedTable);
        EXPECT_EQ(readFile(settings), kShippedSettings);
        // The copies are the user's own files, made as any new file of the user's.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        EXPECT_EQ(fs::status(table()).permissions(), static_cast<fs::perms>(0666 & ~mask));
        EXPECT_EQ(fs::exists(paths_.systemProfile), !writable);
        writeFile(settings, "mine");
        // A link the user made, even one that leads nowhere now, is the user's table; nothing is left beside
        // it.
        fs::remove(table());
        fs::create_symlink(dir_ / "anderswo" / "KURSOMATIK.DAT", table());
        ASSERT_TRUE(prepareFirstRun(paths_));
        EXPECT_TRUE(fs::is_symlink(table()));
        EXPECT_EQ(readFile(settings), "mine");
        EXPECT_EQ(std::distance(fs::directory_iterator(paths_.dataDir), {}), writable ? 1 : 2);
    }
}

TEST_F(FirstRun, WinIniGetsTheEntryInItsFirstSectionKursomatikAndKeepsEveryOtherLine) {
    const std::string entry = "IniDatei=" + dataSettings().string();
    for (const auto& [before, after] : std::initializer_list<std::pair<std::string, std::string>>{
             {"; S\n[windows]\n;IniDatei=/x\n[ kursomatik ]\nfarbe=blau\n\n[Kursomatik]\nIniDatei=/zweiter\n",
              "; S\n[windows]\n;IniDatei=/x\n[ kursomatik ]\nfarbe=blau\n" + entry +
                  "\n\n[Kursomatik]\nIniDatei=/zweiter\n"},
             {"[Kursomatik\r\nIniDatei=/nicht/diese\r\n",
              "[Kursomatik\r\nIniDatei=/nicht/diese\r\n\r\n[Kursomatik]\r\n" + entry + "\r\n"},
             {"[Kursomatik]\nIniDatei=\nfarbe=blau\n", "[Kursomatik]\n" + entry + "\nfarbe=blau\n"},
             {"[KURSOMATIK]\n  inidatei = /anderswo/k.ini\n",
              "[KURSOMATIK]\n  inidatei = /anderswo/k.ini\n"}}) {
        fs::remove_all(dir_ / "home");
        fs::create_directories(paths_.systemProfile.parent_path());
        writeFile(paths_.systemProfile, before);
        ASSERT_TRUE(prepareFirstRun(paths_));
        ASSERT_TRUE(prepareFirstRun(paths_));  // the second start changes nothing
        EXPECT_EQ(readFile(paths_.systemProfile), after);
        EXPECT_EQ(fs::exists(dataSettings()), before != after);
    }
}

TEST_F(FirstRun, FailuresAndUnusableFolderNamesAreNamedAndLeaveNothingHalfDone) {
    const std::string winIni = "/home/.config/WIN.INI\u201C ";
    for (const auto& [folder, broken, message] :
         std::initializer_list<std::tuple<std::string, int, std::string>>{
             {"zwei\nZeilen", 0, winIni + "eingetragen werden: Der Pfad enthält einen Zeilenumbruch."},
             {std::string(190, 'x'), 0, winIni + "eingetragen werden: Der Pfad ist länger als 199 Zeichen."},
             {"d", 1,
              "/share/KURSOMATIK.DAT\u201C kann nicht gelesen werden: Die Datei oder der Ordner ist nicht "
              "vorhanden."},
             {"d", 2,
              "/home/d/Kursomatik\u201C kann nicht angelegt werden: Unter diesem Namen steht eine Datei."},
             {"d", 3, winIni + "kann nicht gelesen werden: Unter diesem Namen steht ein Ordner."}}) {
        fs::remove_all(dir_ / "home");
        writeFile(paths_.shipped / "KURSOMATIK.DAT", kShippedTable);
        paths_.dataDir = dir_ / "home" / folder / "Kursomatik";
        if (broken == 1) fs::remove(paths_.shipped / "KURSOMATIK.DAT");
        if (broken == 2) fs::create_directories(paths_.dataDir.parent_path()), writeFile(paths_.dataDir, "");
        if (broken == 3) fs::create_directories(paths_.systemProfile / "inhalt");
        const Status status = prepareFirstRun(paths_);
        ASSERT_FALSE(status) << folder;
        EXPECT_TRUE(status.error().ends_with(message)) << status.error();
        // Whatever was copied is whole.
        EXPECT_EQ(fs::exists(dataSettings()) ? readFile(dataSettings()) : "",
                  broken == 3 ? kShippedSettings : "");
        if (broken != 3) EXPECT_FALSE(fs::exists(paths_.systemProfile));
    }
}

}  // namespace
}  // namespace kursomatik::testing
