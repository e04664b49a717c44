// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/ProgramHarness.h"

#include <QTest>

#include "info/frmAbout.h"
#include "tests/store/RecordBuilder.h"

namespace kursomatik::testsupport {

std::string recordBytes(const Currency& c) {
    return encodeRecord(makeRecord(c.name, c.iso, c.kurs, c.ewwu, c.datum));
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

WexlorEingabe& ProgramHarness::start() {
    main.reset();
    windows.modal.clear();
    windows.modeless = 0;
    main = std::make_unique<WexlorEingabe>(state, windows);
    main->aboutWindow = [this](QWidget* owner) { showAboutWindow(windows, owner); };
    main->Form_Load();
    return *main;
}

frmEingabe2& ProgramHarness::openRecord(long n) {
    if (n == 0) return press(&memberWindow(), "cmdneu"), *editor();
    auto* list = find<LineList>("lstversteckt");
    // A line ends with its record's number after a blank.
    for (int k = 0; k < list->lineCount(); ++k)
        if (list->line(k).endsWith(" " + QString::number(n))) list->setCurrentRow(k);
    QTest::keyClick(list, Qt::Key_Return);
    return *editor();
}

frmEingabe2* ProgramHarness::editor() const {
    for (auto it = windows.modal.rbegin(); it != windows.modal.rend(); ++it)
        if (auto* found = qobject_cast<frmEingabe2*>(it->data())) return found;
    return nullptr;
}

void ProgramHarness::doubleClickRow(FlexGrid* grid, int row) {
    // A real double-click on the name cell (grid row r is table row r - 1): a click, then the double-click.
    const QModelIndex index = grid->model()->index(row - 1, 1);
    grid->scrollTo(index);
    const QPoint centre = grid->visualRect(index).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
}

}  // namespace kursomatik::testsupport
