#include <QLabel>
#include <QRadioButton>

#include "IniFile.h"
#include "ProgramFixture.h"
#include "frmOptionen.h"

namespace kursomatik::testing {
namespace {

// 2 result decimals, 3 Euro decimals, Deutsche Mark to Euro.
const std::string kDemToEuro =
    "[Kursomatik]\nstellen1=1000\nstellen2=100\noptionen1=1\noptionen2=1\nstartwaehrung=0\nausgabewaehrung=1\n";

class Options : public ProgramTest {
  protected:
    std::string setting(const char* key) const {
        return getProfileString(state_.environment.programDir / "Kursomatik.ini", "Kursomatik", key,
                                "<fehlt>");
    }
    QRadioButton* option(const char* name) const { return main_->options()->findChild<QRadioButton*>(name); }
    QString label(const char* name) const { return main_->options()->findChild<QLabel*>(name)->text(); }
};

TEST_F(Options, ChoosingAnOptionWritesItsPairAtOnceButTheResultWaitsForOk) {
    writeTable({kDeutscheMark, kEuro});
    writeIni(kDemToEuro);
    WexlorEingabe& w = start();
    typeAmount("100");
    w.Optionen_Click();
    option("optst2")->click();
    EXPECT_EQ(setting("stellen2"), "1000");
    EXPECT_EQ(setting("optionen2"), "2");
    EXPECT_EQ(label("lblBeispiel"), " Beispiel: 1000,000 DEM");
    w.cmdBerechnen_Click();
    EXPECT_EQ(w.txtWert->text(), "51,13");
    w.options()->cmdOK_Click();
    EXPECT_FALSE(w.options()->isVisible());
    EXPECT_EQ(w.txtWert->text(), "51,129");
}

TEST_F(Options, EachOptionWritesItsValuesAndExample) {
    struct Case {
        const char* option;
        const char* stellenKey;
        const char* stellen;
        const char* optionenKey;
        const char* optionen;
        const char* labelName;
        const char* example;
    };
    writeTable({kDeutscheMark, kEuro});
    writeIni("[Kursomatik]\n");
    start();
    for (const Case& c :
         {Case{"optst1", "stellen2", "100", "optionen2", "1", "lblBeispiel", " Beispiel: 1000,00 DEM"},
          Case{"optst3", "stellen2", "10000", "optionen2", "3", "lblBeispiel", " Beispiel: 1000,0000 DEM"},
          Case{"optzw2", "stellen1", "10000", "optionen1", "2", "lblBeispiel2", " Beispiel: 1000,0000 EUR"},
          Case{"optzw1", "stellen1", "1000", "optionen1", "1", "lblBeispiel2", " Beispiel: 1000,000 EUR"}}) {
        option(c.option)->click();
        EXPECT_TRUE(option(c.option)->isChecked()) << c.option;
        EXPECT_EQ(setting(c.stellenKey), c.stellen) << c.option;
        EXPECT_EQ(setting(c.optionenKey), c.optionen) << c.option;
        EXPECT_EQ(label(c.labelName), QString::fromUtf8(c.example)) << c.option;
    }
}

TEST_F(Options, AtStartTheOptionOfTheIniIsSetAndItsPairWrittenAgain) {
    writeTable({kDeutscheMark, kEuro});
    writeIni("[Kursomatik]\nstellen1=1000\nstellen2=1000\noptionen1=7\noptionen2=3\n");
    start();
    EXPECT_TRUE(option("optst3")->isChecked());
    EXPECT_EQ(setting("stellen2"), "10000");
    EXPECT_EQ(setting("optionen2"), "3");
    // The reading before it still counts until the next one: 3 decimals.
    EXPECT_EQ(state_.settings.dStellen2, 1000.0);
    EXPECT_EQ(main_->txtWert->text(), "0,000");
    // An unknown optionen1 sets no option of its frame and leaves its example empty.
    EXPECT_FALSE(option("optzw1")->isChecked());
    EXPECT_FALSE(option("optzw2")->isChecked());
    EXPECT_EQ(label("lblBeispiel2"), "");
}

TEST_F(Options, TheFirstCurrencyCannotBeAStartCurrency) {
    writeTable({kLira, kEuro, kDeutscheMark});
    writeIni("[Kursomatik]\nstellen2=100\noptionen2=1\nstartwaehrung=2\nausgabewaehrung=1\n");
    WexlorEingabe& w = start();
    w.options()->txtstart->setCurrentIndex(0);
    EXPECT_EQ(w.options()->txtstart->currentIndex(), 1);
    EXPECT_EQ(setting("startwaehrung"), "1");
    w.options()->txtausgabe2->setCurrentIndex(2);
    EXPECT_EQ(setting("ausgabewaehrung"), "2");
}

TEST_F(Options, OkWithoutChangeReadsEverythingAgainAndRecomputes) {
    writeTable({kDeutscheMark, kEuro});
    writeIni(kDemToEuro);
    WexlorEingabe& w = start();
    typeAmount("100");
    // A hand edit of the file reaches the conversion on "OK", even with no choice made.
    writeIni("[Kursomatik]\nstellen1=1000\nstellen2=10000\noptionen1=1\noptionen2=1\n");
    state_.selection.sStartauswahl = "0";
    w.options()->cmdOK_Click();
    EXPECT_EQ(state_.selection.sStartauswahl, "1");
    EXPECT_EQ(w.txtWert->text(), "51,1292");
}

TEST_F(Options, TheDialogLeavesTheMainWindowUsable) {
    writeTable({kDeutscheMark, kEuro});
    writeIni("[Kursomatik]\n");
    WexlorEingabe& w = start();
    w.Optionen_Click();
    ASSERT_EQ(windows_.modeless.size(), 1u);
    EXPECT_EQ(windows_.modeless[0], w.options());
    EXPECT_TRUE(windows_.modal.empty());
    // Esc (reject) leaves like "OK": the dialog hides, keeping its state.
    w.options()->reject();
    EXPECT_FALSE(w.options()->isVisible());
}

}  // namespace
}  // namespace kursomatik::testing
