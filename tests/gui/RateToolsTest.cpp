// SPDX-License-Identifier: GPL-3.0-or-later
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "platform/qt/PickList.h"
#include "platform/qt/QtWindowSystem.h"
#include "tests/gui/ProgramTest.h"

namespace kursomatik::testsupport {
namespace {

const Currency kYen{"Japanischer Yen", "JPY", "120000000", "0", "05.12.2026"};  // today's rate

// The reference-rate import of the other currencies window, the age line and the Bearbeiten menu.
class RateTools : public ProgramTest {
  protected:
    std::string chosen(const char* box) const { return find<QComboBox>(box)->currentText().toStdString(); }
    QLabel* ageLine() const { return find<QLabel>("lblKursalter"); }
    void import(const std::string& fileText) {
        writeFile(dir / "eurofxref.csv", fileText);
        windows.chosenFile = QString::fromStdString((dir / "eurofxref.csv").string());
        press(&otherWindow(), "cmdImport");
    }
};

TEST_F(RateTools, ImportKeepsTheChosenCurrenciesAndAsksBeforeOverwritingNewerRates) {
    // US-Dollar -> Yen, also as start currencies; the file brings a new currency that sorts first and
    // a rate for a member.
    start({kDeutscheMark, kEuro, kDollar, kYen}, kDecimalsIni + "startwaehrung=3\nausgabewaehrung=2\n");
    typeAmount("100");
    const std::string table = datBytes();
    const std::string file =
        "Date, USD, JPY, AUD, DEM, \n04 December 2026, 1.1000, 160.50, 1.6000, 2.0000, \n";
    // "Abbrechen" on the question imports nothing and says nothing more.
    windows.answers = {MessageResult::Cancel};
    import(file);
    EXPECT_EQ(windows.messages.size(), 1U) << all();
    EXPECT_EQ(datBytes(), table);
    windows.messages.clear();
    windows.answers = {MessageResult::No};
    import(file);
    ASSERT_EQ(windows.messages.size(), 2U) << all();
    EXPECT_TRUE(windows.messages[0].buttons == MessageButtons::YesNoCancel &&
                windows.messages[0].text.contains("1 Kurs, der neuer ist"));
    EXPECT_EQ(windows.messages[1].text.toStdString(),
              "Referenzkurse vom 04.12.2026: 1 Kurs aktualisiert, 1 Währung neu, 1 Festkurs beibehalten, 1 "
              "neuerer Kurs beibehalten.");
    EXPECT_EQ(datBytes().substr(0, kRecordLength), table.substr(0, kRecordLength));
    EXPECT_EQ(names(find<QComboBox>("txtAusgabe")).first(), "Australischer Dollar");
    EXPECT_TRUE(names(find<FlexGrid>("grdTable2")).contains("Australischer Dollar"));
    // The same currencies stay chosen at their new places, with the new rates.
    EXPECT_EQ(chosen("txtEingabe") + " -> " + chosen("txtAusgabe"), "US-Dollar -> Japanischer Yen");
    EXPECT_EQ(state.selection.sEingabeIndex + " " + result().toStdString(), "4 10.909,08");
    EXPECT_EQ(ageLine()->text().toStdString(), "Kurs USD vom 04.12.2026; Kurs JPY vom 05.12.2026");
    // The start currencies follow them, in the settings file and in the options dialog, and the next
    // start opens on them.
    EXPECT_NE(readFile(iniPath()).find("startwaehrung=4\nausgabewaehrung=3\n"), std::string::npos);
    trigger("Optionen");
    EXPECT_EQ(chosen("txtstart") + " -> " + chosen("txtausgabe2"), "US-Dollar -> Japanischer Yen");
    start();
    EXPECT_EQ(chosen("txtEingabe") + " -> " + chosen("txtAusgabe"), "US-Dollar -> Japanischer Yen");
    // A currency that sorts after them moves nothing: the settings file is not written.
    const auto iniTime = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    std::filesystem::last_write_time(iniPath(), iniTime);
    windows.messages.clear();
    import("Date, XAU, \n04 December 2026, 0.4, \n");
    EXPECT_EQ(all(), "Referenzkurse vom 04.12.2026: 0 Kurse aktualisiert, 1 Währung neu.");
    EXPECT_EQ(std::filesystem::last_write_time(iniPath()), iniTime);
    trigger("Optionen");
    EXPECT_EQ(chosen("txtstart") + " -> " + chosen("txtausgabe2"), "US-Dollar -> Japanischer Yen");
    // A file that cannot be imported changes nothing.
    const std::string before = datBytes();
    windows.messages.clear();
    import("Datum; Kurs\nheute; viel\n");
    ASSERT_EQ(windows.messages.size(), 1U);
    EXPECT_TRUE(windows.messages[0].icon == MessageIcon::Stop &&
                windows.messages[0].text.contains("eurofxref.csv"));
    EXPECT_EQ(datBytes(), before);
}

// The real message box of that question: "Nein" is the default, so Enter keeps the newer rates; Esc
// and the title bar's close are "Abbrechen".
TEST(NewerRatesQuestion, EnterAnswersNeinEscAndCloseCancel) {
    QtWindowSystem windows;
    using Act = std::function<void(QMessageBox*)>;
    const auto button = [](QMessageBox* box, const char* caption) {
        for (QAbstractButton* b : box->buttons())
            if (b->text() == QString::fromUtf8(caption)) return b;
        return static_cast<QAbstractButton*>(nullptr);
    };
    for (const auto& [name, act, expected] :
         std::initializer_list<std::tuple<const char*, Act, MessageResult>>{
             {"Enter", [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); }, MessageResult::No},
             {"Esc", [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }, MessageResult::Cancel},
             {"close", [](QMessageBox* box) { box->close(); }, MessageResult::Cancel},
             {"Ja", [&](QMessageBox* box) { button(box, "&Ja")->click(); }, MessageResult::Yes}}) {
        QStringList captions;
        bool stuck = false;
        QTimer::singleShot(0, [&, act = act] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            for (QAbstractButton* b : box->buttons()) captions << b->text();
            captions << (box->defaultButton() ? box->defaultButton()->text()
                                              : QStringLiteral("kein Standard"));
            act(box);
        });
        // Should the box stay open, the test ends it rather than hang.
        QTimer::singleShot(5000, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                stuck = true;
                box->done(0);
            }
        });
        const MessageResult answer = windows.message(nullptr, QStringLiteral("Überschreiben?"),
                                                     MessageButtons::YesNoCancel, MessageIcon::None);
        EXPECT_FALSE(stuck) << name;
        EXPECT_TRUE(answer == expected) << name;
        captions.sort();
        EXPECT_EQ(captions.join(QChar('|')).toStdString(), "&Ja|&Nein|&Nein|Abbrechen") << name;
    }
}

