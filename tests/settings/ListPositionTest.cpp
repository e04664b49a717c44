// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ListPosition.h"

#include <gtest/gtest.h>

#include <chrono>

#include "tests/support/TempDir.h"

namespace kursomatik {
namespace {

namespace fs = std::filesystem;

// Two new currencies that sort after the first of three old ones; positions 3 and -1 pointed to none.
TEST(StartCurrencies, FollowTheirCurrenciesAndTheFileIsWrittenOnlyWhenAPositionMoved) {
    const auto newPosition = [](long position) {
        const std::optional<long> moved[] = {0, 3, 4};
        return position >= 0 && position < 3 ? moved[position] : std::nullopt;
    };
    testsupport::TempDir dir;
    SettingsEnvironment environment{dir.path(), dir / "WIN.INI", {}};
    // Start and output currency before and after; "1,0" is read by the regional conventions, as the list
    // pass reads it; "0,0" stays, and so does its text.
    for (const auto& [start, ausgabe, moved] :
         std::initializer_list<std::tuple<std::string, std::string, std::string>>{
             {"2", "0", "4 0"}, {"1,0", "abc", "3 abc"}, {"0,0", "3", "0,0 3"}, {"-1", "", "-1 "}}) {
        const std::string before =
            "[Kursomatik]\nstartwaehrung=" + start + "\nausgabewaehrung=" + ausgabe + "\n";
        testsupport::writeFile(dir / "Kursomatik.ini", before);
        std::string sStartauswahl;
        SettingsState settings;
        Initialisierung(sStartauswahl, settings, environment);
        const fs::file_time_type old = fs::file_time_type::clock::now() - std::chrono::hours(1);
        fs::last_write_time(dir / "Kursomatik.ini", old);
        ASSERT_TRUE(followStartCurrencies(settings, environment, RegionalSettings::german(), newPosition));
        EXPECT_EQ(settings.sStartwaehrung + " " + settings.sAusgabewaehrung, moved);
        EXPECT_EQ(fs::last_write_time(dir / "Kursomatik.ini") != old, moved != start + " " + ausgabe)
            << start;
        // What the next start reads.
        Initialisierung(sStartauswahl, settings, environment);
        EXPECT_EQ(settings.sStartwaehrung + " " + settings.sAusgabewaehrung, moved) << start;
    }
}

}  // namespace
}  // namespace kursomatik
