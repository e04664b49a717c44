// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace kursomatik {

// A label that hands an address to the desktop: drawn in the highlight colour, with a pointing
// hand over it. It also takes the focus, so that Enter or Space opens it from the keyboard and a
// screen reader announces it as a link that can be pressed.
class LinkLabel : public QLabel {
    Q_OBJECT
  public:
    LinkLabel(const QString& text, QWidget* parent = nullptr);

    void activate() { emit clicked(); }

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    bool pressed_ = false;
};

}  // namespace kursomatik
