// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QPushButton>
#include <random>

#include "cli/CurrencyTable.h"
#include "store/ListLine.h"
#include "tests/gui/ProgramTest.h"

namespace kursomatik::testsupport {
namespace {

// An amount as a user types it: sign, digits with or without groups, decimals, at most 19 characters.
std::string generatedAmount(std::mt19937& random) {
    std::string text = (random() % 8 == 0 ? "-" : "") + std::to_string(random() % 1000);
    for (auto groups = random() % 3 == 0 ? 1 + random() % 2 : 0; groups > 0; --groups)
        text += "." + std::to_string(1000 + random() % 1000).substr(1);
    const auto decimals = random() % 7;
    return decimals > 0 ? text + "," + std::to_string(10000000 + random() % 10000000).substr(8 - decimals)
                        : text;
}

using Equivalence = ProgramTest;

TEST_F(Equivalence, TheCommandShowsWhatTheWindowShowsForEveryPairAmountAndSetting) {
    // The shipped table and rates with many digits, tiny and huge.
    const std::string shipped = readFile(std::filesystem::path(KURSOMATIK_DATA_DIR) / "KURSOMATIK.DAT");
    const std::string table = shipped + tableBytes({{"Krumm", "KRU", "123456789,1234", "0"},
                                                    {"Winzig", "WIN", "1", "0"},
                                                    {"Riesig", "RIE", "987654321098", "0"}});
    std::mt19937 random(11);
    int refused = 0;
    for (const char* stellen1 : {"1000", "10000"}) {
        for (const char* stellen2 : {"100", "1000", "10000"}) {
            writeFile(dir / "KURSOMATIK.DAT", table);
            writeIni(std::string("[Kursomatik]\nstellen1=") + stellen1 + "\nstellen2=" + stellen2 + "\n");
            start();
            const auto loaded = loadCurrencyTable(dir / "KURSOMATIK.DAT", state.regional);
            ASSERT_TRUE(loaded) << loaded.error();
            const SortedEntries& entries = loaded->lists.all;
            for (int n = 0; n < 150; ++n) {
                const std::string amount = generatedAmount(random);
                typeAmount(QString::fromStdString(amount));
                std::string von, nach;
                for (auto [box, iso] : {std::pair{"txtEingabe", &von}, std::pair{"txtAusgabe", &nach}}) {
                    const auto chosen = random() % entries.size();
                    find<QComboBox>(box)->setCurrentIndex(static_cast<int>(chosen));
                    *iso = fieldValue(entries[chosen].fields.ISO);
                }
                find<QPushButton>("cmdBerechnen")->click();
                const auto ergebnis = umrechnen(*loaded, amount, von, nach, std::stod(stellen1),
                                                std::stod(stellen2), state.regional);
                // Where the window silently shows 0, the command refuses the amount. The result box holds 17
                // characters; the command never cuts a number.
                refused += !ergebnis;
                ASSERT_TRUE(ergebnis || ergebnis.error().find("zu groß") != std::string::npos)
                    << ergebnis.error();
                ASSERT_EQ(ergebnis ? QString::fromStdString(*ergebnis->shown.wertText).left(17) : "",
                          ergebnis ? result() : result().remove('0').remove(','))
                    << amount << " " << von << " -> " << nach << " " << stellen1 << "/" << stellen2;
            }
        }
    }
    EXPECT_TRUE(windows.messages.empty());
    EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace kursomatik::testsupport
