// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/Controls.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/qt/TwipsLayout.h"

namespace kursomatik {

void Controls::describe(QWidget* widget, const ControlText& text, const QRect& twips) {
    widget->setObjectName(QString::fromUtf8(text.name));
    if (!text.tooltip.isEmpty()) {
        widget->setToolTip(text.tooltip);
        widget->setAccessibleDescription(text.tooltip);
    }
    if (!text.spoken.isEmpty()) widget->setAccessibleName(text.spoken);
    if (layout_ != nullptr && !twips.isNull())
        layout_->place(widget, twips.left(), twips.top(), twips.width(), twips.height());
}

QLabel* Controls::label(const char* name, const QString& caption, const QRect& twips, QWidget* buddy) {
    auto* label = add(new QLabel(caption, parent_), {name}, twips);
    if (buddy != nullptr) {
        label->setBuddy(buddy);
        QString words = caption;
        buddy->setAccessibleName(words.remove(QLatin1Char(':')).remove(QLatin1Char('.')).trimmed());
    }
    return label;
}

QPushButton* Controls::button(const ControlText& text, const QString& caption, const QRect& twips) {
    auto* button = add(new QPushButton(caption, parent_), text, twips);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* Controls::textBox(const ControlText& text, int maxLength, const QRect& twips,
                             const QString& shown) {
    auto* box = add(new QLineEdit(parent_), text, twips);
    box->setMaxLength(maxLength);
    box->setText(shown);
    return box;
}

QFrame* Controls::line(const char* name, const QRect& twips) {
    auto* line = add(new QFrame(parent_), {name}, twips);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

void chainTabs(std::initializer_list<QWidget*> order) {
    for (auto at = order.begin(); at + 1 < order.end(); ++at) QWidget::setTabOrder(*at, *(at + 1));
}

}  // namespace kursomatik
