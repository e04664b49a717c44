// SPDX-License-Identifier: GPL-3.0-or-later
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <fstream>

#include "tests/gui/ProgramTest.h"

namespace kursomatik::testsupport {
namespace {

namespace fs = std::filesystem;

class MainWindow : public ProgramTest {
  protected:
    QComboBox* input() const { return find<QComboBox>("txtEingabe"); }
    QComboBox* output() const { return find<QComboBox>("txtAusgabe"); }
    QString iso(const char* box) const { return find<QLineEdit>(box)->text(); }
    void pressEnter() { QTest::keyClick(find<QLineEdit>("txtWertEingabe"), Qt::Key_Return); }
    void listPass() { press(&memberWindow(), "cmdAbbrechenUmt"); }  // as the user starts one
    // The all-currencies window.
    QTableWidget* grid() const { return find<QTableWidget>("grdAlle"); }
    QString cell(int row, int column) const { return grid()->item(row, column)->text(); }
    // For the table watch: US-Dollar -> Deutsche Mark, 100, with every list pass counted.
    void startOnDollar() {
        start({kDeutscheMark, kEuro, kDollar}, kStartIni);
        typeAmount("100");
        choose(input(), QStringLiteral("US-Dollar"));
        choose(output(), QStringLiteral("Deutsche Mark"));
        passes = std::make_unique<QSignalSpy>(find<LineList>("lstversteckt")->model(),
                                              &QAbstractItemModel::rowsInserted);
    }
    // As a safe writer does it: a new file renamed over the old one.
    void replaceTable(const std::vector<Currency>& currencies) {
        writeFile(dir / "neu.tmp", tableBytes(currencies));
        fs::rename(dir / "neu.tmp", dir / kCurrencyFileName);
    }
    bool passed(int count) {
        return QTest::qWaitFor([&] { return passes->count() >= count; }, 2000);
    }

