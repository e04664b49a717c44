// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "maintenance/MaintenanceContext.h"
#include "platform/qt/Controls.h"
#include "platform/qt/FlexGrid.h"
#include "platform/qt/TwipsLayout.h"
#include "store/CurrencyLists.h"

class QComboBox;
class QPushButton;

namespace kursomatik {

class LineList;

// What the member and the other currencies windows have in common: a grid of currencies in the
// order of the window's sorted list, row r showing entry r - 2 (row 1 stays empty), a hidden selector
// with the same entries, and the editor opened from any of them.
class CurrencyListWindow : public QDialog {
    Q_OBJECT
  public:
    // The list pass's part in this window: the list, its selector and the grid get the entries (in
    // the list's order), and the list's first entry is selected.
    virtual void fillFromPass(const SortedEntries& entries);

  protected:
    CurrencyListWindow(MaintenanceContext& context, int clientHeight, QWidget* parent);

    // The controls both windows have, at their designed place (twips: left, top, width, height).
    QPushButton* addHelpButton(const char* name);
    QPushButton* addNewRecordButton(const char* name, const QString& tooltip);
    void createGrid(const char* name, const QString& heading);
    // The sorted list and its selector with the label " Einstellungen ändern...", placed right of
    // the visible client area as designed: the selector is reachable by the Tab key only.
    void createListAndSelector(const char* listName, const QString& spokenName, const QString& tooltip,
                               const char* selectorName, int left, int listWidth, int listHeight);
    // Opens the editor for the selected list entry, if there is one.
    void openSelectedEntry();
    // Places the controls as designed once the window has all of them.
    void finishLayout();

    MaintenanceContext& context_;
    TwipsLayout layout_;
    Controls make_;
    FlexGrid* grid_ = nullptr;
    LineList* list_ = nullptr;
    QComboBox* selector_ = nullptr;

  private:
    // Header row and column layout (FormLoad, FormLoad2).
    void writeGridHeader();
    // Opens the editor for the grid row the user double-clicked (row 1 and the header open nothing).
    void openRow(int row);
    // A choice in the hidden selector: index below 1 becomes 1, then that entry is opened.
    void selectorChosen();
    void openEntry(int k);

    std::vector<long> records_;  // the records the list shows, from the last pass
};

}  // namespace kursomatik
