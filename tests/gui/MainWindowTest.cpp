// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "platform/qt/FlexGrid.h"
#include "platform/qt/LineList.h"
#include "platform/qt/PickList.h"
#include "tests/gui/ProgramTest.h"

namespace kursomatik::testing {
namespace {

const QString kFormatMessage = QString::fromUtf8(
    "Das Eingabeformat ist falsch. Bitte eine Zahl eingeben oder das länderspezifische Trennzeichen benutzen "
    "(Punkt oder Komma).");

class MainWindow : public ProgramTest {
  protected:
    QComboBox* input() const { return find<QComboBox>("txtEingabe"); }
    QComboBox* output() const { return find<QComboBox>("txtAusgabe"); }
    QString iso(const char* name) const { return find<QLineEdit>(name)->text(); }
    static QString selected(const QComboBox* box) { return picklist::selectedLine(box).left(40).trimmed(); }
    void berechnen() { find<QPushButton>("cmdBerechnen")->click(); }
    void pressEnter() { QTest::keyClick(find<QLineEdit>("txtWertEingabe"), Qt::Key_Return); }
    // A list pass as the user starts one: the member currencies window opened and closed.
    void listPass() { memberWindow().findChild<QPushButton*>("cmdAbbrechenUmt")->click(); }
};

TEST_F(MainWindow, PickingAnOutputCurrencyConvertsThroughTheEuroAtOnce) {
    // Given DEM, EUR, FRF in name order and DEM -> EUR as start currencies
    start({kFranc, kDeutscheMark, kEuro});
    EXPECT_EQ(iso("txtisoein") + iso("Text2") + result(), "DEMEUR0,00");
    // When the user types 100 and picks the Franc, then the code and the result follow at once
    typeAmount("100");
    choose(output(), QString::fromUtf8("Französischer Franc"));
    EXPECT_EQ(iso("Text2") + " " + result(), "FRF 335,38");
    EXPECT_EQ(state.selection.sAusgabeIndex, "2");
    EXPECT_TRUE(windows.messages.empty());
}

TEST_F(MainWindow, StartCurrenciesComeFromTheSettingsByPosition) {
    struct Case {
        std::vector<Currency> table;
        const char* startwaehrung;
        const char* ausgabewaehrung;
        const char* input;
        const char* output;
    };
    for (const Case& c : {Case{{kLira, kEuro, kDeutscheMark}, "2", "0", "Italienische Lira", "Deutsche Mark"},
                          Case{{kLira, kEuro, kDeutscheMark}, "abc", "0", "Euro", "Deutsche Mark"},
                          Case{{kLira, kEuro, kDeutscheMark}, "", "", "Euro", "Euro"},
                          Case{{kLira, kEuro, kDeutscheMark}, "7", "-5", "Euro", "Euro"},
                          Case{{kEuro}, "0", "1", "Euro", ""}}) {
        // A fresh start ignores the last selection.
        state.selection.sEingabeIndex = state.selection.sAusgabeIndex = "0";
        start(c.table, kDecimalsIni + "startwaehrung=" + c.startwaehrung +
                           "\nausgabewaehrung=" + c.ausgabewaehrung + "\n");
        EXPECT_EQ(selected(input()), QString::fromUtf8(c.input)) << c.startwaehrung;
        EXPECT_EQ(selected(output()), QString::fromUtf8(c.output)) << c.ausgabewaehrung;
        EXPECT_EQ(result(), "0,00");
    }
}

TEST_F(MainWindow, LaterPassesRestoreTheSelectionByPositionNotByCurrency) {
    start({kLira, kEuro, kDeutscheMark}, kDecimalsIni + "startwaehrung=2\nausgabewaehrung=1\n");
    // Given the Lira (position 2) chosen, when it is renamed so that it moves to the front
    writeTable({{"Alte Lira", "ITL", "1936270000"}, kEuro, kDeutscheMark});
    listPass();
    // Then position 2 stays chosen, which is now another currency
    EXPECT_EQ(selected(input()), "Euro");
    EXPECT_EQ(iso("txtisoein"), "EUR");
    EXPECT_EQ(selected(output()), "Deutsche Mark");
    // A pass over an emptied table leaves nothing chosen, and the next one runs no handler for it.
    writeTable({});
    listPass();
    listPass();
    EXPECT_EQ(input()->currentIndex() + output()->currentIndex(), -2);
    EXPECT_EQ(state.selection.sAusgabeIndex, "-1");
}

TEST_F(MainWindow, EveryListHoldsItsLinesInNameOrderAndTheGridsTheirCurrencies) {
    start({kLira, kDollar, kEuro, kDeutscheMark, {"Kaputt", "XXX", "12", "2"}}, kDecimalsIni);
    const auto* all = find<LineList>("lstversteckt");
    EXPECT_EQ(names(all), QStringList({"Deutsche Mark", "Euro", "Italienische Lira", "Kaputt", "US-Dollar"}));
    EXPECT_EQ(names(find<LineList>("lstversteckt2")), names(all));
    EXPECT_EQ(names(input()), names(all));
    EXPECT_EQ(names(find<QComboBox>("txtstart")), names(all));
    EXPECT_EQ(names(memberWindow().findChild<LineList*>("lstewwu")),
              QStringList({"Deutsche Mark", "Euro", "Italienische Lira"}));
    EXPECT_EQ(names(find<LineList>("lstweitere")), QStringList({"US-Dollar"}));
    const FlexGrid* grid = find<FlexGrid>("grdTable");
    EXPECT_EQ(names(grid), QStringList({"", "Deutsche Mark", "Euro", "Italienische Lira"}));
    EXPECT_EQ(grid->text(0, 1) + grid->text(0, 4), "Bezeichnung:Datum:");
    EXPECT_EQ(grid->text(2, 2) + " " + grid->text(4, 2) + " " + grid->text(4, 3).trimmed(),
              "1,955830 1.936,270000 ITL");
    EXPECT_EQ(names(find<FlexGrid>("grdTable2")), QStringList({"", "US-Dollar"}));
    EXPECT_TRUE(find<QPushButton>("cmdDBverändern")->isEnabled());
}

TEST_F(MainWindow, AnEmptyOrMissingFileLeavesEveryListEmptyAndOnlyAMissingOneIsNamed) {
    for (const bool missing : {false, true}) {
        SCOPED_TRACE(missing ? "missing" : "empty");
        std::filesystem::remove(dir / kCurrencyFileName);
        windows.messages.clear();
        if (missing) {
            writeIni(kDecimalsIni);
            start();
        } else {
            start({}, kDecimalsIni);
        }
        EXPECT_EQ(windows.messages.size(), missing ? 1u : 0u);
        EXPECT_EQ(windows.shown("KURSOMATIK.DAT"), missing);
        EXPECT_EQ(input()->count() + input()->currentIndex(), -1);
        EXPECT_EQ(std::filesystem::exists(dir / kCurrencyFileName), !missing);
        EXPECT_FALSE(memberWindow().findChild<QPushButton*>("cmdDBverändern")->isEnabled());
        EXPECT_EQ(find<FlexGrid>("grdTable")->rows() + find<FlexGrid>("grdTable2")->rows(), 4);
    }
}

TEST_F(MainWindow, ACurrencyWithoutUsableRateConvertsToZeroNeverWithThePreviousRate) {
    // "Neu" as the editor's close box leaves it (rate 0), "Kaputt" with a rate that is no number.
    for (const Currency& bad : {Currency{"Neu", "", "0", "0"}, Currency{"Kaputt", "KPT", "abc"}}) {
        SCOPED_TRACE(bad.kurs);
        start({kDeutscheMark, kEuro, kFranc, bad});
        typeAmount("100");
        berechnen();
        ASSERT_EQ(result(), "51,13");
        struct Step {
            QComboBox* box;
            QString currency;
            const char* result;
        };
        const QString bad_ = QString::fromStdString(bad.name),
                      franc = QString::fromUtf8("Französischer Franc");
        for (const Step& s : {Step{input(), bad_, "0,00"}, Step{output(), franc, "0,00"},  // not 335,38
                              Step{output(), bad_, "0,00"},  // both without rate: not the amount
                              Step{input(), "Euro", "0,00"}, Step{output(), franc, "655,96"},
                              Step{output(), bad_, "0,00"},  // not FRF's 655,96
                              Step{output(), "Deutsche Mark", "195,58"}}) {
            choose(s.box, s.currency);
            EXPECT_EQ(result(), s.result) << s.currency.toStdString();
            berechnen();
            pressEnter();
            EXPECT_EQ(result(), s.result) << s.currency.toStdString();
        }
        EXPECT_TRUE(windows.messages.empty());
    }
}

TEST_F(MainWindow, TypingCalculatesOnlyOnEnterAndCapitalEResetsTheAmountWhileSmallEOnlyWarns) {
    start({kDeutscheMark, kEuro});
    auto* amount = find<QLineEdit>("txtWertEingabe");
    amount->setText("");
    QTest::keyClicks(amount, "100");
    EXPECT_EQ(result(), "0,00");
    pressEnter();
    EXPECT_EQ(result(), "51,13");
    const QString warning = QString::fromUtf8("Das Eingabeformat ist falsch. Bitte eine Zahl eingeben.");
    QTest::keyClicks(amount, "E5e");
    EXPECT_EQ(amount->text(), "0E5e");
    EXPECT_EQ(windows.messageTexts(), QStringList({warning, warning}));
    pressEnter();
    EXPECT_EQ(windows.messageTexts().last(), kFormatMessage);
    EXPECT_EQ(result(), "0,00");
}

TEST_F(MainWindow, WithoutResultDecimalsTheResultIsNotTouched) {
    start({kDeutscheMark, kEuro}, "[Kursomatik]\nstellen1=1000\n");
    typeAmount("100");
    berechnen();
    EXPECT_EQ(result(), "0,000");
}

TEST_F(MainWindow, ClosingEndsTheProcessAndWritesNothing) {
    start({kDeutscheMark, kEuro});
    const std::string ini = iniText();
    trigger("Optionen");
    main->close();
    EXPECT_EQ(windows.processEnded, 1);
    EXPECT_EQ(iniText(), ini);
}

}  // namespace
}  // namespace kursomatik::testing
