// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "settings/IniFile.h"
#include "tests/gui/ProgramTest.h"

namespace kursomatik::testing {
namespace {

class Options : public ProgramTest {
  protected:
    std::string setting(const char* key) const {
        return getProfileString(state.environment.programDir / "Kursomatik.ini", "Kursomatik", key,
                                "<fehlt>");
    }
    QRadioButton* option(const char* name) const { return find<QRadioButton>(name); }
    QString label(const char* name) const { return find<QLabel>(name)->text(); }
    void ok() { find<QPushButton>("cmdOK")->click(); }
};

TEST_F(Options, ChoosingAnOptionWritesItsPairAtOnceButTheResultWaitsForOk) {
    start({kDeutscheMark, kEuro});
    typeAmount("100");
    trigger("Optionen");
    ASSERT_EQ(windows.modeless.size(), 1u);  // the main window stays usable
    option("optst2")->click();
    EXPECT_EQ(setting("stellen2") + setting("optionen2"), "10002");
    EXPECT_EQ(label("lblBeispiel"), " Beispiel: 1000,000 DEM");
    find<QPushButton>("cmdBerechnen")->click();
    EXPECT_EQ(result(), "51,13");
    ok();
    EXPECT_FALSE(options().isVisible());
    EXPECT_EQ(result(), "51,129");
}

TEST_F(Options, EachOptionWritesItsValuesAndExample) {
    struct Case {
        const char* option;
        const char* stellenKey;
        const char* optionenKey;
        const char* written;  // stellen and optionen
        const char* labelName;
        const char* example;
    };
    start({kDeutscheMark, kEuro}, "[Kursomatik]\n");
    for (const Case& c :
         {Case{"optst1", "stellen2", "optionen2", "100 1", "lblBeispiel", " Beispiel: 1000,00 DEM"},
          Case{"optst3", "stellen2", "optionen2", "10000 3", "lblBeispiel", " Beispiel: 1000,0000 DEM"},
          Case{"optzw2", "stellen1", "optionen1", "10000 2", "lblBeispiel2", " Beispiel: 1000,0000 EUR"},
          Case{"optzw1", "stellen1", "optionen1", "1000 1", "lblBeispiel2", " Beispiel: 1000,000 EUR"}}) {
        option(c.option)->click();
        EXPECT_TRUE(option(c.option)->isChecked()) << c.option;
        EXPECT_EQ(setting(c.stellenKey) + " " + setting(c.optionenKey), c.written) << c.option;
        EXPECT_EQ(label(c.labelName), QString::fromUtf8(c.example)) << c.option;
    }
}

TEST_F(Options, AtStartTheOptionOfTheIniIsSetAndItsPairWrittenAgain) {
    start({kDeutscheMark, kEuro}, "[Kursomatik]\nstellen1=1000\nstellen2=1000\noptionen1=7\noptionen2=3\n");
    EXPECT_TRUE(option("optst3")->isChecked());
    EXPECT_EQ(setting("stellen2") + setting("optionen2"), "100003");
    // The reading before it still counts until the next one: 3 decimals.
    EXPECT_EQ(result(), "0,000");
    // An unknown optionen1 sets no option of its frame and leaves its example empty.
    EXPECT_FALSE(option("optzw1")->isChecked() || option("optzw2")->isChecked());
    EXPECT_EQ(label("lblBeispiel2"), "");
}

TEST_F(Options, TheFirstCurrencyCannotBeAStartCurrency) {
    start({kLira, kEuro, kDeutscheMark}, "[Kursomatik]\nstellen2=100\noptionen2=1\nstartwaehrung=2\n");
    auto* first = find<QComboBox>("txtstart");
    first->setCurrentIndex(0);
    EXPECT_EQ(first->currentIndex(), 1);
    EXPECT_EQ(setting("startwaehrung"), "1");
    find<QComboBox>("txtausgabe2")->setCurrentIndex(2);
    EXPECT_EQ(setting("ausgabewaehrung"), "2");
}

TEST_F(Options, OkEscOrTheTitleBarReadEverythingAgainAndRecompute) {
    for (const char* way : {"OK", "Esc", "title bar"}) {
        SCOPED_TRACE(way);
        start({kDeutscheMark, kEuro});
        typeAmount("100");
        trigger("Optionen");
        // A hand edit of the file reaches the conversion, even with no choice made.
        writeIni("[Kursomatik]\nstellen1=1000\nstellen2=10000\noptionen1=1\noptionen2=3\n");
        state.selection.sStartauswahl = "0";
        if (way[0] == 'O') ok();
        if (way[0] == 'E') QTest::keyClick(&options(), Qt::Key_Escape);
        if (way[0] == 't') options().close();
        EXPECT_FALSE(options().isVisible());
        EXPECT_EQ(state.selection.sStartauswahl, "1");
        EXPECT_EQ(result(), "51,1292");
        EXPECT_TRUE(option("optst3")->isChecked());  // the dialog shows what it read
        EXPECT_EQ(label("lblBeispiel"), " Beispiel: 1000,0000 DEM");
    }
}

}  // namespace
}  // namespace kursomatik::testing
