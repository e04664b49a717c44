// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace kursomatik {

// The program's icon in every size rendered at build time, compiled into the program: the window
// icon needs no installed icon theme.
QIcon programIcon();

}  // namespace kursomatik
