#include "PickList.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace kursomatik::picklist {

void setEntries(QComboBox* box, const QStringList& lines) {
    const QSignalBlocker quiet(box);
    const int selected = box->currentIndex();
    for (int k = 0; k < lines.size(); ++k) {
        const QString name = lines[k].left(40).trimmed();
        if (k < box->count()) {
            box->setItemText(k, name);
            box->setItemData(k, lines[k], Qt::UserRole);
        } else {
            box->addItem(name, lines[k]);
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
