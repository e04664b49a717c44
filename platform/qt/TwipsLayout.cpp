// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/TwipsLayout.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace kursomatik {

int twipsToPixels(int twips) {
    return (twips + 7) / 15;
}

QFont designFont(double points, bool bold) {
    QFont font = QApplication::font();
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

TwipsLayout::TwipsLayout(QWidget* window, int clientWidth, int clientHeight)
    : window_(window), client_(clientWidth, clientHeight) {}

void TwipsLayout::place(QWidget* widget, int left, int top, int width, int height) {
    placements_.push_back({widget, QRect(left, top, width, height)});
}

void TwipsLayout::apply() {
    // Only captions decide: a box or a grid shows its content in whatever room it gets.
    // A button needs its text and a small margin, not the minimum width its style would like.
    factor_ = 1.0;
    for (const Placement& p : placements_) {
        int needed = 0;
        if (const auto* label = qobject_cast<QLabel*>(p.widget)) {
            if (!label->text().isEmpty()) needed = label->fontMetrics().horizontalAdvance(label->text()) + 4;
        } else if (const auto* button = qobject_cast<QAbstractButton*>(p.widget)) {
            QString text = button->text();
            text.remove(QLatin1Char('&'));
            if (!text.isEmpty()) needed = button->fontMetrics().horizontalAdvance(text) + 12;
        }
        if (needed > 0 && p.twips.width() > 0) factor_ = std::max(factor_, needed / (p.twips.width() / 15.0));
    }
    factor_ = std::min(factor_, 2.0);
    auto scaled = [this](int twips) { return static_cast<int>(std::lround(twips / 15.0 * factor_)); };
    for (const Placement& p : placements_) {
        p.widget->setGeometry(scaled(p.twips.left()), scaled(p.twips.top()), scaled(p.twips.width()),
                              scaled(p.twips.height()));
    }
    window_->setFixedSize(scaled(client_.width()), scaled(client_.height()));
}

}  // namespace kursomatik
