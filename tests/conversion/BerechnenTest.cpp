// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversion/Berechnen.h"

#include <gtest/gtest.h>

#include "platform/RegionalSettings.h"

namespace kursomatik {
namespace {

// Scaled rates as the main window derives them from the list lines.
const std::optional<Money> EUR = Money::fromWhole(1000000);
const std::optional<Money> DEM = Money::fromWhole(1955830);
const std::optional<Money> FRF = Money::fromWhole(6559570);
const std::optional<Money> ITL = Money::fromWhole(1936270000);
const std::optional<Money> NONE;

struct Case {
    const char* amount;
    std::optional<Money> from, to;
    double stellen1, stellen2;
    std::optional<std::string> shown;  // empty: txtWert is left as it is
    bool formatMessage = false;
    int geloescht = 0;
    bool eingabeLeer = false, ausgabeLeer = false, english = false;
};

TEST(Berechnen, WorkedExamplesAndEveryWayToZero) {
    for (const Case& c :
         {Case{"100", DEM, FRF, 1000, 100, "335,38"}, Case{"100", DEM, FRF, 10000, 100, "335,39"},
          Case{"1", EUR, DEM, 1000, 100, "1,96"}, Case{"1", EUR, DEM, 1000, 10000, "1,9558"},
          Case{"100", DEM, EUR, 1000, 10000, "51,1292"}, Case{"1000", DEM, ITL, 1000, 100, "989.999,36"},
          Case{"1000", DEM, ITL, 10000, 100, "989.999,17"}, Case{"12,3456", DEM, DEM, 1000, 100, "12,3456"},
          // Negative amounts are truncated toward zero after adding the half.
          Case{"-100", DEM, EUR, 1000, 100, "-51,12"},
          // The Euro input is rounded to the Euro decimals first (1,2344 -> 1,234).
          Case{"1,2344", EUR, DEM, 1000, 10000, "2,4135"},
          // Beyond the fixed-point range after scaling: 0 without a message.
          Case{"1e400", DEM, EUR, 1000, 100, "0,00"}, Case{"1.234,5", EUR, EUR, 1000, 1000, "1.234,500"},
          Case{"1,5", EUR, EUR, 1000, 100, "1,50"}, Case{"-0", DEM, FRF, 1000, 100, "0,00"},
          // Without Euro decimals the Euro step fails and the result is 0.
          Case{"100", DEM, FRF, 0, 100, "0,00"},
          Case{"1,000", DEM, ITL, 1000, 100, "989,999.36", false, 0, false, false, true},
          // No number (misplaced group separators included): the format message and 0.
          Case{"", DEM, FRF, 1000, 1000, "0,000", true}, Case{"1234.56", DEM, FRF, 1000, 1000, "0,000", true},
          // An unknown result factor leaves txtWert untouched.
          Case{"100", DEM, EUR, 1000, 250, std::nullopt},
          // A side without a usable rate gives 0, never the amount itself (both sides "equal").
          Case{"100", NONE, NONE, 1000, 1000, "0,000"},
          // A missing or deleted currency gives 0.
          Case{"100", DEM, FRF, 1000, 100, "0,00", false, 1},
          Case{"100", DEM, FRF, 1000, 100, "0,00", false, 2},
          Case{"100", DEM, FRF, 1000, 100, "0,00", false, 0, true},
          Case{"100", DEM, FRF, 1000, 100, "0,00", false, 0, false, true}}) {
        SCOPED_TRACE(std::string(c.amount) + " " + std::to_string(c.stellen2));
        BerechnenInput input{c.amount,   c.from,      c.to,          c.stellen1,
                             c.stellen2, c.geloescht, c.eingabeLeer, c.ausgabeLeer};
        const auto outcome =
            Berechnen(input, c.english ? RegionalSettings::english() : RegionalSettings::german());
        EXPECT_EQ(outcome.wertText, c.shown);
        EXPECT_EQ(outcome.formatMessage, c.formatMessage);
        EXPECT_EQ(outcome.clearEingabe, c.geloescht == 1);
        EXPECT_EQ(outcome.clearAusgabe, c.geloescht == 2);
    }
}

TEST(ScaledRateToMoney, RoundsToSixDecimalsThenToTheFixedPoint) {
    const auto german = RegionalSettings::german();
    EXPECT_EQ(scaledRateToMoney(1955830.0, german), Money::fromWhole(1955830));
    EXPECT_EQ(scaledRateToMoney(123456.78, german), Money::fromTicks(1234567800));
    // Six decimals first (…0000005 -> …000001), then ten-thousandths, ties to even.
    EXPECT_EQ(scaledRateToMoney(1.00005, german), Money::fromTicks(10000));
    EXPECT_EQ(scaledRateToMoney(1.00015, german), Money::fromTicks(10002));
    // A rate of 0, also one that is 0 only at six decimals, or one below 0 is no usable rate.
    for (const double unusable : {0.0, 0.00004, -1955830.0, -0.0001})
        EXPECT_EQ(scaledRateToMoney(unusable, german), std::nullopt) << unusable;
}

}  // namespace
}  // namespace kursomatik
