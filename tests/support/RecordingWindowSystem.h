// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <deque>
#include <optional>
#include <vector>

#include "platform/qt/WindowSystem.h"

namespace kursomatik::testing {

// The window system of tests, benchmarks and tools: it records every request and answers questions
// from a list given in advance. Modal windows are shown without blocking, so the caller drives them.
class RecordingWindowSystem : public WindowSystem {
  public:
    struct Message {
        QString text;
        MessageButtons buttons;
        MessageIcon icon;
    };

    MessageResult message(QWidget* parent, const QString& text, MessageButtons buttons,
                          MessageIcon icon) override;
    void showModal(QDialog* window) override;
    void showModeless(QWidget* window) override;
    void postF1() override { ++f1Posted; }
    void openHelp(int topic) override { helpTopics.push_back(topic); }
    int openUrl(const QString& address) override {
        urls.push_back(address);
        return urlResult;
    }
    QString chooseFile(QWidget*, const QString& caption, const QString& filter) override {
        fileQuestions << caption + QStringLiteral(": ") + filter;
        return chosenFile;
    }
    void endProcess() override { ++processEnded; }

    QStringList messageTexts() const;
    // Whether a shown message contains the text.
    bool shown(const QString& part) const;

    std::vector<Message> messages;
    std::deque<MessageResult> answers;          // for Yes/No questions, in order
    std::optional<MessageResult> answerAlways;  // when the list is empty; else the question is unexpected
    int unexpectedQuestions = 0;
    std::vector<QPointer<QDialog>> modal;
    std::vector<QPointer<QWidget>> modeless;
    int f1Posted = 0;
    std::vector<int> helpTopics;
    QStringList urls;
    int urlResult = 42;
    int processEnded = 0;
    QString chosenFile;  // the answer to every file question; empty: cancelled
    QStringList fileQuestions;
};

}  // namespace kursomatik::testing
