// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/LineList.h"

#include <QKeyEvent>

namespace kursomatik {

LineList::LineList(QWidget* parent) : QListWidget(parent) {
    // Every entry is one line of one font: the view need not measure 999 of them after each change.
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { emit activatedByUser(); });
}

void LineList::setLines(const QStringList& lines, const QStringList& spoken) {
    const QSignalBlocker quiet(this);
    clear();
    addItems(lines);  // one insertion for the view
    {
        // What a screen reader says of each entry, told to the view as one change.
        const QSignalBlocker quietModel(model());
        for (int k = 0; k < count(); ++k) item(k)->setData(Qt::AccessibleTextRole, spoken.value(k));
    }
    if (count() > 0) dataChanged(model()->index(0, 0), model()->index(count() - 1, 0));
}

QString LineList::line(int index) const {
    const QListWidgetItem* found = item(index);
    return found ? found->text() : QString();
}

void LineList::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentRow() >= 0) {
        emit activatedByUser();
        return;
    }
    QListWidget::keyPressEvent(event);
}

}  // namespace kursomatik
