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

namespace kursomatik::testing {
namespace {

namespace fs = std::filesystem;

// The heading of the named anchor, and whether it stands in the visible part of the page.
std::pair<QString, bool> headingShown(const QTextBrowser* browser, const QString& anchor) {
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (!it.fragment().charFormat().anchorNames().contains(anchor)) continue;
            const double top = browser->document()->documentLayout()->blockBoundingRect(block).top() -
                               browser->verticalScrollBar()->value();
            return {block.text().trimmed(), top >= 0 && top < browser->viewport()->height()};
        }
    }
    return {};
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
    EXPECT_TRUE(show(viewer, 11)
                    .contains(QString::fromUtf8("Die Hilfedatei „KURSOMATIK.HLP“ wurde nicht gefunden.")));
    writeFile(dir / "KURSOMATIK.HLP", "<html><body><h2><a name=\"thema11\"></a>Haupt</h2></body></html>");
    EXPECT_TRUE(show(viewer, 7).contains(QString::fromStdString(
        "Das Hilfethema 7 steht nicht in der Hilfedatei „" + (dir / "KURSOMATIK.HLP").string() + "“.")));
}

// Composed as the program composes it: the "?" buttons post F1, the filter names the topic, and the
// viewer opens the shipped help at its heading, past a modal window.
TEST(Help, APostedF1OpensTheShippedHelpAtTheTopicsHeadingPastAModalWindow) {
    HelpViewer viewer({fs::path(KURSOMATIK_DATA_DIR)});
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
    QApplication::processEvents();     // then the shipped help is shown
    EXPECT_EQ(headingShown(viewer.browser(), "thema3"), std::pair(QString("Wechselkurse pflegen"), true));
    show(viewer, 7);
    EXPECT_EQ(headingShown(viewer.browser(), "thema7"),
              std::pair(QString::fromUtf8("Optionen: Nachkommastellen und Startwährungen"), true));
    // The modal window must not block the help: the mouse and the keys still reach it.
    auto* back = viewer.findChild<QToolButton*>("back");
    QTest::mouseClick(viewer.windowHandle(), Qt::LeftButton, {}, back->mapTo(&viewer, back->rect().center()));
    QTest::keyClick(viewer.windowHandle(), Qt::Key_Escape);
    EXPECT_TRUE(viewer.browser()->source().fragment() == "thema3" && !viewer.isVisible());
    // Topic 0: the start of the help.
    EXPECT_TRUE(show(viewer, 0).startsWith("Kursomatik") &&
                viewer.browser()->verticalScrollBar()->value() == 0);
}

}  // namespace
}  // namespace kursomatik::testing
