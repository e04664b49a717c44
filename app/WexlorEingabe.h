// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <optional>

#include "app/AppState.h"
#include "maintenance/MaintenanceContext.h"
#include "settings/OptionWrites.h"
#include "store/CurrencyLists.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace kursomatik {

class AllCurrenciesWindow;
class LineList;
class NetworkUpdate;
class RateAgeLine;
class TableWatcher;
class WindowSystem;
class frmOptionen;
class frmUmtauschkurse;
class frmWeitereW;

// The main window: an amount, an input and an output currency, and the result through the Euro.
// It owns the list pass, the one road from the currency file to every list of the program.
class WexlorEingabe : public QMainWindow, private MainWindowLink {
    Q_OBJECT
  public:
    WexlorEingabe(AppState& state, WindowSystem& windows, QWidget* parent = nullptr);
    ~WexlorEingabe() override;

    // Start-up before the window is shown; false when this process is to end (second instance).
    bool Form_Load();
    // The list pass: every list of the program loaded again from the currency file.
    void RefreshtheLists() override;
    // The seam of the file steps, for fault injection.
    MaintenanceContext& maintenance() { return maintenance_; }

    // Shows the about window; set by whoever builds the program (the about window sits in info/).
    std::function<void(QWidget* owner)> aboutWindow;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The two currency sides of the window and the state each one keeps.
    struct Side {
        QComboBox* box;
        QLineEdit* iso;
        std::string& index;
        std::optional<double>& rate;
        std::optional<Money>& fixedRate;
    };
    void Berechnen();
    void lstversteckt_DblClick();
    frmUmtauschkurse* memberWindow();
    void build();
    void buildMenu();
    // The input side, then the output side.
    std::array<Side, 2> sides();
    // txtEingabe_Click, txtAusgabe_Click
    void currencyChosen(const Side& side);
    // The chosen line's code and rate into the side; false when the list has no line to take.
    bool takeChosen(const Side& side);
    void takeRatesAfterMemberWindow();
    void selectStartCurrencies();
    void restoreSelections();
    // What the maintenance windows ask of the main window.
    void keepSelections() override;
    void refreshKeepingCurrencies() override;
    void memberWindowClosed() override;
    void recordDeleted(long record) override;
    Status followStartCurrencies(
        const std::function<std::optional<long>(long position)>& newPosition) override;
    void chooseRecordsAgain(const std::array<long, 2>& records);
    // Another program changed the currency file: the pass runs again and finds the chosen currencies.
    void tableChangedOnDisk();
    void chooseCurrenciesAgain(const std::array<std::string, 2>& currencies);
    bool maintenanceWindowOpen() const;
    // The entry at position k of the lists (lstversteckt, txtEingabe, txtAusgabe); null for none.
    const CurrencyEntry* entryAt(int k) const;
    // lblKursalter: the age of the chosen rates.
    void showRateAge();
    // "In allen Währungen": made and shown on request, then kept up to date while it is open.
    void showAllCurrencies(bool open);
    AllCurrenciesWindow* allWindow_ = nullptr;
    // "Kursverlauf": the chosen pair's rate history, from the module loaded on first use; a new
    // request replaces the window of the one before.
    void showRateHistory();
    QPointer<QDialog> chart_;
    // "Währungen tauschen": both currencies change places, as if the user had picked them.
    void swapCurrencies();
    void fillCurrencyWindows();

    AppState& state_;
    WindowSystem& windows_;
    MaintenanceContext maintenance_;
    // Made at the first use; until then its start-currency lists are only counted and chosen.
    frmOptionen* optionsDialog();
    frmOptionen* frmOptionen_ = nullptr;
    StartCurrencyChoices startChoices_;
    void tellWriteProblem(const Status& written);
    frmUmtauschkurse* frmUmtauschkurse_ = nullptr;
    frmWeitereW* frmWeitereW_ = nullptr;
    bool listPassSelecting_ = false;
    std::optional<std::array<long, 2>> keptRecords_;  // the records to choose again in a pass
    // The chosen currencies' codes and names, found again in a pass after another program's change.
    std::optional<std::array<std::string, 2>> keptCurrencies_;
    TableWatcher* watcher_ = nullptr;
    NetworkUpdate* network_ = nullptr;
    CurrencyLists lists_;  // what the last list pass read
    QComboBox* txtEingabe;
    QComboBox* txtAusgabe;
    QLineEdit* txtWertEingabe;
    QLineEdit* txtWert;
    QLineEdit* txtisoein;
    QLineEdit* Text2;
    QPushButton* cmdBerechnen;
    LineList* lstversteckt;
    RateAgeLine* lblKursalter;
};

}  // namespace kursomatik
