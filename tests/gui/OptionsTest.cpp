// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include <random>

#include "settings/IniFile.h"
#include "settings/OptionWrites.h"
#include "settings/qt/frmOptionen.h"
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
          std::tuple{"optzw2", "100 1 10000 2 ", "lblBeispiel2", " Beispiel: 1000,0000 EUR"},
          std::tuple{"optst2", "1000 2 10000 2 ", "lblBeispiel", " Beispiel: 1000,000 DEM"}}) {
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

// Until it is first shown, the dialog is not made: what its lists of start currencies and their
// handlers would write at each list pass is written without it. Over passes of growing and shrinking
// tables and settings of every kind, both write the same.
TEST(StartCurrencyChoices, WriteWhatTheDialogsListsWouldWriteAtEveryPass) {
    TempDir dir;
    RecordingWindowSystem windows;
    const RegionalSettings regional = RegionalSettings::german();
    std::string sStartauswahl;
    struct Side {
        SettingsEnvironment environment;
        SettingsState settings;
        std::filesystem::path ini() const { return environment.programDir / "Kursomatik.ini"; }
    };
    std::array<Side, 2> sides;  // the dialog's, and the one without it
    for (std::size_t i = 0; i < sides.size(); ++i) {
        sides[i].environment = {dir / std::to_string(i), dir / "WIN.INI", {}};
        std::filesystem::create_directories(sides[i].environment.programDir);
    }
    std::mt19937 random(7);
    const char* const positions[] = {"", "0", "1", "2", "03", "-1", "4", "abc"};
    for (int round = 0; round < 40; ++round) {
        const std::string ini = std::string("[Kursomatik]\nstartwaehrung=") + positions[random() % 8] +
                                "\nausgabewaehrung=" + positions[random() % 8] + "\n";
        for (Side& side : sides) {
            writeFile(side.ini(), ini);
            Initialisierung(sStartauswahl, side.settings, side.environment);
        }
        frmOptionen dialog(sides[0].settings, sides[0].environment, regional, sStartauswahl, windows, {});
        StartCurrencyChoices choices;
        for (int pass = 0; pass < 4; ++pass) {
            // Now and then an import moves a start currency between passes.
            const std::string moved = positions[random() % 8];
            for (Side& side : sides) {
                if (pass % 2 == 1)
                    (void)writeSetting(side.settings, side.environment, "startwaehrung",
                                       side.settings.sStartwaehrung, moved);
            }
            QStringList lines;
            for (int k = 0, count = static_cast<int>(random() % 5); k < count; ++k)
                lines << QString::number(k);
            dialog.takeCurrencies(lines, lines, lines);
            (void)choices.takeCurrencies(static_cast<std::size_t>(lines.size()), sides[1].settings,
                                         sides[1].environment, regional);
            ASSERT_EQ(readFile(sides[1].ini()), readFile(sides[0].ini()))
                << ini << " pass " << pass << " of " << lines.size();
        }
    }
}

}  // namespace
}  // namespace kursomatik::testsupport
