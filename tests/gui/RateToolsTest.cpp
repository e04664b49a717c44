// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "app/RateAgeLine.h"
#include "platform/qt/QtWindowSystem.h"
#include "settings/IniFile.h"
#include "tests/gui/ProgramTest.h"
#include "tests/support/RateServer.h"

namespace kursomatik::testsupport {
namespace {

const Currency kYen{"Japanischer Yen", "JPY", "120000000", "0", "05.12.2026"};     // today's rate
const Currency kFranken{"Schweizer Franken", "CHF", "917500", "0", "21.10.2026"};  // 45 days before today
// The reference-rate import of the other currencies window, the age line and the Bearbeiten menu.
class RateTools : public ProgramTest {
  protected:
    QLabel* ageLine() const { return find<QLabel>("lblKursalter"); }
    // The settings file's values of the keys, "-" for a missing one.
    std::string settings(std::initializer_list<const char*> keys) const {
        std::string values;
        for (const char* key : keys) values += getProfileString(iniPath(), "Kursomatik", key, "-") + " ";
        return values;
    }
    QRadioButton* option(const char* name) const { return find<QRadioButton>(name); }
    QString label(const char* name) const { return find<QLabel>(name)->text(); }
    // US-Dollar (302 days old) -> Schweizer Franken (45 days).
    void startOnOldRates() {
        start({kDeutscheMark, kEuro, kDollar, kFranken}, kStartIni);
        choose(find<QComboBox>("txtEingabe"), QStringLiteral("US-Dollar"));
        choose(find<QComboBox>("txtAusgabe"), QStringLiteral("Schweizer Franken"));
    }
};
using Options = RateTools;
using AgeLine = RateTools;

TEST_F(RateTools, ImportKeepsTheChosenCurrenciesAndAsksBeforeOverwritingNewerRates) {
    // US-Dollar -> Yen, also as start currencies; the file brings a new currency that sorts first, a
    // rate older than the Yen's and one for a member.
    start({kDeutscheMark, kEuro, kDollar, kYen}, kDecimalsIni + "startwaehrung=3\nausgabewaehrung=2\n");
    typeAmount("100");
    const std::string table = datBytes();
    const std::string file =
        "Date, USD, JPY, AUD, DEM, \n04 December 2026, 1.1000, 160.50, 1.6000, 2.0000, \n";
    // "Abbrechen" on the question imports nothing and says nothing more; "Nein" keeps the newer rate.
    windows.answers = {MessageResult::Cancel};
    importFile(file);
    EXPECT_TRUE(said({"1 Kurs, der neuer ist"}) &&
                windows.messages[0].buttons == MessageButtons::YesNoCancel && datBytes() == table);
    windows.answers = {MessageResult::No};
    importFile(file);
    EXPECT_TRUE(said({"neuer ist", "1 Kurs aktualisiert, 1 Währung neu, 1 Festkurs beibehalten, 1 neuerer"}))
        << all();
    EXPECT_EQ(find<QComboBox>("txtAusgabe")->itemText(0), "Australischer Dollar");
    // The same currencies stay chosen at their new places, with the new rates.
    EXPECT_EQ(chosen(), "US-Dollar -> Japanischer Yen");
    EXPECT_EQ(state.selection.sEingabeIndex + " " + result().toStdString(), "4 10.909,08");
    EXPECT_EQ(ageLine()->text().toStdString(), "Kurs USD vom 04.12.2026; Kurs JPY vom 05.12.2026");
    // The start currencies follow them, in the settings file and in the options dialog.
    EXPECT_NE(readFile(iniPath()).find("startwaehrung=4\nausgabewaehrung=3\n"), std::string::npos);
    trigger("Optionen");
    EXPECT_EQ(chosen("txtstart", "txtausgabe2"), "US-Dollar -> Japanischer Yen");
    // A file that cannot be imported changes nothing.
    const std::string before = datBytes();
    importFile("Datum; Kurs\nheute; viel\n");
    EXPECT_TRUE(said({"eurofxref.csv"}) && windows.messages[0].icon == MessageIcon::Stop) << all();
    EXPECT_EQ(datBytes(), before);
}

// F5 and the other currencies' button: the source's file through the import, "Abbrechen" while it
// comes, and neither of them while a request runs.
TEST_F(RateTools, KurseAktualisierenImportsTheSourcesFileAndAbbrechenStopsIt) {
    const std::string daily = "<Cube><Cube time='2026-12-04'><Cube currency='AUD' rate='1.6'/></Cube></Cube>";
    RateServer source([&](const ServedRequest& request) {
        if (request.path == "/slow") return ServedAnswer{"", true};
        ServedAnswer answer = httpAnswer(200, daily);
        answer.delayMs = 600;  // long enough for the progress window to show
        return answer;
    });
    start({kDeutscheMark, kEuro, kDollar}, kStartIni + "kursquelle=" + source.url("/slow") + "\n");
    const std::string table = datBytes();
    QAction* update = find<QAction>("Aktualisieren");
    update->trigger();
    auto* progress = find<QProgressDialog>("dlgKursabruf");
    ASSERT_NE(progress, nullptr);
    EXPECT_FALSE(update->isEnabled());
    EXPECT_FALSE(child<QPushButton>(&otherWindow(), "cmdNetz")->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return source.requests().size() == 1; }, 3000));
    // A server that keeps silent: the progress shows soon all the same, with its Abbrechen.
    EXPECT_TRUE(QTest::qWaitFor([&] { return progress->isVisible(); }, 1500));
    progress->findChild<QPushButton*>()->click();  // "Abbrechen"
    EXPECT_TRUE(update->isEnabled() && child<QPushButton>(&otherWindow(), "cmdNetz")->isEnabled());
    EXPECT_TRUE(all().empty() && datBytes() == table) << all();
    // Now from the button: the new currency is listed and the summary says so.
    writeIni(kStartIni + "kursquelle=" + source.url("/daily.xml") + "\n");
    bool progressShownBehindTheSummary = false;
    windows.onMessage = [&] {
        for (const QProgressDialog* open : main->findChildren<QProgressDialog*>())
            progressShownBehindTheSummary |= open->isVisible();
    };
    press(&otherWindow(), "cmdNetz");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !windows.messages.empty(); }, 5000));
    EXPECT_FALSE(progressShownBehindTheSummary);
    EXPECT_TRUE(said({"Referenzkurse vom 04.12.2026: 0 Kurse aktualisiert, 1 Währung neu."})) << all();
    EXPECT_TRUE(update->isEnabled());  // F5 again, once the answer is in
}

