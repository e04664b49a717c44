// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform/qt/WindowSystem.h"

namespace kursomatik::testsupport {

// The window system of tests, benchmarks and tools: it records every request and answers questions
// from a list given in advance. Modal windows are shown without blocking, so the caller drives them.
class RecordingWindowSystem : public WindowSystem {
  public:
    struct Message {
        QString text;
        MessageButtons buttons;
        MessageIcon icon;
    };

    MessageResult message(QWidget*, const QString& text, MessageButtons buttons, MessageIcon icon) override {
        messages.push_back({text, buttons, icon});
        if (onMessage) onMessage();
        if (buttons == MessageButtons::Ok) return MessageResult::Ok;
        if (answers.empty())
            return unexpectedQuestions += !answerAlways, answerAlways.value_or(MessageResult::No);
        const MessageResult answer = answers.front();
        answers.pop_front();
        // An answer the box has no button for is a test that expected another question.
        unexpectedQuestions += answer == MessageResult::Ok ||
                               (answer == MessageResult::Cancel && buttons != MessageButtons::YesNoCancel);
        return answer;
    }
    void showModal(QDialog* window) override { modal.emplace_back(window)->show(); }
    void showModeless(QWidget* window) override { window->show(), ++modeless; }
    void postF1() override {}
    void openHelp(int topic) override { helpTopics.push_back(topic); }
    void openUrl(const QString&, std::function<void(int)> done) override {
        if (done) done(42);  // success
    }
    QString chooseFile(QWidget*, const QString&, const QString&) override { return chosenFile; }
    QString chooseSaveFile(QWidget*, const QString&, const QString&, const QString&) override {
        return chosenFile;
    }
    void endProcess() override { ++processEnded; }

    QStringList messageTexts() const {
        QStringList texts;
        for (const auto& m : messages) texts << m.text;
        return texts;
    }

    std::vector<Message> messages;
    std::deque<MessageResult> answers;          // for Yes/No(/Cancel) questions, in order
    std::optional<MessageResult> answerAlways;  // when the list is empty; else the question is unexpected
    int unexpectedQuestions = 0;
    std::vector<QPointer<QDialog>> modal;
    int modeless = 0;
    std::vector<int> helpTopics;
    int processEnded = 0;
    QString chosenFile;               // the answer to every file question; empty: cancelled
    std::function<void()> onMessage;  // runs as each message shows, to see the windows then
};

}  // namespace kursomatik::testsupport
