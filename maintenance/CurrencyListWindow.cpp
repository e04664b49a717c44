// SPDX-License-Identifier: GPL-3.0-or-later
#include "maintenance/CurrencyListWindow.h"

#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include "platform/qt/LineList.h"
#include "platform/qt/PickList.h"
#include "store/ListLine.h"

namespace kursomatik {

CurrencyListWindow::CurrencyListWindow(MaintenanceContext& context, int clientHeight, QWidget* parent)
    : QDialog(parent), context_(context), layout_(this, 6375, clientHeight) {
    setProperty("helpTopic", 3);
    setFont(designFont());
}

void CurrencyListWindow::finishLayout() {
    layout_.apply();
    grid_->setTwipsScale(layout_.factor());
}

QLabel* CurrencyListWindow::addLabel(const char* name, const QString& text, const QFont& font, int left,
                                     int top, int width, int height) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromUtf8(name));
    label->setFont(font);
    layout_.place(label, left, top, width, height);
    return label;
}

QPushButton* CurrencyListWindow::addButton(const char* name, const QString& caption, const QString& tooltip,
                                           int left, int top, int width, int height) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromUtf8(name));
    button->setAutoDefault(false);
    if (!tooltip.isEmpty()) {
        button->setToolTip(tooltip);
        button->setAccessibleDescription(tooltip);
    }
    layout_.place(button, left, top, width, height);
    return button;
}

QPushButton* CurrencyListWindow::addHelpButton(const char* name) {
    QPushButton* help = addButton(name, QStringLiteral("&?"), {}, 5880, 120, 375, 375);
    help->setAccessibleName(QStringLiteral("Hilfe"));
    help->setFont(designFont(8.25, true));
    return help;
}

void CurrencyListWindow::addLine(const char* name, int top) {
    auto* line = new QFrame(this);
    line->setObjectName(QString::fromUtf8(name));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout_.place(line, 0, top - 15, 6375, 30);
}

void CurrencyListWindow::createGrid(const char* name, const QString& heading) {
    grid_ = new FlexGrid(this);
    grid_->setObjectName(QString::fromUtf8(name));
    grid_->setCols(5);
    grid_->setRows(2);
    const QString tip = QStringLiteral(
        "Einstellungen können durch Doppelklick auf die entsprechende Währung verändert werden.");
    grid_->setToolTip(tip);
    grid_->setAccessibleName(heading);
    grid_->setAccessibleDescription(tip);
    // The name column gives up what the scroll bar takes, so the dates always show in full.
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->horizontalHeader()->setStretchLastSection(false);
    grid_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    layout_.place(grid_, 120, 1080, 6135, 3210);
    connect(grid_, &FlexGrid::rowActivated, this, [this](int row) { openRow(row); });
}

void CurrencyListWindow::createListAndSelector(const char* listName, const QString& spokenName,
                                               const QString& tooltip, const char* selectorName, int left,
                                               int listWidth, int listHeight) {
    list_ = new LineList(this);
    list_->setObjectName(QString::fromUtf8(listName));
    list_->setToolTip(tooltip);
    list_->setAccessibleName(spokenName);
    list_->setAccessibleDescription(tooltip);
    layout_.place(list_, left, 1080, listWidth, listHeight);
    connect(list_, &LineList::activatedByUser, this, [this] { openSelectedEntry(); });

    QLabel* label =
        addLabel("Label2", QStringLiteral(" Einstellungen ändern..."), font(), left, 360, 2265, 255);
    selector_ = new QComboBox(this);
    selector_->setObjectName(QString::fromUtf8(selectorName));
    const QString tip = QStringLiteral("Hier anklicken zum ändern der Einstellungen.");
    selector_->setToolTip(tip);
    selector_->setAccessibleName(QStringLiteral("Einstellungen ändern"));
    selector_->setAccessibleDescription(tip);
    label->setBuddy(selector_);
    layout_.place(selector_, left, 600, 2265, 315);
    connect(selector_, &QComboBox::currentIndexChanged, this, [this] { selectorChosen(); });
}

void CurrencyListWindow::fillFromPass(const std::vector<std::string>& lines,
                                      const std::vector<GridRow>& rows) {
    list_->clear();
    grid_->clearCells();
    layOutGrid();
    const QStringList shown = toQStringList(lines);
    const ShownLines columns = shownLines(lines);
    const QStringList names = toQStringList(columns.names);
    list_->setLines(shown, toQStringList(columns.spoken));
    // Rows from 1 on; the grid grows where the rows of the last pass are too few.
    if (grid_->rows() < static_cast<int>(rows.size()) + 2) grid_->setRows(static_cast<int>(rows.size()) + 2);
    grid_->changeCells([&] {
        for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
            const GridRow& r = rows[static_cast<std::size_t>(i)];
            grid_->setText(i + 1, 1, QString::fromStdString(r.name));
            grid_->setText(i + 1, 2, QString::fromStdString(r.rate));
            grid_->setText(i + 1, 3, QString::fromStdString(r.iso));
            grid_->setText(i + 1, 4, QString::fromStdString(r.date));
            grid_->setRowKey(i + 1, QString::fromStdString(r.line));
        }
    });
    picklist::setEntries(selector_, shown, names);
    if (list_->lineCount() > 0) list_->setCurrentRow(0);
    // The header, one row per currency and the empty row, which the sort puts first.
    grid_->setRows(list_->lineCount() + 2);
    sortGrid();
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
    openLine(list_->line(list_->currentRow()));
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
    openLine(list_->line(index));
}

void CurrencyListWindow::openNewRecord() {
    openRecordEditor(context_, 0, this);
}

void CurrencyListWindow::openLine(const QString& line) {
    const auto number = lineRecordNumber(line.toStdString());
    if (number) openRecordEditor(context_, static_cast<int>(*number), this);
}

}  // namespace kursomatik
