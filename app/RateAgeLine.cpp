// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RateAgeLine.h"

#include <QAccessible>

namespace kursomatik {
namespace {

const QString kTip = QStringLiteral("Datum der Kurse der gewählten Währungen, die nicht fest sind.");

}  // namespace

RateAgeLine::RateAgeLine(QWidget* parent) : QLabel(parent) {
    setToolTip(kTip);
}

void RateAgeLine::tell(const RateAgeNotice& notice) {
    const QString text = QString::fromStdString(notice.text);
    const QString shown = notice.warns ? QStringLiteral("\u26a0 ") + text : text;
    const QString spoken = notice.warns ? QStringLiteral("Warnung: ") + text : text;
    if (spoken == accessibleName()) return;
    QFont bold = font();
    bold.setBold(notice.warns);
    setFont(bold);
    QPalette colours = parentWidget()->palette();
    if (notice.warns) colours.setColor(QPalette::WindowText, QColor(170, 0, 0));
    setPalette(colours);
    setText(fontMetrics().elidedText(shown, Qt::ElideRight, width()));
    const QString tip = text.isEmpty() ? kTip : shown;
    setToolTip(tip);
    setAccessibleDescription(tip);
    setAccessibleName(spoken);
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

}  // namespace kursomatik
