// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WexlorEingabe.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "app/RateAgeLine.h"
#include "app/TableWatcher.h"
#include "conversion/Berechnen.h"
#include "maintenance/HistoryModule.h"
#include "maintenance/ImportSteps.h"
#include "maintenance/NetworkUpdate.h"
#include "maintenance/ShownEntries.h"
#include "maintenance/frmUmtauschkurse.h"
#include "maintenance/frmWeitereW.h"
#include "platform/SystemError.h"
#include "platform/qt/LineList.h"
#include "platform/qt/PickList.h"
#include "platform/qt/WindowSystem.h"
#include "settings/ListPosition.h"
#include "settings/Locations.h"
#include "settings/OptionWrites.h"
#include "settings/qt/frmOptionen.h"

namespace kursomatik {
WexlorEingabe::WexlorEingabe(AppState& state, WindowSystem& windows, QWidget* parent)
    : QMainWindow(parent),
      state_(state),
      windows_(windows),
      maintenance_{windows, state.regional, state.file, state.currencyFile, *this} {
    network_ = new NetworkUpdate(maintenance_, state.settings, state.environment, keptAnswerFile(), this);
    maintenance_.network = network_;
    build();
}

WexlorEingabe::~WexlorEingabe() = default;

bool WexlorEingabe::Form_Load() {
    state_.helpFile = kHelpFileName;
    // A second process ends before it touches any file.
    state_.selection.sStartauswahl = "1";
    if (state_.instanceGuard && !state_.instanceGuard()) {
        windows_.endProcess();
        return false;
    }
    Initialisierung(state_.selection.sStartauswahl, state_.settings, state_.environment);
    // The options dialog is made when it is first shown; what it writes when it is made is written now.
    tellWriteProblem(writeDecimalsPairs(state_.settings, state_.environment));
    watcher_ = new TableWatcher(state_.currencyFile, this);
    connect(watcher_, &TableWatcher::changed, this, &WexlorEingabe::tableChangedOnDisk);
    connect(watcher_, &TableWatcher::vanished, this, [this] {
        windows_.message(this, QString::fromStdString(fileNamed(state_.currencyFile.string()) +
                                                      " ist nicht mehr da. Kursomatik zeigt weiter die "
                                                      "Währungen, die darin standen."));
    });
    RefreshtheLists();
    return true;
}

frmOptionen* WexlorEingabe::optionsDialog() {
    if (frmOptionen_ == nullptr) {
        frmOptionen_ = new frmOptionen(
            state_.settings, state_.environment, state_.regional, state_.selection.sStartauswahl, windows_,
            [this] { Berechnen(); }, this);
        frmOptionen_->takeCurrencies(listedLines(lists_.all), pickNames(lists_.all));
    }
    return frmOptionen_;
}

void WexlorEingabe::tellWriteProblem(const Status& written) {
    if (!written) windows_.message(this, QString::fromStdString(written.error()));
}

frmUmtauschkurse* WexlorEingabe::memberWindow() {
    // Made on first use, not at start: the lists they show are kept from the last pass until then.
    if (frmUmtauschkurse_ == nullptr) {
        frmUmtauschkurse_ = new frmUmtauschkurse(maintenance_, nullptr, this);
        frmWeitereW_ = new frmWeitereW(maintenance_, frmUmtauschkurse_);
        frmUmtauschkurse_->setOtherWindow(frmWeitereW_);
        fillCurrencyWindows();
    }
    return frmUmtauschkurse_;
}

void WexlorEingabe::RefreshtheLists() {
    RecordFileState& file = state_.file;
    // A missing or unreadable file is reported and shown as an empty table; nothing is created.
    if (const std::string notice = openForListPass(file, state_.currencyFile); !notice.empty())
        windows_.message(this, QString::fromStdString(notice));
    lstversteckt->clear();
    picklist::clearEntries(txtEingabe);
    picklist::clearEntries(txtAusgabe);

    lists_ = CurrencyLists{};
    for (long n = 1; n <= file.lSatzAnzahl; ++n) {
        if (Status filled = fillRecordInLists(lists_, file, n, state_.regional); !filled) {
            windows_.message(this, QString::fromStdString(filled.error()));
            break;
        }
    }
    file.iDateiNr.close();
    lists_.complete();
    if (watcher_ != nullptr) watcher_->noteRead();

    lstversteckt->setLines(listedLines(lists_.all));
    const QStringList names = pickNames(lists_.all);
    picklist::setEntries(txtAusgabe, names);
    picklist::setEntries(txtEingabe, names);

    listPassSelecting_ = true;
    if (keptRecords_) {
        chooseRecordsAgain(*keptRecords_);
    } else if (keptCurrencies_) {
        chooseCurrenciesAgain(*keptCurrencies_);
    } else if (state_.selection.sStartauswahl == "0") {
        restoreSelections();
    } else if (lists_.all.size() != 0) {
        selectStartCurrencies();
    }
    // The options dialog's start currencies are chosen after the main window's, from the settings.
    if (frmOptionen_ != nullptr) {
        frmOptionen_->takeCurrencies(listedLines(lists_.all), names);
    } else {
        tellWriteProblem(startChoices_.takeCurrencies(lists_.all.size(), state_.settings, state_.environment,
                                                      state_.regional));
    }
    listPassSelecting_ = false;
    // The currency windows take their part once they exist; nothing of the above depends on them.
    if (frmUmtauschkurse_ != nullptr) fillCurrencyWindows();
    showRateAge();
}

void WexlorEingabe::showRateHistory() {
    const CurrencyEntry* von = entryAt(txtEingabe->currentIndex());
    const CurrencyEntry* nach = entryAt(txtAusgabe->currentIndex());
    if (von == nullptr || nach == nullptr) {
        windows_.message(this, QStringLiteral("Wählen Sie zuerst die Eingabe- und die Ausgabewährung."));
        return;
    }
    const auto module = historyModule(maintenance_);
    if (!module) {
        windows_.message(this, QString::fromStdString(module.error()), MessageButtons::Ok, MessageIcon::Stop);
        return;
    }
    const auto perEuro = [](const std::optional<Money>& scaled) {
        return scaled ? std::optional(scaled->toDouble() / kRateScale) : std::nullopt;
    };
    const ChartRequest request{historyFileOf(state_.currencyFile),
                               fieldValue(von->fields.ISO),
                               fieldValue(nach->fields.ISO),
                               perEuro(state_.selection.cyEingabeKurs),
                               perEuro(state_.selection.cyAusgabeKurs),
                               txtWertEingabe->text().toStdString(),
                               state_.settings.dStellen1,
                               state_.settings.dStellen2,
                               state_.regional};
    delete chart_;
    chart_ = (*module)->openChart(request, windows_, this);
    windows_.showModeless(chart_);
}

const CurrencyEntry* WexlorEingabe::entryAt(int k) const {
    return k >= 0 && static_cast<std::size_t>(k) < lists_.all.size()
               ? &lists_.all[static_cast<std::size_t>(k)]
               : nullptr;
}

void WexlorEingabe::refreshKeepingCurrencies() {
    keepSelections();
    // By record number: the import appends its new currencies, so the records keep their numbers.
    const auto recordOf = [this](const QComboBox* box) {
        const CurrencyEntry* chosen = entryAt(box->currentIndex());
        return chosen != nullptr ? chosen->record : 0L;
    };
    keptRecords_ = std::array{recordOf(txtEingabe), recordOf(txtAusgabe)};
    RefreshtheLists();
    keptRecords_.reset();
}

void WexlorEingabe::chooseRecordsAgain(const std::array<long, 2>& records) {
    const auto positionOf = [this](long record) {
        for (std::size_t k = 0; record != 0 && k < lists_.all.size(); ++k) {
            if (lists_.all[k].record == record) return static_cast<int>(k);
        }
        return -1;  // a side that had no currency keeps none
    };
    // The output first, as the pass restores them.
    txtAusgabe->setCurrentIndex(positionOf(records[1]));
    txtEingabe->setCurrentIndex(positionOf(records[0]));
}

void WexlorEingabe::fillCurrencyWindows() {
    frmUmtauschkurse_->fillFromPass(lists_.members);
    frmWeitereW_->fillFromPass(lists_.others);
}

void WexlorEingabe::keepSelections() {
    state_.selection.sStartauswahl = "0";
}

void WexlorEingabe::memberWindowClosed() {
    keepSelections();
    RefreshtheLists();
    takeRatesAfterMemberWindow();
    state_.selection.iGeloeschteWaehrung = 0;
}

void WexlorEingabe::recordDeleted(long record) {
    // The main window's positions are no record numbers; its entries know theirs.
    const auto recordAt = [this](const std::string& position) {
        const auto k = listPosition(position, state_.regional);
        const CurrencyEntry* entry = k ? entryAt(*k) : nullptr;
        return entry != nullptr ? entry->record : 0L;
    };
    int& deleted = state_.selection.iGeloeschteWaehrung;
    deleted = recordAt(state_.selection.sAusgabeIndex) == record   ? 2
              : recordAt(state_.selection.sEingabeIndex) == record ? 1
                                                                   : 0;
}

Status WexlorEingabe::followStartCurrencies(const std::function<std::optional<long>(long)>& newPosition) {
    return kursomatik::followStartCurrencies(state_.settings, state_.environment, state_.regional,
                                             newPosition);
}

void WexlorEingabe::restoreSelections() {
    // By position, not by currency: a renamed currency may have moved away from it.
    assignPosition(txtAusgabe, state_.selection.sAusgabeIndex, state_.regional);
    assignPosition(txtEingabe, state_.selection.sEingabeIndex, state_.regional);
}

void WexlorEingabe::selectStartCurrencies() {
    // The second entry first, so that an unusable setting still leaves a currency chosen.
    assignPosition(txtAusgabe, "1", state_.regional);
    assignPosition(txtAusgabe, state_.settings.sAusgabewaehrung, state_.regional);
    assignPosition(txtEingabe, "1", state_.regional);
    assignPosition(txtEingabe, state_.settings.sStartwaehrung, state_.regional);
}

std::array<WexlorEingabe::Side, 2> WexlorEingabe::sides() {
    SelectionState& s = state_.selection;
    return {Side{txtEingabe, txtisoein, s.sEingabeIndex, s.dEingabeKurs, s.cyEingabeKurs},
            Side{txtAusgabe, Text2, s.sAusgabeIndex, s.dAusgabeKurs, s.cyAusgabeKurs}};
}

void WexlorEingabe::currencyChosen(const Side& side) {
    if (takeChosen(side)) Berechnen();
}

bool WexlorEingabe::takeChosen(const Side& side) {
    // Nothing chosen falls back to the first entry; that change runs this handler for it first.
    if (side.box->count() == 0) return false;  // an empty list has no line to take
    if (side.box->currentIndex() < 1) side.box->setCurrentIndex(0);
    const int k = side.box->currentIndex();
    if (k < 0) return false;
    // A currency the user picks replaces any deleted one; the list pass's own choices do not.
    if (!listPassSelecting_) state_.selection.iGeloeschteWaehrung = 0;
    side.index = std::to_string(k);
    const CurrencyEntry* chosen = entryAt(k);
    if (chosen == nullptr) return false;
    side.iso->setText(QString::fromStdString(chosen->isoShown()));
    // A rate that is no number, 0 or below leaves this side without a usable rate: the result is 0
    // until a currency with one is chosen, never a conversion with the previous currency's rate.
    side.rate = chosen->rate;
    side.fixedRate = fixedRateOf(side.rate, state_.regional);
    return true;
}

void WexlorEingabe::swapCurrencies() {
    const int in = txtEingabe->currentIndex();
    const int out = txtAusgabe->currentIndex();
    // A side without a currency (its currency was deleted) has nothing to give the other.
    if (in < 0 || out < 0) return;
    {
        // The user's choice of both at once: one calculation, so a bad amount is reported once.
        const QSignalBlocker quietIn(txtEingabe);
        const QSignalBlocker quietOut(txtAusgabe);
        txtEingabe->setCurrentIndex(out);
        txtAusgabe->setCurrentIndex(in);
    }
    for (const Side& side : sides()) takeChosen(side);
    Berechnen();
}

void WexlorEingabe::showRateAge() {
    std::vector<const CurrencyRecord*> chosen;
    for (const QComboBox* box : {txtEingabe, txtAusgabe}) {
        const CurrencyEntry* entry = entryAt(box->currentIndex());
        chosen.push_back(entry != nullptr ? &entry->fields : nullptr);
    }
    lblKursalter->tell(rateAgeNotice(chosen, state_.regional, state_.settings.iKursalter));
}

void WexlorEingabe::takeRatesAfterMemberWindow() {
    for (const Side& side : sides()) {
        // Without a selection the side keeps its rate; a chosen currency brings its own, usable
        // or not, exactly as choosing it does.
        const int i = side.box->currentIndex();
        side.index = std::to_string(i);
        if (const CurrencyEntry* chosen = entryAt(i)) {
            side.iso->setText(QString::fromStdString(chosen->isoShown()));
            side.rate = chosen->rate;
        }
        side.fixedRate = fixedRateOf(side.rate, state_.regional);
    }
}

void WexlorEingabe::Berechnen() {
    const std::string amount = txtWertEingabe->text().toStdString();
    BerechnenInput input;
    input.betragText = amount;
    input.cyEingabeKurs = state_.selection.cyEingabeKurs;
    input.cyAusgabeKurs = state_.selection.cyAusgabeKurs;
    input.dStellen1 = state_.settings.dStellen1;
    input.dStellen2 = state_.settings.dStellen2;
    input.iGeloeschteWaehrung = state_.selection.iGeloeschteWaehrung;
    input.eingabeLeer = txtEingabe->currentIndex() < 0;
    input.ausgabeLeer = txtAusgabe->currentIndex() < 0;
    const BerechnenOutcome outcome = kursomatik::Berechnen(input, state_.regional);
    if (outcome.formatMessage)
        windows_.message(this, QString::fromUtf8(kFormatMessage.data(), kFormatMessage.size()));
    if (frmOptionen_ != nullptr) frmOptionen_->UpdateLabel();
    // A deleted currency leaves its list without a choice; no handler runs for that.
    if (outcome.clearEingabe) picklist::clearSelection(txtEingabe);
    if (outcome.clearAusgabe) picklist::clearSelection(txtAusgabe);
    if (outcome.wertText) txtWert->setText(QString::fromStdString(*outcome.wertText));
    showRateAge();
    showAllCurrencies(false);
}

void WexlorEingabe::lstversteckt_DblClick() {
    if (const CurrencyEntry* entry = entryAt(lstversteckt->currentRow()))
        openRecordEditor(maintenance_, static_cast<int>(entry->record), this);
}

void WexlorEingabe::closeEvent(QCloseEvent* event) {
    windows_.endProcess();
    event->accept();
}

void WexlorEingabe::keyPressEvent(QKeyEvent* event) {
    // "Berechnen" is the default button: Enter anywhere in the window presses it.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        cmdBerechnen->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool WexlorEingabe::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtWertEingabe && event->type() == QEvent::KeyPress) {
        // "E" and "e" are rejected with a message, yet still typed afterwards: "E" leaves "0E".
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        if (typed == QStringLiteral("E")) txtWertEingabe->setText(QStringLiteral("0"));
        if (typed == QStringLiteral("E") || typed == QStringLiteral("e")) {
            windows_.message(this, QStringLiteral("Das Eingabeformat ist falsch. Bitte eine Zahl eingeben."));
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace kursomatik
