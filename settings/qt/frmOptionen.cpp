// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/qt/frmOptionen.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "conversion/Decimals.h"
#include "platform/qt/Controls.h"
#include "platform/qt/LineList.h"
#include "platform/qt/PickList.h"
#include "platform/qt/WindowSystem.h"
#include "settings/ListPosition.h"
#include "settings/OptionWrites.h"

namespace kursomatik {
frmOptionen::frmOptionen(SettingsState& settings, const SettingsEnvironment& environment,
                         const RegionalSettings& regional, std::string& sStartauswahl, WindowSystem& windows,
                         std::function<void()> berechnen, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      environment_(environment),
      regional_(regional),
      sStartauswahl_(sStartauswahl),
      windows_(windows),
      berechnen_(std::move(berechnen)) {
    build();
    UpdateLabel();
    UpdateLabel2();
}

void frmOptionen::takeCurrencies(ListedLines lines, const QStringList& names) {
    const bool none = lines.count == 0;
    lstversteckt2->setLines(std::move(lines));
    picklist::setEntries(txtausgabe2, names);
    picklist::setEntries(txtstart, names);
    if (none) return;
    assignPosition(txtausgabe2, settings_.sAusgabewaehrung, regional_);
    assignPosition(txtstart, settings_.sStartwaehrung, regional_);
}

void frmOptionen::build() {
    setObjectName(QStringLiteral("frmOptionen"));
    setWindowTitle(QStringLiteral("Optionen"));
    setProperty("helpTopic", 7);
    Controls make(this);

    auto* Frame3 = make.add(new QGroupBox(QStringLiteral("Währungseinstellungen"), this), {"Frame3"});
    Controls inFrame3(Frame3);
    txtstart = inFrame3.add(new QComboBox(Frame3), {"txtstart", "Auswahl der Starteingabewährung."});
    txtausgabe2 = inFrame3.add(new QComboBox(Frame3), {"txtausgabe2", "Auswahl der Startausgabewährung."});
    auto* currencies = new QGridLayout(Frame3);
    currencies->addWidget(inFrame3.label("Label1", "Starteingabewährung:", {}, txtstart), 0, 0);
    currencies->addWidget(txtstart, 0, 1);
    currencies->addWidget(inFrame3.label("Label2", "Startausgabewährung:", {}, txtausgabe2), 1, 0);
    currencies->addWidget(txtausgabe2, 1, 1);
    txtkursalter = inFrame3.add(
        new QSpinBox(Frame3), {"txtkursalter", "Tage, nach denen ein Kurs als alt gilt; 0: keine Warnung."});
    txtkursalter->setRange(0, kMaxRateAgeDays);
    txtkursalter->setValue(settings_.iKursalter);
    auto* age = new QHBoxLayout;
    age->addWidget(txtkursalter);
    age->addWidget(inFrame3.label("Label3", "Tagen", {}, txtkursalter));
    age->addStretch();
    currencies->addWidget(inFrame3.label("Label4", "&Warnung bei Kursen älter als", {}, txtkursalter), 2, 0);
    currencies->addLayout(age, 2, 1);
    currencies->setColumnStretch(1, 1);

    auto* Frame2 = make.add(new QGroupBox(QStringLiteral("Endergebnisse mit..."), this), {"Frame2"});
    Controls inFrame2(Frame2);
    auto* optst1 =
        inFrame2.add(new QRadioButton(QStringLiteral("2 Stellen..."), Frame2),
                     {"optst1", "Das Ergebnis wird mit zwei Stellen hinter dem Komma ausgegeben."});
    auto* optst2 =
        inFrame2.add(new QRadioButton(QStringLiteral("3 Stellen..."), Frame2),
                     {"optst2", "Das Ergebnis wird mit drei Stellen hinter dem Komma ausgegeben."});
    auto* optst3 =
        inFrame2.add(new QRadioButton(QStringLiteral("4 Stellen... hinter dem Komma !"), Frame2),
                     {"optst3", "Das Ergebnis wird mit vier Stellen hinter dem Komma ausgegeben."});
    lblBeispiel = inFrame2.add(new QLabel(Frame2), {"lblBeispiel", "Beispiel für die Ausgabe."});
    resultOptions_ = {optst1, optst2, optst3};
    auto* results = new QVBoxLayout(Frame2);
    for (QWidget* w : std::initializer_list<QWidget*>{optst1, optst2, optst3, lblBeispiel})
        results->addWidget(w);

    auto* Frame1 = make.add(new QGroupBox(QStringLiteral("Zwischenergebnisse mit..."), this), {"Frame1"});
    Controls inFrame1(Frame1);
    auto* optzw1 =
        inFrame1.add(new QRadioButton(QStringLiteral("3 Stellen..."), Frame1),
                     {"optzw1", "Das Euro-Zwischenergebnis wird mit 3 Stellen hinter dem Komma berechnet."});
    auto* optzw2 =
        inFrame1.add(new QRadioButton(QStringLiteral("4 Stellen...hinter dem Komma !"), Frame1),
                     {"optzw2", "Das Euro-Zwischenergebnis wird mit 4 Stellen hinter dem Komma berechnet."});
    lblBeispiel2 = inFrame1.add(new QLabel(Frame1),
                                {"lblBeispiel2", "Beispiel für das Zwischenergebnis (interne Berechung)."});
    euroOptions_ = {optzw1, optzw2};
    auto* intermediate = new QVBoxLayout(Frame1);
    for (QWidget* w : std::initializer_list<QWidget*>{optzw1, optzw2, lblBeispiel2})
        intermediate->addWidget(w);

    auto* Command1 = make.add(new QPushButton(QStringLiteral("&?"), this), {"Command1", {}, "Hilfe"});
    auto* cmdOK = make.add(new QPushButton(QStringLiteral("&OK"), this), {"cmdOK"});
    cmdOK->setDefault(true);
    lstversteckt2 = make.add(new LineList(this), {"lstversteckt2"});
    lstversteckt2->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    for (QWidget* frame : {Frame3, Frame2, Frame1}) layout->addWidget(frame);
    layout->addLayout(buttons);
    setMinimumWidth(360);

    // Handlers run on a real change only: switching an option on, choosing another position.
    for (std::size_t k = 0; k < kResultDecimals.size(); ++k) {
        connect(resultOptions_[k], &QRadioButton::toggled, this, [this, k](bool on) {
            if (on) chooseResultDecimals(k);
        });
    }
    for (std::size_t k = 0; k < kEuroDecimals.size(); ++k) {
        connect(euroOptions_[k], &QRadioButton::toggled, this, [this, k](bool on) {
            if (on) chooseEuroDecimals(k);
        });
    }
    connect(txtstart, &QComboBox::currentIndexChanged, this,
            [this] { startCurrencyChosen(txtstart, settings_.sStartwaehrung, "startwaehrung"); });
    connect(txtausgabe2, &QComboBox::currentIndexChanged, this,
            [this] { startCurrencyChosen(txtausgabe2, settings_.sAusgabewaehrung, "ausgabewaehrung"); });
    connect(txtkursalter, &QSpinBox::valueChanged, this, [this](int days) {
        writeSetting("kursalter", kursalter_, std::to_string(days));
        settings_.iKursalter = days;
    });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { windows_.postF1(); });
}

namespace {

// " Beispiel: 1000,00 DEM": fixed texts, whatever the locale.
QString example(const Decimals& decimals, const char* currency) {
    return QStringLiteral(" Beispiel: 1000,") + QString(decimals.places, QLatin1Char('0')) +
           QLatin1Char(' ') + QLatin1String(currency);
}

// Sets the option of the setting's value (which runs its handler when it was off) and shows its
// example; no option and no example for a value the dialog does not offer.
template <std::size_t N>
void showChoice(const std::array<Decimals, N>& choices, const std::array<QRadioButton*, N>& options,
                const std::string& value, QLabel* label, const char* currency) {
    QString caption;
    for (std::size_t k = 0; k < N; ++k) {
        if (value != choices[k].option) continue;
        options[k]->setChecked(true);
        caption = example(choices[k], currency);
    }
    label->setText(caption);
}

}  // namespace

void frmOptionen::UpdateLabel() {
    showChoice(kResultDecimals, resultOptions_, settings_.sOptionen2, lblBeispiel, "DEM");
}

void frmOptionen::UpdateLabel2() {
    showChoice(kEuroDecimals, euroOptions_, settings_.sOptionen1, lblBeispiel2, "EUR");
}

void frmOptionen::writeSetting(const char* key, std::string& variable, const std::string& value) {
    if (Status written = kursomatik::writeSetting(settings_, environment_, key, variable, value); !written)
        windows_.message(this, QString::fromStdString(written.error()));
}

void frmOptionen::chooseResultDecimals(std::size_t k) {
    resultOptions_[k]->setChecked(true);  // the frame switches the others off
    writeSetting("stellen2", settings_.sStellen2, kResultDecimals[k].factorText());
    writeSetting("optionen2", settings_.sOptionen2, kResultDecimals[k].option);
    UpdateLabel();
}

void frmOptionen::chooseEuroDecimals(std::size_t k) {
    euroOptions_[k]->setChecked(true);
    writeSetting("stellen1", settings_.sStellen1, kEuroDecimals[k].factorText());
    writeSetting("optionen1", settings_.sOptionen1, kEuroDecimals[k].option);
    UpdateLabel2();
}

void frmOptionen::startCurrencyChosen(QComboBox* box, std::string& variable, const char* key) {
    // The first currency cannot be a start currency: a choice below 1 moves to 1, and the run that
    // this change starts does the writing first.
    if (box->currentIndex() < 1) {
        if (box->count() < 2) return;
        box->setCurrentIndex(1);
    }
    writeSetting(key, variable, std::to_string(box->currentIndex()));
}

void frmOptionen::cmdOK_Click() {
    hide();
    Initialisierung(sStartauswahl_, settings_, environment_);
    // The settings file may have been changed meanwhile: the box shows what now holds, unwritten.
    const QSignalBlocker quiet(txtkursalter);
    txtkursalter->setValue(settings_.iKursalter);
    if (berechnen_) berechnen_();
}

void frmOptionen::reject() {
    // Esc and the title bar's close: every choice is in the INI file already, so leaving the
    // dialog applies it, as "OK" does.
    cmdOK_Click();
}

}  // namespace kursomatik
