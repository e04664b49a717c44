// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include "tests/support/ProgramHarness.h"

namespace kursomatik::testsupport {

// A test on the whole program; a question nobody gave an answer for fails it.
class ProgramTest : public ::testing::Test, public ProgramHarness {
  protected:
    void TearDown() override { EXPECT_EQ(windows.unexpectedQuestions, 0) << all(); }
    std::string all() const { return windows.messageTexts().join(" | ").toStdString(); }  // every message
    int listed() const { return find<LineList>("lstversteckt")->lineCount(); }
    // "Löschen" in the editor of record n, answered with Yes.
    void deleteRecord(long n) {
        windows.answers = {MessageResult::Yes};
        press(&openRecord(n), "cmdlöschen");
        settle();
    }
};

}  // namespace kursomatik::testsupport
