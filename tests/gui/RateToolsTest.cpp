// SPDX-License-Identifier: GPL-3.0-or-later
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <QProgressDialog>

#include "platform/qt/QtWindowSystem.h"
#include "tests/gui/ProgramTest.h"
#include "tests/support/RateServer.h"

namespace kursomatik::testsupport {
namespace {

const Currency kYen{"Japanischer Yen", "JPY", "120000000", "0", "05.12.2026"};  // today's rate

// The reference-rate import of the other currencies window, the age line and the Bearbeiten menu.
class RateTools : public ProgramTest {
  protected:
    std::string chosen(const char* in, const char* out) const {
        return (find<QComboBox>(in)->currentText() + " -> " + find<QComboBox>(out)->currentText())
            .toStdString();
    }
    QLabel* ageLine() const { return find<QLabel>("lblKursalter"); }
    void import(const std::string& fileText) {
        windows.messages.clear();
        writeFile(dir / "eurofxref.csv", fileText);
        windows.chosenFile = QString::fromStdString((dir / "eurofxref.csv").string());
        press(&otherWindow(), "cmdImport");
    }
};

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
    import(file);
    EXPECT_TRUE(said({"1 Kurs, der neuer ist"}) &&
                windows.messages[0].buttons == MessageButtons::YesNoCancel && datBytes() == table);
    windows.answers = {MessageResult::No};
    import(file);
    EXPECT_TRUE(said({"neuer ist", "1 Kurs aktualisiert, 1 Währung neu, 1 Festkurs beibehalten, 1 neuerer"}))
        << all();
    EXPECT_TRUE(datBytes().starts_with(table.substr(0, kRecordLength)));
    EXPECT_EQ(find<QComboBox>("txtAusgabe")->itemText(0), "Australischer Dollar");
    // The same currencies stay chosen at their new places, with the new rates.
    EXPECT_EQ(chosen("txtEingabe", "txtAusgabe"), "US-Dollar -> Japanischer Yen");
    EXPECT_EQ(state.selection.sEingabeIndex + " " + result().toStdString(), "4 10.909,08");
    EXPECT_EQ(ageLine()->text().toStdString(), "Kurs USD vom 04.12.2026; Kurs JPY vom 05.12.2026");
    // The start currencies follow them, in the settings file and in the options dialog, and the next
    // start opens on them.
    EXPECT_NE(readFile(iniPath()).find("startwaehrung=4\nausgabewaehrung=3\n"), std::string::npos);
    trigger("Optionen");
    EXPECT_EQ(chosen("txtstart", "txtausgabe2"), "US-Dollar -> Japanischer Yen");
    start();
    EXPECT_EQ(chosen("txtEingabe", "txtAusgabe"), "US-Dollar -> Japanischer Yen");
    // A file that cannot be imported changes nothing.
    const std::string before = datBytes();
    import("Datum; Kurs\nheute; viel\n");
    EXPECT_TRUE(said({"eurofxref.csv"}) && windows.messages[0].icon == MessageIcon::Stop) << all();
    EXPECT_EQ(datBytes(), before);
}

// F5 and the other currencies' button: the source's file through the import, "Abbrechen" while it
// comes, and neither of them while a request runs.
TEST_F(RateTools, KurseAktualisierenImportsTheSourcesFileAndAbbrechenStopsIt) {
    const std::string daily = "<Cube><Cube time='2026-12-04'><Cube currency='AUD' rate='1.6'/></Cube></Cube>";
    RateServer source([&](const ServedRequest& request) {
        if (request.path == "/slow") return ServedAnswer{"", 0, true};
        ServedAnswer answer = httpAnswer(200, daily);
        answer.delayMs = 600;  // long enough for the progress window to show
        return answer;
    });
    qputenv("XDG_CACHE_HOME", dir.path().c_str());
    const std::string ini = kStartIni + "kursquelle=" + source.url("/slow") + "\n";
    start({kDeutscheMark, kEuro, kDollar}, ini);
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
    EXPECT_EQ(find<QComboBox>("txtAusgabe")->itemText(0), "Australischer Dollar");
    qunsetenv("XDG_CACHE_HOME");
}

// The real box of that question: "Nein" is the default, so Enter keeps the newer rates; Esc and the
// title bar's close are "Abbrechen".
TEST(NewerRatesQuestion, EnterAnswersNeinEscAndCloseCancel) {
    QtWindowSystem windows;
    for (const auto& [key, expected] :
         {std::pair{Qt::Key_Return, MessageResult::No}, std::pair{Qt::Key_Escape, MessageResult::Cancel},
          std::pair{Qt::Key_unknown, MessageResult::Cancel}}) {  // the title bar's close
        QStringList buttons;
        QTimer::singleShot(0, [&, key = key] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            for (QAbstractButton* b : box->buttons()) buttons << b->text();
            buttons.sort();
            buttons << (box->defaultButton() ? box->defaultButton()->text() : "kein Standard");
            key == Qt::Key_unknown ? void(box->close()) : QTest::keyClick(box, key);
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

TEST_F(RateTools, TheAgeLineNamesTheDateOfARateAndWarnsWhenItIsOlderThanTheSetLimit) {
    for (const auto& [ini, input, shown] :
         {std::tuple{"", "US-Dollar", "\u26a0 Kurs USD vom 06.02.2026 – 302 Tage alt"},
          std::tuple{"kursalter=0\n", "US-Dollar", "Kurs USD vom 06.02.2026"}}) {
        // Chosen first with the default limit; the options dialog's OK takes the limit of the file.
        start({kDeutscheMark, kEuro, kDollar, kYen}, kStartIni);
        choose(find<QComboBox>("txtEingabe"), QString::fromUtf8(input));
        writeIni(kStartIni + ini);
        trigger("Optionen");
        press(find<QDialog>("frmOptionen"), "cmdOK");
        EXPECT_EQ(ageLine()->text().toStdString(), shown);
    }
}

TEST_F(RateTools, TauschenSwapsTheCurrenciesAndKopierenCopiesTheResult) {
    start({kDeutscheMark, kEuro, kFranc}, kStartIni);
    typeAmount("100");
    choose(find<QComboBox>("txtAusgabe"), QString::fromUtf8("Französischer Franc"));
    trigger("Tauschen");
    EXPECT_EQ(chosen("txtEingabe", "txtAusgabe"), "Französischer Franc -> Deutsche Mark");
    EXPECT_EQ(find<QLineEdit>("txtWertEingabe")->text() + " = " + result() + " " +
                  find<QLineEdit>("txtisoein")->text() + find<QLineEdit>("Text2")->text(),
              "100 = 29,82 FRFDEM");
    trigger("Kopieren");
    EXPECT_EQ(QGuiApplication::clipboard()->text() + all().c_str(), "29,82");  // and no message
}

}  // namespace
}  // namespace kursomatik::testsupport
