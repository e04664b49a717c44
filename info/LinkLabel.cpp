// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/LinkLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <mutex>

namespace kursomatik {
namespace {

// Tells assistive tools that the label is a link with a press action, not static text.
class LinkLabelAccessible : public QAccessibleWidget {
  public:
    explicit LinkLabelAccessible(LinkLabel* label) : QAccessibleWidget(label, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override {
        QString own = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && own.isEmpty()) return static_cast<LinkLabel*>(widget())->text();
        return own;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction()) static_cast<LinkLabel*>(widget())->activate();
    }
};

QAccessibleInterface* linkLabelAccessible(const QString& key, QObject* object) {
    if (key == QLatin1String(LinkLabel::staticMetaObject.className())) {
        return new LinkLabelAccessible(static_cast<LinkLabel*>(object));
    }
    return nullptr;
}

}  // namespace

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(linkLabelAccessible); });
    setTextInteractionFlags(Qt::NoTextInteraction);  // before the focus policy, which it resets
    setFocusPolicy(Qt::StrongFocus);
    setForegroundRole(QPalette::Highlight);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    // A click is a press and a release on the label, as with a button.
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) emit clicked();
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (plain && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void LinkLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(QPalette::Window);
    const QRect textRect = style()->itemTextRect(fontMetrics(), contentsRect(), alignment(), true, text());
    option.rect = textRect.adjusted(-1, 0, 1, 0).intersected(rect());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

}  // namespace kursomatik
