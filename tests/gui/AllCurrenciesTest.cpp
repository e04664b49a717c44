// SPDX-License-Identifier: GPL-3.0-or-later
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QTableWidget>

#include "tests/gui/ProgramTest.h"

namespace kursomatik::testsupport {
namespace {

const Currency kBroken{"Kaputt", "BAD", "gestern", "0", "04.12.2026"};

class AllCurrencies : public ProgramTest {
  protected:
    QTableWidget* grid() const { return find<QTableWidget>("grdAlle"); }
    QString cell(int row, int column) const { return grid()->item(row, column)->text(); }
};

// Every row holds what the main window shows for that pair; it follows the amount and the input
// currency while it is open.
TEST_F(AllCurrencies, EveryRowIsTheMainWindowsResultForThatCurrency) {
    start({kDeutscheMark, kEuro, kFranc, kLira, kDollar, kBroken}, kStartIni);
    typeAmount("1.000");
    choose(find<QComboBox>("txtEingabe"), QStringLiteral("Deutsche Mark"));
    trigger("Alle");
    ASSERT_NE(grid(), nullptr);
    ASSERT_TRUE(grid()->isVisible());
    EXPECT_EQ(find<QLabel>("lblBetrag")->text().toStdString(), "1.000 Deutsche Mark sind...");
    QStringList currencies;
    for (int k = 0; k < find<QComboBox>("txtAusgabe")->count(); ++k)
        currencies << find<QComboBox>("txtAusgabe")->itemText(k);
    ASSERT_EQ(grid()->rowCount(), currencies.size());
    for (int row = 0; row < grid()->rowCount(); ++row) {
        SCOPED_TRACE(currencies[row].toStdString());
        EXPECT_EQ(cell(row, 1), currencies[row]);
        const QString shown = cell(row, 2);
        choose(find<QComboBox>("txtAusgabe"), currencies[row]);
        if (currencies[row] == "Kaputt") {
            EXPECT_EQ(shown + "|" + cell(row, 4), QString::fromUtf8("–|Kurs unbrauchbar"));
        } else {
            EXPECT_EQ(shown, result());
            EXPECT_EQ(cell(row, 4).isEmpty(), currencies[row] != "US-Dollar");  // its rate is 302 days old
        }
    }
    EXPECT_EQ(cell(0, 0) + " " + cell(0, 3), "DEM 01.01.1999");
    // It follows the main window.
    choose(find<QComboBox>("txtEingabe"), QStringLiteral("Euro"));
    typeAmount("100");
    find<QPushButton>("cmdBerechnen")->click();
    EXPECT_EQ(find<QLabel>("lblBetrag")->text().toStdString(), "100 Euro sind...");
    EXPECT_EQ(cell(currencies.indexOf("Deutsche Mark"), 2).toStdString(), "195,58");
    // "Alles kopieren": one tab-separated line per currency.
    press(grid()->window(), "cmdKopieren");
    const QStringList copied = QGuiApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(copied.size(), currencies.size());
    EXPECT_EQ(copied[0].toStdString(), "DEM\tDeutsche Mark\t195,58\t01.01.1999\t");
    // An amount that is no number empties the list and says so.
    typeAmount("0.500");
    windows.messages.clear();
    find<QPushButton>("cmdBerechnen")->click();
    EXPECT_EQ(grid()->rowCount(), 0);
    EXPECT_EQ(find<QLabel>("lblBetrag")->text().toStdString(), "Der Betrag „0.500“ ist keine Zahl.");
}

}  // namespace
}  // namespace kursomatik::testsupport
