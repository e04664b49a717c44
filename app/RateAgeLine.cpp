// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RateAgeLine.h"

#include <QAccessible>
#include <algorithm>
#include <cmath>

namespace kursomatik {
namespace {

const QString kTip = QStringLiteral("Datum der Kurse der gewählten Währungen, die nicht fest sind.");

double luminance(const QColor& colour) {
    const auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor warningColour(const QColor& background) {
    const bool dark = luminance(background) < 0.18;
    QColor red(dark ? QColor(255, 110, 110) : QColor(170, 0, 0));
    // Towards white or black in small steps: the first red that reads well enough.
    for (int step = 0; step < 30; ++step) {
        if (contrastRatio(red, background) >= 4.5) return red;
        red = dark ? red.lighter(110) : red.darker(110);
    }
    // A mid-grey window leaves no red enough contrast: black or white; the sign and the bold remain.
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrastRatio(black, background) >= contrastRatio(white, background) ? black : white;
}

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
    if (notice.warns) colours.setColor(QPalette::WindowText, warningColour(colours.color(QPalette::Window)));
    setPalette(colours);
    QString line = shown;
    if (fontMetrics().horizontalAdvance(line) > width()) {
        const QString brief = QString::fromStdString(notice.shortText);
        line = notice.warns ? QStringLiteral("\u26a0 ") + brief : brief;
    }
    // Only a currency named by a long name instead of a code can still be too wide.
    setText(fontMetrics().elidedText(line, Qt::ElideRight, width()));
    const QString tip = text.isEmpty() ? kTip : shown;
    setToolTip(tip);
    setAccessibleDescription(tip);
    setAccessibleName(spoken);
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

}  // namespace kursomatik
