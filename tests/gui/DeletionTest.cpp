// SPDX-License-Identifier: GPL-3.0-or-later
#include <cerrno>

#include "store/Compaction.h"
#include "tests/gui/ProgramTest.h"
#include "tests/support/FailingStep.h"

namespace kursomatik::testing {
namespace {

const std::vector<Currency> kFive{
    kDeutscheMark, kEuro, kFranc, kLira, {"Belgischer Franc", "BEF", "40339900"}};

class Deletion : public ProgramTest {
  protected:
    int chosen(const char* box) const { return find<QComboBox>(box)->currentIndex(); }
};

TEST_F(Deletion, NoKeepsEverythingYesDropsTheRecordAndTheOthersCloseUpInOrder) {
    start(kFive);
    const std::string before = datBytes();
    windows.answers = {MessageResult::No};
    frmEingabe2& e = openRecord(3);
    child(&e, "txttkurs")->setFocus();
    press(&e, "cmdlöschen");
    settle();
    ASSERT_EQ(windows.messages.size(), 1u);
    EXPECT_EQ(windows.messages[0].text, QString::fromUtf8("Diesen Datensatz löschen ?"));
    EXPECT_TRUE(windows.messages[0].buttons == MessageButtons::YesNo &&
                windows.messages[0].icon == MessageIcon::None);
    // The editor stays, usable, with the focus on the name and the file open.
    ASSERT_TRUE(editor() == &e && e.isVisible());
    EXPECT_EQ(e.focusWidget(), child(&e, "txtbezeichnung"));
    EXPECT_TRUE(state.file.iDateiNr.isOpen());
    EXPECT_EQ(state.selection.sStartauswahl + datBytes(), "0" + before);
    windows.answers = {MessageResult::Yes};
    press(&e, "cmdlöschen");
    settle();
    EXPECT_EQ(datBytes(), tableBytes({kDeutscheMark, kEuro, kLira, kFive[4]}));
    EXPECT_FALSE(state.file.iDateiNr.isOpen());
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(find<QComboBox>("txtEingabe")->count(), 4);
    // The last record leaves an empty file.
    start({kEuro});
    deleteRecord(1);
    EXPECT_EQ(datBytes(), "");
    EXPECT_EQ(listed(), 0);
}

TEST_F(Deletion, ADeletedMainWindowCurrencyLosesItsSelection) {
    // Names in order: Deutsche Mark (record 1), Euro (2), Französischer Franc (3).
    for (const auto& [start_, dropped, flag, inputAfter, outputAfter] :
         {std::tuple{"0", 2L, 2, 0, -1}, std::tuple{"0", 1L, 1, -1, 1}, std::tuple{"1", 2L, 2, 1, -1},
          std::tuple{"0", 3L, 0, 0, 1}}) {
        start({kDeutscheMark, kEuro, kFranc},
              kDecimalsIni + "startwaehrung=" + start_ + "\nausgabewaehrung=1\n");
        typeAmount("100");
        deleteRecord(dropped);
        SCOPED_TRACE(dropped);
        EXPECT_EQ(state.selection.iGeloeschteWaehrung, flag);
        EXPECT_EQ(chosen("txtEingabe"), inputAfter);
        EXPECT_EQ(chosen("txtAusgabe"), outputAfter);
        EXPECT_TRUE(flag == 0 || result() == "0,00");
    }
}

// Each failing step and its message is the store's; here the window's part: the message is shown,
// nothing is cleared and the editor leaves as after a deletion.
TEST_F(Deletion, AFailedRewriteIsReportedAndLeavesTheWholeOldTable) {
    start(kFive);
    const std::string before = datBytes();
    FailingStep failing("renameFile", EXDEV);
    main->maintenance().fileOperations = &failing;
    deleteRecord(1);  // Deutsche Mark, second in name order: the output currency
    ASSERT_EQ(windows.messages.size(), 2u);
    EXPECT_TRUE(
        windows.shown(QString::fromUtf8("„KURSOMATIK.TMP“ kann nicht in „KURSOMATIK.DAT“ umbenannt werden")));
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
        const std::vector<Currency> other(many.begin(), many.begin() + replacement);
        start(ten);
        windows.messages.clear();
        windows.answers = {MessageResult::Yes};
        frmEingabe2& e = openRecord(2);
        writeFile(dir / "neu.dat", tableBytes(other));
        std::filesystem::rename(dir / "neu.dat", dir / kCurrencyFileName);
        if (replacement == 0) std::filesystem::remove(dir / kCurrencyFileName);
        child(&e, "txttkurs")->setText("2");
        press(&e, deleting ? "cmdlöschen" : "cmdEingabeBeenden_0");
        settle();
        EXPECT_EQ(std::filesystem::exists(dir / kCurrencyFileName), replacement > 0);
        EXPECT_EQ(datBytes(), tableBytes(other));
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
