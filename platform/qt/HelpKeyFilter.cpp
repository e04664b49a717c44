// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/HelpKeyFilter.h"

#include <QKeyEvent>
#include <QWidget>

#include "platform/qt/WindowSystem.h"

namespace kursomatik {

HelpKeyFilter::HelpKeyFilter(WindowSystem& windows, QObject* parent) : QObject(parent), windows_(windows) {}

int HelpKeyFilter::topicOf(const QWidget* widget) {
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        const QVariant topic = w->property("helpTopic");
        if (topic.isValid()) return topic.toInt();
        if (w->isWindow()) break;
    }
    return 0;
}

bool HelpKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
        watched->isWidgetType()) {
        windows_.openHelp(topicOf(static_cast<QWidget*>(watched)));
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kursomatik
