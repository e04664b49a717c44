// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ListPosition.h"

#include <gtest/gtest.h>

#include <chrono>

#include "tests/support/TempDir.h"

namespace kursomatik {
namespace {

namespace fs = std::filesystem;

struct Row {
    std::string start;
    std::string ausgabe;
    std::string moved;  // both settings afterwards
    bool written;
};

// Two new currencies that sort after the first of three old ones; positions 3 and -1 pointed to none.
TEST(StartCurrencies, FollowTheirCurrenciesAndTheFileIsWrittenOnlyWhenAPositionMoved) {
    const auto newPosition = [](long position) {
        const std::optional<long> moved[] = {0, 3, 4};
        return position >= 0 && position < 3 ? moved[position] : std::nullopt;
    };
    testsupport::TempDir dir;
    SettingsEnvironment environment{dir.path(), dir / "WIN.INI", {}};
    for (const Row& r : std::initializer_list<Row>{
             {"2", "0", "4 0", true},
             {"1,0", "abc", "3 abc", true},  // read by the regional conventions, as the list pass reads it
             {"0,0", "3", "0,0 3", false},   // stays, and so does its text
             {"-1", "", "-1 ", false}}) {
        const std::string before =
            "[Kursomatik]\nstartwaehrung=" + r.start + "\nausgabewaehrung=" + r.ausgabe + "\n";
        testsupport::writeFile(dir / "Kursomatik.ini", before);
        std::string sStartauswahl;
        SettingsState settings;
        Initialisierung(sStartauswahl, settings, environment);
        const fs::file_time_type old = fs::file_time_type::clock::now() - std::chrono::hours(1);
        fs::last_write_time(dir / "Kursomatik.ini", old);
        ASSERT_TRUE(followStartCurrencies(settings, environment, RegionalSettings::german(), newPosition));
        EXPECT_EQ(settings.sStartwaehrung + " " + settings.sAusgabewaehrung, r.moved);
        EXPECT_EQ(fs::last_write_time(dir / "Kursomatik.ini") != old, r.written) << r.start;
        // What the next start reads.
        Initialisierung(sStartauswahl, settings, environment);
        EXPECT_EQ(settings.sStartwaehrung + " " + settings.sAusgabewaehrung, r.moved) << r.start;
    }
}

// A settings file that cannot be written: the running program keeps the new positions and is told.
TEST(StartCurrencies, AFailedWriteIsReportedAndBothKeepTheirNewPositions) {
    testsupport::TempDir dir;
    SettingsState settings;
    settings.sIniSektion = "Kursomatik";
    settings.sIniDatei = (dir / "fehlt" / "Kursomatik.ini").string();
    settings.sStartwaehrung = "1";
    settings.sAusgabewaehrung = "2";
    const Status written = followStartCurrencies(settings, {}, RegionalSettings::german(),
                                                 [](long position) { return std::optional(position + 1); });
    ASSERT_FALSE(written);
    EXPECT_NE(written.error().find(settings.sIniDatei), std::string::npos) << written.error();
    EXPECT_EQ(settings.sStartwaehrung + " " + settings.sAusgabewaehrung, "2 3");
}

}  // namespace
}  // namespace kursomatik
