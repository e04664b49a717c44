#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "LinkLabel.h"
#include "QtWindowSystem.h"
#include "RecordingWindowSystem.h"
#include "TempDir.h"
#include "frmAbout.h"

namespace kursomatik::testing {
namespace {

class AboutWindow : public ::testing::Test {
  protected:
    ~AboutWindow() override {
        for (auto& window : windows_.modal) delete window.data();
    }

    // Opened as the menu item opens it, and made the active window so that keys reach it.
    frmAbout* open() {
        showAboutWindow(windows_, nullptr);
        EXPECT_EQ(windows_.modal.size(), 1u);
        auto* about = qobject_cast<frmAbout*>(windows_.modal.back().data());
        EXPECT_NE(about, nullptr);
        about->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(about));
        return about;
    }

    static void destroyLater() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    template <class Widget = QLabel>
    static Widget* child(QWidget* window, const char* name) {
        auto* widget = window->findChild<Widget*>(QString::fromUtf8(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    RecordingWindowSystem windows_;
};

TEST_F(AboutWindow, ShowsEveryLabelFromTopToBottomWithItsEmphasis) {
    frmAbout* about = open();
    EXPECT_EQ(about->windowTitle(), "Kursomatik");
    struct Case {
        const char* name;
        const char* text;  // the whole text, or its start where contact data follow
        bool bold = false;
        bool italic = false;
    };
    const Case cases[] = {
        {"lblTitle", " Kursomatik", true, true},
        {"cmdOK", "&OK"},
        {"Label3", "Version 1.01"},
        {"Label1", "Beschreibung:", true},
        {"lblDescription", "Wechselkursrechner mit der Bezugsgröße Euro."},
        {"Label4", "Support und Programmierung:", true},
        {"Label5", ""},
        {"Label12", "e-mail: support@kursomatik.example"},
        {"Label13", "tel.: 0000 "},
        {"Label14", "fax: 0000 "},
        {"Line1", nullptr},
        {"Picture1", nullptr},
        {"Label2", "", true},
        {"Label6", ""},
        {"Label7", "00000 "},
        {"Label8", "tel.: 0000 "},
        {"Label9", "fax: 0000 "},
        {"Label10", "Internet: https://www.kursomatik.example"},
        {"Label11", "e-mail: info@kursomatik.example"},
    };
    int previousTop = -1;
    for (const Case& c : cases) {
        QWidget* widget = child<QWidget>(about, c.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_GT(widget->geometry().top(), previousTop) << c.name << " is out of order";
        previousTop = widget->geometry().top();
        EXPECT_EQ(widget->font().bold(), c.bold) << c.name;
        EXPECT_EQ(widget->font().italic(), c.italic) << c.name;
        if (c.text == nullptr) continue;
        const QString text = qobject_cast<QPushButton*>(widget) ? qobject_cast<QPushButton*>(widget)->text()
                                                                : qobject_cast<QLabel*>(widget)->text();
        EXPECT_TRUE(text.startsWith(QString::fromUtf8(c.text))) << c.name << ": " << text.toStdString();
        EXPECT_FALSE(text.trimmed().isEmpty()) << c.name;
    }
    EXPECT_TRUE(child(about, "Label2")->alignment() & Qt::AlignRight);
    EXPECT_EQ(child(about, "Picture1")->pixmap().size(), QSize(300, 45));
}

TEST_F(AboutWindow, LinksAreHighlightedFocusableAndNamedForScreenReaders) {
    frmAbout* about = open();
    for (const char* name : {"Label10", "Label11", "Label12"}) {
        auto* link = child<LinkLabel>(about, name);
        ASSERT_NE(link, nullptr);
        EXPECT_EQ(link->foregroundRole(), QPalette::Highlight) << name;
        EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor) << name;
        EXPECT_TRUE(link->focusPolicy() & Qt::TabFocus) << name;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(link);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->role(), QAccessible::Link) << name;
        EXPECT_EQ(accessible->text(QAccessible::Name), link->text()) << name;
        EXPECT_FALSE(accessible->text(QAccessible::Description).isEmpty()) << name;
    }
}

TEST_F(AboutWindow, EachLinkHandsOverItsTargetByMouseKeyboardAndScreenReader) {
    struct Case {
        const char* label;
        const char* target;
    };
    const Case cases[] = {
        {"Label10", "https://www.kursomatik.example"},
        {"Label11", "mailto:info@kursomatik.example?Subject=Kursomatik"},
        {"Label12", "mailto:support@kursomatik.example?Subject=Kursomatik"},
    };
    frmAbout* about = open();
    for (const Case& c : cases) {
        auto* link = child<LinkLabel>(about, c.label);
        ASSERT_NE(link, nullptr);
        windows_.urls.clear();
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, link->height() / 2));
        link->setFocus();
        QTest::keyClick(link, Qt::Key_Space);
        QTest::keyClick(link, Qt::Key_Return);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(link);
        ASSERT_NE(accessible->actionInterface(), nullptr);
        accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(windows_.urls, QStringList(4, QString::fromUtf8(c.target))) << c.label;
    }
    EXPECT_TRUE(windows_.messages.empty());
    EXPECT_TRUE(about->isVisible());
}

TEST_F(AboutWindow, AMouseButtonReleasedBesideTheLinkOpensNothing) {
    frmAbout* about = open();
    auto* link = child<LinkLabel>(about, "Label10");
    QTest::mousePress(link, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(link->width() + 20, 3));
    QTest::mouseClick(link, Qt::RightButton, {}, QPoint(3, 3));
    EXPECT_TRUE(windows_.urls.isEmpty());
}

TEST_F(AboutWindow, AFailedHandOverIsReportedByNameWithTheStopIconAndTheWindowStays) {
    struct Case {
        int code;
        const char* name;
    };
    const Case cases[] = {{31, "SE_ERR_NOASSOC"},           {2, "ERROR_FILE_NOT_FOUND"},
                          {32, "SE_ERR_DLLNOTFOUND"},       {0, "Unbekannter Fehler No.: 0"},
                          {1, "Unbekannter Fehler No.: 1"}, {-5, "Unbekannter Fehler No.: -5"}};
    QPointer<frmAbout> about = open();
    for (const Case& c : cases) {
        windows_.messages.clear();
        windows_.urlResult = c.code;
        child<LinkLabel>(about, "Label12")->activate();
        ASSERT_EQ(windows_.messages.size(), 1u) << c.code;
        const auto& message = windows_.messages.front();
        // A line feed, then a carriage return: the message has always been written this way.
        EXPECT_EQ(message.text.toStdString(),
                  std::string("ShellExecute fehlgeschlagen! \n\r Fehler: ") + c.name);
        EXPECT_EQ(message.icon, MessageIcon::Stop);
        EXPECT_EQ(message.buttons, MessageButtons::Ok);
        destroyLater();
        ASSERT_FALSE(about.isNull());
        EXPECT_TRUE(about->isVisible());
    }
}

TEST_F(AboutWindow, AHandOverAbove32ShowsNoMessage) {
    frmAbout* about = open();
    for (int code : {33, 42, 1000}) {
        windows_.urlResult = code;
        child<LinkLabel>(about, "Label10")->activate();
        child<LinkLabel>(about, "Label11")->activate();
    }
    EXPECT_EQ(windows_.urls.size(), 6);
    EXPECT_TRUE(windows_.messages.empty());
}

TEST_F(AboutWindow, EnterEscAndTheCloseBoxPressOkAndDestroyTheWindow) {
    struct Case {
        const char* how;
        void (*close)(frmAbout*);
    };
    const Case cases[] = {
        {"Enter", [](frmAbout*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }},
        {"keypad Enter",
         [](frmAbout*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier); }},
        {"Esc", [](frmAbout*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }},
        {"Esc on a link",
         [](frmAbout* about) {
             about->findChild<QWidget*>("Label11")->setFocus();
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
         }},
        {"close box", [](frmAbout* about) { about->close(); }},
        {"OK", [](frmAbout* about) { about->findChild<QPushButton*>("cmdOK")->click(); }},
    };
    for (const Case& c : cases) {
        windows_.modal.clear();
        QPointer<frmAbout> about = open();
        ASSERT_EQ(QApplication::focusWidget(), about->findChild<QPushButton*>("cmdOK")) << c.how;
        c.close(about);
        EXPECT_FALSE(about->isVisible()) << c.how;
        destroyLater();
        EXPECT_TRUE(about.isNull()) << c.how;
    }
    EXPECT_TRUE(windows_.urls.isEmpty());
}

