#include <gtest/gtest.h>
#include <sys/stat.h>

#include <optional>

#include "Einstellungen.h"
#include "FirstRun.h"
#include "support/TempDir.h"

namespace kursomatik::testing {
namespace {

namespace fs = std::filesystem;

const std::string kShippedTable = "shipped table 1";
const std::string kShippedSettings = "[Kursomatik]\nstellen1=1000\n";

// A pretended installation and home: the shipped files, the program's folder, the user's data
// folder and WIN.INI, none of which exist before the first run except the shipped files.
class FirstRun : public ::testing::Test {
  protected:
    FirstRun() {
        paths_.shipped = dir_ / "share";
        paths_.programDir = dir_ / "libexec";
        paths_.dataDir = dir_ / "home" / ".local" / "share" / "Kursomatik";
        paths_.systemProfile = dir_ / "home" / ".config" / "WIN.INI";
        fs::create_directories(paths_.shipped);
        fs::create_directories(paths_.programDir);
        writeFile(paths_.shipped / "KURSOMATIK.DAT", kShippedTable);
        writeFile(paths_.shipped / "Kursomatik.ini", kShippedSettings);
    }

    fs::path table() const { return paths_.dataDir / "KURSOMATIK.DAT"; }
    fs::path dataSettings() const { return paths_.dataDir / "Kursomatik.ini"; }
    fs::path programSettings() const { return paths_.programDir / "Kursomatik.ini"; }
    void writeWinIni(const std::string& text) {
        fs::create_directories(paths_.systemProfile.parent_path());
        writeFile(paths_.systemProfile, text);
    }

    // The settings file the program will use, found as the program itself finds it.
    std::string settingsTheProgramReads() const {
        SettingsState settings;
        SettingsEnvironment environment{paths_.programDir, paths_.systemProfile, {}};
        std::string startauswahl;
        Initialisierung(startauswahl, settings, environment);
        return settings.sIniDatei;
    }

