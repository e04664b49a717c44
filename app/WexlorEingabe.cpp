// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WexlorEingabe.h"

#include "app/RateAgeLine.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>

#include "conversion/Berechnen.h"
#include "maintenance/frmUmtauschkurse.h"
#include "maintenance/frmWeitereW.h"
#include "platform/Version.h"
#include "platform/qt/Controls.h"
#include "platform/qt/LineList.h"
#include "platform/qt/PastedTextValidator.h"
#include "platform/qt/PickList.h"
#include "platform/qt/TwipsLayout.h"
#include "platform/qt/WindowSystem.h"
#include "settings/ListPosition.h"
#include "settings/Locations.h"
#include "settings/OptionWrites.h"
#include "settings/qt/ListPosition.h"
#include "settings/qt/frmOptionen.h"

namespace kursomatik {

// The two currency sides of the window and the state each one keeps.
struct WexlorEingabe::Side {
    QComboBox* box;
    QLineEdit* iso;
    std::string& index;
    std::optional<double>& rate;
    std::optional<Money>& fixedRate;
};

WexlorEingabe::WexlorEingabe(AppState& state, WindowSystem& windows, QWidget* parent)
    : QMainWindow(parent),
      state_(state),
      windows_(windows),
      maintenance_{windows, state.regional, state.file, state.currencyFile, *this} {
    build();
}

WexlorEingabe::~WexlorEingabe() = default;

void WexlorEingabe::build() {
    setObjectName(QStringLiteral("WexlorEingabe"));
    setWindowTitle(QStringLiteral("Kursomatik ") + QString::fromLatin1(kVersion));
    setProperty("helpTopic", 11);
    setFont(designFont(8.25, true));
    auto* client = new QWidget(this);
    setCentralWidget(client);
    // The window's bold font stays with the result, its code, the button and the hidden list; the rest
    // is regular. Set before the controls are made, each font is taken once, not changed afterwards.
    client->setFont(designFont());
    // Designed in pixels; the layout counts in twips, 15 to the pixel. The age line below the
    // designed 113 pixels adds one label's height.
    TwipsLayout layout(client, 307 * 15, 130 * 15);
    Controls make(client, &layout);
    const auto px = [](int left, int top, int width, int height) {
        return QRect(left * 15, top * 15, width * 15, height * 15);
    };

    make.add(new QFrame(client), {"Line1"}, px(0, 0, 312, 1))->setFrameShape(QFrame::HLine);
    txtEingabe =
        make.add(new QComboBox(client), {"txtEingabe", "Eingabewährung auswählen !"}, px(5, 24, 140, 21));
    txtWertEingabe =
        make.textBox({"txtWertEingabe", "Hier einen Betrag eingeben."}, 19, px(149, 24, 120, 21), "0");
    txtisoein =
        make.textBox({"txtisoein", "ISO Währungsbezeichnung für die Eingabewährung.", "ISO Eingabewährung"},
                     3, px(269, 24, 33, 21));
    txtAusgabe =
        make.add(new QComboBox(client), {"txtAusgabe", "Ausgabewährung auswählen !"}, px(5, 64, 140, 21));
    txtWert = make.textBox({"txtWert", "Ergebnis der Berechnung."}, 17, px(149, 64, 119, 21), "0,000");
    Text2 = make.textBox({"Text2", "ISO Währungsbezeichnung für die Ausgabewährung.", "ISO Ausgabewährung"},
                         3, px(269, 64, 33, 21));
    cmdBerechnen = make.add(new QPushButton(QStringLiteral("Be&rechnen"), client),
                            {"cmdBerechnen", "Berechnung ausführen", "Berechnen"}, px(206, 88, 97, 23));
    lblKursalter = make.add(new RateAgeLine(client), {"lblKursalter"}, px(5, 113, 297, 17));
    // Below the visible client area, as designed; Enter or a double-click opens its currency.
    lstversteckt =
        make.add(new LineList(client), {"lstversteckt", {}, "Alle Währungen"}, px(8, 144, 713, 424));
    make.label("Label1", " Eingabewährung...", px(5, 8, 121, 17), txtEingabe);
    make.label("Label3", " Betrag...", px(149, 8, 73, 17), txtWertEingabe);
    make.label("Label2", " Ausgabewährung...", px(5, 48, 113, 17), txtAusgabe);
    make.label("Label4", " Ergebnis:", px(149, 48, 81, 17), txtWert);
    for (QWidget* w : std::initializer_list<QWidget*>{txtWert, Text2, cmdBerechnen, lstversteckt})
        w->setFont(font());
    layout.apply();

    txtWertEingabe->setAlignment(Qt::AlignRight);
    // Its 19 characters count without the blanks around a pasted amount.
    txtWertEingabe->setValidator(new PastedTextValidator(txtWertEingabe->maxLength(), txtWertEingabe));
    txtWertEingabe->setMaxLength(32767);
    txtWert->setAlignment(Qt::AlignRight);
    // The program writes the result and the codes; the user reads them (and may copy them).
    for (QLineEdit* shown : {txtWert, txtisoein, Text2}) shown->setReadOnly(true);
    for (QComboBox* box : {txtEingabe, txtAusgabe}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(8);
    }
    cmdBerechnen->setDefault(true);
    chainTabs(
        {txtEingabe, txtWertEingabe, txtAusgabe, txtWert, cmdBerechnen, txtisoein, Text2, lstversteckt});

    buildMenu();
    connect(txtEingabe, &QComboBox::currentIndexChanged, this, [this] { currencyChosen(sides()[0]); });
    connect(txtAusgabe, &QComboBox::currentIndexChanged, this, [this] { currencyChosen(sides()[1]); });
    connect(cmdBerechnen, &QPushButton::clicked, this, [this] { Berechnen(); });
    connect(lstversteckt, &LineList::activatedByUser, this, [this] { lstversteckt_DblClick(); });
    txtWertEingabe->installEventFilter(this);
    txtEingabe->setFocus();
}

void WexlorEingabe::buildMenu() {
    auto item = [this](QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut,
                       const std::function<void()>& handler) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromUtf8(name));
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, handler);
    };
    QMenu* datei = menuBar()->addMenu(QStringLiteral("&Datei"));
    datei->setObjectName(QStringLiteral("Datei"));
    // After a tab a caption's key name stands in the menu's shortcut column, without binding the key.
    item(datei, "Beenden", QStringLiteral("Beenden\tAlt+F4"), {}, [this] { windows_.endProcess(); });
    QMenu* bearbeiten = menuBar()->addMenu(QStringLiteral("&Bearbeiten"));
    bearbeiten->setObjectName(QStringLiteral("Bearbeiten"));
    item(bearbeiten, "Tauschen", QStringLiteral("Währungen &tauschen"), QKeySequence(Qt::CTRL | Qt::Key_T),
         [this] { swapCurrencies(); });
    item(bearbeiten, "Kopieren", QStringLiteral("Ergebnis &kopieren"),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
         [this] { QGuiApplication::clipboard()->setText(txtWert->text()); });
    QMenu* einstellungen = menuBar()->addMenu(QStringLiteral("&Einstellungen"));
    einstellungen->setObjectName(QStringLiteral("Einstellungen"));
    item(einstellungen, "Optionen", QStringLiteral("Optionen"), QKeySequence(Qt::CTRL | Qt::Key_O),
         [this] { windows_.showModeless(optionsDialog()); });
    item(einstellungen, "Umtauschkurse", QStringLiteral("Wechselkurse"), QKeySequence(Qt::CTRL | Qt::Key_W),
         [this] { windows_.showModal(memberWindow()); });
    QMenu* hilfe = menuBar()->addMenu(QStringLiteral("&?"));
    hilfe->setObjectName(QStringLiteral("Hilfe"));
    item(hilfe, "InfoMorvalent", QStringLiteral("Info"), QKeySequence(Qt::CTRL | Qt::Key_I), [this] {
        if (aboutWindow) aboutWindow(this);
    });
    item(hilfe, "HilfeMorva", QStringLiteral("Hilfe\tF1"), {}, [this] { windows_.postF1(); });
}

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
    RefreshtheLists();
    return true;
}

