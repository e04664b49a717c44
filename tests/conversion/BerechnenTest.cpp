#include "Berechnen.h"

#include <gtest/gtest.h>

#include "RegionalSettings.h"

namespace kursomatik {
namespace {

// Scaled rates as the main window derives them from the list lines.
const Money kEUR = Money::fromWhole(1000000);
const Money kDEM = Money::fromWhole(1955830);
const Money kFRF = Money::fromWhole(6559570);
const Money kITL = Money::fromWhole(1936270000);

struct WorkedExample {
    const char* amount;
    Money from;
    Money to;
    double stellen1;
    double stellen2;
    const char* shown;
};

class WorkedExamples : public ::testing::TestWithParam<WorkedExample> {};

TEST_P(WorkedExamples, ShowTheLegallyRoundedResult) {
    const auto& example = GetParam();
    BerechnenInput input;
    input.betragText = example.amount;
    input.cyEingabeKurs = example.from;
    input.cyAusgabeKurs = example.to;
    input.dStellen1 = example.stellen1;
    input.dStellen2 = example.stellen2;
    const auto outcome = Berechnen(input, RegionalSettings::german());
    EXPECT_FALSE(outcome.formatMessage);
    ASSERT_TRUE(outcome.wertText.has_value());
    EXPECT_EQ(*outcome.wertText, example.shown);
}

INSTANTIATE_TEST_SUITE_P(
    ConversionTable, WorkedExamples,
    ::testing::Values(WorkedExample{"100", kDEM, kFRF, 1000, 100, "335,38"},
                      WorkedExample{"100", kDEM, kFRF, 10000, 100, "335,39"},
                      WorkedExample{"1", kEUR, kDEM, 1000, 100, "1,96"},
                      WorkedExample{"1", kEUR, kDEM, 1000, 10000, "1,9558"},
                      WorkedExample{"100", kDEM, kEUR, 1000, 100, "51,13"},
                      WorkedExample{"100", kDEM, kEUR, 10000, 100, "51,13"},
                      WorkedExample{"100", kDEM, kEUR, 1000, 10000, "51,1292"},
                      WorkedExample{"1000", kDEM, kITL, 1000, 100, "989.999,36"},
                      WorkedExample{"1000", kDEM, kITL, 10000, 100, "989.999,17"},
                      WorkedExample{"12,3456", kDEM, kDEM, 1000, 100, "12,3456"},
                      // Negative amounts are truncated toward zero after adding the half.
                      WorkedExample{"-100", kDEM, kEUR, 1000, 100, "-51,12"},
                      // The Euro input is rounded to the Euro decimals first (1,2344 -> 1,234).
                      WorkedExample{"1,2344", kEUR, kDEM, 1000, 10000, "2,4135"},
                      // Beyond the fixed-point range after scaling: 0 without a message.
                      WorkedExample{"1.000.000.000", kDEM, kEUR, 1000, 100, "0,00"},
                      WorkedExample{"1e400", kDEM, kEUR, 1000, 100, "0,00"},
                      WorkedExample{"1.234,5", kEUR, kEUR, 1000, 1000, "1.234,500"},
                      WorkedExample{"1,5", kEUR, kEUR, 1000, 100, "1,50"},
                      WorkedExample{"-0", kDEM, kFRF, 1000, 100, "0,00"},
                      // Without Euro decimals the Euro step fails and the result is 0.
                      WorkedExample{"100", kDEM, kFRF, 0, 100, "0,00"}));

TEST(Berechnen, AmountThatIsNoNumberAsksForTheFormatAndShowsZero) {
    // Misplaced group separators included: "1234.56" must not read as 123456.
    for (const char* text : {"", "  ", "abc", "1..2", "0E", "\u221E", "1,2,3", "1234.56", "1.5", ".5"}) {
        BerechnenInput input;
        input.betragText = text;
        input.cyEingabeKurs = kDEM;
        input.cyAusgabeKurs = kFRF;
        input.dStellen1 = 1000;
        input.dStellen2 = 1000;
        const auto outcome = Berechnen(input, RegionalSettings::german());
        EXPECT_TRUE(outcome.formatMessage) << text;
        EXPECT_EQ(outcome.wertText, "0,000") << text;
    }
}

TEST(Berechnen, UnknownResultFactorLeavesTheResultUntouched) {
    for (double stellen2 : {0.0, 250.0, 99.999}) {
        BerechnenInput input;
        input.betragText = "100";
        input.cyEingabeKurs = kDEM;
        input.cyAusgabeKurs = kEUR;
        input.dStellen1 = 1000;
        input.dStellen2 = stellen2;
        EXPECT_FALSE(Berechnen(input, RegionalSettings::german()).wertText.has_value()) << stellen2;
    }
}

TEST(Berechnen, MissingCurrencyOrDeletedSelectionGivesZero) {
    struct Case {
        bool eingabeLeer;
        bool ausgabeLeer;
        int geloescht;
        bool clearEingabe;
        bool clearAusgabe;
    };
    for (const Case c : {Case{true, false, 0, false, false}, Case{false, true, 0, false, false},
                         Case{false, false, 1, true, false}, Case{false, false, 2, false, true}}) {
        BerechnenInput input;
        input.betragText = "100";
        input.cyEingabeKurs = kDEM;
        input.cyAusgabeKurs = kFRF;
        input.dStellen1 = 1000;
        input.dStellen2 = 100;
        input.eingabeLeer = c.eingabeLeer;
        input.ausgabeLeer = c.ausgabeLeer;
        input.iGeloeschteWaehrung = c.geloescht;
        const auto outcome = Berechnen(input, RegionalSettings::german());
        EXPECT_EQ(outcome.wertText, "0,00");
        EXPECT_EQ(outcome.clearEingabe, c.clearEingabe);
        EXPECT_EQ(outcome.clearAusgabe, c.clearAusgabe);
    }
}

TEST(Berechnen, ASideWithoutUsableRateGivesZeroInTheCurrentPattern) {
    const std::optional<Money> kNone;
    struct Case {
        std::optional<Money> from;
        std::optional<Money> to;
        double stellen2;
        const char* shown;
    };
    // Both sides without a rate are not "equal rates": 0, never the amount itself.
    for (const Case& c : {Case{kNone, kFRF, 100, "0,00"}, Case{kDEM, kNone, 100, "0,00"},
                          Case{kNone, kEUR, 1000, "0,000"}, Case{kEUR, kNone, 10000, "0,0000"},
                          Case{kNone, kNone, 100, "0,00"}, Case{kNone, kNone, 10000, "0,0000"}}) {
        BerechnenInput input;
        input.betragText = "100";
        input.cyEingabeKurs = c.from;
        input.cyAusgabeKurs = c.to;
        input.dStellen1 = 1000;
        input.dStellen2 = c.stellen2;
        const auto outcome = Berechnen(input, RegionalSettings::german());
        EXPECT_FALSE(outcome.formatMessage);
        EXPECT_EQ(outcome.wertText, c.shown) << c.from.has_value() << c.to.has_value() << c.stellen2;
    }
}

TEST(Berechnen, EnglishConventionsUseTheirOwnSeparators) {
    BerechnenInput input;
    input.betragText = "1,000";
    input.cyEingabeKurs = kDEM;
    input.cyAusgabeKurs = kITL;
    input.dStellen1 = 1000;
    input.dStellen2 = 100;
    EXPECT_EQ(Berechnen(input, RegionalSettings::english()).wertText, "989,999.36");
}

TEST(ScaledRateToMoney, RoundsToSixDecimalsThenToTheFixedPoint) {
    const auto german = RegionalSettings::german();
    EXPECT_EQ(scaledRateToMoney(1955830.0, german), Money::fromWhole(1955830));
    EXPECT_EQ(scaledRateToMoney(123456.78, german), Money::fromTicks(1234567800));
    // Six decimals first (…0000005 -> …000001), then ten-thousandths, ties to even.
    EXPECT_EQ(scaledRateToMoney(1.00005, german), Money::fromTicks(10000));
    EXPECT_EQ(scaledRateToMoney(1.00015, german), Money::fromTicks(10002));
    // A rate of 0, also one that is 0 only at six decimals, is no usable rate.
    EXPECT_FALSE(scaledRateToMoney(0.0, german).has_value());
    EXPECT_FALSE(scaledRateToMoney(0.00004, german).has_value());
}

}  // namespace
}  // namespace kursomatik
