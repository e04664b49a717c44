#pragma once

#include <string>

#include "Money.h"

namespace kursomatik {

// The main window's chosen currencies and the flags around them. The selection handlers, the
// member window's closing steps, the list pass, the editor and the deletion all keep it.
struct SelectionState {
    std::string sStartauswahl = "1";  // "1": the next list pass selects the start currencies
    std::string sEingabeIndex;        // position of the input currency in txtEingabe, as text
    std::string sAusgabeIndex;        // the same for the output currency
    double dEingabeKurs = 0.0;        // scaled rate (units per Euro × 1,000,000) as the line carries it
    double dAusgabeKurs = 0.0;
    Money cyEingabeKurs;  // the same, rounded to six decimals and to the fixed-point type
    Money cyAusgabeKurs;
    int iGeloeschteWaehrung = 0;  // 1: the input currency was deleted, 2: the output currency
};

}  // namespace kursomatik