// The real box of that question: "Nein" is the default, so Enter keeps the newer rates; Esc (as the
// title bar's close, which goes the same way) is "Abbrechen".
TEST(NewerRatesQuestion, EnterAnswersNeinAndEscCancels) {
    QtWindowSystem windows;
    for (const auto& [key, expected] :
         {std::pair{Qt::Key_Return, MessageResult::No}, std::pair{Qt::Key_Escape, MessageResult::Cancel}}) {
        QStringList buttons;
        QTimer::singleShot(0, [&, key = key] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            for (QAbstractButton* b : box->buttons()) buttons << b->text();
            buttons.sort();
            buttons << (box->defaultButton() ? box->defaultButton()->text() : "kein Standard");
            QTest::keyClick(box, key);
        });
        QObject round;  // should the box stay open, the test ends it rather than hang
        QTimer::singleShot(5000, &round, [&] {
            if (QWidget* box = QApplication::activeModalWidget()) buttons << "hängt", box->close();
        });
        const MessageResult answer = windows.message(nullptr, QStringLiteral("Überschreiben?"),
                                                     MessageButtons::YesNoCancel, MessageIcon::None);
        EXPECT_TRUE(answer == expected) << key;
        EXPECT_EQ(buttons.join('|').toStdString(), "&Ja|&Nein|Abbrechen|&Nein") << key;
    }
}

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
    for (const auto& [name, written] : {std::pair{"optst1", "100 1 1000 7  Beispiel: 1000,00 DEM"},
                                        std::pair{"optst2", "1000 2 1000 7  Beispiel: 1000,000 DEM"}}) {
        option(name)->click();
        EXPECT_EQ(
            settings({"stellen2", "optionen2", "stellen1", "optionen1"}) + label("lblBeispiel").toStdString(),
            written);
    }
    press(main.get(), "cmdBerechnen");
    EXPECT_EQ(result(), "51,129");  // 100 DM in Euro, still with the 3 decimals read at the start
    find<QComboBox>("txtstart")->setCurrentIndex(0);
    find<QComboBox>("txtausgabe2")->setCurrentIndex(2);
    EXPECT_EQ(find<QComboBox>("txtstart")->currentIndex(), 1);
    EXPECT_EQ(settings({"startwaehrung", "ausgabewaehrung"}), "1 2 ");
}

