// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "app/WexlorEingabe.h"
#include "maintenance/frmEingabe2.h"
#include "maintenance/frmUmtauschkurse.h"
#include "maintenance/frmWeitereW.h"
#include "platform/qt/FlexGrid.h"
#include "platform/qt/LineList.h"
#include "store/RecordFile.h"
#include "tests/support/RecordingWindowSystem.h"
#include "tests/support/TempDir.h"

namespace kursomatik::testsupport {

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

// 2 result decimals, 3 Euro decimals; with kStartIni the first currency in name order as input and
// the second as output.
inline const std::string kDecimalsIni =
    "[Kursomatik]\nstellen1=1000\nstellen2=100\noptionen1=1\noptionen2=1\n";
inline const std::string kStartIni = kDecimalsIni + "startwaehrung=0\nausgabewaehrung=1\n";

std::string recordBytes(const Currency& currency);
std::string tableBytes(const std::vector<Currency>& currencies);

// The whole program in a fresh working folder: its currency file, its INI file in a pretended
// program folder (no WIN.INI), German conventions, a fixed today, and the recording window system.
// The windows are reached as a user reaches them: by the menu, the buttons and the controls' names.
class ProgramHarness {
  public:
    ProgramHarness();

    void writeTable(const std::vector<Currency>& currencies) {
        writeFile(dir / kCurrencyFileName, tableBytes(currencies));
    }
    void writeIni(const std::string& text) { writeFile(iniPath(), text); }
    std::filesystem::path iniPath() const { return state.environment.programDir / "Kursomatik.ini"; }
    std::string datBytes() const { return readFile(dir / kCurrencyFileName); }

    // Creates the main window and runs its start-up; with a table, writes it and the settings first.
    WexlorEingabe& start();
    WexlorEingabe& start(const std::vector<Currency>& table, const std::string& ini = kStartIni) {
        return writeTable(table), writeIni(ini), start();
    }

    // A control of the main window or of any window it owns, found by its name.
    template <class Widget = QWidget>
    Widget* find(const char* name) const {
        return main->findChild<Widget*>(QString::fromUtf8(name));
    }
    template <class Widget = QLineEdit>
    static Widget* child(const QWidget* window, const char* name) {
        return window->findChild<Widget*>(QString::fromUtf8(name));
    }
    static void press(const QWidget* w, const char* button) { child<QPushButton>(w, button)->click(); }
    void trigger(const char* menuItem) { find<QAction>(menuItem)->trigger(); }
    // The menu item "Wechselkurse", and its button "Weitere Währungen".
    frmUmtauschkurse& memberWindow() {
        return trigger("Umtauschkurse"), *main->findChild<frmUmtauschkurse*>();
    }
    frmWeitereW& otherWindow() {
        return press(&memberWindow(), "cmdSpringeFormwW"), *main->findChild<frmWeitereW*>();
    }
    // The editor on record n (0: a new one), opened by Enter on its currency in the main window's list.
    frmEingabe2& openRecord(long n);
    frmEingabe2* editor() const;  // the editor shown last, while it exists

    static void choose(QComboBox* box, const QString& name) { box->setCurrentIndex(box->findText(name)); }
    void typeAmount(const QString& text) { find<QLineEdit>("txtWertEingabe")->setText(text); }
    QString result() const { return find<QLineEdit>("txtWert")->text(); }
    // Lets the windows that asked to be destroyed go.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    static void doubleClickRow(FlexGrid* grid, int row);

    TempDir dir;
    RecordingWindowSystem windows;
    AppState state;
    std::unique_ptr<WexlorEingabe> main;  // declared last: destroyed first, while the rest still lives
};

}  // namespace kursomatik::testsupport
