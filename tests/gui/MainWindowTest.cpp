#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "FlexGrid.h"
#include "LineList.h"
#include "PickList.h"
#include "ProgramFixture.h"
#include "frmOptionen.h"
#include "frmUmtauschkurse.h"
#include "frmWeitereW.h"

namespace kursomatik::testing {
namespace {

const std::string kDecimals = "[Kursomatik]\nstellen1=1000\nstellen2=100\noptionen1=1\noptionen2=1\n";
const QString kFormatMessage = QString::fromUtf8(
    "Das Eingabeformat ist falsch. Bitte eine Zahl eingeben oder das länderspezifische Trennzeichen benutzen "
    "(Punkt oder Komma).");

class MainWindow : public ProgramTest {};

TEST_F(MainWindow, PickingAnOutputCurrencyConvertsThroughTheEuroAtOnce) {
    // Given DEM, EUR, FRF in name order and DEM -> EUR as start currencies
    writeTable({kFranc, kDeutscheMark, kEuro});
    writeIni(kDecimals + "startwaehrung=0\nausgabewaehrung=1\n");
    WexlorEingabe& w = start();
    EXPECT_EQ(w.txtisoein->text(), "DEM");
    EXPECT_EQ(w.Text2->text(), "EUR");
    EXPECT_EQ(w.txtWert->text(), "0,00");
    // When the user types 100 and picks the Franc
    typeAmount("100");
    choose(w.txtAusgabe, QString::fromUtf8("Französischer Franc"));
    // Then the code and the result follow without "Berechnen"
    EXPECT_EQ(w.Text2->text(), "FRF");
    EXPECT_EQ(w.txtWert->text(), "335,38");
    EXPECT_EQ(state_.selection.sAusgabeIndex, "2");
    EXPECT_TRUE(windows_.messages.empty());
}

TEST_F(MainWindow, StartCurrenciesComeFromTheSettingsByPosition) {
    struct Case {
        const char* startwaehrung;
        const char* ausgabewaehrung;
        const char* input;
        const char* output;
    };
    for (const Case& c :
         {Case{"2", "0", "Italienische Lira", "Deutsche Mark"}, Case{"abc", "0", "Euro", "Deutsche Mark"},
          Case{"", "", "Euro", "Euro"}, Case{"7", "-5", "Euro", "Euro"}}) {
        writeTable({kLira, kEuro, kDeutscheMark});
        writeIni(kDecimals + "startwaehrung=" + c.startwaehrung + "\nausgabewaehrung=" + c.ausgabewaehrung +
                 "\n");
        WexlorEingabe& w = start();
        EXPECT_EQ(selectedName(w.txtEingabe), QString::fromUtf8(c.input)) << c.startwaehrung;
        EXPECT_EQ(selectedName(w.txtAusgabe), QString::fromUtf8(c.output)) << c.ausgabewaehrung;
    }
}

TEST_F(MainWindow, WithOneCurrencyOnlyASettingOfZeroSelectsIt) {
    writeTable({kEuro});
    writeIni(kDecimals + "startwaehrung=0\nausgabewaehrung=1\n");
    WexlorEingabe& w = start();
    EXPECT_EQ(selectedName(w.txtEingabe), "Euro");
    EXPECT_EQ(w.txtAusgabe->currentIndex(), -1);
    EXPECT_EQ(w.txtWert->text(), "0,00");
}

TEST_F(MainWindow, AFreshStartIgnoresTheLastSelection) {
    writeTable({kLira, kEuro, kDeutscheMark});
    writeIni(kDecimals + "startwaehrung=2\nausgabewaehrung=1\n");
    state_.selection.sEingabeIndex = "0";
    state_.selection.sAusgabeIndex = "0";
    WexlorEingabe& w = start();
    EXPECT_EQ(selectedName(w.txtEingabe), "Italienische Lira");
    EXPECT_EQ(selectedName(w.txtAusgabe), "Euro");
}

TEST_F(MainWindow, LaterPassesRestoreTheSelectionByPositionNotByCurrency) {
    writeTable({kLira, kEuro, kDeutscheMark});
    writeIni(kDecimals + "startwaehrung=2\nausgabewaehrung=1\n");
    WexlorEingabe& w = start();
    // Given the Lira (position 2) chosen, when it is renamed so that it moves to the front
    writeTable({{"Alte Lira", "ITL", "1936270000"}, kEuro, kDeutscheMark});
    state_.selection.sStartauswahl = "0";
    w.RefreshtheLists();
    // Then position 2 stays chosen, which is now another currency
    EXPECT_EQ(selectedName(w.txtEingabe), "Euro");
    EXPECT_EQ(w.txtisoein->text(), "EUR");
    EXPECT_EQ(selectedName(w.txtAusgabe), "Deutsche Mark");
}

TEST_F(MainWindow, EveryListHoldsItsLinesInNameOrderAndTheGridsTheirCurrencies) {
    writeTable({kLira, kDollar, kEuro, kDeutscheMark, {"Kaputt", "XXX", "12", "2"}});
    writeIni(kDecimals);
    WexlorEingabe& w = start();
    auto names = [](const LineList* list) {
        QStringList out;
        for (int k = 0; k < list->lineCount(); ++k) out << list->line(k).left(40).trimmed();
        return out;
    };
    EXPECT_EQ(names(w.lstversteckt),
              QStringList({"Deutsche Mark", "Euro", "Italienische Lira", "Kaputt", "US-Dollar"}));
    EXPECT_EQ(names(w.options()->lstversteckt2), names(w.lstversteckt));
    EXPECT_EQ(names(w.memberWindow()->lstewwu), QStringList({"Deutsche Mark", "Euro", "Italienische Lira"}));
    EXPECT_EQ(names(w.otherWindow()->lstweitere), QStringList({"US-Dollar"}));
    EXPECT_EQ(w.txtEingabe->count(), 5);
    EXPECT_EQ(w.lstversteckt->line(0).size(), 153);
    EXPECT_TRUE(w.lstversteckt->line(0).endsWith(" 4"));

    const FlexGrid* grid = w.memberWindow()->grdTable;
    ASSERT_EQ(grid->rows(), 5);
    EXPECT_EQ(grid->text(0, 1), "Bezeichnung:");
    EXPECT_EQ(grid->text(1, 1), "");
    EXPECT_EQ(grid->text(2, 1).trimmed(), "Deutsche Mark");
    EXPECT_EQ(grid->text(2, 2), "1,955830");
    EXPECT_EQ(grid->text(4, 2), "1.936,270000");
    EXPECT_EQ(grid->text(4, 3).trimmed(), "ITL");
    EXPECT_EQ(w.otherWindow()->grdTable2->rows(), 3);
    EXPECT_TRUE(w.memberWindow()->cmdDBveraendern->isEnabled());
}

TEST_F(MainWindow, EmptyFileLeavesEveryListEmptyAndNothingChosen) {
    writeTable({});
    writeIni(kDecimals);
    WexlorEingabe& w = start();
    EXPECT_TRUE(windows_.messages.empty());
    EXPECT_EQ(w.txtEingabe->count(), 0);
    EXPECT_EQ(w.txtEingabe->currentIndex(), -1);
    EXPECT_FALSE(w.memberWindow()->cmdDBveraendern->isEnabled());
    EXPECT_EQ(w.memberWindow()->grdTable->rows(), 2);
    EXPECT_EQ(w.otherWindow()->grdTable2->rows(), 2);
}

TEST_F(MainWindow, RestoringNoSelectionInEmptyListsRunsNoHandler) {
    // Found as an endless recursion: "-1" restored into a list emptied by the pass ran its handler
    // again and again.
    writeTable({kDeutscheMark, kEuro});
    writeIni(kDecimals);
    WexlorEingabe& w = start();
    writeTable({});
    state_.selection.sStartauswahl = "0";
    state_.selection.sEingabeIndex = "-1";
    state_.selection.sAusgabeIndex = "-1";
    w.RefreshtheLists();
    w.RefreshtheLists();
    EXPECT_EQ(w.txtEingabe->currentIndex(), -1);
    EXPECT_EQ(w.txtAusgabe->currentIndex(), -1);
    EXPECT_EQ(state_.selection.sAusgabeIndex, "-1");
}

TEST_F(MainWindow, MissingFileIsNamedAndNotCreated) {
    writeIni(kDecimals);
    WexlorEingabe& w = start();
    ASSERT_EQ(windows_.messages.size(), 1u);
    EXPECT_TRUE(windows_.messages[0].text.contains("KURSOMATIK.DAT"));
    EXPECT_EQ(w.txtEingabe->count(), 0);
    EXPECT_FALSE(std::filesystem::exists(dir_ / kCurrencyFileName));
}

TEST_F(MainWindow, ACurrencyWithoutUsableRateConvertsToZeroNeverWithThePreviousRate) {
    // "Neu" as the editor's close box leaves it (rate 0), "Kaputt" with a rate that is no number.
    const Currency neu{"Neu", "", "0", "0"};
    const Currency kaputt{"Kaputt", "KPT", "abc"};
    auto pressEnter = [](WexlorEingabe& w) { QTest::keyClick(w.txtWertEingabe, Qt::Key_Return); };
    auto pressBerechnen = [](WexlorEingabe& w) { w.cmdBerechnen->click(); };
    for (const Currency& bad : {neu, kaputt}) {
        SCOPED_TRACE(bad.kurs);
        writeTable({kDeutscheMark, kEuro, kFranc, bad});
        writeIni(kDecimals + "startwaehrung=0\nausgabewaehrung=1\n");
        WexlorEingabe& w = start();
        typeAmount("100");
        pressBerechnen(w);
        ASSERT_EQ(w.txtWert->text(), "51,13");

        // Input side: 100 DEM -> EUR, then the currency without a rate as input.
        choose(w.txtEingabe, QString::fromStdString(bad.name));
        EXPECT_EQ(w.txtWert->text(), "0,00");
        pressBerechnen(w);
        EXPECT_EQ(w.txtWert->text(), "0,00");  // not DEM's 51,13
        choose(w.txtAusgabe, QString::fromUtf8("Französischer Franc"));
        EXPECT_EQ(w.txtWert->text(), "0,00");  // not 335,38
        pressEnter(w);
        EXPECT_EQ(w.txtWert->text(), "0,00");
        // Both sides without a rate: still 0, not the amount of "equal rates".
        choose(w.txtAusgabe, QString::fromStdString(bad.name));
        EXPECT_EQ(w.txtWert->text(), "0,00");
        // Output side: 100 EUR -> FRF, then the currency without a rate as output.
        choose(w.txtEingabe, "Euro");
        EXPECT_EQ(w.txtWert->text(), "0,00");
        choose(w.txtAusgabe, QString::fromUtf8("Französischer Franc"));
        EXPECT_EQ(w.txtWert->text(), "655,96");
        choose(w.txtAusgabe, QString::fromStdString(bad.name));
        EXPECT_EQ(w.txtWert->text(), "0,00");  // not FRF's 655,96
        pressEnter(w);
        EXPECT_EQ(w.txtWert->text(), "0,00");
        // A currency with a rate on that side converts again.
        choose(w.txtAusgabe, "Deutsche Mark");
        EXPECT_EQ(w.txtWert->text(), "195,58");
        EXPECT_TRUE(windows_.messages.empty());
    }
}

TEST_F(MainWindow, MisplacedGroupSeparatorsAreNoAmount) {
    writeTable({kDeutscheMark, kEuro});
    writeIni(kDecimals + "startwaehrung=0\nausgabewaehrung=1\n");
    WexlorEingabe& w = start();
    struct Case {
        const char* typed;
        const char* shown;
        bool message;
    };
    for (const Case& c : {Case{"1234.56", "0,00", true}, Case{"1.5", "0,00", true},
                          Case{"1.234,56", "631,22", false}}) {
        windows_.messages.clear();
        typeAmount(QString::fromUtf8(c.typed));
        w.cmdBerechnen->click();
        EXPECT_EQ(w.txtWert->text(), c.shown) << c.typed;  // 1234.56 DEM once gave 63.122,05 EUR
        EXPECT_EQ(windows_.messageTexts(), c.message ? QStringList{kFormatMessage} : QStringList{}) << c.typed;
    }
}

TEST_F(MainWindow, CapitalEResetsTheAmountAndSmallEOnlyWarns) {
    writeTable({kDeutscheMark, kEuro});
    writeIni(kDecimals);
    WexlorEingabe& w = start();
    const QString warning = QString::fromUtf8("Das Eingabeformat ist falsch. Bitte eine Zahl eingeben.");
    typeAmount("12");
    QTest::keyClick(w.txtWertEingabe, 'E');
    EXPECT_EQ(w.txtWertEingabe->text(), "0E");
    QTest::keyClicks(w.txtWertEingabe, "5e");
    EXPECT_EQ(w.txtWertEingabe->text(), "0E5e");
    EXPECT_EQ(windows_.messageTexts(), QStringList({warning, warning}));
    // The next calculation reports the malformed amount and shows 0.
    QTest::keyClick(w.txtWertEingabe, Qt::Key_Return);
    EXPECT_EQ(windows_.messageTexts().last(), kFormatMessage);
    EXPECT_EQ(w.txtWert->text(), "0,00");
}

TEST_F(MainWindow, EnterInTheAmountCalculates) {
    writeTable({kDeutscheMark, kEuro});
    writeIni(kDecimals + "startwaehrung=0\nausgabewaehrung=1\n");
    WexlorEingabe& w = start();
    w.txtWertEingabe->setFocus();
    QTest::keyClicks(w.txtWertEingabe, "100");
    EXPECT_EQ(w.txtWert->text(), "0,00");
    QTest::keyClick(w.txtWertEingabe, Qt::Key_Return);
    EXPECT_EQ(w.txtWert->text(), "51,13");
}

TEST_F(MainWindow, ADeletedSelectionIsClearedWithoutRunningItsHandler) {
    writeTable({kDeutscheMark, kEuro});
    writeIni(kDecimals + "startwaehrung=0\nausgabewaehrung=1\n");
    WexlorEingabe& w = start();
    typeAmount("100");
    state_.selection.iGeloeschteWaehrung = 2;
    w.Berechnen();
    EXPECT_EQ(w.txtAusgabe->currentIndex(), -1);
    EXPECT_EQ(w.txtWert->text(), "0,00");
    EXPECT_EQ(state_.selection.sAusgabeIndex, "1");  // no handler ran
    // A currency the user picks afterwards converts again.
    choose(w.txtAusgabe, "Euro");
    EXPECT_EQ(w.txtWert->text(), "51,13");
}

TEST_F(MainWindow, WithoutResultDecimalsTheResultIsNotTouched) {
    writeTable({kDeutscheMark, kEuro});
    writeIni("[Kursomatik]\nstellen1=1000\n");
    WexlorEingabe& w = start();
    EXPECT_EQ(w.txtWert->text(), "0,000");
    typeAmount("100");
    w.cmdBerechnen_Click();
    EXPECT_EQ(w.txtWert->text(), "0,000");
}

TEST_F(MainWindow, ControlsCarryTheirNamesCaptionsAndAccessibleNames) {
    writeTable({kDeutscheMark, kEuro});
    writeIni(kDecimals);
    WexlorEingabe& w = start();
    EXPECT_EQ(w.windowTitle(), "Kursomatik 1.01");
    EXPECT_EQ(w.objectName(), "WexlorEingabe");
    struct Named {
        const char* object;
        const char* accessible;
    };
    for (const Named& n : {Named{"txtEingabe", "Eingabewährung"}, Named{"txtWertEingabe", "Betrag"},
                           Named{"txtAusgabe", "Ausgabewährung"}, Named{"txtWert", "Ergebnis"},
                           Named{"txtisoein", "ISO Eingabewährung"}, Named{"Text2", "ISO Ausgabewährung"}}) {
        const QWidget* widget = w.findChild<QWidget*>(QString::fromUtf8(n.object));
        ASSERT_NE(widget, nullptr) << n.object;
        EXPECT_EQ(widget->accessibleName(), QString::fromUtf8(n.accessible));
    }
    EXPECT_EQ(w.findChild<QLabel*>("Label1")->buddy(), w.txtEingabe);
    EXPECT_EQ(w.cmdBerechnen->text(), "Be&rechnen");
    EXPECT_EQ(w.txtWertEingabe->maxLength(), 19);
    EXPECT_EQ(w.txtWert->maxLength(), 17);
    // The Tab order of the design: currency, amount, currency, result, button, the two codes.
    w.show();
    QApplication::setActiveWindow(&w);
    w.txtEingabe->setFocus();
    for (QWidget* next : std::initializer_list<QWidget*>{w.txtWertEingabe, w.txtAusgabe, w.txtWert,
                                                         w.cmdBerechnen, w.txtisoein, w.Text2}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
    const QAction* optionen = w.findChild<QAction*>("Optionen");
    ASSERT_NE(optionen, nullptr);
    EXPECT_EQ(optionen->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(w.findChild<QAction*>("Umtauschkurse")->text(), "Wechselkurse");
    EXPECT_EQ(w.findChild<QAction*>("Beenden")->text(), "Beenden\tAlt+F4");
}

TEST_F(MainWindow, ClosingEndsTheProcessAndWritesNothing) {
    writeTable({kDeutscheMark, kEuro});
    writeIni(kDecimals + "startwaehrung=0\nausgabewaehrung=1\n");
    WexlorEingabe& w = start();
    const std::string ini = iniText();
    w.Optionen_Click();
    w.close();
    EXPECT_EQ(windows_.processEnded, 1);
    EXPECT_EQ(iniText(), ini);
}

}  // namespace
}  // namespace kursomatik::testing