TEST_F(AboutWindow, EnterOnAFocusedLinkOpensItInsteadOfClosing) {
    QPointer<frmAbout> about = open();
    about->findChild<QWidget*>("Label10")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    destroyLater();
    ASSERT_FALSE(about.isNull());
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(windows_.urls, QStringList{"https://www.kursomatik.example"});
}

TEST_F(AboutWindow, TabWalksFromOkThroughTheLinksFromTopToBottom) {
    frmAbout* about = open();
    QStringList visited;
    for (int i = 0; i < 5; ++i) {
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(visited.join(" ").toStdString(), "cmdOK Label12 Label10 Label11 cmdOK");
    EXPECT_TRUE(about->isVisible());
}

// The real hand-over through xdg-open, with a stand-in for it first on the PATH; only the message
// box is recorded instead of shown.
class XdgOpenStandIn : public ::testing::Test {
  protected:
    class Messages : public QtWindowSystem {
      public:
        MessageResult message(QWidget*, const QString& text, MessageButtons buttons,
                              MessageIcon icon) override {
            shown.push_back({text, buttons, icon});
            return MessageResult::Ok;
        }
        std::vector<RecordingWindowSystem::Message> shown;
    };

    XdgOpenStandIn() : path_(qgetenv("PATH")) {
        std::filesystem::create_directory(dir_ / "bin");
        qputenv("PATH", QByteArray::fromStdString((dir_ / "bin").string()) + ":" + path_);
    }
    ~XdgOpenStandIn() override { qputenv("PATH", path_); }

    void standIn(const std::string& body) {
        const auto script = dir_ / "bin" / "xdg-open";
        writeFile(script, "#!/bin/sh\n" + body + "\n");
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    }

    TempDir dir_;
    QByteArray path_;
};

TEST_F(XdgOpenStandIn, EveryFailingExitAndAHelperKilledBySignalAreReportedWithTheStopIcon) {
    struct Case {
        const char* helper;
        const char* error;  // nullptr: handed over, no message
    };
    const Case cases[] = {
        {"exit 0", nullptr},
        {"exit 3", "SE_ERR_NOASSOC"},
        {"exit 2", "ERROR_FILE_NOT_FOUND"},
        {"exit 4", "Unbekannter Fehler No.: -4"},
        {"exit 40", "Unbekannter Fehler No.: -40"},
        {"exit 127", "Unbekannter Fehler No.: -127"},
        {"kill -KILL $$", "Unbekannter Fehler No.: -137"},
        {"kill -SEGV $$", "Unbekannter Fehler No.: -139"},
    };
    Messages windows;
    frmAbout about(windows);
    for (const Case& c : cases) {
        standIn(c.helper);
        windows.shown.clear();
        about.Label10_Click();
        if (c.error == nullptr) {
            EXPECT_TRUE(windows.shown.empty()) << c.helper;
            continue;
        }
        ASSERT_EQ(windows.shown.size(), 1u) << c.helper;
        EXPECT_EQ(windows.shown[0].text.toStdString(),
                  std::string("ShellExecute fehlgeschlagen! \n\r Fehler: ") + c.error);
        EXPECT_EQ(windows.shown[0].icon, MessageIcon::Stop) << c.helper;
    }
}

}  // namespace
}  // namespace kursomatik::testing
