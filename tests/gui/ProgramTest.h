// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <algorithm>

#include "app/Startup.h"
#include "platform/qt/SingleInstanceGuard.h"
#include "tests/support/ProgramHarness.h"

namespace kursomatik::testsupport {

// A test on the whole program; a question nobody gave an answer for fails it.
class ProgramTest : public ::testing::Test, public ProgramHarness {
  protected:
    // The rate source's kept file goes into the test's own folder.
    void SetUp() override { qputenv("XDG_CACHE_HOME", dir.path().c_str()); }
    void TearDown() override { EXPECT_EQ(windows.unexpectedQuestions, 0) << all(); }
    std::string all() const { return windows.messageTexts().join(" | ").toStdString(); }  // every message
    // Exactly these messages were shown, in this order, each containing its part.
    bool said(const QStringList& parts) const {
        return std::ranges::equal(
            windows.messageTexts(), parts,
            [](const QString& text, const QString& part) { return text.contains(part); });
    }
    int listed() const { return find<LineList>("lstversteckt")->lineCount(); }
    // "Kurse importieren..." of the other currencies window with a file of this text; the one message
    // it shows, or how many there were.
    QString importFile(const std::string& text) {
        windows.messages.clear();
        writeFile(dir / "eurofxref.csv", text);
        windows.chosenFile = QString::fromStdString((dir / "eurofxref.csv").string());
        press(&otherWindow(), "cmdImport");
        return windows.messages.size() == 1 ? windows.messages[0].text
                                            : QString::number(windows.messages.size());
    }
    static void pressAndSettle(const QWidget* w, const char* button) { press(w, button), settle(); }
    // The two chosen currencies, "input -> output".
    std::string chosen(const char* in = "txtEingabe", const char* out = "txtAusgabe") const {
        return (find<QComboBox>(in)->currentText() + " -> " + find<QComboBox>(out)->currentText())
            .toStdString();
    }
    // The program's own reporting and its single-instance check, for the next start.
    void asProgram(SingleInstanceGuard& guard) {
        state.environment.report = programEnvironment(windows).report;
        state.instanceGuard = instanceCheck(guard, windows);
    }
};

}  // namespace kursomatik::testsupport
