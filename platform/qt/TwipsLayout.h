// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QRect>
#include <QVector>

class QWidget;

namespace kursomatik {

// The windows keep the arrangement they were designed with, in twips (15 to the pixel at 96 dpi).
// All positions are scaled by one factor, just large enough that every caption fits in the font
// at hand, so the relative sizes hold whatever font the desktop offers in place of the original.
class TwipsLayout {
  public:
    TwipsLayout(QWidget* window, int clientWidth, int clientHeight);

    void place(QWidget* widget, int left, int top, int width, int height);
    // Places every widget and fixes the window's size; call once all captions are set.
    void apply();
    double factor() const { return factor_; }

  private:
    struct Placement {
        QWidget* widget;
        QRect twips;
    };
    QWidget* window_;
    QSize client_;
    QVector<Placement> placements_;
    double factor_ = 1.0;
};

int twipsToPixels(int twips);

// The windows were designed in "MS Sans Serif" 8.25 pt, headings in Arial: the desktop's own sans
// serif stands in for both, at the designed sizes. (Asking for the old families by name costs a
// font search at every start and finds them on no Linux desktop.)
QFont designFont(double points = 8.25, bool bold = false);

}  // namespace kursomatik
