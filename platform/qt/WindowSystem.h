// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class QDialog;
class QWidget;

namespace kursomatik {

// YesNoCancel: "&Ja", "&Nein" (the default button, so Enter keeps things as they are) and
// "Abbrechen" (Esc and the title bar's close), which answers Cancel.
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageIcon { None, Stop };
enum class MessageResult { Ok, Yes, No, Cancel };

// What the windows need of the window system. The program uses the Qt implementation; tests use
// a recording one that answers in advance, so no real dialog ever blocks a test.
class WindowSystem {
  public:
    virtual ~WindowSystem() = default;

    // A message box captioned "Kursomatik".
    virtual MessageResult message(QWidget* parent, const QString& text,
                                  MessageButtons buttons = MessageButtons::Ok,
                                  MessageIcon icon = MessageIcon::None) = 0;
    // Shows a window modally: returns when the window has been hidden or closed.
    virtual void showModal(QDialog* window) = 0;
    // Shows a window without blocking.
    virtual void showModeless(QWidget* window) = 0;
    // Puts F1 into the program's keyboard input without waiting for it to be handled.
    virtual void postF1() = 0;
    // Opens the help file at a topic.
    virtual void openHelp(int topic) = 0;
    // Hands a web or mailto address to the desktop without waiting for it, then tells `done` the
    // outcome: above 32 is success, else a shell error code.
    virtual void openUrl(const QString& address, std::function<void(int code)> done) = 0;
    // Asks the user for a file to open; empty when the user cancels. The filter as in a file dialog:
    // "Name (*.a *.b);;Alle Dateien (*)".
    virtual QString chooseFile(QWidget* parent, const QString& caption, const QString& filter) = 0;
    // Asks the user where to save a file, offering `suggested` as its name; empty when cancelled.
    virtual QString chooseSaveFile(QWidget* parent, const QString& caption, const QString& suggested,
                                   const QString& filter) = 0;
    // Ends the process at once: no window's close handler runs and nothing is written.
    virtual void endProcess() = 0;
};

}  // namespace kursomatik
