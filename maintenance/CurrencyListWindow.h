#pragma once

#include <QDialog>

#include "CurrencyLists.h"
#include "FlexGrid.h"
#include "MaintenanceContext.h"

class QComboBox;
class QLabel;

namespace kursomatik {

class LineList;

// What the member and the other currencies windows have in common: a grid of currencies in name
// order whose row r shows entry r - 2 of the window's sorted list (row 1 stays empty), a hidden
// selector with the same entries, and the editor opened from any of them.
class CurrencyListWindow : public QDialog {
    Q_OBJECT
  public:
    FlexGrid* grid() const { return grid_; }
    LineList* list() const { return list_; }
    QComboBox* selector() const { return selector_; }

    // Rows in file order, written by the list pass from row 1 on; the grid grows as needed.
    void writeRows(const std::vector<GridRow>& rows);

  protected:
    CurrencyListWindow(MaintenanceContext& context, QWidget* parent);

    void createGrid(const char* name, const QString& heading);
    void createList(const char* name, const QString& tooltip);
    void createSelector(const char* name);

    // Header row and column layout (FormLoad, FormLoad2).
    void writeGridHeader();
    // Opens the editor for the grid row the user double-clicked (row 1 and the header open nothing).
    void openRow(int row);
    // Opens the editor for the selected list entry, if there is one.
    void openSelectedEntry();
    // A choice in the hidden selector: index below 1 becomes 1, then that entry is opened.
    void selectorChosen();
    void openNewRecord();

    MaintenanceContext& context_;
    FlexGrid* grid_ = nullptr;
    LineList* list_ = nullptr;
    QComboBox* selector_ = nullptr;

  private:
    void openLine(const QString& line);
};

// Absolute placement in twips, as the windows were designed.
void placeTwips(QWidget* widget, int left, int top, int width, int height);
QFont arialBold(double points);

}  // namespace kursomatik
