// SPDX-License-Identifier: GPL-3.0-or-later
// The main window following what changes without it: its table rewritten by another program, and
// the amount shown in all currencies.
#include <QComboBox>
#include <QLineEdit>

#include "app/AllCurrenciesWindow.h"
#include "app/WexlorEingabe.h"
#include "maintenance/frmEingabe2.h"
#include "maintenance/frmUmtauschkurse.h"
#include "maintenance/frmWeitereW.h"
#include "platform/qt/WindowSystem.h"
#include "settings/ListPosition.h"

namespace kursomatik {

bool WexlorEingabe::maintenanceWindowOpen() const {
    if (frmUmtauschkurse_ != nullptr && (frmUmtauschkurse_->isVisible() || frmWeitereW_->isVisible()))
        return true;
    for (const frmEingabe2* editor : findChildren<frmEingabe2*>())
        if (editor->isVisible()) return true;
    return false;
}

void WexlorEingabe::tableChangedOnDisk() {
    // A maintenance window runs the pass itself when it closes.
    if (maintenanceWindowOpen()) return;
    const auto identity = [this](const QComboBox* box) {
        const CurrencyEntry* chosen = entryAt(box->currentIndex());
        return chosen != nullptr ? chosen->fields.ISO + chosen->fields.Bezeichnung : std::string();
    };
    keepSelections();
    keptCurrencies_ = std::array{identity(txtEingabe), identity(txtAusgabe)};
    // The start currencies as the settings file has them now (the command's import may have moved
    // them): the pass then writes nothing that the file does not hold already. The other settings
    // change only by the options dialog's OK, as always.
    SettingsState fresh = state_.settings;
    EinstellungenLesen(fresh, state_.environment);
    state_.settings.sStartwaehrung = fresh.sStartwaehrung;
    state_.settings.sAusgabewaehrung = fresh.sAusgabewaehrung;
    RefreshtheLists();
    keptCurrencies_.reset();
    for (const Side& side : sides()) takeChosen(side);
    Berechnen();
}

void WexlorEingabe::chooseCurrenciesAgain(const std::array<std::string, 2>& currencies) {
    const auto positionOf = [this](const std::string& currency) {
        for (std::size_t k = 0; !currency.empty() && k < lists_.all.size(); ++k) {
            const CurrencyRecord& fields = lists_.all[k].fields;
            if (fields.ISO + fields.Bezeichnung == currency) return static_cast<int>(k);
        }
        return -1;
    };
    // A currency that is gone is chosen as at start.
    const int in = positionOf(currencies[0]);
    const int out = positionOf(currencies[1]);
    if (out < 0) {
        assignPosition(txtAusgabe, "1", state_.regional);
        assignPosition(txtAusgabe, state_.settings.sAusgabewaehrung, state_.regional);
    } else {
        txtAusgabe->setCurrentIndex(out);
    }
    if (in < 0) {
        assignPosition(txtEingabe, "1", state_.regional);
        assignPosition(txtEingabe, state_.settings.sStartwaehrung, state_.regional);
    } else {
        txtEingabe->setCurrentIndex(in);
    }
}

void WexlorEingabe::showAllCurrencies(bool open) {
    if (!open && (allWindow_ == nullptr || !allWindow_->isVisible())) return;
    if (allWindow_ == nullptr) allWindow_ = new AllCurrenciesWindow(windows_, this);
    const QString amount = txtWertEingabe->text().trimmed();
    const QString currency = txtEingabe->currentText();
    std::optional<std::vector<AllCurrenciesRow>> rows;
    QString caption = QStringLiteral("%1 %2 sind...").arg(amount, currency);
    if (txtEingabe->currentIndex() < 0) {
        caption = QStringLiteral("Keine Eingabewährung gewählt.");
    } else if (!state_.selection.cyEingabeKurs) {
        caption = QStringLiteral("„%1“ hat keinen brauchbaren Kurs.").arg(currency);
    } else {
        rows = inAllCurrencies(lists_.all, amount.toStdString(), *state_.selection.cyEingabeKurs,
                               state_.settings.dStellen1, state_.settings.dStellen2, state_.regional,
                               state_.settings.iKursalter);
        if (!rows) caption = QStringLiteral("Der Betrag „%1“ ist keine Zahl.").arg(amount);
    }
    allWindow_->fill(caption, rows.value_or(std::vector<AllCurrenciesRow>{}));
    if (open) windows_.showModeless(allWindow_);
}

}  // namespace kursomatik
