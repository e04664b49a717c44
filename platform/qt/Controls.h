// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>
#include <initializer_list>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kursomatik {

class TwipsLayout;

// What a window tells of one control: the name it is found by, the tooltip (which a screen reader
// reads as the description) and, for a control that no label names, the name a screen reader speaks.
struct ControlText {
    const char* name;
    QString tooltip = {};
    QString spoken = {};
};

// Makes a window's controls: each is named, described and placed in one call, so that every window
// reads as a table of its controls. Without a layout the window arranges them itself (a Qt layout);
// without a position (an empty rectangle) a control is not placed.
class Controls {
  public:
    explicit Controls(QWidget* parent, TwipsLayout* layout = nullptr) : parent_(parent), layout_(layout) {}

    template <class Widget>
    Widget* add(Widget* widget, const ControlText& text, const QRect& twips = {}) {
        describe(widget, text, twips);
        return widget;
    }
    // A label names its buddy: Alt and the label's access key go there, and a screen reader speaks
    // the label's words for it ("ISO-Bez.:" -> "ISO-Bez").
    QLabel* label(const char* name, const QString& caption, const QRect& twips = {},
                  QWidget* buddy = nullptr);
    // Enter in a text box presses no button unless the window makes one its default.
    QPushButton* button(const ControlText& text, const QString& caption, const QRect& twips = {});
    QLineEdit* textBox(const ControlText& text, int maxLength, const QRect& twips = {},
                       const QString& shown = {});
    // A sunken horizontal line.
    QFrame* line(const char* name, const QRect& twips);

  private:
    void describe(QWidget* widget, const ControlText& text, const QRect& twips);

    QWidget* parent_;
    TwipsLayout* layout_;
};

// The Tab key goes through the controls in this order.
void chainTabs(std::initializer_list<QWidget*> order);

}  // namespace kursomatik
