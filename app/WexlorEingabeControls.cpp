// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls and menu, laid out as designed.
#include <algorithm>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QValidator>

#include "app/RateAgeLine.h"
#include "app/WexlorEingabe.h"
#include "maintenance/NetworkUpdate.h"
#include "maintenance/frmUmtauschkurse.h"
#include "platform/Version.h"
#include "platform/qt/Controls.h"
#include "platform/qt/LineList.h"
#include "platform/qt/TwipsLayout.h"
#include "platform/qt/WindowSystem.h"
#include "settings/qt/frmOptionen.h"

namespace kursomatik {
namespace {

// The amount box's character limit, applied after the blanks around a text are dropped: a pasted
// "            1.234,56" becomes "1.234,56", where the box's own limit would have cut it to
// "1.234,5" first. A text that is still too long is refused whole (a full box takes no more
// characters), never cut to another number.
class PastedTextValidator : public QValidator {
  public:
    PastedTextValidator(int maxLength, QObject* parent) : QValidator(parent), maxLength_(maxLength) {}
    State validate(QString& input, int& pos) const override {
        if (input.size() <= maxLength_) return Acceptable;
        qsizetype first = 0;
        while (first < input.size() && input[first].isSpace()) ++first;
        const QString trimmed = input.trimmed();
        if (trimmed.size() > maxLength_) return Invalid;
        pos = static_cast<int>(std::clamp<qsizetype>(pos - first, 0, trimmed.size()));
        input = trimmed;
        return Acceptable;
    }

  private:
    int maxLength_;
};

}  // namespace

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
        return action;
    };
    QMenu* datei = menuBar()->addMenu(QStringLiteral("&Datei"));
    datei->setObjectName(QStringLiteral("Datei"));
    QAction* update = item(datei, "Aktualisieren", QStringLiteral("Kurse &aktualisieren"),
                           QKeySequence(Qt::Key_F5), [this] { network_->start(this); });
    connect(network_, &NetworkUpdate::runningChanged, update,
            [update](bool running) { update->setEnabled(!running); });
    datei->addSeparator();
    // After a tab a caption's key name stands in the menu's shortcut column, without binding the key.
    item(datei, "Beenden", QStringLiteral("Beenden\tAlt+F4"), {}, [this] { windows_.endProcess(); });
    QMenu* bearbeiten = menuBar()->addMenu(QStringLiteral("&Bearbeiten"));
    bearbeiten->setObjectName(QStringLiteral("Bearbeiten"));
    item(bearbeiten, "Tauschen", QStringLiteral("Währungen &tauschen"), QKeySequence(Qt::CTRL | Qt::Key_T),
         [this] { swapCurrencies(); });
    item(bearbeiten, "Kopieren", QStringLiteral("Ergebnis &kopieren"),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
         [this] { QGuiApplication::clipboard()->setText(txtWert->text()); });
    item(bearbeiten, "Alle", QStringLiteral("In &allen Währungen..."), QKeySequence(Qt::CTRL | Qt::Key_L),
         [this] { showAllCurrencies(true); });
    item(bearbeiten, "Kursverlauf", QStringLiteral("Kurs&verlauf..."), QKeySequence(Qt::CTRL | Qt::Key_K),
         [this] { showRateHistory(); });
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

}  // namespace kursomatik
