#pragma once

#include <QCoreApplication>
#include <QStringList>

#include "FlexGrid.h"
#include "LineList.h"
#include "ProgramFixture.h"
#include "frmEingabe2.h"
#include "frmUmtauschkurse.h"
#include "frmWeitereW.h"

namespace kursomatik::testing {

inline const std::string kDecimalsIni =
    "[Kursomatik]\nstellen1=1000\nstellen2=100\noptionen1=1\noptionen2=1\n";
// The first currency in name order as input, the second as output.
inline const std::string kMaintenanceIni = kDecimalsIni + "startwaehrung=0\nausgabewaehrung=1\n";

inline const QString kSaving = QStringLiteral("Der Datensatz wird gesichert.");
inline const QString kRateNoNumber = QString::fromUtf8(
    "Bitte überprüfen Sie ihre Wechselkurseingabe. Der Kurs muß eine Zahl größer und/oder ungleich Null "
    "sein. "
    "Bitte überprüfen Sie auch das länderspezifische Dezimaltrennzeichen (Punkt oder Komma).");
inline const QString kRateNegative = QString::fromUtf8(
    "Bitte überprüfen Sie ihre Wechselkurseingabe. Der Kurs muß größer und ungleich Null sein.\n\r"
    "Bitte überprüfen Sie auch das länderspezifische Dezimaltrennzeichen (Punkt oder Komma).");
inline const QString kIsoMissing = QStringLiteral("Bitte pflegen Sie die ISO-Bezeichnung nach.");
inline const QString kDeleteQuestion = QString::fromUtf8("Diesen Datensatz löschen ?");

// The program started on a table, with helpers to reach the maintenance windows as a user would.
class MaintenanceTest : public ProgramTest {
  protected:
    WexlorEingabe& startOn(const std::vector<Currency>& table, const std::string& ini = kMaintenanceIni) {
        writeTable(table);
        writeIni(ini);
        return start();
    }
    // The menu item "Wechselkurse": the member window is shown (without blocking, in tests).
    frmUmtauschkurse& openMemberWindow() {
        main_->Umtauschkurse_Click();
        return *main_->memberWindow();
    }
    frmWeitereW& openOtherWindow() {
        openMemberWindow().cmdSpringeFormwW_Click();
        return *main_->otherWindow();
    }

    // The editor on record n, opened from the member window's list.
    frmEingabe2& openRecord(long n) {
        openRecordEditor(main_->maintenance(), static_cast<int>(n), main_->memberWindow());
        EXPECT_NE(editor(), nullptr);
        return *editor();
    }
    // The editor on a new record, opened by the member window's "Neuer Eintrag...".
    frmEingabe2& openNew() {
        openMemberWindow().cmdneu_Click();
        EXPECT_NE(editor(), nullptr);
        return *editor();
    }

    // The editor shown last, while it exists.
    frmEingabe2* editor() const {
        for (auto it = windows_.modal.rbegin(); it != windows_.modal.rend(); ++it) {
            if (auto* found = qobject_cast<frmEingabe2*>(it->data())) return found;
        }
        return nullptr;
    }
    // Every editor ever shown: the currency windows live on, so a destroyed modal window was one.
    int editorsShown() const {
        int count = 0;
        for (const auto& window : windows_.modal)
            count += window.isNull() || qobject_cast<frmEingabe2*>(window);
        return count;
    }
    // Lets the windows that asked to be destroyed go.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    long storedCount() const { return static_cast<long>(datBytes().size() / kRecordLength); }
    CurrencyRecord storedRecord(long n) const {
        return decodeRecord(
            datBytes().substr(static_cast<std::size_t>(n - 1) * kRecordLength, kRecordLength));
    }

    static void doubleClickRow(FlexGrid* grid, int row);
    static QStringList gridNames(const FlexGrid* grid) {
        QStringList names;
        for (int r = 1; r < grid->rows(); ++r) names << grid->text(r, 1).trimmed();
        return names;
    }
    static QStringList listNames(const LineList* list) {
        QStringList names;
        for (int k = 0; k < list->lineCount(); ++k) names << list->line(k).left(40).trimmed();
        return names;
    }
};

}  // namespace kursomatik::testing
