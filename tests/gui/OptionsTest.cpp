// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include "settings/IniFile.h"
#include "tests/gui/ProgramTest.h"

namespace kursomatik::testsupport {
namespace {

class Options : public ProgramTest {
  protected:
    std::string setting(const std::string& key) const {
        return getProfileString(iniPath(), "Kursomatik", key, "<fehlt>");
    }
    QRadioButton* option(const char* name) const { return find<QRadioButton>(name); }
    QString label(const char* name) const { return find<QLabel>(name)->text(); }
};

TEST_F(Options, EachOptionWritesItsPairAndExampleAtOnceButTheResultWaitsForOk) {
    start({kDeutscheMark, kEuro});
    typeAmount("100");
    trigger("Optionen");
    ASSERT_EQ(windows.modeless.size(), 1u);  // the main window stays usable
    for (const auto& [name, key, written, labelName, example] :
         {std::tuple{"optst3", "2", "10000 3", "lblBeispiel", " Beispiel: 1000,0000 DEM"},
          std::tuple{"optzw1", "1", "1000 1", "lblBeispiel2", " Beispiel: 1000,000 EUR"},
          std::tuple{"optst1", "2", "100 1", "lblBeispiel", " Beispiel: 1000,00 DEM"}}) {
        option(name)->click();
        EXPECT_EQ(setting(std::string("stellen") + key) + " " + setting(std::string("optionen") + key) +
                      (option(name)->isChecked() ? "" : " unchecked") + label(labelName).toStdString(),
                  std::string(written) + example);
    }
    press(main.get(), "cmdBerechnen");
    EXPECT_EQ(result(), "51,13");  // the decimals read at the start, until "OK" reads them again
}

TEST_F(Options, AtStartTheOptionOfTheIniIsSetAndItsPairWrittenAgain) {
    start({kDeutscheMark, kEuro}, "[Kursomatik]\nstellen1=1000\nstellen2=1000\noptionen1=7\noptionen2=3\n");
    EXPECT_TRUE(option("optst3")->isChecked());
    EXPECT_EQ(setting("stellen2") + setting("optionen2"), "100003");
    // The reading before it still counts until the next one: 3 decimals.
    EXPECT_EQ(result(), "0,000");
    // An unknown optionen1 sets no option of its frame and leaves its example empty.
    EXPECT_FALSE(option("optzw1")->isChecked() || option("optzw2")->isChecked() ||
                 !label("lblBeispiel2").isEmpty());
}

TEST_F(Options, TheFirstCurrencyCannotBeAStartCurrency) {
    start({kLira, kEuro, kDeutscheMark}, "[Kursomatik]\nstellen2=100\noptionen2=1\nstartwaehrung=2\n");
    find<QComboBox>("txtstart")->setCurrentIndex(0);
    find<QComboBox>("txtausgabe2")->setCurrentIndex(2);
    EXPECT_EQ(find<QComboBox>("txtstart")->currentIndex(), 1);
    EXPECT_EQ(setting("startwaehrung") + setting("ausgabewaehrung"), "12");
}

TEST_F(Options, OkEscOrTheTitleBarReadEverythingAgainAndRecompute) {
    for (const std::string way : {"OK", "Esc", "title bar"}) {
        start({kDeutscheMark, kEuro});
        typeAmount("100");
        trigger("Optionen");
        // A hand edit of the file reaches the conversion, even with no choice made.
        writeIni("[Kursomatik]\nstellen1=1000\nstellen2=10000\noptionen1=1\noptionen2=3\n");
        state.selection.sStartauswahl = "0";
        auto* dialog = find<QDialog>("frmOptionen");
        if (way == "OK") press(dialog, "cmdOK");
        if (way == "Esc") QTest::keyClick(dialog, Qt::Key_Escape);
        if (way == "title bar") dialog->close();
        EXPECT_FALSE(dialog->isVisible()) << way;
        EXPECT_EQ(state.selection.sStartauswahl + " " + result().toStdString(), "1 51,1292") << way;
        // The dialog shows what it read.
        EXPECT_TRUE(option("optst3")->isChecked() && label("lblBeispiel") == " Beispiel: 1000,0000 DEM")
            << way;
    }
}

}  // namespace
}  // namespace kursomatik::testsupport
