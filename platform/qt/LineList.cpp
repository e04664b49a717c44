// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/LineList.h"

#include <QAbstractListModel>
#include <QKeyEvent>

namespace kursomatik {
namespace {

class LineModel : public QAbstractListModel {
  public:
    using QAbstractListModel::QAbstractListModel;

    // As one removal and one insertion, so that the view and its watchers see a new pass as such.
    void setLines(ListedLines lines) {
        if (lines_.count > 0) {
            beginRemoveRows({}, 0, lines_.count - 1);
            lines_ = {};
            endRemoveRows();
        }
        if (lines.count <= 0) return;
        beginInsertRows({}, 0, lines.count - 1);
        lines_ = std::move(lines);
        endInsertRows();
    }
    const ListedLines& lines() const { return lines_; }

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : lines_.count; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= lines_.count) return {};
        if (role == Qt::DisplayRole) return lines_.line(index.row());
        if (role == Qt::AccessibleTextRole) return lines_.spoken(index.row());
        return {};
    }

  private:
    ListedLines lines_;
};

}  // namespace

LineList::LineList(QWidget* parent) : QListView(parent) {
    setModel(new LineModel(this));
    // Every entry is one line of one font: the view need not measure 999 of them after each change.
    setUniformItemSizes(true);
    setEditTriggers(NoEditTriggers);
    connect(this, &QListView::doubleClicked, this, [this] { emit activatedByUser(); });
}

void LineList::setLines(ListedLines lines) {
    static_cast<LineModel*>(model())->setLines(std::move(lines));
}

int LineList::lineCount() const {
    return static_cast<const LineModel*>(model())->lines().count;
}

QString LineList::line(int index) const {
    const ListedLines& lines = static_cast<const LineModel*>(model())->lines();
    return index >= 0 && index < lines.count ? lines.line(index) : QString();
}

void LineList::setCurrentRow(int row) {
    setCurrentIndex(model()->index(row, 0));
}

void LineList::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentRow() >= 0) {
        emit activatedByUser();
        return;
    }
    QListView::keyPressEvent(event);
}

}  // namespace kursomatik
