// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QTranslator>

class QWidget;

namespace kursomatik {

// The name of the installed menu entry (KURSOMATIK_APP_ID.desktop): the desktop matches the windows to it.
inline constexpr const char* kDesktopFileName = KURSOMATIK_APP_ID;

// Whether Qt's own texts (shortcut names, context menus, dialog buttons) are to be German: for every
// German locale, and for the C/POSIX locale, where the program falls back to German conventions for
// its numbers and dates as well. Users of another language keep Qt's texts in their own language.
bool wantsGermanQtTexts(const QLocale& locale);

// Loads Qt's German translation into `translator` and installs it in the application when the locale
// wants it; false when it does not, or when the translation is not installed.
bool installQtTranslation(QTranslator& translator, const QLocale& locale);

// The desktop file name, so that the desktop matches the windows to the menu entry.
void setDesktopIdentity();

// The program's icon for every window, set once `window` has painted for the first time: the title
// bar and task bar get it a moment after the window is on the screen, whose start it no longer costs.
void setWindowIconAfterFirstPaint(QWidget* window);

}  // namespace kursomatik
