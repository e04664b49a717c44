// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/FirstRun.h"

#include <gtest/gtest.h>

#include "tests/support/TempDir.h"

namespace kursomatik::testsupport {
namespace {

namespace fs = std::filesystem;

const std::string kShippedTable = "shipped table";
const std::string kShippedSettings = "[Kursomatik]\nstellen1=1000\n";

// A pretended installation and home: only the shipped files exist before the first run.
class FirstRun : public ::testing::Test {
  protected:
    FirstRun() {
        for (const fs::path& folder : {paths_.programDir, paths_.shipped}) fs::create_directories(folder);
        writeFile(paths_.shipped / "KURSOMATIK.DAT", kShippedTable);
        writeFile(paths_.shipped / "Kursomatik.ini", kShippedSettings);
    }
    fs::path table() const { return paths_.dataDir / "KURSOMATIK.DAT"; }
    fs::path dataSettings() const { return paths_.dataDir / "Kursomatik.ini"; }
    TempDir dir_;
    FirstRunPaths paths_{dir_ / "share", dir_ / "libexec", dir_ / "home" / "Kursomatik",
                         dir_ / "home" / ".config" / "WIN.INI"};
};

TEST_F(FirstRun, TheTableAndTheSettingsAreCopiedOnceAndTheUsersFilesNeverReplaced) {
    // The settings go to the data folder also where the program's folder could be written (as root).
    // Settings an earlier version kept beside the program move along; that folder is only read.
    const fs::path earlier = paths_.programDir / "Kursomatik.ini";
    for (const std::string kept : {"", "[Kursomatik]\nstellen1=10000\n", "a folder"}) {
        fs::remove_all(dir_ / "home");
        fs::remove_all(earlier);
        if (kept == "a folder")
            fs::create_directory(earlier);
        else if (!kept.empty())
            writeFile(earlier, kept);
        const std::string settings = kept.starts_with("[") ? kept : kShippedSettings;
        ASSERT_TRUE(prepareFirstRun(paths_));
        EXPECT_EQ(readFile(table()) + "|" + readFile(dataSettings()), kShippedTable + "|" + settings);
        EXPECT_EQ(readFile(paths_.systemProfile), "[Kursomatik]\nIniDatei=" + dataSettings().string() + "\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(paths_.programDir), {}), kept.empty() ? 0 : 1);
        // The copies are the user's own files, made as any new file of the user's.
        writeFile(dir_ / "neu", "");
        EXPECT_EQ(fs::status(table()).permissions(), fs::status(dir_ / "neu").permissions());
        writeFile(dataSettings(), "mine");
        // A link the user made, even one that leads nowhere now, is the user's table; nothing is left beside
        // it.
        fs::remove(table());
        fs::create_symlink(dir_ / "anderswo" / "KURSOMATIK.DAT", table());
        ASSERT_TRUE(prepareFirstRun(paths_));
        EXPECT_EQ(readFile(dataSettings()) + (fs::is_symlink(table()) ? " link" : ""), "mine link");
        EXPECT_EQ(std::distance(fs::directory_iterator(paths_.dataDir), {}), 2);
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
             {"[KURSOMATIK]\n  inidatei = /anderswo/k.ini\n", ""}}) {  // left as it is
        fs::remove_all(dir_ / "home");
        fs::create_directories(paths_.systemProfile.parent_path());
        writeFile(paths_.systemProfile, before);
        ASSERT_TRUE(prepareFirstRun(paths_) && prepareFirstRun(paths_));  // the second start changes nothing
        EXPECT_EQ(readFile(paths_.systemProfile), after.empty() ? before : after);
        EXPECT_EQ(fs::exists(dataSettings()), !after.empty());
    }
}

TEST_F(FirstRun, FailuresAndUnusableFolderNamesAreNamedAndLeaveNothingHalfDone) {
    const std::string winIni = "/home/.config/WIN.INI\u201C ";
    for (const auto& [folder, broken, message] :
         std::initializer_list<std::tuple<std::string, int, std::string>>{
             {"zwei\nZeilen", 0, winIni + "eingetragen werden: Der Pfad enthält ein Steuerzeichen"},
             {"d", 2,
              "/home/d/Kursomatik\u201C kann nicht angelegt werden: Unter diesem Namen steht eine Datei."},
             {"d", 3, winIni + "kann nicht gelesen werden: Unter diesem Namen steht ein Ordner."},
             // Last: the shipped table stays missing.
             {"d", 1, "/share/KURSOMATIK.DAT\u201C kann nicht gelesen werden: Die Datei oder der Ordner"}}) {
        fs::remove_all(dir_ / "home");
        paths_.dataDir = dir_ / "home" / folder / "Kursomatik";
        if (broken == 1) fs::remove(paths_.shipped / "KURSOMATIK.DAT");
        if (broken == 2) fs::create_directories(paths_.dataDir.parent_path()), writeFile(paths_.dataDir, "");
        if (broken == 3) fs::create_directories(paths_.systemProfile / "inhalt");
        const Status status = prepareFirstRun(paths_);
        EXPECT_NE(status.error().find(message), std::string::npos) << status.error();
        // Whatever was copied is whole.
        EXPECT_EQ(readFile(dataSettings()), broken == 3 ? kShippedSettings : "");
        EXPECT_EQ(fs::exists(paths_.systemProfile), broken == 3);
    }
}

}  // namespace
}  // namespace kursomatik::testsupport
