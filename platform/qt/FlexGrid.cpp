// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/FlexGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

#include "platform/qt/TwipsLayout.h"

namespace kursomatik {

FlexGrid::FlexGrid(QWidget* parent) : QTableWidget(parent) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setSectionsClickable(false);
    connect(this, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { emit rowActivated(row + 1); });
}

void FlexGrid::setRows(int rows) {
    setRowCount(std::max(0, rows - 1));
}

void FlexGrid::setCols(int cols) {
    setColumnCount(cols);
    alignments_.resize(cols);
    for (int col = 0; col < cols; ++col) {
        if (horizontalHeaderItem(col) == nullptr) setHorizontalHeaderItem(col, new QTableWidgetItem);
    }
}

QTableWidgetItem* FlexGrid::cell(int row, int col) const {
    return row == 0 ? horizontalHeaderItem(col) : item(row - 1, col);
}

QString FlexGrid::text(int row, int col) const {
    const QTableWidgetItem* found = cell(row, col);
    return found ? found->text() : QString();
}

void FlexGrid::setText(int row, int col, const QString& text) {
    if (row < 0 || row >= rows() || col < 0 || col >= cols()) return;
    if (QTableWidgetItem* found = cell(row, col)) {
        found->setText(text);
        return;
    }
    auto* created = new QTableWidgetItem(text);
    created->setTextAlignment(alignments_.value(col, Qt::AlignLeft | Qt::AlignVCenter));
    setItem(row - 1, col, created);
}

void FlexGrid::setColumnWidthTwips(int col, int twips) {
    setColumnWidth(col, static_cast<int>(std::lround(twips / 15.0 * twipsScale_)));
    setColumnHidden(col, twips == 0);
}

void FlexGrid::setColAlignment(int col, Qt::Alignment alignment) {
    if (col < 0 || col >= alignments_.size()) return;
    alignments_[col] = alignment;
    for (int r = 0; r < rowCount(); ++r) {
        if (QTableWidgetItem* found = item(r, col)) found->setTextAlignment(alignment);
    }
}

void FlexGrid::setFixedAlignment(int col, Qt::Alignment alignment) {
    if (QTableWidgetItem* header = horizontalHeaderItem(col)) header->setTextAlignment(alignment);
}

int FlexGrid::currentGridRow() const {
    return currentRow() < 0 ? 0 : currentRow() + 1;
}

void FlexGrid::setCurrentGridRow(int row) {
    if (row >= 1 && row < rows()) setCurrentCell(row - 1, std::min(1, cols() - 1));
}

void FlexGrid::changeCells(const std::function<void()>& changes) {
    {
        const QSignalBlocker quiet(model());
        changes();
    }
    if (rowCount() > 0 && columnCount() > 0) {
        QTableWidget::dataChanged(model()->index(0, 0), model()->index(rowCount() - 1, columnCount() - 1));
    }
}

void FlexGrid::clearCells() {
    for (int col = 0; col < cols(); ++col) {
        if (QTableWidgetItem* header = horizontalHeaderItem(col)) header->setText(QString());
    }
    changeCells([this] {
        for (int row = 0; row < rowCount(); ++row) {
            for (int col = 0; col < cols(); ++col) {
                if (QTableWidgetItem* found = item(row, col)) found->setText(QString());
            }
        }
    });
}

void FlexGrid::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentRow() >= 0) {
        emit rowActivated(currentGridRow());
        return;
    }
    QTableWidget::keyPressEvent(event);
}

}  // namespace kursomatik
