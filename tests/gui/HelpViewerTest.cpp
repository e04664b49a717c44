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

#include "HelpFile.h"
#include "HelpKeyFilter.h"
#include "HelpViewer.h"
#include "QtWindowSystem.h"
#include "support/TempDir.h"

namespace kursomatik::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kShippedData = KURSOMATIK_DATA_DIR;
const QString kHelpFile = QStringLiteral("KURSOMATIK.HLP");

// The block of the document that carries a named anchor; invalid when there is none.
QTextBlock blockWithAnchor(const QTextDocument* document, const QString& anchor) {
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().anchorNames().contains(anchor)) return block;
        }
    }
    return {};
}

class HelpViewerTest : public ::testing::Test {
  protected:
    void show(HelpViewer& viewer, int topic) {
        viewer.showTopic(kHelpFile, topic);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
        QApplication::processEvents();
    }

    static bool anyMessageBox() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (qobject_cast<QMessageBox*>(w) != nullptr && w->isVisible()) return true;
        }
        return false;
    }

    TempDir dir_;
};

TEST_F(HelpViewerTest, OpensTheShippedHelpAtTheAnchorOfEachTopic) {
    struct Case {
        int topic;
        const char* anchor;
        const char* heading;
    };
    const Case cases[] = {{11, "thema11", "Das Hauptfenster"},
                          {7, "thema7", "Optionen: Nachkommastellen und Startwährungen"},
                          {3, "thema3", "Wechselkurse pflegen"}};
    for (const Case& c : cases) {
        HelpViewer viewer({kShippedData});
        show(viewer, c.topic);
        QTextBrowser* browser = viewer.browser();
        EXPECT_TRUE(viewer.isVisible());
        EXPECT_EQ(browser->source().toLocalFile().toStdString(), (kShippedData / "KURSOMATIK.HLP").string());
        EXPECT_EQ(browser->source().fragment(), c.anchor);
        const QTextBlock block = blockWithAnchor(browser->document(), c.anchor);
        ASSERT_TRUE(block.isValid()) << c.anchor;
        EXPECT_EQ(block.text().trimmed().toStdString(), c.heading);
        // The heading stands in the visible part of the page.
        const double top = browser->document()->documentLayout()->blockBoundingRect(block).top();
        const int scrolled = browser->verticalScrollBar()->value();
        EXPECT_GE(top, scrolled) << c.topic;
        EXPECT_LT(top, scrolled + browser->viewport()->height()) << c.topic;
    }
}

TEST_F(HelpViewerTest, TopicZeroOpensTheStartOfTheHelp) {
    HelpViewer viewer({kShippedData});
    show(viewer, 0);
    EXPECT_TRUE(viewer.browser()->source().fragment().isEmpty());
    EXPECT_EQ(viewer.browser()->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(viewer.browser()->toPlainText().startsWith("Kursomatik"));
}

TEST_F(HelpViewerTest, OneWindowIsReusedAndGoesBackAndForward) {
    HelpViewer viewer({kShippedData});
    show(viewer, 3);
    viewer.close();
    show(viewer, 7);
    auto* back = viewer.findChild<QToolButton*>("back");
    auto* forward = viewer.findChild<QToolButton*>("forward");
    ASSERT_NE(back, nullptr);
    ASSERT_NE(forward, nullptr);
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_TRUE(back->isEnabled());
    EXPECT_FALSE(forward->isEnabled());
    back->click();
    EXPECT_EQ(viewer.browser()->source().fragment(), "thema3");
    EXPECT_TRUE(forward->isEnabled());
    forward->click();
    EXPECT_EQ(viewer.browser()->source().fragment(), "thema7");
    int viewers = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) viewers += qobject_cast<HelpViewer*>(w) != nullptr;
    EXPECT_EQ(viewers, 1);
}

TEST_F(HelpViewerTest, AMissingFileIsReportedInTheViewerNamingTheFileAndTheFolders) {
    fs::create_directories(dir_ / "leer");
    HelpViewer viewer({dir_ / "leer"});
    show(viewer, 11);
    const QString text = viewer.browser()->toPlainText();
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_TRUE(
        text.contains(QString::fromUtf8("Die Hilfedatei \u201EKURSOMATIK.HLP\u201C wurde nicht gefunden.")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromStdString((dir_ / "leer").string()))) << text.toStdString();
    EXPECT_FALSE(anyMessageBox());
}

