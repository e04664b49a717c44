// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

namespace kursomatik {

// A style whose arrow for menus that do not fit the menu bar is read when first drawn, not when the
// menu bar asks for it as it is made: reading the first image of a process loads every image-format
// plugin Qt has (SVG, JPEG, GIF, ICO and their libraries), about a tenth of a window's start, for an
// arrow that shows only in a window too narrow for its menus. Everything else is `base`'s.
class DeferredIconStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace kursomatik
