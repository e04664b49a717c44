// SPDX-License-Identifier: GPL-3.0-or-later
#include "maintenance/CurrencyListWindow.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>

#include "maintenance/ShownEntries.h"
#include "platform/qt/LineList.h"
#include "platform/qt/PickList.h"
#include "platform/qt/WindowSystem.h"

namespace kursomatik {

CurrencyListWindow::CurrencyListWindow(MaintenanceContext& context, int clientHeight, QWidget* parent)
    : QDialog(parent), context_(context), layout_(this, 6375, clientHeight), make_(this, &layout_) {
    setProperty("helpTopic", 3);
    setFont(designFont());
}

void CurrencyListWindow::finishLayout() {
    layout_.apply();
    grid_->setTwipsScale(layout_.factor());
}

QPushButton* CurrencyListWindow::addHelpButton(const char* name) {
    QPushButton* help = make_.button({name, {}, "Hilfe"}, QStringLiteral("&?"), {5880, 120, 375, 375});
    help->setFont(designFont(8.25, true));
    connect(help, &QPushButton::clicked, this, [this] { context_.windows.postF1(); });
    return help;
}

QPushButton* CurrencyListWindow::addNewRecordButton(const char* name, const QString& tooltip) {
    QPushButton* button =
        make_.button({name, tooltip}, QStringLiteral("&Neuer Eintrag..."), {120, 4560, 1695, 375});
    connect(button, &QPushButton::clicked, this, [this] { openRecordEditor(context_, 0, this); });
    return button;
}

void CurrencyListWindow::createGrid(const char* name, const QString& heading) {
    grid_ = make_.add(
        new FlexGrid(this),
        {name, "Einstellungen können durch Doppelklick auf die entsprechende Währung verändert werden.",
         heading},
        {120, 1080, 6135, 3210});
    grid_->setCols(5);
    // Designed with 50 rows: the member window's first row can be made current as it loads, before
    // the first list pass sets the rows to the currencies'.
    grid_->setRows(50);
    // The name column gives up what the scroll bar takes, so the dates always show in full.
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->horizontalHeader()->setStretchLastSection(false);
    grid_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    connect(grid_, &FlexGrid::rowActivated, this, [this](int row) { openRow(row); });
}

void CurrencyListWindow::createListAndSelector(const char* listName, const QString& spokenName,
                                               const QString& tooltip, const char* selectorName, int left,
                                               int listWidth, int listHeight) {
    list_ =
        make_.add(new LineList(this), {listName, tooltip, spokenName}, {left, 1080, listWidth, listHeight});
    connect(list_, &LineList::activatedByUser, this, [this] { openSelectedEntry(); });
    selector_ = make_.add(new QComboBox(this), {selectorName, "Hier anklicken zum ändern der Einstellungen."},
                          {left, 600, 2265, 315});
    make_.label("Label2", QStringLiteral(" Einstellungen ändern..."), {left, 360, 2265, 255}, selector_);
    connect(selector_, &QComboBox::currentIndexChanged, this, [this] { selectorChosen(); });
}

void CurrencyListWindow::fillFromPass(const SortedEntries& entries) {
    records_.clear();
    list_->clear();
    grid_->clearCells();
    writeGridHeader();
    list_->setLines(listedLines(entries));
    // The header, the empty row 1 and a row per currency in the list's order: the rows are sorted
    // as they are written (ewwuSortieren, sortierestv2), and a row and its entry always stand at the
    // same place.
    grid_->setRows(static_cast<int>(entries.size()) + 2);
    grid_->changeCells([&] {
        int row = 2;
        for (const CurrencyEntry& entry : entries) {
            records_.push_back(entry.record);
            const GridRow r = gridRowOf(entry, context_.regional);
            for (const auto& [col, text] : {std::pair{1, &r.name}, {2, &r.rate}, {3, &r.iso}, {4, &r.date}})
                grid_->setText(row, col, QString::fromStdString(*text));
            ++row;
        }
    });
    picklist::setEntries(selector_, pickNames(entries));
    if (list_->lineCount() > 0) list_->setCurrentRow(0);
}

void CurrencyListWindow::writeGridHeader() {
    struct Column {
        const char* header;
        int width;
        Qt::Alignment cells;
    };
    const Column columns[] = {{"Bezeichnung:", 3000, Qt::AlignLeft | Qt::AlignVCenter},
                              {"Kurs:", 1500, Qt::AlignRight | Qt::AlignVCenter},
                              {"ISO:", 520, Qt::AlignLeft | Qt::AlignVCenter},
                              {"Datum:", 1000, Qt::AlignLeft | Qt::AlignVCenter}};
    grid_->setColumnWidthTwips(0, 0);
    for (int k = 1; k <= 4; ++k) {
        const Column& c = columns[k - 1];
        grid_->setText(0, k, QString::fromUtf8(c.header));
        grid_->setColumnWidthTwips(k, c.width);
        grid_->setFixedAlignment(k, Qt::AlignLeft | Qt::AlignVCenter);
        grid_->setColAlignment(k, c.cells);
    }
}

void CurrencyListWindow::openRow(int row) {
    if (row < 1) return;            // the header row is no entry
    list_->setCurrentRow(row - 2);  // the empty row 1 clears the selection
    if (row - 2 < 0) list_->clearSelection();
    openSelectedEntry();
}

void CurrencyListWindow::openSelectedEntry() {
    if (list_->lineCount() == 0 || list_->currentRow() < 0) return;
    openEntry(list_->currentRow());
}

void CurrencyListWindow::selectorChosen() {
    int index = selector_->currentIndex();
    if (index < 1) {
        // Moving to the second entry here must not run this handler again: the editor opens once.
        const QSignalBlocker quiet(selector_);
        selector_->setCurrentIndex(1);
        index = selector_->currentIndex();
    }
    // A stale entry left behind by a longer earlier list has no currency behind it.
    if (index < 1 || index >= list_->lineCount()) return;
    list_->setCurrentRow(index);
    openEntry(index);
}

void CurrencyListWindow::openEntry(int k) {
    openRecordEditor(context_, static_cast<int>(records_[static_cast<std::size_t>(k)]), this);
}

}  // namespace kursomatik
