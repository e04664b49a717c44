// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTableWidget>
#include <QVector>
#include <functional>

namespace kursomatik {

// A text grid with a fixed header row 0 and a fixed, zero-width column 0, addressed as a flex grid
// is: row 0 is the header, data rows count from 1. The user selects rows but cannot type.
class FlexGrid : public QTableWidget {
    Q_OBJECT
  public:
    explicit FlexGrid(QWidget* parent = nullptr);

    int rows() const { return rowCount() + 1; }
    void setRows(int rows);
    int cols() const { return columnCount(); }
    void setCols(int cols);

    QString text(int row, int col) const;
    void setText(int row, int col, const QString& text);

    void setColumnWidthTwips(int col, int twips);
    // The factor by which its window's layout enlarged the design, for the column widths.
    void setTwipsScale(double factor) { twipsScale_ = factor; }
    void setColAlignment(int col, Qt::Alignment alignment);
    void setFixedAlignment(int col, Qt::Alignment alignment);

    // The row of the current cell (0 when none), and making a row current.
    int currentGridRow() const;
    void setCurrentGridRow(int row);

    // Runs many cell changes as one: the view hears of them once instead of once per cell. The
    // changes must not add or remove rows.
    void changeCells(const std::function<void()>& changes);

    // Empties every cell, the header row included; rows and columns stay.
    void clearCells();

  signals:
    // A data row was double-clicked or chosen with Enter.
    void rowActivated(int row);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QTableWidgetItem* cell(int row, int col) const;
    QVector<Qt::Alignment> alignments_;
    double twipsScale_ = 1.0;
};

}  // namespace kursomatik
