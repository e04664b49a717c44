// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/Einstellungen.h"
#include "settings/IniFile.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>

#include "tests/support/FailingStep.h"
#include "tests/support/TempDir.h"

namespace kursomatik {
namespace {

namespace fs = std::filesystem;
using testsupport::readFile;
using testsupport::writeFile;

// A profile text of these lines, each ended by a line feed.
std::string ini(std::initializer_list<std::string> lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    return text;
}

TEST(ProfileText, ReadingBehavesLikeTheWindowsProfileFunctions) {
    const std::string x200(200, 'x');
    for (const auto& [text, defaultValue, expected] :
         std::initializer_list<std::tuple<std::string, std::string, std::string>>{
             {ini({"[Andere]", "stellen2=100"}), "vorher", "vorher"},
             {ini({"[Kursomatik]", "stellen1=1000", ";stellen2=100"}), "vorher", "vorher"},
             {"", "  100   ", "  100"},
             {"", x200 + "y", x200.substr(1)},
             {ini({"[Kursomatik]", "stellen2=" + x200}), "", x200.substr(1)},
             {ini({"[Kursomatik]", "stellen2="}), "vorher", ""},
             {ini({"[KURSOMATIK]", "STELLEN2=100", "stellen2=1000"}), "", "100"},
             {ini({"  [ Kursomatik ]  ", "\t stellen2 \t=  a=b  "}), "", "a=b"},
             {ini({"[Kursomatik]", "stellen2=\" 100 \""}), "", " 100 "},
             {ini({"[Kursomatik]", "stellen2='100'"}), "", "100"},
             {"[Kursomatik]\r\nstellen2=100", "", "100"},
             // Only the first section of the name counts, and it ends at the next header.
             {ini({"[Kursomatik]", "stellen1=1", "[kursomatik]", "stellen2=5"}), "v", "v"}}) {
        EXPECT_EQ(profileValue(text, "Kursomatik", "stellen2", defaultValue), expected) << text;
    }
}

TEST(Profile, WritingChangesOnlyItsKeyAndKeepsEveryOtherLineByteForByte) {
    const testsupport::TempDir dir;
    const fs::path file = dir / "Kursomatik.ini";
    const std::string added = "[Kursomatik]\nstellen2=100\n";
    for (const auto& [before, after] :
         std::initializer_list<std::pair<std::optional<std::string>, std::string>>{
             {std::nullopt, added},
             {"; von Hand\n[Andere]\nx=1", "; von Hand\n[Andere]\nx=1\n\n" + added},
             {"[KURSOMATIK]\nstellen1=1\n\n[Andere]\n",
              "[KURSOMATIK]\nstellen1=1\nstellen2=100\n\n[Andere]\n"},
             {ini({"[Kursomatik]", "stellen1 = 1", "  STELLEN2=1000   ", "# kein", "[Andere]", "stellen2=5"}),
              ini({"[Kursomatik]", "stellen1 = 1", "STELLEN2=100", "# kein", "[Andere]", "stellen2=5"})},
             {"[Kursomatik]\nstellen1=1", "[Kursomatik]\nstellen1=1\nstellen2=100\n"},
             // Found by fuzzing: a last line ending in a lone carriage return took the new key onto itself.
             {"[Kursomatik]\nstellen1=1\r", "[Kursomatik]\nstellen1=1\r\nstellen2=100\n"},
             {"[Andere]\r\nx=1\r\n", "[Andere]\r\nx=1\r\n\r\n[Kursomatik]\r\nstellen2=100\r\n"}}) {
        fs::remove(file);
        if (before) writeFile(file, *before);
        ASSERT_TRUE(writeProfileString(file, "Kursomatik", "stellen2", "100"));
        EXPECT_EQ(readFile(file), after) << before.value_or("no file");
        // Every start writes the options again; an unchanged file is not rewritten at all.
        testsupport::FailingStep ops;
        EXPECT_TRUE(writeProfileString(file, "kursomatik", "STELLEN2", "100", ops) && ops.calls.empty());
    }
    EXPECT_EQ(getProfileString(dir / "fehlt.ini", "Andere", "stellen2", "fehlt"), "fehlt");
}

// A failed write names the file and leaves the old content and no temporary file behind (every step of
// the rewrite is tried on the currency table, which is written the same way).
TEST(Profile, AFailedWriteLeavesTheOldFile) {
    const testsupport::TempDir dir;
    const fs::path file = dir / "Kursomatik.ini";
    writeFile(file, "[Kursomatik]\nstellen2=1000\n");
    testsupport::FailingStep failing("writeAll", ENOSPC);
    EXPECT_EQ(writeProfileString(file, "Kursomatik", "stellen2", "100", failing).error(),
              "Die Datei \u201E" + file.string() +
                  "\u201C kann nicht geschrieben werden: Auf dem Datenträger ist kein Platz mehr frei.");
    EXPECT_EQ(readFile(file), "[Kursomatik]\nstellen2=1000\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1);  // no temporary file
}

// A folder the user may not write: the suite runs this once more as an ordinary user when it runs as root
// (who may write anywhere); there the write fails naming the file and the old content stays.
TEST(FailedProfileWrite, InAReadOnlyFolderLeavesTheOldFile) {
    const testsupport::TempDir dir;
    const fs::path file = dir / "Kursomatik.ini";
    writeFile(file, "[Kursomatik]\nstellen2=1000\n");
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    const Status written = writeProfileString(file, "Kursomatik", "stellen2", "100");
    fs::permissions(dir.path(), fs::perms::owner_all);
    const bool root = ::geteuid() == 0;
    EXPECT_EQ(
        written.error().find(file.string() + "\u201C kann nicht geschrieben werden") != std::string::npos,
        !root)
        << written.error();
    EXPECT_EQ(readFile(file), root ? "[Kursomatik]\nstellen2=100\n" : "[Kursomatik]\nstellen2=1000\n");
}

const std::string kAllKeys = ini({"[Kursomatik]", "stellen1=10000", "stellen2=1000", "optionen1=2",
                                  "optionen2=3", "startwaehrung=4", "ausgabewaehrung=7", "kursalter=0"});
const std::string kAllValues = "Kursomatik 10000 1000 2 3 4 7 10000.000000 1000.000000 0";

// A program folder deeper than 199 characters and WIN.INI, both inside a fresh temporary folder.
class Settings : public ::testing::Test {
  protected:
    Settings() {
        environment_.programDir = dir_ / std::string(120, 'a') / std::string(120, 'b');
        fs::create_directories(environment_.programDir);
        environment_.systemProfile = dir_ / "WIN.INI";
        environment_.report = [this](const std::string& problem) { reports_.push_back(problem); };
    }
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
    SettingsEnvironment environment_;
    SettingsState settings_;
    std::string sStartauswahl_ = "0";
    std::vector<std::string> reports_;
};

TEST_F(Settings, StartUpReadsEveryKeyFromTheFileWinIniNamesAndAMissingKeyKeepsItsValue) {
    writeFile(privateIni(), kAllKeys);
    start();
    EXPECT_EQ(settings_.sIniDatei + " " + values(), privateIni().string() + " " + kAllValues);
    // The rate age limit is a whole number of days up to 36500, else 30.
    for (const auto& [entry, days] : std::initializer_list<std::pair<std::string, std::string>>{
             {"36500", "36500"}, {"36501", "30"}, {"1,5", "30"}}) {
        writeFile(privateIni(), ini({"[Kursomatik]", "stellen2=1000abc", "kursalter=" + entry}));
        start();
        EXPECT_EQ(values(), "Kursomatik 10000 1000abc 2 3 4 7 10000.000000 1000.000000 " + days);
    }
    // WIN.INI may name another settings file: it is read and written instead, and WIN.INI only read.
    const fs::path other = dir_ / "anderswo.ini";
    const std::string winIni = ini({"[kursomatik]", "INIDATEI = " + other.string()});
    writeFile(environment_.systemProfile, winIni);
    writeFile(other, "[Kursomatik]\nstellen2=100\n");
    start();
    EXPECT_EQ(settings_.sIniDatei + " " + settings_.sStellen2, other.string() + " 100");
    ASSERT_TRUE(IniSchreiben(settings_, environment_, "Kursomatik", "stellen1", "1000", true));
    EXPECT_EQ(readFile(other), "[Kursomatik]\nstellen2=100\nstellen1=1000\n");
    EXPECT_EQ(readFile(environment_.systemProfile) + std::to_string(reports_.size()), winIni + "0");
    // A file over 1 MB (/dev/zero as one grew without end) is reported, read as missing, never rewritten.
    writeFile(other, std::string(1 << 20, ';') + "\n[Kursomatik]\nstellen2=1000\n");
    start();
    EXPECT_EQ(settings_.sStellen2, "100");
    EXPECT_FALSE(IniSchreiben(settings_, environment_, "Kursomatik", "stellen1", "1000", true));
    EXPECT_NE(reports_.at(0).find("Die Datei ist größer als 1 MB."), std::string::npos);
    start();  // the same cause is told once, not at every reading
    EXPECT_EQ(reports_.size(), 1u);
}

// An IniDatei that cannot be meant (a NUL in it, 300 kB of it, WIN.INI itself) is told once and
// counts as none: the settings beside the program hold, and nothing is ever written into WIN.INI.
TEST_F(Settings, AnUnusableIniDateiIsToldOnceAndTheSettingsBesideTheProgramHold) {
    using C = std::pair<std::string, std::string>;
    for (const auto& [value, cause] :
         {C(std::string("/tmp/a\0b.ini", 12), "enthält ein Steuerzeichen (etwa einen Zeilenumbruch)"),
          C("/" + std::string(300 << 10, 'x'), "ist länger als 199 Zeichen"),
          C(environment_.systemProfile.string(), "nennt WIN.INI selbst"),
          C((dir_ / "." / "WIN.INI").string(), "nennt WIN.INI selbst")}) {
        SCOPED_TRACE(cause);
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

}  // namespace
}  // namespace kursomatik
