// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/PickList.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QStandardItemModel>

namespace kursomatik::picklist {

void setEntries(QComboBox* box, const QStringList& lines, const QStringList& names) {
    const QSignalBlocker quiet(box);
    const int selected = box->currentIndex();
    const int kept = std::min<int>(box->count(), lines.size());
    for (int k = 0; k < kept; ++k) {
        box->setItemText(k, names.value(k));
        box->setItemData(k, lines[k], Qt::UserRole);
    }
    // New entries arrive in one insertion, fully formed, which keeps a long pass fast.
    QList<QStandardItem*> added;
    for (int k = kept; k < lines.size(); ++k) {
        auto* entry = new QStandardItem(names.value(k));
        entry->setData(lines[k], Qt::UserRole);
        added.push_back(entry);
    }
    if (!added.isEmpty()) {
        if (auto* model = qobject_cast<QStandardItemModel*>(box->model())) {
            model->invisibleRootItem()->appendRows(added);
        } else {
            for (QStandardItem* entry : added) {
                box->addItem(entry->text(), entry->data(Qt::UserRole));
                delete entry;
            }
        }
    }
    box->setCurrentIndex(selected);  // adding to an empty list would select its first entry
}

void clearEntries(QComboBox* box) {
    const QSignalBlocker quiet(box);
    box->clear();
}

QString line(const QComboBox* box, int index) {
    return box->itemData(index, Qt::UserRole).toString();
}

QString selectedLine(const QComboBox* box) {
    return line(box, box->currentIndex());
}

void clearSelection(QComboBox* box) {
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(-1);
}

}  // namespace kursomatik::picklist
