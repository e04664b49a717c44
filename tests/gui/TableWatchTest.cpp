// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include "tests/gui/ProgramTest.h"

namespace kursomatik::testsupport {
namespace {

namespace fs = std::filesystem;

// The main window while another program changes its currency file.
class TableWatch : public ProgramTest {
  protected:
    // US-Dollar -> Deutsche Mark, 100.
    void startOnDollar() {
        start({kDeutscheMark, kEuro, kDollar}, kStartIni);
        typeAmount("100");
        choose(find<QComboBox>("txtEingabe"), QStringLiteral("US-Dollar"));
        choose(find<QComboBox>("txtAusgabe"), QStringLiteral("Deutsche Mark"));
        passes = std::make_unique<QSignalSpy>(find<LineList>("lstversteckt")->model(),
                                              &QAbstractItemModel::rowsInserted);
    }
    // As a safe writer does it: a new file renamed over the old one.
    void replaceTable(const std::vector<Currency>& currencies) {
        writeFile(dir / "neu.tmp", tableBytes(currencies));
        fs::rename(dir / "neu.tmp", dir / kCurrencyFileName);
    }
    std::string chosen() const {
        return (find<QComboBox>("txtEingabe")->currentText() + " -> " +
                find<QComboBox>("txtAusgabe")->currentText())
            .toStdString();
    }
    bool passed(int count) {
        return QTest::qWaitFor([&] { return passes->count() >= count; }, 2000);
    }

    std::unique_ptr<QSignalSpy> passes;
};

const Currency kNewDollar{"US-Dollar", "USD", "1070500", "0", "04.12.2026"};
const Currency kAustralian{"Australischer Dollar", "AUD", "1600000", "0", "04.12.2026"};

TEST_F(TableWatch, AChangeByAnotherProgramIsShownWithTheSameCurrenciesChosenAndNothingWritten) {
    startOnDollar();
    EXPECT_EQ(result().toStdString(), "165,83");
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
    EXPECT_EQ(readFile(iniPath()), ini);
    EXPECT_EQ(fs::last_write_time(iniPath()), iniTime);
    EXPECT_EQ(all(), "");
}

TEST_F(TableWatch, AChosenCurrencyThatIsGoneIsChosenAsAtStartWithoutAMessage) {
    startOnDollar();
    replaceTable({kDeutscheMark, kEuro, kFranc});
    ASSERT_TRUE(passed(1));
    // As the next start would: the settings' start currency (the first start moved it from the first
    // currency, which cannot be one, to the second).
    EXPECT_EQ(chosen(), "Euro -> Deutsche Mark");
    // Another program (the command's import) moved the start currency in the settings file: the
    // next refresh that needs it takes it from there, not from what the window read at start.
    std::string ini = readFile(iniPath());
    const auto at = ini.find("startwaehrung=1\n");
    ASSERT_NE(at, std::string::npos) << ini;
    writeIni(ini.replace(at, 16, "startwaehrung=2\n"));
    replaceTable({kDeutscheMark, kFranc, kDollar});
    ASSERT_TRUE(passed(2));
    EXPECT_EQ(chosen(), "US-Dollar -> Deutsche Mark");
    EXPECT_EQ(readFile(iniPath()), ini);
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
    QTest::qWait(1500);
    ASSERT_EQ(windows.messages.size(), 1U);
    EXPECT_TRUE(all().starts_with("Die Datei „") && all().find("ist nicht mehr da") != std::string::npos)
        << all();
    EXPECT_EQ(listed(), 3);
    EXPECT_EQ(chosen(), "US-Dollar -> Deutsche Mark");
}

}  // namespace
}  // namespace kursomatik::testsupport