TEST_F(HelpViewerTest, AMissingTopicIsReportedInTheViewerAndTheNextTopicStillOpens) {
    writeFile(dir_ / "KURSOMATIK.HLP",
              "<html><body><h1>Hilfe</h1><h2><a name=\"thema11\"></a>Hauptfenster</h2></body></html>");
    HelpViewer viewer({dir_.path()});
    show(viewer, 7);
    const QString text = viewer.browser()->toPlainText();
    EXPECT_TRUE(text.contains(QString::fromStdString("Das Hilfethema 7 steht nicht in der Hilfedatei \u201E" +
                                                     (dir_ / "KURSOMATIK.HLP").string() + "\u201C.")))
        << text.toStdString();
    EXPECT_FALSE(anyMessageBox());

    show(viewer, 11);
    EXPECT_TRUE(blockWithAnchor(viewer.browser()->document(), "thema11").isValid());
    EXPECT_FALSE(viewer.browser()->toPlainText().contains("nicht"));
}

TEST_F(HelpViewerTest, EscClosesTheViewerWhereverTheFocusIs) {
    HelpViewer viewer({kShippedData});
    for (QWidget* target : std::initializer_list<QWidget*>{viewer.browser(), &viewer}) {
        show(viewer, 11);
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_FALSE(viewer.isVisible());
    }
}

TEST_F(HelpViewerTest, APostedF1ReachesTheViewerThroughTheProgramsWindowSystem) {
    // Composed as the program composes it: the "?" buttons post F1, the filter names the topic.
    HelpViewer viewer({kShippedData});
    QtWindowSystem windows;
    windows.helpViewer = [&viewer](int topic) { viewer.showTopic(kHelpFile, topic); };
    HelpKeyFilter filter(windows);
    qApp->installEventFilter(&filter);
    QDialog window;
    window.setProperty("helpTopic", 7);
    auto* field = new QLineEdit(&window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    field->setFocus();
    windows.postF1();
    EXPECT_FALSE(viewer.isVisible());  // posted, not yet handled
    QApplication::processEvents();
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(viewer.browser()->source().fragment(), "thema7");
}

TEST_F(HelpViewerTest, AModalWindowOfTheProgramDoesNotBlockTheViewerItOpened) {
    // F1 in a modal window: the help must still take the mouse and the keys.
    QDialog modal;
    modal.setWindowModality(Qt::ApplicationModal);
    modal.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&modal));
    HelpViewer viewer({kShippedData});
    show(viewer, 3);
    show(viewer, 7);
    // Through the window system, where a modal window blocks the others.
    auto* back = viewer.findChild<QToolButton*>("back");
    QTest::mouseClick(viewer.windowHandle(), Qt::LeftButton, {}, back->mapTo(&viewer, back->rect().center()));
    EXPECT_EQ(viewer.browser()->source().fragment(), "thema3");
    QTest::keyClick(viewer.windowHandle(), Qt::Key_Escape);
    EXPECT_FALSE(viewer.isVisible());
}

TEST(HelpFileSearch, TakesTheFirstFolderThatHoldsTheFile) {
    struct Case {
        const char* name;
        std::vector<int> holding;  // which of the three folders hold the file
        int expected;              // -1: none
    };
    const Case cases[] = {{"all three", {0, 1, 2}, 0},
                          {"program and data folder", {1, 2}, 1},
                          {"only the data folder", {2}, 2},
                          {"nowhere", {}, -1}};
    for (const Case& c : cases) {
        TempDir dir;
        const std::vector<fs::path> folders{dir / "arbeit", dir / "programm", dir / "daten"};
        for (const auto& folder : folders) fs::create_directories(folder);
        for (int k : c.holding) writeFile(folders[k] / "KURSOMATIK.HLP", "<html></html>");
        const auto found = findHelpFile("KURSOMATIK.HLP", folders);
        if (c.expected < 0) {
            EXPECT_FALSE(found.has_value()) << c.name;
        } else {
            ASSERT_TRUE(found.has_value()) << c.name;
            EXPECT_EQ(*found, folders[c.expected] / "KURSOMATIK.HLP") << c.name;
        }
    }
}

TEST(HelpFileSearch, TheCurrentFolderComesFirstAndAFolderOfTheSameNameIsNoFile) {
    TempDir dir;  // the current folder
    fs::create_directories(dir / "programm");
    writeFile(dir / "programm" / "KURSOMATIK.HLP", "<html></html>");
    fs::create_directories(dir / "KURSOMATIK.HLP");
    EXPECT_EQ(findHelpFile("KURSOMATIK.HLP", {".", dir / "programm"}), dir / "programm" / "KURSOMATIK.HLP");
    fs::remove(dir / "KURSOMATIK.HLP");
    writeFile(dir / "KURSOMATIK.HLP", "<html></html>");
    EXPECT_EQ(findHelpFile("KURSOMATIK.HLP", {".", dir / "programm"}), dir / "KURSOMATIK.HLP");
    EXPECT_EQ(helpAnchor(3), "thema3");
    EXPECT_EQ(helpAnchor(0), "");
}

}  // namespace
}  // namespace kursomatik::testing
