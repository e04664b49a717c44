// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QPushButton>
#include <cerrno>

#include "maintenance/frmEingabe2.h"
#include "platform/qt/LineList.h"
#include "store/Compaction.h"
#include "tests/gui/ProgramTest.h"
#include "tests/support/FailingStep.h"

namespace kursomatik::testing {
namespace {

const Currency kBelgisch{"Belgischer Franc", "BEF", "40339900"};
const std::vector<Currency> kFive{kDeutscheMark, kEuro, kFranc, kLira, kBelgisch};

std::vector<Currency> firstOf(const std::vector<Currency>& all, std::size_t count) {
    return {all.begin(), all.begin() + static_cast<std::ptrdiff_t>(count)};
}

class Deletion : public ProgramTest {
  protected:
    // "Löschen" answered with Yes.
    void deleteRecord(long n) {
        windows.answers = {MessageResult::Yes};
        press(&openRecord(n), "cmdlöschen");
        settle();
    }
    int listed() const { return find<LineList>("lstversteckt")->lineCount(); }
    int chosen(const char* box) const { return find<QComboBox>(box)->currentIndex(); }
};

TEST_F(Deletion, TheRecordGoesAndTheOthersCloseUpInOrder) {
    for (const auto& [count, dropped, left] :
         {std::tuple{5, 3L, std::vector{kDeutscheMark, kEuro, kLira, kBelgisch}},
          std::tuple{1, 1L, std::vector<Currency>{}}}) {
        SCOPED_TRACE(dropped);
        start(firstOf(kFive, count));
        windows.messages.clear();
        deleteRecord(dropped);
        ASSERT_EQ(windows.messages.size(), 1u);
        EXPECT_EQ(windows.messages[0].text, QString::fromUtf8("Diesen Datensatz löschen ?"));
        EXPECT_EQ(windows.messages[0].buttons, MessageButtons::YesNo);
        EXPECT_EQ(windows.messages[0].icon, MessageIcon::None);
        EXPECT_EQ(datBytes(), tableBytes(left));
        EXPECT_FALSE(state.file.iDateiNr.isOpen());
        EXPECT_EQ(editor(), nullptr);
        EXPECT_EQ(find<QComboBox>("txtEingabe")->count(), static_cast<int>(left.size()));
    }
}

TEST_F(Deletion, AnsweringNoChangesNothingAndKeepsTheEditorOpen) {
    start(kFive);
    const std::string before = datBytes();
    windows.answers = {MessageResult::No};
    frmEingabe2& e = openRecord(2);
    child(&e, "txttkurs")->setFocus();
    press(&e, "cmdlöschen");
    settle();
    ASSERT_EQ(editor(), &e);
    EXPECT_TRUE(e.isVisible());
    EXPECT_EQ(e.focusWidget(), child(&e, "txtbezeichnung"));
    EXPECT_TRUE(state.file.iDateiNr.isOpen());
    EXPECT_EQ(state.selection.sStartauswahl, "0");
    // The editor is still usable: Abbrechen leaves as always.
    press(&e, "cmdEingabeBeenden_1");
    EXPECT_FALSE(state.file.iDateiNr.isOpen());
    EXPECT_EQ(datBytes(), before);
}

TEST_F(Deletion, ADeletedMainWindowCurrencyLosesItsSelection) {
    // Names in order: Deutsche Mark (record 1), Euro (2), Französischer Franc (3).
    struct Case {
        const char* settings;
        long dropped;
        int flag;
        int inputAfter;  // list positions selected after the list pass; -1 none
        int outputAfter;
    };
    for (const Case& c : {Case{"startwaehrung=0\nausgabewaehrung=1\n", 2, 2, 0, -1},
                          Case{"startwaehrung=0\nausgabewaehrung=1\n", 1, 1, -1, 1},
                          Case{"startwaehrung=1\nausgabewaehrung=1\n", 2, 2, 1, -1},
                          Case{"startwaehrung=0\nausgabewaehrung=1\n", 3, 0, 0, 1}}) {
        SCOPED_TRACE(c.dropped);
        start({kDeutscheMark, kEuro, kFranc}, kDecimalsIni + c.settings);
        typeAmount("100");
        deleteRecord(c.dropped);
        EXPECT_EQ(state.selection.iGeloeschteWaehrung, c.flag);
        EXPECT_EQ(chosen("txtEingabe"), c.inputAfter);
        EXPECT_EQ(chosen("txtAusgabe"), c.outputAfter);
        EXPECT_TRUE(c.flag == 0 || result() == "0,00");
    }
}

// Each failing step and its message is the store's; here the window's part: the message is shown,
// nothing is cleared and the editor leaves as after a deletion.
TEST_F(Deletion, AFailedRewriteIsReportedAndLeavesTheWholeOldTable) {
    start(kFive);
    windows.messages.clear();
    const std::string before = datBytes();
    FailingStep failing("renameFile", EXDEV);
    main->maintenance().fileOperations = &failing;
    deleteRecord(1);  // Deutsche Mark, second in name order: the output currency
    ASSERT_EQ(windows.messages.size(), 2u);
    EXPECT_TRUE(windows.messages[1].text.contains(
        QString::fromUtf8("„KURSOMATIK.TMP“ kann nicht in „KURSOMATIK.DAT“ umbenannt werden")))
        << windows.messages[1].text.toStdString();
    EXPECT_EQ(datBytes(), before);
    EXPECT_FALSE(std::filesystem::exists(dir / kTemporaryFileName));
    EXPECT_EQ(state.selection.iGeloeschteWaehrung, 0);
    EXPECT_EQ(chosen("txtAusgabe"), 1);
    EXPECT_EQ(editor(), nullptr);
    EXPECT_FALSE(state.file.iDateiNr.isOpen());
    EXPECT_EQ(listed(), 5);
}

TEST_F(Deletion, ATableReplacedOrDeletedWhileTheEditorIsOpenIsNeitherPaddedNorCutNorWritten) {
    std::vector<Currency> many;
    for (int n = 1; n <= 30; ++n)
        many.push_back({"Währung " + std::to_string(n), "W" + std::to_string(n), "1"});
    std::vector<Currency> ten = kFive;
    ten.insert(ten.end(), many.begin() + 20, many.begin() + 25);
    for (const auto& [replacement, deleting] :
         {std::pair{5, true}, std::pair{30, true}, std::pair{1, false}, std::pair{0, false}}) {
        SCOPED_TRACE(replacement);
        // Given the editor open on record 2 of 10, when another program renames its table over the
        // file (or deletes it) and the user deletes (or saves), then the other table stays as it is.
        start(ten);
        windows.messages.clear();
        windows.answers = {MessageResult::Yes};
        frmEingabe2& e = openRecord(2);
        writeFile(dir / "neu.dat", tableBytes(firstOf(many, replacement)));
        std::filesystem::rename(dir / "neu.dat", dir / kCurrencyFileName);
        if (replacement == 0) std::filesystem::remove(dir / kCurrencyFileName);
        child(&e, "txttkurs")->setText("2");
        press(&e, deleting ? "cmdlöschen" : "cmdEingabeBeenden_0");
        settle();
        EXPECT_EQ(std::filesystem::exists(dir / kCurrencyFileName), replacement > 0);
        EXPECT_EQ(datBytes(), tableBytes(firstOf(many, replacement)));
        EXPECT_TRUE(windows.shown(QString::fromUtf8("„KURSOMATIK.DAT“ wurde gelöscht oder ersetzt")));
        EXPECT_EQ(windows.shown(QString::fromUtf8("nicht gelöscht")), deleting);
        EXPECT_EQ(listed(), replacement);
        EXPECT_FALSE(state.file.iDateiNr.isOpen());
    }
    // The list pass names the folder it looked in.
    EXPECT_TRUE(windows.shown(QString::fromStdString(
        "„" + (std::filesystem::current_path() / kCurrencyFileName).string() +
        "“ kann nicht gelesen werden: Die Datei oder der Ordner ist nicht vorhanden")));
}

}  // namespace
}  // namespace kursomatik::testing