// Every grey from black to white.
TEST(AgeLineColour, KeepsAContrastOfAtLeast4To5OnEveryBackground) {
    for (int grey = 0; grey <= 255; ++grey) {
        const QColor background(grey, grey, grey);
        EXPECT_GE(contrastRatio(warningColour(background), background), 4.5) << grey;
    }
    // The formula's corner: black on white is 21.
    EXPECT_NEAR(contrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
}

// Both rates old: the whole text does not fit, so the short form shows, never cut, in a colour that
// reads on a light and on a dark palette; the whole text is in the tooltip and for the screen reader.
TEST_F(AgeLine, TwoOldRatesShowTheShortFormReadablyOnLightAndDarkPalettes) {
    const QPalette light = QApplication::palette();
    for (const QPalette& palette :
         {light, QPalette(QColor(0x2d, 0x2d, 0x2d))}) {  // a dark window, light text
        QApplication::setPalette(palette);
        startOnOldRates();
        const std::string full =
            "Kurs USD vom 06.02.2026 – 302 Tage alt; Kurs CHF vom 21.10.2026 – 45 Tage alt";
        EXPECT_EQ(ageLine()->text().toStdString(), "\u26a0 USD 302 Tage, CHF 45 Tage alt");
        EXPECT_LE(ageLine()->fontMetrics().horizontalAdvance(ageLine()->text()), ageLine()->width());
        EXPECT_EQ(ageLine()->toolTip().toStdString(), "\u26a0 " + full);
        EXPECT_EQ(ageLine()->accessibleDescription(), ageLine()->toolTip());
        EXPECT_EQ(ageLine()->accessibleName().toStdString(), "Warnung: " + full);
        const QColor warning = ageLine()->palette().color(QPalette::WindowText);
        EXPECT_GE(contrastRatio(warning, ageLine()->palette().color(QPalette::Window)), 4.5);
        EXPECT_TRUE(warning.red() > warning.green() + 40 && warning.red() > warning.blue() + 40);  // red
    }
    QApplication::setPalette(light);
}

// "Warnung bei Kursen älter als [n] Tagen" in the options dialog: written at once, taken by OK.
TEST_F(AgeLine, TheOptionsDialogSetsTheAgeLimit) {
    startOnOldRates();
    trigger("Optionen");
    auto* dialog = find<QDialog>("frmOptionen");
    auto* days = child<QSpinBox>(dialog, "txtkursalter");
    ASSERT_TRUE(days != nullptr && days->value() == 30);
    for (const auto& [limit, shown] : {std::pair{100, "\u26a0 USD 302 Tage alt, CHF vom 21.10.2026"},
                                       {400, "Kurs USD vom 06.02.2026; Kurs CHF vom 21.10.2026"},
                                       {0, "Kurs USD vom 06.02.2026; Kurs CHF vom 21.10.2026"}}) {
        trigger("Optionen");
        days->setValue(limit);
        EXPECT_NE(readFile(iniPath()).find("kursalter=" + std::to_string(limit) + "\n"), std::string::npos);
        press(dialog, "cmdOK");
        const QString text = ageLine()->text();
        EXPECT_TRUE(text == QString::fromUtf8(shown) || ageLine()->toolTip().endsWith(text))
            << text.toStdString();
        EXPECT_EQ(ageLine()->font().bold(), limit == 100) << limit;
    }
    // A limit written by hand shows in the box after Esc, which reads the settings again as OK does,
    // without being written again.
    writeIni(kStartIni + "kursalter=7\n");
    trigger("Optionen");
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_EQ(days->value(), 7);
    EXPECT_EQ(readFile(iniPath()), kStartIni + "kursalter=7\n");
}

}  // namespace
}  // namespace kursomatik::testsupport
