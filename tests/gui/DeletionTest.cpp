// SPDX-License-Identifier: GPL-3.0-or-later
#include <cerrno>

#include "store/Compaction.h"
#include "tests/gui/ProgramTest.h"
#include "tests/support/FailingStep.h"

namespace kursomatik::testing {
namespace {

using Deletion = ProgramTest;

TEST_F(Deletion, NoKeepsEverythingYesDropsTheRecordAndTheOthersCloseUpInOrder) {
    start({kDeutscheMark, kEuro, kFranc, kLira});
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
    ASSERT_TRUE(editor() == &e && e.isVisible() && state.file.iDateiNr.isOpen());
    EXPECT_EQ(e.focusWidget(), child(&e, "txtbezeichnung"));
    EXPECT_EQ(state.selection.sStartauswahl + datBytes(), "0" + before);
    windows.answers = {MessageResult::Yes};
    press(&e, "cmdlöschen");
    settle();
    EXPECT_EQ(datBytes(), tableBytes({kDeutscheMark, kEuro, kLira}));
    EXPECT_TRUE(editor() == nullptr && !state.file.iDateiNr.isOpen());
    EXPECT_EQ(find<QComboBox>("txtEingabe")->count(), 3);
    start({kEuro});  // the last record leaves an empty file
    deleteRecord(1);
    EXPECT_EQ(datBytes() + std::to_string(listed()), "0");
}

TEST_F(Deletion, ADeletedMainWindowCurrencyLosesItsSelection) {
    // Names in order: Deutsche Mark (record 1), Euro (2), Französischer Franc (3).
    for (const auto& [input, dropped, flag, inputAfter, outputAfter] :
         {std::tuple{"0", 2L, 2, 0, -1}, std::tuple{"0", 1L, 1, -1, 1}, std::tuple{"1", 2L, 2, 1, -1},
          std::tuple{"0", 3L, 0, 0, 1}}) {
        start({kDeutscheMark, kEuro, kFranc},
              kDecimalsIni + "startwaehrung=" + input + "\nausgabewaehrung=1\n");
        typeAmount("100");
        deleteRecord(dropped);
        EXPECT_EQ(state.selection.iGeloeschteWaehrung, flag) << dropped;
        EXPECT_EQ(find<QComboBox>("txtEingabe")->currentIndex(), inputAfter) << dropped;
        EXPECT_EQ(find<QComboBox>("txtAusgabe")->currentIndex(), outputAfter) << dropped;
        EXPECT_TRUE(flag == 0 || result() == "0,00") << dropped;
    }
}

// Each failing step and its message is the store's; here the window's part: the message is shown,
// nothing is cleared and the editor leaves as after a deletion.
TEST_F(Deletion, AFailedRewriteIsReportedAndLeavesTheWholeOldTable) {
    start({kDeutscheMark, kEuro, kFranc});
    const std::string before = datBytes();
    FailingStep failing("renameFile", EXDEV);
    main->maintenance().fileOperations = &failing;
    deleteRecord(1);  // Deutsche Mark, the input currency
    ASSERT_EQ(windows.messages.size(), 2u);
    EXPECT_TRUE(
        windows.shown(QString::fromUtf8("„KURSOMATIK.TMP“ kann nicht in „KURSOMATIK.DAT“ umbenannt werden")));
    EXPECT_EQ(datBytes(), before);
    EXPECT_FALSE(std::filesystem::exists(dir / kTemporaryFileName));
    EXPECT_EQ(std::to_string(state.selection.iGeloeschteWaehrung) +
                  std::to_string(find<QComboBox>("txtEingabe")->currentIndex()),
              "00");
    EXPECT_TRUE(editor() == nullptr && !state.file.iDateiNr.isOpen() && listed() == 3);
}

TEST_F(Deletion, ATableReplacedOrDeletedWhileTheEditorIsOpenIsNeitherPaddedNorCutNorWritten) {
    const auto table = [](const std::string& name, int count) {
        std::vector<Currency> t;
        for (int n = 1; n <= count; ++n)
            t.push_back({name + std::to_string(n), "W" + std::to_string(n % 10), "1"});
        return t;
    };
    for (const auto& [replacement, deleting] :
         {std::pair{5, true}, std::pair{30, true}, std::pair{1, false}, std::pair{0, false}}) {
        // Given the editor open on record 2 of 10, when another program renames its table over the
        // file (or deletes it) and the user deletes (or saves), then the other table stays as it is.
        start(table("Alt ", 10));
        windows.messages.clear();
        windows.answers = {MessageResult::Yes};
        frmEingabe2& e = openRecord(2);
        writeFile(dir / "neu.dat", tableBytes(table("Neu ", replacement)));
        std::filesystem::rename(dir / "neu.dat", dir / kCurrencyFileName);
        if (replacement == 0) std::filesystem::remove(dir / kCurrencyFileName);
        child(&e, "txttkurs")->setText("2");
        press(&e, deleting ? "cmdlöschen" : "cmdEingabeBeenden_0");
        settle();
        SCOPED_TRACE(replacement);
        EXPECT_EQ(std::filesystem::exists(dir / kCurrencyFileName), replacement > 0);
        EXPECT_EQ(datBytes(), tableBytes(table("Neu ", replacement)));
        EXPECT_TRUE(windows.shown(QString::fromUtf8("„KURSOMATIK.DAT“ wurde gelöscht oder ersetzt")));
        EXPECT_EQ(windows.shown(QString::fromUtf8("nicht gelöscht")), deleting);
        EXPECT_TRUE(listed() == replacement && !state.file.iDateiNr.isOpen());
    }
    // The list pass names the folder it looked in.
    EXPECT_TRUE(windows.shown(QString::fromStdString(
        "„" + (std::filesystem::current_path() / kCurrencyFileName).string() +
        "“ kann nicht gelesen werden: Die Datei oder der Ordner ist nicht vorhanden")));
}

}  // namespace
}  // namespace kursomatik::testing
