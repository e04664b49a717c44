// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>

#include "platform/RegionalSettings.h"

namespace kursomatik {

// The user's conventions from the locale; a process in the C/POSIX locale gets the German ones
// the program was made for. Short dates always carry four-digit years.
RegionalSettings regionalSettingsOf(const QLocale& locale);
RegionalSettings systemRegionalSettings();

}  // namespace kursomatik