frmOptionen* WexlorEingabe::optionsDialog() {
    if (frmOptionen_ == nullptr) {
        frmOptionen_ = new frmOptionen(
            state_.settings, state_.environment, state_.regional, state_.selection.sStartauswahl, windows_,
            [this] { Berechnen(); }, this);
        frmOptionen_->takeCurrencies(shownLines_, shownNames_, shownSpoken_);
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

    QStringList all, names, spoken;
    for (const CurrencyEntry& entry : lists_.all) {
        all << QString::fromStdString(entry.line);
        names << QString::fromStdString(entry.name());
        spoken << QString::fromStdString(entry.spoken());
    }
    lstversteckt->setLines(all, spoken);
    picklist::setEntries(txtAusgabe, names);
    picklist::setEntries(txtEingabe, names);

    listPassSelecting_ = true;
    if (keptRecords_) {
        chooseRecordsAgain(*keptRecords_);
    } else if (state_.selection.sStartauswahl == "0") {
        restoreSelections();
    } else if (!all.isEmpty()) {
        selectStartCurrencies();
    }
    // The options dialog's start currencies are chosen after the main window's, from the settings.
    shownLines_ = all;
    shownNames_ = names;
    shownSpoken_ = spoken;
    if (frmOptionen_ != nullptr) {
        frmOptionen_->takeCurrencies(all, names, spoken);
    } else {
        tellWriteProblem(startChoices_.takeCurrencies(static_cast<std::size_t>(all.size()), state_.settings,
                                                      state_.environment, state_.regional));
    }
    listPassSelecting_ = false;
    // The currency windows take their part once they exist; nothing of the above depends on them.
    if (frmUmtauschkurse_ != nullptr) fillCurrencyWindows();
    showRateAge();
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
    frmUmtauschkurse_->fillFromPass(lists_.members, lists_.membersInFileOrder);
    frmWeitereW_->fillFromPass(lists_.others, lists_.othersInFileOrder);
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
