// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <filesystem>
#include <vector>

class QTextBrowser;

namespace kursomatik {

// The help viewer that F1 opens: one window, kept and reused, beside the program's windows. It
// shows the help file at a topic's anchor and reports a missing file or topic on its own page.
class HelpViewer : public QWidget {
    Q_OBJECT
  public:
    explicit HelpViewer(std::vector<std::filesystem::path> folders, QWidget* parent = nullptr);

    void showTopic(const QString& helpFile, int topic);

    QTextBrowser* browser() const { return browser_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void showMissingFile(const QString& helpFile);
    void showProblem(const QString& html);

    std::vector<std::filesystem::path> folders_;
    QTextBrowser* browser_;
    QString lastFile_;
};

}  // namespace kursomatik
