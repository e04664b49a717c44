#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <memory>
#include <string>
#include <vector>

#include "AppState.h"
#include "CurrencyRecord.h"
#include "RecordingWindowSystem.h"
#include "WexlorEingabe.h"
#include "support/TempDir.h"

namespace kursomatik::testing {

struct Currency {
    std::string name;
    std::string iso;
    std::string kurs;  // as stored: units per Euro × 1,000,000
    std::string ewwu = "1";
    std::string datum = "01.01.1999";
};

inline const Currency kDeutscheMark{"Deutsche Mark", "DEM", "1955830"};
inline const Currency kEuro{"Euro", "EUR", "1000000"};
inline const Currency kFranc{"Französischer Franc", "FRF", "6559570"};
inline const Currency kLira{"Italienische Lira", "ITL", "1936270000"};
inline const Currency kDollar{"US-Dollar", "USD", "1179400", "0", "06.02.2026"};

std::string recordBytes(const Currency& currency);
std::string tableBytes(const std::vector<Currency>& currencies);

// The whole program in a fresh working folder: its currency file, its INI file beside a pretended
// program folder (no WIN.INI), German conventions, a fixed today, and the recording window system.
class ProgramTest : public ::testing::Test {
  protected:
    ProgramTest();
    ~ProgramTest() override;

    void writeTable(const std::vector<Currency>& currencies);
    void writeIni(const std::string& text);
    std::string iniText() const;
    std::string datBytes() const;
    // Creates the main window and runs its start-up.
    WexlorEingabe& start();

    QString selectedName(QComboBox* box) const;
    void choose(QComboBox* box, const QString& name);
    void typeAmount(const QString& text);

    TempDir dir_;
    RecordingWindowSystem windows_;
    AppState state_;
    std::unique_ptr<WexlorEingabe> main_;
};

}  // namespace kursomatik::testing
