// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDialog>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

#include "info/HelpViewer.h"
#include "platform/qt/HelpKeyFilter.h"
#include "platform/qt/QtWindowSystem.h"

namespace kursomatik::testsupport {
namespace {

// Whether the heading with this text stands in the visible part of the page.
bool headingShown(const QTextBrowser* browser, const QString& heading) {
    QTextBlock block = browser->document()->begin();
    while (block.isValid() && (block.blockFormat().headingLevel() == 0 || block.text().trimmed() != heading))
        block = block.next();
    const double top = browser->document()->documentLayout()->blockBoundingRect(block).top() -
                       browser->verticalScrollBar()->value();
    return block.isValid() && top >= 0 && top < browser->viewport()->height();
}

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
    EXPECT_FALSE(viewer.isVisible());  // posted, not yet handled
    QApplication::processEvents();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    EXPECT_TRUE(
        headingShown(viewer.browser(), QString::fromUtf8("Optionen: Nachkommastellen und Startwährungen")));
}

}  // namespace
}  // namespace kursomatik::testsupport
