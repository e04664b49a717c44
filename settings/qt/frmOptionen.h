// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "platform/RegionalSettings.h"
#include "platform/qt/LineList.h"
#include "settings/Einstellungen.h"

class QComboBox;
class QLabel;
class QRadioButton;
class QSpinBox;

namespace kursomatik {

class WindowSystem;

// The options dialog: result decimals, Euro decimals and the start currencies. Every choice is
// written to the INI file at once; "OK" reads all settings again and recomputes the result.
class frmOptionen : public QDialog {
    Q_OBJECT
  public:
    // Built whole, with the options of the settings set (which writes their pairs again).
    frmOptionen(SettingsState& settings, const SettingsEnvironment& environment,
                const RegionalSettings& regional, std::string& sStartauswahl, WindowSystem& windows,
                std::function<void()> berechnen, QWidget* parent = nullptr);

    void UpdateLabel();
    // The list pass's part in this dialog: every currency, and the start currencies of the settings.
    void takeCurrencies(ListedLines lines, const QStringList& names);

  public slots:
    void reject() override;

  private:
    void UpdateLabel2();
    void cmdOK_Click();
    void build();
    void writeSetting(const char* key, std::string& variable, const std::string& value);
    // The k-th choice of the result's or the Euro value's decimals (optst1 to optst3, optzw1 and optzw2).
    void chooseResultDecimals(std::size_t k);
    void chooseEuroDecimals(std::size_t k);
    void startCurrencyChosen(QComboBox* box, std::string& variable, const char* key);

    SettingsState& settings_;
    const SettingsEnvironment& environment_;
    const RegionalSettings& regional_;
    std::string& sStartauswahl_;
    WindowSystem& windows_;
    std::function<void()> berechnen_;

    QLabel* lblBeispiel;
    QLabel* lblBeispiel2;
    QComboBox* txtstart;
    QComboBox* txtausgabe2;
    QSpinBox* txtkursalter;
    std::string kursalter_;  // the text last written for "kursalter"
    LineList* lstversteckt2;
    std::array<QRadioButton*, 3> resultOptions_{};  // in the order of kResultDecimals
    std::array<QRadioButton*, 2> euroOptions_{};    // in the order of kEuroDecimals
};

}  // namespace kursomatik
