// SPDX-License-Identifier: GPL-3.0-or-later
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include "tests/gui/ProgramTest.h"

namespace kursomatik::testsupport {
namespace {

class MainWindow : public ProgramTest {
  protected:
    QComboBox* input() const { return find<QComboBox>("txtEingabe"); }
    QComboBox* output() const { return find<QComboBox>("txtAusgabe"); }
    QString iso(const char* box) const { return find<QLineEdit>(box)->text(); }
    void pressEnter() { QTest::keyClick(find<QLineEdit>("txtWertEingabe"), Qt::Key_Return); }
    void listPass() { press(&memberWindow(), "cmdAbbrechenUmt"); }  // as the user starts one
};

TEST_F(MainWindow, StartCurrenciesComeFromTheSettingsByPosition) {
    const std::vector<Currency> three{kLira, kEuro, kDeutscheMark};
    for (const auto& [table, startwaehrung, ausgabewaehrung, chosen] :
         {std::tuple{three, "2", "0", "Italienische Lira|Deutsche Mark"},
          std::tuple{three, "abc", "", "Euro|Euro"}, std::tuple{three, "7", "-5", "Euro|Euro"},
          std::tuple{std::vector{kEuro}, "0", "1", "Euro|"}}) {
        state.selection.sEingabeIndex = state.selection.sAusgabeIndex = "0";  // ignored by a fresh start
        start(table,
              kDecimalsIni + "startwaehrung=" + startwaehrung + "\nausgabewaehrung=" + ausgabewaehrung);
        EXPECT_EQ(input()->currentText() + "|" + output()->currentText() + " " + result(),
                  QString::fromUtf8(chosen) + " 0,00");
    }
}

TEST_F(MainWindow, PickingACurrencyConvertsThroughTheEuroAtOnceAndEnterRecalculates) {
    start({kFranc, kDeutscheMark, kEuro});
    EXPECT_EQ(iso("txtisoein") + iso("Text2") + result(), "DEMEUR0,00");
    auto* amount = find<QLineEdit>("txtWertEingabe");
    amount->clear();
    QTest::keyClicks(amount, "100");
    EXPECT_EQ(result(), "0,00");  // typing alone calculates nothing, Enter does
    pressEnter();
    EXPECT_EQ(result(), "51,13");
    choose(output(), QString::fromUtf8("Französischer Franc"));
    EXPECT_EQ(iso("Text2") + " " + result() + " " + state.selection.sAusgabeIndex.c_str(), "FRF 335,38 2");
    // "E" resets the amount, "e" only warns; both are typed afterwards, and Enter finds no number.
    QTest::keyClicks(amount, "E5e");
    pressEnter();
    EXPECT_EQ(amount->text() + " " + result(), "0E5e 0,00");
    EXPECT_TRUE(
        said({"Das Eingabeformat ist falsch. Bitte eine Zahl eingeben.",
              "Das Eingabeformat ist falsch. Bitte eine Zahl eingeben.", "länderspezifische Trennzeichen"}))
        << all();
    // A leading zero group is no thousands group: not 500 DEM.
    amount->setText("0.500");
    pressEnter();
    EXPECT_EQ(QString::number(windows.messages.size()) + " " + result(), "4 0,00");
}

TEST_F(MainWindow, APastedAmountLosesTheBlanksAroundItBeforeTheBoxsLimitCounts) {
    start({kDeutscheMark, kEuro});
    auto* amount = find<QLineEdit>("txtWertEingabe");
    // A text still too long is refused whole rather than cut to another number.
    for (const auto& [pasted, kept] :
         {std::pair{"            1.234,56", "1.234,56"},
          std::pair{"\t   -1.234.567,1234    ", "-1.234.567,1234"}, std::pair{"12345678901234567890", "0"}}) {
        amount->setText("0");
        amount->selectAll();
        QGuiApplication::clipboard()->setText(QString::fromUtf8(pasted));
        amount->paste();
        EXPECT_EQ(amount->text(), kept);
    }
    amount->clear();
    QTest::keyClicks(amount, "12345678901234567890");  // typing stops at 19 characters
    EXPECT_EQ(amount->text(), "1234567890123456789");
}

TEST_F(MainWindow, LaterPassesRestoreTheSelectionByPositionNotByCurrency) {
    start({kLira, kEuro, kDeutscheMark}, kDecimalsIni + "startwaehrung=2\nausgabewaehrung=1\n");
    // Given the Lira (position 2) chosen, when it is renamed so that it moves to the front
    writeTable({{"Alte Lira", "ITL", "1936270000"}, kEuro, kDeutscheMark});
    listPass();
    // Then position 2 stays chosen, which is now another currency
    EXPECT_EQ(input()->currentText() + iso("txtisoein") + output()->currentText(), "EuroEURDeutsche Mark");
    // A pass over an emptied table leaves nothing chosen, and the next one runs no handler for it.
    writeTable({});
    listPass();
    listPass();
    EXPECT_EQ(input()->currentIndex() + output()->currentIndex(), -2);
    EXPECT_EQ(state.selection.sAusgabeIndex, "-1");
}

TEST_F(MainWindow, EveryListHoldsItsLinesInNameOrderAndTheGridsTheirCurrencies) {
    start({kLira, kDollar, kEuro, kDeutscheMark, {"Kaputt", "XXX", "12", "2"}}, kDecimalsIni);
    const QStringList all{"Deutsche Mark", "Euro", "Italienische Lira", "Kaputt", "US-Dollar"};
    trigger("Optionen");  // made at its first showing, with the lists of the last pass
    for (const char* list : {"lstversteckt", "lstversteckt2", "txtEingabe", "txtstart"})
        EXPECT_EQ(names(find(list)), all) << list;
    const FlexGrid* grid = memberWindow().findChild<FlexGrid*>("grdTable");
    EXPECT_EQ(names(grid), QStringList({"", "Deutsche Mark", "Euro", "Italienische Lira"}));
    EXPECT_EQ(names(find<LineList>("lstewwu")), names(grid).mid(1));
    EXPECT_EQ(names(find<LineList>("lstweitere")) + names(find<FlexGrid>("grdTable2")),
              QStringList({"US-Dollar", "", "US-Dollar"}));
    EXPECT_EQ(grid->text(0, 4) + grid->text(2, 2) + " " + grid->text(4, 2) + grid->text(4, 3).trimmed(),
              "Datum:1,955830 1.936,270000ITL");
}

// A missing table is named once while it stays away (and again once it was back), an empty one not;
// neither is created, and every list stays empty.
TEST_F(MainWindow, AnEmptyOrMissingFileLeavesEveryListEmptyAndOnlyAMissingOneIsNamedOnce) {
    for (const bool missing : {false, true}) {
        std::filesystem::remove(dir / kCurrencyFileName);
        if (!missing) writeTable({});
        start();
        listPass();
        EXPECT_TRUE(missing ? said({"KURSOMATIK.DAT“ kann nicht gelesen werden"}) : windows.messages.empty())
            << all();
        EXPECT_EQ(std::filesystem::exists(dir / kCurrencyFileName), !missing);
        EXPECT_EQ(input()->count() + input()->currentIndex(), -1);
        EXPECT_FALSE(memberWindow().findChild<QPushButton*>("cmdDBverändern")->isEnabled());
        EXPECT_EQ(find<FlexGrid>("grdTable")->rows() + find<FlexGrid>("grdTable2")->rows(), 4);
    }
    writeTable({kEuro});
    listPass();
    std::filesystem::remove(dir / kCurrencyFileName);
    listPass();
    EXPECT_EQ(windows.messages.size(), 2u) << all();
}

TEST_F(MainWindow, ACurrencyWithoutUsableRateConvertsToZeroNeverWithThePreviousRate) {
    // A rate that is no number, and one below 0 that another program stored.
    start({kDeutscheMark, kEuro, kFranc, {"Kaputt", "KPT", "abc"}, {"Negativ", "NEG", "-1955830"}});
    typeAmount("100");
    pressEnter();
    ASSERT_EQ(result(), "51,13");
    const QString name = "Kaputt", franc = QString::fromUtf8("Französischer Franc");
    for (const auto& [box, currency, expected] :
         {std::tuple{input(), name, "0,00"}, std::tuple{output(), franc, "0,00"},  // not 335,38
          std::tuple{output(), name, "0,00"},  // both without rate: not the amount
          std::tuple{input(), QString("Euro"), "0,00"}, std::tuple{output(), franc, "655,96"},
          std::tuple{output(), name, "0,00"},                   // not FRF's 655,96
          std::tuple{output(), QString("Negativ"), "0,00"}}) {  // not -195,57
        choose(box, currency);
        pressEnter();
        EXPECT_EQ(result(), expected) << currency.toStdString();
    }
    EXPECT_TRUE(windows.messages.empty());
}

TEST_F(MainWindow, WithoutResultDecimalsTheResultIsNotTouchedAndClosingWritesNothing) {
    start({kDeutscheMark, kEuro}, "[Kursomatik]\nstellen1=1000\n");
    const std::string ini = readFile(iniPath());
    typeAmount("100");
    pressEnter();
    EXPECT_EQ(result(), "0,000");
    trigger("Optionen");
    main->close();
    EXPECT_TRUE(windows.processEnded == 1 && readFile(iniPath()) == ini);
}

}  // namespace
}  // namespace kursomatik::testsupport
