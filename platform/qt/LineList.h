// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListView>

#include <functional>

namespace kursomatik {

// What a list of currency lines shows: entry k's line and what a screen reader says of it, made when
// the view asks for them, so that a table of 999 currencies keeps no second copy of its lines.
struct ListedLines {
    int count = 0;
    std::function<QString(int)> line;
    std::function<QString(int)> spoken;
};

// A list box of currency lines, kept in the order the list pass gives it. A screen reader hears
// the currency's name and code instead of the padded columns of the line.
class LineList : public QListView {
    Q_OBJECT
  public:
    explicit LineList(QWidget* parent = nullptr);

    void setLines(ListedLines lines);
    void clear() { setLines({}); }
    QString line(int index) const;
    int lineCount() const;
    // The selected entry, -1 for none; choosing one selects it alone, as a list box does.
    int currentRow() const { return currentIndex().row(); }
    void setCurrentRow(int row);

  signals:
    // Double-click, or Enter on the selected entry.
    void activatedByUser();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace kursomatik
