#include <QLineEdit>
#include <QPushButton>
#include <cerrno>

#include "Compaction.h"
#include "MaintenanceFixture.h"
#include "PickList.h"
#include "support/FailingStep.h"

namespace kursomatik::testing {
namespace {

const Currency kBelgisch{"Belgischer Franc", "BEF", "40339900"};
const Currency kIrisch{"Irisches Pfund", "IEP", "787564"};

std::vector<Currency> firstOf(const std::vector<Currency>& all, std::size_t count) {
    return {all.begin(), all.begin() + static_cast<std::ptrdiff_t>(count)};
}

const std::vector<Currency> kFive{kDeutscheMark, kEuro, kFranc, kLira, kBelgisch};

class Deletion : public MaintenanceTest {
  protected:
    // "Löschen" answered with Yes.
    void deleteRecord(long n) {
        windows_.answers = {MessageResult::Yes};
        openRecord(n).cmdloeschen->click();
        settle();
    }
};

TEST_F(Deletion, TheRecordGoesAndTheOthersCloseUpInOrder) {
    struct Case {
        std::size_t count;
        long dropped;
        std::vector<Currency> left;
    };
    for (const Case& c : {Case{5, 3, {kDeutscheMark, kEuro, kLira, kBelgisch}}, Case{5, 5, firstOf(kFive, 4)},
                          Case{1, 1, {}}}) {
        SCOPED_TRACE(std::to_string(c.dropped) + " of " + std::to_string(c.count));
        WexlorEingabe& m = startOn(firstOf(kFive, c.count));
        windows_.messages.clear();
        deleteRecord(c.dropped);
        ASSERT_FALSE(windows_.messages.empty());
        EXPECT_EQ(windows_.messages[0].text, kDeleteQuestion);
        EXPECT_EQ(windows_.messages[0].buttons, MessageButtons::YesNo);
        EXPECT_EQ(windows_.messages[0].icon, MessageIcon::None);
        EXPECT_EQ(windows_.messages.size(), 1u);
        EXPECT_EQ(datBytes(), tableBytes(c.left));
        EXPECT_EQ(datBytes().size(), c.left.size() * kRecordLength);
        EXPECT_FALSE(std::filesystem::exists(dir_ / kTemporaryFileName));
        EXPECT_FALSE(state_.file.iDateiNr.isOpen());
        EXPECT_EQ(editor(), nullptr);
        EXPECT_EQ(m.lstversteckt->lineCount(), static_cast<int>(c.left.size()));
        EXPECT_EQ(m.txtEingabe->count(), static_cast<int>(c.left.size()));
    }
}

TEST_F(Deletion, AnsweringNoChangesNothingAndKeepsTheEditorOpen) {
    startOn(kFive);
    const std::string before = datBytes();
    windows_.answers = {MessageResult::No};
    frmEingabe2& e = openRecord(2);
    e.txttkurs->setFocus();
    e.cmdloeschen->click();
    settle();
    ASSERT_EQ(editor(), &e);
    EXPECT_TRUE(e.isVisible());
    EXPECT_EQ(e.focusWidget(), e.txtbezeichnung);
    EXPECT_TRUE(state_.file.iDateiNr.isOpen());
    EXPECT_EQ(datBytes(), before);
    EXPECT_EQ(state_.selection.sStartauswahl, "0");
    // The editor is still usable: Abbrechen leaves as always.
    e.cmdEingabeBeenden[1]->click();
    EXPECT_FALSE(state_.file.iDateiNr.isOpen());
    EXPECT_EQ(datBytes(), before);
}

TEST_F(Deletion, AbbrechenOfANewRecordGivesBackTheFileAsBefore) {
    startOn(kFive);
    const std::string before = datBytes();
    openMemberWindow().cmdneu_Click();
    ASSERT_EQ(storedCount(), 6);
    editor()->neuloeschen->click();
    EXPECT_EQ(datBytes(), before);
    EXPECT_TRUE(windows_.messages.empty());  // no question for a record nobody has seen
    EXPECT_EQ(main_->lstversteckt->lineCount(), 5);
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
        WexlorEingabe& m = startOn({kDeutscheMark, kEuro, kFranc}, kDecimalsIni + c.settings);
        typeAmount("100");
        deleteRecord(c.dropped);
        EXPECT_EQ(state_.selection.iGeloeschteWaehrung, c.flag);
        EXPECT_EQ(m.txtEingabe->currentIndex(), c.inputAfter);
        EXPECT_EQ(m.txtAusgabe->currentIndex(), c.outputAfter);
        if (c.flag != 0) {
            EXPECT_EQ(m.txtWert->text(), "0,00");
        }
    }
}

TEST_F(Deletion, AFailedRewriteIsReportedAndLeavesTheWholeOldTable) {
    struct Case {
        const char* step;
        int error;
        const char* says;
    };
    for (const Case& c :
         {Case{"createFile", EACCES, "„KURSOMATIK.TMP“ kann nicht angelegt werden: Zugriff verweigert."},
          Case{"writeAll", ENOSPC, "„KURSOMATIK.TMP“ kann nicht geschrieben werden: Auf dem Datenträger"},
          Case{"renameFile", EXDEV, "„KURSOMATIK.TMP“ kann nicht in „KURSOMATIK.DAT“ umbenannt werden"}}) {
        SCOPED_TRACE(c.step);
        WexlorEingabe& m = startOn(kFive);
        windows_.messages.clear();
        const std::string before = datBytes();
        FailingStep failing(c.step, c.error);
        m.maintenance().fileOperations = &failing;
        deleteRecord(1);  // Deutsche Mark, second in name order: the output currency
        ASSERT_EQ(windows_.messages.size(), 2u);
        EXPECT_TRUE(windows_.messages[1].text.contains(QString::fromUtf8(c.says)))
            << windows_.messages[1].text.toStdString();
        EXPECT_EQ(datBytes(), before);
        EXPECT_FALSE(std::filesystem::exists(dir_ / kTemporaryFileName));
        // Nothing was deleted, so nothing is cleared; the editor has left as after a deletion.
        EXPECT_EQ(state_.selection.iGeloeschteWaehrung, 0);
        EXPECT_EQ(m.txtAusgabe->currentIndex(), 1);
        EXPECT_EQ(editor(), nullptr);
        EXPECT_FALSE(state_.file.iDateiNr.isOpen());
        EXPECT_EQ(m.lstversteckt->lineCount(), 5);
    }
}

TEST_F(Deletion, ATableReplacedWhileTheEditorIsOpenIsNeitherPaddedNorCut) {
    std::vector<Currency> many;
    for (int n = 1; n <= 30; ++n)
        many.push_back({"Währung " + std::to_string(n), "W" + std::to_string(n), "1"});
    std::vector<Currency> ten = kFive;
    ten.insert(ten.end(), many.begin() + 20, many.begin() + 25);
    for (const std::size_t replacement : {std::size_t{5}, std::size_t{30}}) {
        SCOPED_TRACE(replacement);
        // Given the editor open on record 2 of 10, when another program renames its table of 5 or 30
        // records over the file and the user deletes, then the other table stays as it is.
        startOn(ten);
        windows_.messages.clear();
        windows_.answers = {MessageResult::Yes};
        frmEingabe2& e = openRecord(2);
        writeFile(dir_ / "neu.dat", tableBytes(firstOf(many, replacement)));
        std::filesystem::rename(dir_ / "neu.dat", dir_ / kCurrencyFileName);
        e.cmdloeschen->click();
        settle();
        EXPECT_EQ(datBytes(), tableBytes(firstOf(many, replacement)));
        ASSERT_EQ(windows_.messages.size(), 2u);
        EXPECT_TRUE(windows_.messages[1].text.contains(QString::fromUtf8("wurde gelöscht oder ersetzt")))
            << windows_.messages[1].text.toStdString();
        EXPECT_TRUE(windows_.messages[1].text.contains(QString::fromUtf8("nicht gelöscht")));
        EXPECT_EQ(main_->lstversteckt->lineCount(), static_cast<int>(replacement));
    }
}

}  // namespace
}  // namespace kursomatik::testing