TEST_F(RateTools, TheAgeLineNamesTheDateOfRatesThatAreNotFixedAndWarnsWhenTheyAreOld) {
    for (const auto& [ini, input, shown] :
         {std::tuple{"", "US-Dollar", "\u26a0 Kurs USD vom 06.02.2026 – 302 Tage alt"},
          std::tuple{"kursalter=0\n", "US-Dollar", "Kurs USD vom 06.02.2026"},
          std::tuple{"", "Deutsche Mark", ""}}) {
        // Chosen first with the default limit; the options dialog's OK takes the limit of the file.
        start({kDeutscheMark, kEuro, kDollar, kYen}, kStartIni);
        choose(find<QComboBox>("txtEingabe"), QString::fromUtf8(input));
        writeIni(kStartIni + ini);
        trigger("Optionen");
        press(find<QDialog>("frmOptionen"), "cmdOK");
        SCOPED_TRACE(shown);
        const bool warns = shown[0] == '\xe2';
        EXPECT_EQ(ageLine()->text().toStdString(), shown);
        EXPECT_EQ(ageLine()->accessibleName().toStdString(),
                  warns ? "Warnung:" + std::string(shown).substr(3) : shown);
        EXPECT_EQ(ageLine()->font().bold(), warns);
    }
}

TEST_F(RateTools, CtrlTSwapsTheCurrenciesAndCtrlShiftCCopiesTheResult) {
    start({kDeutscheMark, kEuro, kFranc}, kStartIni);
    typeAmount("100");
    choose(find<QComboBox>("txtAusgabe"), QString::fromUtf8("Französischer Franc"));
    main->show();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    QTest::keyClick(main.get(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(chosen("txtEingabe") + " -> " + chosen("txtAusgabe"), "Französischer Franc -> Deutsche Mark");
    EXPECT_EQ(find<QLineEdit>("txtWertEingabe")->text() + " = " + result(), "100 = 29,82");
    EXPECT_EQ(find<QLineEdit>("txtisoein")->text() + find<QLineEdit>("Text2")->text(), "FRFDEM");
    QTest::keyClick(main.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text() + all().c_str(), "29,82");  // and no message
}

}  // namespace
}  // namespace kursomatik::testsupport
