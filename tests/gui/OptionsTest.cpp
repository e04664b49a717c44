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
    // The settings file's values of the keys, "-" for a missing one.
    std::string settings(std::initializer_list<const char*> keys) const {
        std::string values;
        for (const char* key : keys) values += getProfileString(iniPath(), "Kursomatik", key, "-") + " ";
        return values;
    }
    QRadioButton* option(const char* name) const { return find<QRadioButton>(name); }
    QString label(const char* name) const { return find<QLabel>(name)->text(); }
};

// The start writes each decimals pair again and moves a start currency of 0 to 1 before the dialog is
// made. Then each option writes its pair and shows its example at once, and each start list its
// position (never the first), but the result keeps the decimals read at the start until "OK".
TEST_F(Options, TheStartAndEachChoiceWriteTheSettingsButTheResultWaitsForOk) {
    start({kLira, kEuro, kDeutscheMark},
          "[Kursomatik]\nstellen1=1000\nstellen2=1000\noptionen1=7\noptionen2=3\nstartwaehrung=0\n");
    EXPECT_EQ(settings({"stellen2", "optionen2", "startwaehrung", "ausgabewaehrung"}), "10000 3 1 - ");
    typeAmount("100");
    trigger("Optionen");
    ASSERT_EQ(windows.modeless, 1);  // the main window stays usable
    // An unknown optionen1 sets no option of its frame and leaves its example empty.
    EXPECT_TRUE(option("optst3")->isChecked() && !option("optzw1")->isChecked() &&
                !option("optzw2")->isChecked() && label("lblBeispiel2").isEmpty());
    for (const auto& [name, written, labelName, example] :
         {std::tuple{"optst1", "100 1 1000 7 ", "lblBeispiel", " Beispiel: 1000,00 DEM"},
          std::tuple{"optst2", "1000 2 1000 7 ", "lblBeispiel", " Beispiel: 1000,000 DEM"}}) {
        option(name)->click();
        EXPECT_EQ(
            settings({"stellen2", "optionen2", "stellen1", "optionen1"}) + label(labelName).toStdString(),
            std::string(written) + example);
    }
    press(main.get(), "cmdBerechnen");
    EXPECT_EQ(result(), "51,129");  // 100 DM in Euro, still with the 3 decimals read at the start
    find<QComboBox>("txtstart")->setCurrentIndex(0);
    find<QComboBox>("txtausgabe2")->setCurrentIndex(2);
    EXPECT_EQ(find<QComboBox>("txtstart")->currentIndex(), 1);
    EXPECT_EQ(settings({"startwaehrung", "ausgabewaehrung"}), "1 2 ");
}

TEST_F(Options, OkOrEscReadEverythingAgainAndRecompute) {
    for (const std::string way : {"OK", "Esc"}) {
        start({kDeutscheMark, kEuro});
        typeAmount("100");
        trigger("Optionen");
        // A hand edit of the file reaches the conversion, even with no choice made.
        writeIni("[Kursomatik]\nstellen1=1000\nstellen2=10000\noptionen1=1\noptionen2=3\n");
        state.selection.sStartauswahl = "0";
        auto* dialog = find<QDialog>("frmOptionen");
        way == "OK" ? press(dialog, "cmdOK") : QTest::keyClick(dialog, Qt::Key_Escape);
        EXPECT_EQ(state.selection.sStartauswahl + " " + result().toStdString() +
                      (dialog->isVisible() ? " offen" : ""),
                  "1 51,1292")
            << way;
        // The dialog shows what it read.
        EXPECT_TRUE(option("optst3")->isChecked() && label("lblBeispiel") == " Beispiel: 1000,0000 DEM")
            << way;
    }
}

}  // namespace
}  // namespace kursomatik::testsupport
