// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDialog>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>

#include "info/HelpViewer.h"
#include "platform/qt/HelpKeyFilter.h"
#include "platform/qt/QtWindowSystem.h"
#include "tests/support/TempDir.h"

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

QString show(HelpViewer& viewer, int topic) {
    viewer.showTopic(QStringLiteral("KURSOMATIK.HLP"), topic);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    QApplication::processEvents();
    return viewer.browser()->toPlainText();
}

TEST(Help, AMissingFileOrTopicIsReportedInTheViewer) {
    TempDir dir;
    HelpViewer viewer({dir.path()});
    const QString file = QString::fromStdString((dir / "KURSOMATIK.HLP").string()),
                  missing = show(viewer, 11);
    writeFile(dir / "KURSOMATIK.HLP", "<html><body><h2><a name=\"thema11\"></a>Haupt</h2></body></html>");
    EXPECT_TRUE(missing.contains(u"Die Hilfedatei „KURSOMATIK.HLP“ wurde nicht gefunden.") &&
                show(viewer, 7).contains("Das Hilfethema 7 steht nicht in der Hilfedatei „" + file + "“."));
}

// Composed as the program composes it: the "?" buttons post F1, the filter names the topic, and the
// viewer opens the shipped help at its heading, past a modal window, whose mouse and keys still reach
// it; topic 0 is the start of the help.
TEST(Help, APostedF1OpensTheShippedHelpAtTheTopicsHeadingPastAModalWindow) {
    HelpViewer viewer({std::filesystem::path(KURSOMATIK_DATA_DIR)});
    QtWindowSystem windows;
    windows.helpViewer = [&viewer](int topic) { viewer.showTopic(QStringLiteral("KURSOMATIK.HLP"), topic); };
    HelpKeyFilter filter(windows);
    qApp->installEventFilter(&filter);
    QDialog window;
    window.setProperty("helpTopic", 3);
    window.setWindowModality(Qt::ApplicationModal);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    windows.postF1();
    EXPECT_FALSE(viewer.isVisible());  // posted, not yet handled
    QApplication::processEvents();
    EXPECT_TRUE(headingShown(viewer.browser(), "Wechselkurse pflegen"));
    show(viewer, 7);
    EXPECT_TRUE(headingShown(viewer.browser(),
                             QString::fromUtf8("Optionen: Nachkommastellen, Startwährungen und Kursalter")));
    auto* back = viewer.findChild<QToolButton*>("back");
    QTest::mouseClick(viewer.windowHandle(), Qt::LeftButton, {}, back->mapTo(&viewer, back->rect().center()));
    QTest::keyClick(viewer.windowHandle(), Qt::Key_Escape);
    EXPECT_TRUE(viewer.browser()->source().fragment() == "thema3" && !viewer.isVisible());
    EXPECT_TRUE(show(viewer, 0).startsWith("Kursomatik") &&
                viewer.browser()->verticalScrollBar()->value() == 0);
}

}  // namespace
}  // namespace kursomatik::testsupport
