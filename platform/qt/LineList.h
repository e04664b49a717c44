// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListWidget>
#include <QStringList>

namespace kursomatik {

// A list box of currency lines, kept in the order the list pass gives it. A screen reader hears
// the currency's name and code instead of the padded columns of the line.
class LineList : public QListWidget {
    Q_OBJECT
  public:
    explicit LineList(QWidget* parent = nullptr);

    // Entry k shows line k and speaks spoken[k].
    void setLines(const QStringList& lines, const QStringList& spoken);
    QString line(int index) const;
    int lineCount() const { return count(); }

  signals:
    // Double-click, or Enter on the selected entry.
    void activatedByUser();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace kursomatik
