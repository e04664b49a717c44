#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "Berechnen.h"
#include "ListLine.h"
#include "MaintenanceFixture.h"
#include "Utf8.h"
#include "frmOptionen.h"
#include "support/Deadline.h"

namespace kursomatik::testing {
namespace {

// The largest table the program supports: 999 currencies, names of 30 characters with umlauts.
std::vector<Currency> largestTable() {
    std::vector<Currency> table;
    for (int n = 1; n <= 999; ++n) {
        std::string name = "Währung " + std::to_string(n * 7919 % 1000) + " Österreich äöüß ÄÖÜ";
        name = utf8::mid(name + std::string(30, 'x'), 0, 30);
        const std::string iso{char('A' + n % 26), char('A' + n / 26 % 26), char('A' + n / 676)};
        table.push_back(
            {name, iso, std::to_string(100000 + n * 98765), n % 3 == 0 ? "0" : "1", "01.01.1999"});
    }
    return table;
}

class Load : public MaintenanceTest {
  protected:
    // What the lists must show for a table: its lines in list order.
    static QStringList expectedLines(const std::vector<Currency>& table) {
        std::vector<std::string> lines;
        for (std::size_t k = 0; k < table.size(); ++k) {
            lines.push_back(buildListLine(decodeRecord(recordBytes(table[k])), static_cast<long>(k + 1)));
        }
        std::sort(lines.begin(), lines.end(),
                  [](const auto& a, const auto& b) { return compareListLines(a, b) < 0; });
        QStringList out;
        for (const auto& line : lines) out << QString::fromStdString(line);
        return out;
    }
    void expectTableShown(const std::vector<Currency>& table, int step) {
        ASSERT_TRUE(datBytes() == tableBytes(table)) << "file after step " << step;
        QStringList shown;
        for (int k = 0; k < main_->lstversteckt->lineCount(); ++k) shown << main_->lstversteckt->line(k);
        ASSERT_EQ(shown, expectedLines(table)) << "lists after step " << step;
        ASSERT_EQ(main_->txtEingabe->count(), static_cast<int>(table.size()));
    }
};

TEST_F(Load, EveryPairOfFiftyCurrenciesConvertsAsTheCoreComputesUnderBothEuroSettings) {
    const std::vector<Currency> table = largestTable();
    startOn(table);
    typeAmount("1.234,5678");
    const QStringList lines = expectedLines(table);
    for (const char* euroOption : {"optzw1", "optzw2"}) {
        main_->options()->findChild<QRadioButton*>(euroOption)->click();
        main_->options()->cmdOK_Click();
        const double stellen1 = std::string(euroOption) == "optzw1" ? 1000 : 10000;
        ASSERT_EQ(state_.settings.dStellen1, stellen1);
        for (int i = 0; i < 50; ++i) {
            const int from = i * 20;
            main_->txtEingabe->setCurrentIndex(from);
            for (int j = 0; j < 50; ++j) {
                const int to = j * 20 + 1;
                main_->txtAusgabe->setCurrentIndex(to);
                BerechnenInput input;
                input.betragText = "1.234,5678";
                input.cyEingabeKurs = Money::fromWhole(std::stol(lineKurs(lines[from].toStdString())));
                input.cyAusgabeKurs = Money::fromWhole(std::stol(lineKurs(lines[to].toStdString())));
                input.dStellen1 = stellen1;
                input.dStellen2 = 100;
                ASSERT_EQ(main_->txtWert->text().toStdString(), *Berechnen(input, state_.regional).wertText)
                    << from << " -> " << to << " with " << euroOption;
            }
        }
    }
    EXPECT_TRUE(windows_.messages.empty());
}

TEST_F(Load, AHundredSavesAndDeletionsInARowKeepFileAndListsExact) {
    std::vector<Currency> table = largestTable();
    startOn(table);
    for (int step = 1; step <= 100; ++step) {
        const long changed = 1 + (step * 37L) % static_cast<long>(table.size());
        frmEingabe2& e = openRecord(changed);
        const std::string rate = std::to_string(step) + ",25";
        e.txtbezeichnung->setText(QString::fromUtf8("Geändert Nr. ") + QString::number(step));
        e.txttkurs->setText(QString::fromStdString(rate));
        e.txtiso->setText("g" + QString::number(step % 10) + "x");
        e.chkewwu->setChecked(step % 2 == 0);
        e.cmdEingabeBeenden[0]->click();
        settle();
        table[changed - 1] = {"Geändert Nr. " + std::to_string(step), "G" + std::to_string(step % 10) + "X",
                              std::to_string(step) + "250000", step % 2 == 0 ? "1" : "0", "05.12.2026"};
        expectTableShown(table, step);

        const long dropped = 1 + (step * 53L) % static_cast<long>(table.size());
        windows_.answers = {MessageResult::Yes};
        openRecord(dropped).cmdloeschen->click();
        settle();
        table.erase(table.begin() + (dropped - 1));
        expectTableShown(table, step);
    }
    EXPECT_EQ(windows_.messageTexts().count(kSaving), 100);
    EXPECT_EQ(windows_.messages.size(), 200u);  // the notice of each save and each question
    EXPECT_EQ(storedCount(), 899);
}

// The record number of a list line has three digits: a longer table is listed up to record 999 in the
// time of 999 records however long it is, and the user hears of it once, not at every list pass.
TEST_F(Load, ATableOfMoreThan999RecordsIsListedUpToRecord999AndReportedOnce) {
    const std::vector<Currency> table = largestTable();
    writeTable(table);
    writeIni(kMaintenanceIni);
    std::filesystem::resize_file(dir_ / kCurrencyFileName, std::uintmax_t{2} << 30);  // 2 GB, sparse
    {
        const Deadline slow(30);
        start();
        openMemberWindow().cmdAbbrechenUmt_Click();  // a second list pass
    }
    ASSERT_EQ(windows_.messages.size(), 1u) << windows_.messageTexts().join(" | ").toStdString();
    EXPECT_TRUE(windows_.messages[0].text.contains(QString::fromUtf8("Angezeigt werden nur die ersten 999")));
    QStringList shown;
    for (int k = 0; k < main_->lstversteckt->lineCount(); ++k) shown << main_->lstversteckt->line(k);
    EXPECT_EQ(shown, expectedLines(table));
}

}  // namespace
}  // namespace kursomatik::testing
