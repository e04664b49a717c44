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

// "MS Sans Serif" 8.25 pt, the font the windows were designed in, or the closest at hand.
QFont designFont(bool bold);
// Arial, or a sans serif of the same size.
QFont arialFont(double points, bool bold);

}  // namespace kursomatik
