// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/PickList.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QStandardItemModel>

namespace kursomatik::picklist {

void setEntries(QComboBox* box, const QStringList& names) {
    const QSignalBlocker quiet(box);
    const int selected = box->currentIndex();
    const int kept = std::min<int>(box->count(), names.size());
    for (int k = 0; k < kept; ++k) box->setItemText(k, names[k]);
    // New entries arrive in one insertion, fully formed, which keeps a long pass fast. A combo box's
    // own model is a QStandardItemModel.
    QList<QStandardItem*> added;
    for (int k = kept; k < names.size(); ++k) added.push_back(new QStandardItem(names[k]));
    if (!added.isEmpty())
        static_cast<QStandardItemModel*>(box->model())->invisibleRootItem()->appendRows(added);
    box->setCurrentIndex(selected);  // adding to an empty list would select its first entry
}

void clearEntries(QComboBox* box) {
    const QSignalBlocker quiet(box);
    box->clear();
}

void clearSelection(QComboBox* box) {
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(-1);
}

}  // namespace kursomatik::picklist
