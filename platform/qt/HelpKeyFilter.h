// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace kursomatik {

class WindowSystem;

// F1, typed or posted, opens the help at the topic of the window that has the focus. Each window
// names its topic in the property "helpTopic".
class HelpKeyFilter : public QObject {
    Q_OBJECT
  public:
    explicit HelpKeyFilter(WindowSystem& windows, QObject* parent = nullptr);

    static int topicOf(const QWidget* widget);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    WindowSystem& windows_;
};

}  // namespace kursomatik