    std::unique_ptr<QSignalSpy> passes;
};
using AllCurrencies = MainWindow;
using TableWatch = MainWindow;

// A currency without a usable rate converts to 0, never with the previous rate.
TEST_F(MainWindow, PickingOrSwappingCurrenciesConvertsThroughTheEuroAtOnceAndEnterRecalculates) {
    // A rate that is no number, and one below 0 that another program stored.
    start({kFranc, kDeutscheMark, kEuro, {"Kaputt", "KPT", "abc"}, {"Negativ", "NEG", "-1955830"}});
    EXPECT_EQ(iso("txtisoein") + iso("Text2") + result(), "DEMEUR0,00");
    auto* amount = find<QLineEdit>("txtWertEingabe");
    amount->clear();
    QTest::keyClicks(amount, "100");
    EXPECT_EQ(result(), "0,00");  // typing alone calculates nothing, Enter does
    pressEnter();
    EXPECT_EQ(result(), "51,13");
    choose(output(), QString::fromUtf8("Französischer Franc"));
    EXPECT_EQ(iso("Text2") + " " + result() + " " + state.selection.sAusgabeIndex.c_str(), "FRF 335,38 2");
    // "Tauschen" swaps the currencies and recalculates; "Kopieren" copies the result and says nothing.
    trigger("Tauschen");
    EXPECT_EQ(chosen(), "Französischer Franc -> Deutsche Mark");
    EXPECT_EQ(amount->text() + " = " + result() + " " + iso("txtisoein") + iso("Text2"),
              "100 = 29,82 FRFDEM");
    trigger("Kopieren");
    EXPECT_EQ(QGuiApplication::clipboard()->text() + all().c_str(), "29,82");
    for (const auto& [box, currency, expected] :
         {std::tuple{input(), "Kaputt", "0,00"},  // not 29,82
          std::tuple{output(), "Euro", "0,00"}, std::tuple{input(), "Deutsche Mark", "51,13"},
          std::tuple{output(), "Negativ", "0,00"}}) {  // not -100,00
        choose(box, QString::fromUtf8(currency));
        pressEnter();
        EXPECT_EQ(result(), expected) << currency;
    }
    // "E" resets the amount, "e" only warns; both are typed afterwards, and Enter finds no number.
    QTest::keyClicks(amount, "E5e");
    pressEnter();
    EXPECT_EQ(amount->text() + " " + result(), "0E5e 0,00");
    EXPECT_TRUE(said({"Eingabeformat ist falsch", "Eingabeformat ist falsch", "länderspezifische"})) << all();
    // The result and the codes are the program's to write: typed keys do not reach them.
    for (const char* shown : {"txtWert", "txtisoein", "Text2"}) {
        QTest::keyClicks(find<QLineEdit>(shown), "9");
        EXPECT_FALSE(find<QLineEdit>(shown)->text().contains('9')) << shown;
    }
}

TEST_F(MainWindow, APastedAmountLosesTheBlanksAroundItBeforeTheBoxsLimitCounts) {
    start({kDeutscheMark, kEuro});
    auto* amount = find<QLineEdit>("txtWertEingabe");
    // A text still too long is refused whole rather than cut to another number.
    for (const auto& [pasted, kept] :
         {std::pair{"\t   -1.234.567,1234    ", "-1.234.567,1234"}, std::pair{"12345678901234567890", "0"}}) {
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
    EXPECT_TRUE(input()->currentIndex() == -1 && output()->currentIndex() == -1 &&
                state.selection.sAusgabeIndex == "-1");
    main->close();
    EXPECT_EQ(windows.processEnded, 1);
}

const Currency kBroken{"Kaputt", "BAD", "gestern", "0", "04.12.2026"};

// Every row holds what the main window shows for that pair; it follows the amount and the input
// currency while it is open.
TEST_F(AllCurrencies, EveryRowIsTheMainWindowsResultForThatCurrency) {
    start({kDeutscheMark, kEuro, kFranc, kLira, kDollar, kBroken}, kStartIni);
    typeAmount("1.000");
    choose(input(), QStringLiteral("Deutsche Mark"));
    trigger("Alle");
    ASSERT_TRUE(grid() != nullptr && grid()->isVisible());
    EXPECT_EQ(find<QLabel>("lblBetrag")->text().toStdString(), "1.000 Deutsche Mark sind...");
    const QStringList currencies = {"Deutsche Mark",     "Euro",   "Französischer Franc",
                                    "Italienische Lira", "Kaputt", "US-Dollar"};
    ASSERT_EQ(grid()->rowCount(), currencies.size());
    for (int row = 0; row < grid()->rowCount(); ++row) {
        SCOPED_TRACE(currencies[row].toStdString());
        EXPECT_EQ(cell(row, 1), currencies[row]);
        const QString shown = cell(row, 2);
        choose(output(), currencies[row]);
        if (currencies[row] == "Kaputt") {
            EXPECT_EQ(shown + "|" + cell(row, 4), QString::fromUtf8("–|Kurs unbrauchbar"));
        } else {
            EXPECT_EQ(shown, result());
            EXPECT_EQ(cell(row, 4).isEmpty(), currencies[row] != "US-Dollar");  // its rate is 302 days old
        }
    }
    EXPECT_EQ(cell(0, 0) + " " + cell(0, 3), "DEM 01.01.1999");
    // It follows the main window.
    choose(input(), QStringLiteral("Euro"));
    typeAmount("100");
    find<QPushButton>("cmdBerechnen")->click();
    EXPECT_EQ(find<QLabel>("lblBetrag")->text().toStdString(), "100 Euro sind...");
    // "Alles kopieren": one tab-separated line per currency.
    press(grid()->window(), "cmdKopieren");
    const QStringList copied = QGuiApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(copied.size(), currencies.size());
    EXPECT_EQ(copied[0].toStdString(), "DEM\tDeutsche Mark\t195,58\t01.01.1999\t");
    // Without an age limit no rate is old.
    writeIni(kStartIni + "kursalter=0\n");
    trigger("Optionen");
    press(find<QDialog>("frmOptionen"), "cmdOK");
    EXPECT_EQ(cell(currencies.indexOf("US-Dollar"), 4), "");
    // An amount that is no number empties the list and says so.
    typeAmount("0.500");
    find<QPushButton>("cmdBerechnen")->click();
    EXPECT_EQ(grid()->rowCount(), 0);
    EXPECT_EQ(find<QLabel>("lblBetrag")->text().toStdString(), "Der Betrag „0.500“ ist keine Zahl.");
}

// The main window while another program changes its currency file.

const Currency kNewDollar{"US-Dollar", "USD", "1070500", "0", "04.12.2026"};
const Currency kAustralian{"Australischer Dollar", "AUD", "1600000", "0", "04.12.2026"};

TEST_F(TableWatch, AChangeByAnotherProgramIsShownWithTheSameOrTheStartCurrenciesChosenAndNothingWritten) {
    startOnDollar();
    const std::string ini = readFile(iniPath());
    const auto iniTime = fs::last_write_time(iniPath());
    // Replaced, with a currency that sorts first and a new rate: the same currencies, at new places.
    replaceTable({kAustralian, kDeutscheMark, kEuro, kNewDollar});
    ASSERT_TRUE(passed(1));
    EXPECT_EQ(chosen(), "US-Dollar -> Deutsche Mark");
    EXPECT_EQ(result().toStdString(), "182,70");
    EXPECT_EQ(find<QLabel>("lblKursalter")->text().toStdString(), "Kurs USD vom 04.12.2026");
    // Rewritten in place (the same inode): seen as well.
    writeFile(dir / kCurrencyFileName, tableBytes({kDeutscheMark, kEuro, kDollar}));
    ASSERT_TRUE(passed(2));
    EXPECT_EQ(result().toStdString(), "165,83");
    // A chosen currency that is gone is chosen as the next start would: the settings' start currency (the
    // first start moved it from the first currency, which cannot be one, to the second).
    replaceTable({kDeutscheMark, kEuro, kFranc});
    ASSERT_TRUE(passed(3));
    EXPECT_EQ(chosen(), "Euro -> Deutsche Mark");
    EXPECT_TRUE(readFile(iniPath()) == ini && fs::last_write_time(iniPath()) == iniTime);  // not written
    // Another program (the command's import) moved the start currency in the settings file: the
    // next refresh that needs it takes it from there, not from what the window read at start.
    std::string moved = ini;
    writeIni(moved.replace(moved.find("startwaehrung=1\n"), 16, "startwaehrung=2\n"));
    replaceTable({kDeutscheMark, kFranc, kDollar});
    ASSERT_TRUE(passed(4));
    EXPECT_EQ(chosen(), "US-Dollar -> Deutsche Mark");
    EXPECT_EQ(readFile(iniPath()), moved);
    EXPECT_EQ(all(), "");
}

TEST_F(TableWatch, TheProgramsOwnWritesAndOpenMaintenanceWindowsCauseNoExtraPass) {
    startOnDollar();
    // A save in the editor runs its own pass, and only that one.
    press(&openRecord(3), "cmdEingabeBeenden_0");
    settle();
    ASSERT_TRUE(passed(1));
    QTest::qWait(600);
    EXPECT_EQ(passes->count(), 1);
    // While the member window is open the pass waits for its closing, which runs one.
    frmUmtauschkurse& members = memberWindow();
    replaceTable({kAustralian, kDeutscheMark, kEuro, kNewDollar});
    QTest::qWait(600);
    EXPECT_EQ(passes->count(), 1);
    press(&members, "cmdAbbrechenUmt");
    ASSERT_TRUE(passed(2));
    EXPECT_EQ(find<QComboBox>("txtEingabe")->itemText(0).toStdString(), "Australischer Dollar");
}

TEST_F(TableWatch, AFileThatStaysGoneIsToldOnceAndTheListsStay) {
    startOnDollar();
    // Gone for a moment, as between the steps of a replace: nothing to tell.
    fs::rename(dir / kCurrencyFileName, dir / "weg.dat");
    QTest::qWait(300);
    fs::rename(dir / "weg.dat", dir / kCurrencyFileName);
    QTest::qWait(1500);
    EXPECT_EQ(all(), "");
    fs::remove(dir / kCurrencyFileName);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !windows.messages.empty(); }, 3000));
    std::ofstream(dir / "anders.txt") << "Another change in the folder while the table is still gone.";
    QTest::qWait(1500);
    EXPECT_TRUE(said({"ist nicht mehr da"}) && all().starts_with("Die Datei „")) << all();
    EXPECT_EQ(listed(), 3);
    EXPECT_EQ(chosen(), "US-Dollar -> Deutsche Mark");
}

}  // namespace
}  // namespace kursomatik::testsupport
