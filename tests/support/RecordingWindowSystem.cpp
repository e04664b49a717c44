// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/RecordingWindowSystem.h"

namespace kursomatik::testing {

MessageResult RecordingWindowSystem::message(QWidget*, const QString& text, MessageButtons buttons,
                                             MessageIcon icon) {
    messages.push_back({text, buttons, icon});
    if (buttons == MessageButtons::Ok) return MessageResult::Ok;
    if (answers.empty()) {
        unexpectedQuestions += !answerAlways;
        return answerAlways.value_or(MessageResult::No);
    }
    const MessageResult answer = answers.front();
    answers.pop_front();
    return answer;
}

void RecordingWindowSystem::showModal(QDialog* window) {
    modal.emplace_back(window);
    window->show();
}

void RecordingWindowSystem::showModeless(QWidget* window) {
    modeless.emplace_back(window);
    window->show();
}

QStringList RecordingWindowSystem::messageTexts() const {
    QStringList texts;
    for (const auto& m : messages) texts << m.text;
    return texts;
}

bool RecordingWindowSystem::shown(const QString& part) const {
    return messageTexts().join(QChar(0)).contains(part);
}

}  // namespace kursomatik::testing
