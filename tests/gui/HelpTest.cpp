// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTextBrowser>

#include "info/HelpViewer.h"
#include "platform/qt/HelpKeyFilter.h"
#include "platform/qt/QtWindowSystem.h"

namespace kursomatik::testsupport {
namespace {

// Composed as the program composes it: the "?" buttons post F1, the filter names the topic, and the
// viewer opens the shipped help at its heading, past a modal window.
TEST(Help, APostedF1OpensTheShippedHelpAtTheTopicsHeadingPastAModalWindow) {
    HelpViewer viewer({std::filesystem::path(KURSOMATIK_DATA_DIR)});
    QtWindowSystem windows;
    windows.helpViewer = [&viewer](int topic) { viewer.showTopic(QStringLiteral("KURSOMATIK.HLP"), topic); };
    HelpKeyFilter filter(windows);
    qApp->installEventFilter(&filter);
    QDialog window;
    window.setProperty("helpTopic", 7);
    window.setWindowModality(Qt::ApplicationModal);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    windows.postF1();
    QApplication::processEvents();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    EXPECT_EQ(viewer.browser()->source().fileName() + "#" + viewer.browser()->source().fragment(),
              "KURSOMATIK.HLP#thema7");
}

}  // namespace
}  // namespace kursomatik::testsupport
