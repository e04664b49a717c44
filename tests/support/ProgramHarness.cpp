// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/ProgramHarness.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "info/frmAbout.h"
#include "maintenance/frmEingabe2.h"
#include "maintenance/frmUmtauschkurse.h"
#include "maintenance/frmWeitereW.h"
#include "platform/qt/FlexGrid.h"
#include "platform/qt/LineList.h"
#include "platform/qt/PickList.h"
#include "settings/qt/frmOptionen.h"
#include "store/ListLine.h"

namespace kursomatik::testing {

std::string recordBytes(const Currency& c) {
    CurrencyRecord record;
    storeField(record, &CurrencyRecord::Bezeichnung, c.name);
    storeField(record, &CurrencyRecord::ISO, c.iso);
    storeField(record, &CurrencyRecord::Kurs, c.kurs);
    storeField(record, &CurrencyRecord::EWWU, c.ewwu);
    storeField(record, &CurrencyRecord::Datum, c.datum);
    return encodeRecord(record);
}

std::string tableBytes(const std::vector<Currency>& currencies) {
    std::string bytes;
    for (const auto& c : currencies) bytes += recordBytes(c);
    return bytes;
}

ProgramHarness::ProgramHarness() {
    state.regional = RegionalSettings::german();
    state.regional.today = [] { return CivilDate{2026, 12, 5}; };
    state.environment.programDir = dir.path() / "programm";
    state.environment.systemProfile = dir.path() / "config" / "WIN.INI";
    std::filesystem::create_directories(state.environment.programDir);
}

ProgramHarness::~ProgramHarness() {
    main.reset();
}

void ProgramHarness::writeTable(const std::vector<Currency>& currencies) {
    writeFile(dir / kCurrencyFileName, tableBytes(currencies));
}

void ProgramHarness::writeIni(const std::string& text) {
    writeFile(state.environment.programDir / "Kursomatik.ini", text);
}

std::string ProgramHarness::iniText() const {
    return readFile(state.environment.programDir / "Kursomatik.ini");
}

std::string ProgramHarness::datBytes() const {
    return readFile(dir / kCurrencyFileName);
}

long ProgramHarness::storedCount() const {
    return static_cast<long>(datBytes().size() / kRecordLength);
}

CurrencyRecord ProgramHarness::storedRecord(long n) const {
    return decodeRecord(datBytes().substr(static_cast<std::size_t>(n - 1) * kRecordLength, kRecordLength));
}

WexlorEingabe& ProgramHarness::start() {
    main.reset();
    windows.modal.clear();
    windows.modeless.clear();
    main = std::make_unique<WexlorEingabe>(state, windows);
    main->aboutWindow = [this](QWidget* owner) { showAboutWindow(windows, owner); };
    main->Form_Load();
    return *main;
}

WexlorEingabe& ProgramHarness::start(const std::vector<Currency>& table, const std::string& ini) {
    writeTable(table);
    writeIni(ini);
    return start();
}

void ProgramHarness::press(const QWidget* window, const char* button) {
    child<QPushButton>(window, button)->click();
}

void ProgramHarness::trigger(const char* menuItem) {
    main->findChild<QAction*>(QString::fromUtf8(menuItem))->trigger();
}

frmOptionen& ProgramHarness::options() {
    return *main->findChild<frmOptionen*>();
}

frmUmtauschkurse& ProgramHarness::memberWindow() {
    trigger("Umtauschkurse");
    return *main->findChild<frmUmtauschkurse*>();
}

frmWeitereW& ProgramHarness::otherWindow() {
    memberWindow().findChild<QPushButton*>("cmdSpringeFormwW")->click();
    return *main->findChild<frmWeitereW*>();
}

frmEingabe2& ProgramHarness::openRecord(long n) {
    if (n == 0) {
        memberWindow().findChild<QPushButton*>("cmdneu")->click();
        return *editor();
    }
    auto* list = find<LineList>("lstversteckt");
    for (int k = 0; k < list->lineCount(); ++k) {
        if (lineRecordNumber(list->line(k).toStdString()) == n) list->setCurrentRow(k);
    }
    QTest::keyClick(list, Qt::Key_Return);
    return *editor();
}

frmEingabe2* ProgramHarness::editor() const {
    for (auto it = windows.modal.rbegin(); it != windows.modal.rend(); ++it) {
        if (auto* found = qobject_cast<frmEingabe2*>(it->data())) return found;
    }
    return nullptr;
}

int ProgramHarness::editorsShown() const {
    // The currency windows live on, so a destroyed modal window was an editor.
    int count = 0;
    for (const auto& window : windows.modal) count += window.isNull() || qobject_cast<frmEingabe2*>(window);
    return count;
}

void ProgramHarness::choose(QComboBox* box, const QString& name) {
    box->setCurrentIndex(box->findText(name));
}

void ProgramHarness::typeAmount(const QString& text) {
    find<QLineEdit>("txtWertEingabe")->setText(text);
}

QString ProgramHarness::result() const {
    return find<QLineEdit>("txtWert")->text();
}

void ProgramHarness::settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QStringList ProgramHarness::names(const QWidget* listOrGrid) {
    QStringList names;
    if (const auto* list = qobject_cast<const LineList*>(listOrGrid)) {
        for (int k = 0; k < list->lineCount(); ++k) names << list->line(k).left(40).trimmed();
    } else if (const auto* grid = qobject_cast<const FlexGrid*>(listOrGrid)) {
        for (int r = 1; r < grid->rows(); ++r) names << grid->text(r, 1).trimmed();
    } else if (const auto* box = qobject_cast<const QComboBox*>(listOrGrid)) {
        for (int k = 0; k < box->count(); ++k) names << box->itemText(k);
    }
    return names;
}

void ProgramHarness::doubleClickRow(FlexGrid* grid, int row) {
    // A real double-click on the name cell: the first click arrives on its own, then the double-click.
    // Grid row r is table row r - 1.
    const QModelIndex index = grid->model()->index(row - 1, 1);
    grid->scrollTo(index);
    const QPoint centre = grid->visualRect(index).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
}

}  // namespace kursomatik::testing
