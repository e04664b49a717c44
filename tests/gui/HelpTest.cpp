// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>

#include "info/HelpFile.h"
#include "info/HelpViewer.h"
#include "platform/qt/HelpKeyFilter.h"
#include "platform/qt/QtWindowSystem.h"
#include "tests/support/TempDir.h"

namespace kursomatik::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kShippedData = KURSOMATIK_DATA_DIR;

// The block of the document that carries a named anchor; invalid when there is none.
QTextBlock blockWithAnchor(const QTextDocument* document, const QString& anchor) {
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().anchorNames().contains(anchor)) return block;
        }
    }
    return {};
}

class Help : public ::testing::Test {
  protected:
    void show(HelpViewer& viewer, int topic) {
        viewer.showTopic(QStringLiteral("KURSOMATIK.HLP"), topic);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
        QApplication::processEvents();
    }
    static QString shownText(HelpViewer& viewer) { return viewer.browser()->toPlainText(); }
    TempDir dir_;
};

TEST_F(Help, OpensTheShippedHelpAtTheAnchorOfEachTopic) {
    HelpViewer viewer({kShippedData});
    for (const auto& [topic, heading] :
         {std::pair{11, "Das Hauptfenster"}, std::pair{3, "Wechselkurse pflegen"},
          std::pair{7, "Optionen: Nachkommastellen und Startwährungen"}}) {
        show(viewer, topic);
        QTextBrowser* browser = viewer.browser();
        EXPECT_EQ(browser->source().toLocalFile().toStdString(), (kShippedData / "KURSOMATIK.HLP").string());
        const QString anchor = QStringLiteral("thema%1").arg(topic);
        EXPECT_EQ(browser->source().fragment(), anchor);
        const QTextBlock block = blockWithAnchor(browser->document(), anchor);
        ASSERT_TRUE(block.isValid()) << topic;
        EXPECT_EQ(block.text().trimmed().toStdString(), heading);
        // The heading stands in the visible part of the page.
        const double top = browser->document()->documentLayout()->blockBoundingRect(block).top();
        const int scrolled = browser->verticalScrollBar()->value();
        EXPECT_TRUE(top >= scrolled && top < scrolled + browser->viewport()->height()) << topic;
        viewer.close();
    }
    // Topic 0 opens the start of the help.
    HelpViewer start({kShippedData});
    show(start, 0);
    EXPECT_TRUE(start.browser()->source().fragment().isEmpty());
    EXPECT_EQ(start.browser()->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(shownText(start).startsWith("Kursomatik"));
}

TEST_F(Help, AMissingFileOrTopicIsReportedInTheViewerAndTheNextTopicStillOpens) {
    fs::create_directories(dir_ / "leer");
    HelpViewer missing({dir_ / "leer"});
    show(missing, 11);
    EXPECT_TRUE(shownText(missing).contains(
        QString::fromUtf8("Die Hilfedatei „KURSOMATIK.HLP“ wurde nicht gefunden.")));
    EXPECT_TRUE(shownText(missing).contains(QString::fromStdString((dir_ / "leer").string())));

    writeFile(dir_ / "KURSOMATIK.HLP",
              "<html><body><h1>Hilfe</h1><h2><a name=\"thema11\"></a>Haupt</h2></body></html>");
    HelpViewer viewer({dir_.path()});
    show(viewer, 7);
    EXPECT_TRUE(shownText(viewer).contains(QString::fromStdString(
        "Das Hilfethema 7 steht nicht in der Hilfedatei „" + (dir_ / "KURSOMATIK.HLP").string() + "“.")))
        << shownText(viewer).toStdString();
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<QMessageBox*>(w) && w->isVisible());
    show(viewer, 11);
    EXPECT_TRUE(blockWithAnchor(viewer.browser()->document(), "thema11").isValid());
    EXPECT_FALSE(shownText(viewer).contains("nicht"));
    // Esc closes the viewer wherever the focus is.
    for (QWidget* target : std::initializer_list<QWidget*>{viewer.browser(), &viewer}) {
        show(viewer, 11);
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_FALSE(viewer.isVisible());
    }
}

TEST_F(Help, APostedF1ReachesTheViewerThroughTheProgramsWindowSystemPastAModalWindow) {
    // Composed as the program composes it: the "?" buttons post F1, the filter names the topic.
    HelpViewer viewer({kShippedData});
    QtWindowSystem windows;
    windows.helpViewer = [&viewer](int topic) { viewer.showTopic(QStringLiteral("KURSOMATIK.HLP"), topic); };
    HelpKeyFilter filter(windows);
    qApp->installEventFilter(&filter);
    QDialog window;
    window.setProperty("helpTopic", 3);
    window.setWindowModality(Qt::ApplicationModal);
    auto* field = new QLineEdit(&window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    field->setFocus();
    windows.postF1();
    EXPECT_FALSE(viewer.isVisible());  // posted, not yet handled
    QApplication::processEvents();
    EXPECT_EQ(viewer.browser()->source().fragment(), "thema3");
    show(viewer, 7);
    // The modal window must not block the help: the mouse and the keys still reach it.
    auto* back = viewer.findChild<QToolButton*>("back");
    QTest::mouseClick(viewer.windowHandle(), Qt::LeftButton, {}, back->mapTo(&viewer, back->rect().center()));
    EXPECT_EQ(viewer.browser()->source().fragment(), "thema3");
    QTest::keyClick(viewer.windowHandle(), Qt::Key_Escape);
    EXPECT_FALSE(viewer.isVisible());
}

TEST(HelpFileSearch, TakesTheFirstFolderThatHoldsTheFileNeverAFolderOfItsName) {
    for (const auto& [holding, expected] :
         {std::pair{std::vector{0, 1, 2}, 0}, std::pair{std::vector{1, 2}, 1}, std::pair{std::vector{2}, 2},
          std::pair{std::vector<int>{}, -1}}) {
        TempDir dir;
        const std::vector<fs::path> folders{dir.path(), dir / "programm", dir / "daten"};
        for (const auto& folder : folders) fs::create_directories(folder);
        fs::create_directories(dir / "KURSOMATIK.HLP");  // in the first folder, and no file
        if (holding.size() == 3) fs::remove(dir / "KURSOMATIK.HLP");
        for (int k : holding) writeFile(folders[k] / "KURSOMATIK.HLP", "<html></html>");
        const auto found = findHelpFile("KURSOMATIK.HLP", folders);
        EXPECT_EQ(found.value_or("-"), expected < 0 ? "-" : folders[expected] / "KURSOMATIK.HLP");
    }
    EXPECT_EQ(helpAnchor(3) + "|" + helpAnchor(0), "thema3|");
}

}  // namespace
}  // namespace kursomatik::testing
