// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WexlorEingabe.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include "conversion/Berechnen.h"
#include "maintenance/frmUmtauschkurse.h"
#include "maintenance/frmWeitereW.h"
#include "platform/qt/LineList.h"
#include "platform/qt/PickList.h"
#include "platform/qt/TwipsLayout.h"
#include "platform/qt/WindowSystem.h"
#include "settings/qt/ListPosition.h"
#include "settings/qt/frmOptionen.h"
#include "store/ListLine.h"

namespace kursomatik {

// The two currency sides of the window and the state each one keeps.
struct WexlorEingabe::Side {
    QComboBox* box;
    QLineEdit* iso;
    std::string& index;
    std::optional<double>& rate;
    std::optional<Money>& fixedRate;
};

namespace {

template <class Widget>
Widget* placed(Widget* widget, const char* name, int left, int top, int width, int height) {
    widget->setObjectName(QString::fromUtf8(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

void describe(QWidget* widget, const QString& accessibleName, const QString& tooltip) {
    widget->setAccessibleName(accessibleName);
    if (!tooltip.isEmpty()) {
        widget->setToolTip(tooltip);
        widget->setAccessibleDescription(tooltip);
    }
}

}  // namespace

WexlorEingabe::WexlorEingabe(AppState& state, WindowSystem& windows, QWidget* parent)
    : QMainWindow(parent),
      state_(state),
      windows_(windows),
      maintenance_{windows, state.regional, state.file, state.selection, state.currencyFile, {}, {}, {}} {
    maintenance_.RefreshtheLists = [this] { RefreshtheLists(); };
    maintenance_.takeMainRates = [this] { takeRatesAfterMemberWindow(); };
    maintenance_.mainLineAt = [this](const std::string& position) {
        const auto k = listPosition(position, state_.regional);
        return k ? lstversteckt->line(*k).toStdString() : std::string();
    };
    build();
}

WexlorEingabe::~WexlorEingabe() = default;

void WexlorEingabe::build() {
    setObjectName(QStringLiteral("WexlorEingabe"));
    setWindowTitle(QStringLiteral("Kursomatik 1.01"));
    setProperty("helpTopic", 11);
    setFont(designFont(8.25, true));
    auto* client = new QWidget(this);
    client->setFixedSize(307, 113);
    setCentralWidget(client);

    auto* line = placed(new QFrame(client), "Line1", 0, 0, 312, 1);
    line->setFrameShape(QFrame::HLine);
    Label1 = placed(new QLabel(QStringLiteral(" Eingabewährung..."), client), "Label1", 5, 8, 121, 17);
    txtEingabe = placed(new QComboBox(client), "txtEingabe", 5, 24, 140, 21);
    Label3 = placed(new QLabel(QStringLiteral(" Betrag..."), client), "Label3", 149, 8, 73, 17);
    txtWertEingabe = placed(new QLineEdit(QStringLiteral("0"), client), "txtWertEingabe", 149, 24, 120, 21);
    txtisoein = placed(new QLineEdit(client), "txtisoein", 269, 24, 33, 21);
    Label2 = placed(new QLabel(QStringLiteral(" Ausgabewährung..."), client), "Label2", 5, 48, 113, 17);
    txtAusgabe = placed(new QComboBox(client), "txtAusgabe", 5, 64, 140, 21);
    Label4 = placed(new QLabel(QStringLiteral(" Ergebnis:"), client), "Label4", 149, 48, 81, 17);
    txtWert = placed(new QLineEdit(QStringLiteral("0,000"), client), "txtWert", 149, 64, 119, 21);
    Text2 = placed(new QLineEdit(client), "Text2", 269, 64, 33, 21);
    cmdBerechnen =
        placed(new QPushButton(QStringLiteral("Be&rechnen"), client), "cmdBerechnen", 206, 88, 97, 23);
    // Below the visible client area, as designed; Enter or a double-click opens its currency.
    lstversteckt = placed(new LineList(client), "lstversteckt", 8, 144, 713, 424);

    for (QWidget* regular : std::initializer_list<QWidget*>{Label1, Label2, Label3, Label4, txtEingabe,
                                                            txtAusgabe, txtWertEingabe, txtisoein}) {
        regular->setFont(designFont());
    }
    Label1->setBuddy(txtEingabe);
    Label3->setBuddy(txtWertEingabe);
    Label2->setBuddy(txtAusgabe);
    Label4->setBuddy(txtWert);
    describe(txtEingabe, QStringLiteral("Eingabewährung"), QStringLiteral("Eingabewährung auswählen !"));
    describe(txtWertEingabe, QStringLiteral("Betrag"), QStringLiteral("Hier einen Betrag eingeben."));
    describe(txtisoein, QStringLiteral("ISO Eingabewährung"),
             QStringLiteral("ISO Währungsbezeichnung für die Eingabewährung."));
    describe(txtAusgabe, QStringLiteral("Ausgabewährung"), QStringLiteral("Ausgabewährung auswählen !"));
    describe(txtWert, QStringLiteral("Ergebnis"), QStringLiteral("Ergebnis der Berechnung."));
    describe(Text2, QStringLiteral("ISO Ausgabewährung"),
             QStringLiteral("ISO Währungsbezeichnung für die Ausgabewährung."));
    describe(cmdBerechnen, QStringLiteral("Berechnen"), QStringLiteral("Berechnung ausführen"));
    describe(lstversteckt, QStringLiteral("Alle Währungen"), {});

    txtWertEingabe->setAlignment(Qt::AlignRight);
    txtWertEingabe->setMaxLength(19);
    txtWert->setAlignment(Qt::AlignRight);
    txtWert->setMaxLength(17);
    txtisoein->setMaxLength(3);
    Text2->setMaxLength(3);
    // The program writes the result and the codes; the user reads them (and may copy them).
    for (QLineEdit* shown : {txtWert, txtisoein, Text2}) shown->setReadOnly(true);
    for (QComboBox* box : {txtEingabe, txtAusgabe}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(8);
    }
    cmdBerechnen->setDefault(true);

    setTabOrder(txtEingabe, txtWertEingabe);
    setTabOrder(txtWertEingabe, txtAusgabe);
    setTabOrder(txtAusgabe, txtWert);
    setTabOrder(txtWert, cmdBerechnen);
    setTabOrder(cmdBerechnen, txtisoein);
    setTabOrder(txtisoein, Text2);
    setTabOrder(Text2, lstversteckt);

    buildMenu();
    connect(txtEingabe, &QComboBox::currentIndexChanged, this, [this] { txtEingabe_Click(); });
    connect(txtAusgabe, &QComboBox::currentIndexChanged, this, [this] { txtAusgabe_Click(); });
    connect(cmdBerechnen, &QPushButton::clicked, this, [this] { cmdBerechnen_Click(); });
    connect(lstversteckt, &LineList::activatedByUser, this, [this] { lstversteckt_DblClick(); });
    txtWertEingabe->installEventFilter(this);
    txtEingabe->setFocus();
}

void WexlorEingabe::buildMenu() {
    auto item = [this](QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut,
                       void (WexlorEingabe::*handler)()) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromUtf8(name));
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, handler);
    };
    QMenu* datei = menuBar()->addMenu(QStringLiteral("&Datei"));
    datei->setObjectName(QStringLiteral("Datei"));
    // After a tab a caption's key name stands in the menu's shortcut column, without binding the key.
    item(datei, "Beenden", QStringLiteral("Beenden\tAlt+F4"), {}, &WexlorEingabe::Beenden_Click);
    QMenu* einstellungen = menuBar()->addMenu(QStringLiteral("&Einstellungen"));
    einstellungen->setObjectName(QStringLiteral("Einstellungen"));
    item(einstellungen, "Optionen", QStringLiteral("Optionen"), QKeySequence(Qt::CTRL | Qt::Key_O),
         &WexlorEingabe::Optionen_Click);
    item(einstellungen, "Umtauschkurse", QStringLiteral("Wechselkurse"), QKeySequence(Qt::CTRL | Qt::Key_W),
         &WexlorEingabe::Umtauschkurse_Click);
    QMenu* hilfe = menuBar()->addMenu(QStringLiteral("&?"));
    hilfe->setObjectName(QStringLiteral("Hilfe"));
    item(hilfe, "InfoMorvalent", QStringLiteral("Info"), QKeySequence(Qt::CTRL | Qt::Key_I),
         &WexlorEingabe::InfoMorvalent_Click);
    item(hilfe, "HilfeMorva", QStringLiteral("Hilfe\tF1"), {}, &WexlorEingabe::HilfeMorva_Click);
}

bool WexlorEingabe::Form_Load() {
    state_.helpFile = "KURSOMATIK.HLP";
    if (!Initialisierung(state_.selection.sStartauswahl, state_.settings, state_.environment)) {
        windows_.endProcess();
        return false;
    }
    frmOptionen_ = new frmOptionen(
        state_.settings, state_.environment, state_.regional, state_.selection.sStartauswahl, windows_,
        [this] { Berechnen(); }, this);
    Start();
    return true;
}

void WexlorEingabe::Start() {
    RefreshtheLists();
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

    const QStringList all = toQStringList(lists_.all.lines());
    const ShownLines shown = shownLines(lists_.all.lines());
    const QStringList names = toQStringList(shown.names);
    const QStringList spoken = toQStringList(shown.spoken);
    lstversteckt->setLines(all, spoken);
    picklist::setEntries(txtAusgabe, all, names);
    picklist::setEntries(txtEingabe, all, names);

    listPassSelecting_ = true;
    if (state_.selection.sStartauswahl == "0") {
        restoreSelections();
    } else if (!all.isEmpty()) {
        selectStartCurrencies();
    }
    // The options dialog's start currencies are chosen after the main window's, from the settings.
    frmOptionen_->takeCurrencies(all, names, spoken);
    listPassSelecting_ = false;
    // The currency windows take their part once they exist; nothing of the above depends on them.
    if (frmUmtauschkurse_ != nullptr) fillCurrencyWindows();
}

void WexlorEingabe::fillCurrencyWindows() {
    frmUmtauschkurse_->fillFromPass(lists_.members.lines(), lists_.memberRows);
    frmWeitereW_->fillFromPass(lists_.others.lines(), lists_.otherRows);
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

void WexlorEingabe::txtEingabe_Click() {
    currencyChosen({txtEingabe, txtisoein, state_.selection.sEingabeIndex, state_.selection.dEingabeKurs,
                    state_.selection.cyEingabeKurs});
}

void WexlorEingabe::txtAusgabe_Click() {
    currencyChosen({txtAusgabe, Text2, state_.selection.sAusgabeIndex, state_.selection.dAusgabeKurs,
                    state_.selection.cyAusgabeKurs});
}

void WexlorEingabe::currencyChosen(const Side& side) {
    // Nothing chosen falls back to the first entry; that change runs this handler for it first.
    if (side.box->count() == 0) return;  // an empty list has no line to take
    if (side.box->currentIndex() < 1) side.box->setCurrentIndex(0);
    const int k = side.box->currentIndex();
    if (k < 0) return;
    // A currency the user picks replaces any deleted one; the list pass's own choices do not.
    if (!listPassSelecting_) state_.selection.iGeloeschteWaehrung = 0;
    side.index = std::to_string(k);
    const std::string line = lstversteckt->line(k).toStdString();
    side.iso->setText(QString::fromStdString(lineIso(line)));
    // A rate that is no number, or 0, leaves this side without a usable rate: the result is 0
    // until a currency with one is chosen, never a conversion with the previous currency's rate.
    side.rate = lineRate(line, state_.regional);
    side.fixedRate = fixedRateOf(side.rate, state_.regional);
    Berechnen();
}

void WexlorEingabe::takeRatesAfterMemberWindow() {
    SelectionState& s = state_.selection;
    for (const Side& side : {Side{txtEingabe, txtisoein, s.sEingabeIndex, s.dEingabeKurs, s.cyEingabeKurs},
                             Side{txtAusgabe, Text2, s.sAusgabeIndex, s.dAusgabeKurs, s.cyAusgabeKurs}}) {
        // Without a selection the side keeps its rate; a chosen currency brings its own, usable
        // or not, exactly as choosing it does.
        const int i = side.box->currentIndex();
        side.index = std::to_string(i);
        const std::string line = i >= 0 ? lstversteckt->line(i).toStdString() : std::string();
        if (!line.empty()) {
            side.iso->setText(QString::fromStdString(lineIso(line)));
            side.rate = lineRate(line, state_.regional);
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
}

void WexlorEingabe::cmdBerechnen_Click() {
    Berechnen();
}

void WexlorEingabe::lstversteckt_DblClick() {
    const auto number = lineRecordNumber(lstversteckt->line(lstversteckt->currentRow()).toStdString());
    if (number) openRecordEditor(maintenance_, static_cast<int>(*number), this);
}

void WexlorEingabe::Optionen_Click() {
    windows_.showModeless(frmOptionen_);
}

void WexlorEingabe::Umtauschkurse_Click() {
    windows_.showModal(memberWindow());
}

void WexlorEingabe::InfoMorvalent_Click() {
    if (aboutWindow) aboutWindow(this);
}

void WexlorEingabe::HilfeMorva_Click() {
    windows_.postF1();
}

void WexlorEingabe::Beenden_Click() {
    windows_.endProcess();
}

void WexlorEingabe::closeEvent(QCloseEvent* event) {
    Beenden_Click();
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