    TempDir dir_;
    FirstRunPaths paths_;
};

TEST_F(FirstRun, TheTableIsCopiedOnceAndTheUsersTableNeverReplaced) {
    ASSERT_TRUE(prepareFirstRun(paths_));
    EXPECT_EQ(readFile(table()), kShippedTable);

    writeFile(table(), "edited by the user");
    writeFile(paths_.shipped / "KURSOMATIK.DAT", "shipped table 2");  // an update of the installation
    ASSERT_TRUE(prepareFirstRun(paths_));
    EXPECT_EQ(readFile(table()), "edited by the user");

    // A link the user made, even one that leads nowhere now, is the user's table.
    fs::remove(table());
    fs::create_symlink(dir_ / "anderswo" / "KURSOMATIK.DAT", table());
    ASSERT_TRUE(prepareFirstRun(paths_));
    EXPECT_TRUE(fs::is_symlink(table()));
    EXPECT_FALSE(fs::exists(dir_ / "anderswo"));
    // Nothing is left beside it.
    for (const auto& entry : fs::directory_iterator(paths_.dataDir)) {
        EXPECT_EQ(entry.path().filename().string().front(), 'K') << entry.path();
    }
}

TEST_F(FirstRun, TheSettingsLieWhereTheProgramLooksAndWinIniKeepsEveryOtherLine) {
    const std::string data = dataSettings().string();
    struct Case {
        const char* what;
        bool programDirWritable;
        std::optional<std::string> winIni;  // before; none: no WIN.INI
        std::optional<std::string> after;   // none: no WIN.INI; "=": as before
        bool seededBesideProgram;
        bool seededInData;
    };
    const Case cases[] = {
        {"writable program folder", true, std::nullopt, std::nullopt, true, false},
        {"read-only program folder, no WIN.INI", false, std::nullopt, "[Kursomatik]\nIniDatei=" + data + "\n",
         false, true},
        {"WIN.INI with other sections: the first section Kursomatik gets the entry", false,
         "; Systemprofil\n[windows]\nload=\n;IniDatei=/nur/ein/Kommentar\n[ kursomatik ]\nfarbe=blau\n\n"
         "[Andere]\nIniDatei=/nicht/diese\n[Kursomatik]\nIniDatei=/zweiter/abschnitt/zaehlt/nicht\n",
         "; Systemprofil\n[windows]\nload=\n;IniDatei=/nur/ein/Kommentar\n[ kursomatik ]\nfarbe=blau\n"
         "IniDatei=" +
             data +
             "\n\n"
             "[Andere]\nIniDatei=/nicht/diese\n[Kursomatik]\nIniDatei=/zweiter/abschnitt/zaehlt/nicht\n",
         false, true},
        {"a header without its bracket opens no section", false, "[Kursomatik\nIniDatei=/nicht/diese\n",
         "[Kursomatik\nIniDatei=/nicht/diese\n\n[Kursomatik]\nIniDatei=" + data + "\n", false, true},
        {"an empty IniDatei is no entry", false, "[Kursomatik]\nIniDatei=\nfarbe=blau\n",
         "[Kursomatik]\nIniDatei=" + data + "\nfarbe=blau\n", false, true},
        {"an existing entry is left alone", false, "[KURSOMATIK]\r\n  inidatei = /anderswo/k.ini\r\n", "=",
         false, false},
        {"Windows line ends are kept", false, "[windows]\r\nload=\r\n",
         "[windows]\r\nload=\r\n\r\n[Kursomatik]\r\nIniDatei=" + data + "\r\n", false, true},
    };
    for (const Case& c : cases) {
        fs::remove_all(dir_ / "home");
        fs::remove(programSettings());
        paths_.programDirWritable = c.programDirWritable;
        if (c.winIni) writeWinIni(*c.winIni);
        for (int run = 0; run < 2; ++run) {  // the second start changes nothing
            const Status status = prepareFirstRun(paths_);
            ASSERT_TRUE(status) << c.what << ": " << status.error();
        }
        if (!c.after) {
            EXPECT_FALSE(fs::exists(paths_.systemProfile)) << c.what;
        } else {
            EXPECT_EQ(readFile(paths_.systemProfile), *c.after == "=" ? *c.winIni : *c.after) << c.what;
        }
        EXPECT_EQ(fs::exists(programSettings()), c.seededBesideProgram) << c.what;
        EXPECT_EQ(fs::exists(dataSettings()), c.seededInData) << c.what;
        if (c.seededInData) {
            EXPECT_EQ(readFile(dataSettings()), kShippedSettings) << c.what;
            EXPECT_EQ(settingsTheProgramReads(), data) << c.what;
        }
        if (c.seededBesideProgram) {
            EXPECT_EQ(readFile(programSettings()), kShippedSettings) << c.what;
            EXPECT_EQ(settingsTheProgramReads(), programSettings().string()) << c.what;
        }
    }
}

TEST_F(FirstRun, TheUsersSettingsAreNeverReplaced) {
    for (bool writable : {true, false}) {
        paths_.programDirWritable = writable;
        const fs::path settings = writable ? programSettings() : dataSettings();
        fs::create_directories(paths_.dataDir);
        writeFile(settings, "mine");
        ASSERT_TRUE(prepareFirstRun(paths_));
        EXPECT_EQ(readFile(settings), "mine") << writable;
        EXPECT_EQ(settingsTheProgramReads(), settings.string()) << writable;
    }
}

TEST_F(FirstRun, AnyHomeFolderNameReachesTheProgramUnchangedOrIsRefused) {
    struct Case {
        const char* what;
        std::string folder;   // the data folder's name in the pretended home
        const char* refused;  // part of the message; nullptr: accepted
    };
    const Case cases[] = {
        {"backslashes", "a\\b\\\\c", nullptr},
        {"blanks, quotes, equals sign and semicolon", "Max \"M\" = M; [x]", nullptr},
        {"umlauts", "Jürgen Müßig", nullptr},
        {"a line feed", "zwei\nZeilen", "Zeilenumbruch"},
        {"a carriage return", "zwei\rZeilen", "Zeilenumbruch"},
        {"longer than a profile value", std::string(190, 'x'), "länger als 199 Zeichen"},
    };
    paths_.programDirWritable = false;
    for (const Case& c : cases) {
        fs::remove_all(dir_ / "home");
        paths_.dataDir = dir_ / "home" / c.folder / "Kursomatik";
        paths_.systemProfile = dir_ / "home" / ".config" / "WIN.INI";
        const Status status = prepareFirstRun(paths_);
        if (c.refused == nullptr) {
            ASSERT_TRUE(status) << c.what << ": " << status.error();
            EXPECT_EQ(settingsTheProgramReads(), dataSettings().string()) << c.what;
            continue;
        }
        ASSERT_FALSE(status) << c.what;
        EXPECT_NE(status.error().find(c.refused), std::string::npos) << c.what << ": " << status.error();
        EXPECT_NE(status.error().find("WIN.INI"), std::string::npos) << status.error();
        EXPECT_FALSE(fs::exists(paths_.systemProfile)) << c.what;
    }
}

TEST_F(FirstRun, FailuresAreNamedAndLeaveNothingHalfDone) {
    struct Case {
        const char* what;
        std::function<void()> break_;
        const char* message;  // the whole message, with {data} and {home} for the folders
    };
    const fs::path home = dir_ / "home";
    const Case cases[] = {
        {"no shipped table", [&] { fs::remove(paths_.shipped / "KURSOMATIK.DAT"); },
         "Die Datei \u201E{share}/KURSOMATIK.DAT\u201C kann nicht gelesen werden: Die Datei oder der Ordner "
         "ist nicht vorhanden."},
        {"a file where the data folder belongs",
         [&] {
             fs::create_directories(home / ".local" / "share");
             writeFile(paths_.dataDir, "");
         },
         "Der Ordner \u201E{data}\u201C kann nicht angelegt werden: Unter diesem Namen steht eine Datei."},
        {"WIN.INI is a folder", [&] { fs::create_directories(paths_.systemProfile / "inhalt"); },
         "Die Datei \u201E{home}/.config/WIN.INI\u201C kann nicht gelesen werden: Unter diesem Namen steht "
         "ein Ordner."},
    };
    paths_.programDirWritable = false;
    for (const Case& c : cases) {
        fs::remove_all(home);
        writeFile(paths_.shipped / "KURSOMATIK.DAT", kShippedTable);
        c.break_();
        const Status status = prepareFirstRun(paths_);
        ASSERT_FALSE(status) << c.what;
        std::string expected = c.message;
        for (const auto& [name, folder] : {std::pair{"{share}", paths_.shipped},
                                           std::pair{"{data}", paths_.dataDir}, std::pair{"{home}", home}}) {
            if (const auto at = expected.find(name); at != std::string::npos) {
                expected.replace(at, std::string(name).size(), folder.string());
            }
        }
        EXPECT_EQ(status.error(), expected) << c.what;
        if (fs::is_directory(paths_.dataDir)) {
            for (const auto& entry : fs::directory_iterator(paths_.dataDir)) {
                EXPECT_EQ(readFile(entry.path()),
                          entry.path().filename() == "KURSOMATIK.DAT" ? kShippedTable : kShippedSettings)
                    << c.what << ": " << entry.path();
            }
        }
        if (fs::is_directory(paths_.systemProfile)) {
            EXPECT_EQ(std::distance(fs::directory_iterator(paths_.systemProfile), {}), 1) << c.what;
            EXPECT_EQ(std::distance(fs::directory_iterator(paths_.systemProfile.parent_path()), {}), 1)
                << c.what;
        }
    }
}

TEST_F(FirstRun, ALinkedWinIniStaysALinkAndKeepsItsMode) {
    paths_.programDirWritable = false;
    fs::create_directories(dir_ / "dotfiles");
    writeFile(dir_ / "dotfiles" / "WIN.INI", "[windows]\nload=\n");
    fs::permissions(dir_ / "dotfiles" / "WIN.INI", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_directories(paths_.systemProfile.parent_path());
    fs::create_symlink(dir_ / "dotfiles" / "WIN.INI", paths_.systemProfile);
    const Status status = prepareFirstRun(paths_);
    ASSERT_TRUE(status) << status.error();
    EXPECT_TRUE(fs::is_symlink(paths_.systemProfile));
    EXPECT_EQ(readFile(dir_ / "dotfiles" / "WIN.INI"),
              "[windows]\nload=\n\n[Kursomatik]\nIniDatei=" + dataSettings().string() + "\n");
    EXPECT_EQ(fs::status(dir_ / "dotfiles" / "WIN.INI").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
}

}  // namespace
}  // namespace kursomatik::testing
