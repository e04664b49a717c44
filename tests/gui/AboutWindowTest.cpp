// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "info/LinkLabel.h"
#include "info/frmAbout.h"
#include "platform/qt/QtWindowSystem.h"
#include "tests/support/RecordingWindowSystem.h"
#include "tests/support/TempDir.h"

namespace kursomatik::testing {
namespace {

const std::string kShellFailed = "ShellExecute fehlgeschlagen! \n\r Fehler: ";

class AboutWindow : public ::testing::Test {
  protected:
    ~AboutWindow() override {
        for (auto& window : windows_.modal) delete window.data();
    }
    // Opened as the menu item opens it, and made the active window so that keys reach it.
    frmAbout* open() {
        showAboutWindow(windows_, nullptr);
        auto* about = qobject_cast<frmAbout*>(windows_.modal.back().data());
        about->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(about));
        return about;
    }
    static LinkLabel* link(QWidget* about, const char* name) { return about->findChild<LinkLabel*>(name); }
    static void destroyLater() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    RecordingWindowSystem windows_;
};

TEST_F(AboutWindow, EachLinkIsNamedAndHandsOverItsTargetByMouseKeyboardAndScreenReader) {
    frmAbout* about = open();
    for (const auto& [name, target] :
         {std::pair{"Label10", "https://www.kursomatik.example"},
          std::pair{"Label11", "mailto:info@kursomatik.example?Subject=Kursomatik"},
          std::pair{"Label12", "mailto:support@kursomatik.example?Subject=Kursomatik"}}) {
        LinkLabel* l = link(about, name);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(l);
        EXPECT_EQ(accessible->role(), QAccessible::Link) << name;
        EXPECT_EQ(accessible->text(QAccessible::Name), l->text()) << name;
        windows_.urls.clear();
        QTest::mouseClick(l, Qt::LeftButton, {}, QPoint(3, l->height() / 2));
        // A button released beside the link, or another button, opens nothing.
        QTest::mousePress(l, Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseRelease(l, Qt::LeftButton, {}, QPoint(l->width() + 20, 3));
        QTest::mouseClick(l, Qt::RightButton, {}, QPoint(3, 3));
        l->setFocus();
        QTest::keyClick(l, Qt::Key_Space);
        QTest::keyClick(l, Qt::Key_Return);  // Enter on a link opens it instead of closing the window
        accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(windows_.urls, QStringList(4, QString::fromUtf8(target))) << name;
    }
    destroyLater();
    EXPECT_TRUE(windows_.messages.empty());
    EXPECT_TRUE(about->isVisible());
}

TEST_F(AboutWindow, AFailedHandOverIsReportedByNameWithTheStopIconAndTheWindowStays) {
    // The name of each code is the shell codes' table; here only where failure ends and how it is shown.
    const std::pair<int, const char*> cases[] = {{32, "SE_ERR_DLLNOTFOUND"},
                                                 {0, "Unbekannter Fehler No.: 0"},
                                                 {-5, "Unbekannter Fehler No.: -5"},
                                                 {33, nullptr}};
    QPointer<frmAbout> about = open();
    for (const auto& [code, name] : cases) {
        windows_.messages.clear();
        windows_.urlResult = code;
        link(about, code % 2 ? "Label12" : "Label11")->activate();
        destroyLater();
        ASSERT_FALSE(about.isNull());
        EXPECT_TRUE(about->isVisible());
        if (name == nullptr) {
            EXPECT_TRUE(windows_.messages.empty()) << code;
            continue;
        }
        ASSERT_EQ(windows_.messages.size(), 1u) << code;
        // A line feed, then a carriage return: the message has always been written this way.
        EXPECT_EQ(windows_.messages[0].text.toStdString(), kShellFailed + name);
        EXPECT_EQ(windows_.messages[0].icon, MessageIcon::Stop);
        EXPECT_EQ(windows_.messages[0].buttons, MessageButtons::Ok);
    }
}

TEST_F(AboutWindow, EnterEscAndTheCloseBoxPressOkAndDestroyTheWindow) {
    const std::pair<const char*, void (*)(frmAbout*)> cases[] = {
        {"Enter", [](frmAbout*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }},
        {"keypad Enter",
         [](frmAbout*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier); }},
        {"Esc", [](frmAbout*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }},
        {"Esc on a link",
         [](frmAbout* about) {
             link(about, "Label11")->setFocus();
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
         }},
        {"close box", [](frmAbout* about) { about->close(); }},
        {"OK", [](frmAbout* about) { about->findChild<QPushButton*>("cmdOK")->click(); }},
    };
    for (const auto& [how, close] : cases) {
        windows_.modal.clear();
        QPointer<frmAbout> about = open();
        ASSERT_EQ(QApplication::focusWidget(), about->findChild<QPushButton*>("cmdOK")) << how;
        close(about);
        EXPECT_FALSE(about->isVisible()) << how;
        destroyLater();
        EXPECT_TRUE(about.isNull()) << how;
    }
    EXPECT_TRUE(windows_.urls.isEmpty());
}

// The real hand-over through xdg-open, with a stand-in for it first on the PATH; only the message
// box is recorded instead of shown.
TEST(XdgOpenStandIn, EveryFailingExitAndAHelperKilledBySignalAreReportedWithTheStopIcon) {
    struct Messages : QtWindowSystem {
        MessageResult message(QWidget*, const QString& text, MessageButtons, MessageIcon icon) override {
            shown.push_back({text, MessageButtons::Ok, icon});
            return MessageResult::Ok;
        }
        std::vector<RecordingWindowSystem::Message> shown;
    } windows;
    TempDir dir;
    const QByteArray path = qgetenv("PATH");
    std::filesystem::create_directory(dir / "bin");
    qputenv("PATH", QByteArray::fromStdString((dir / "bin").string()) + ":" + path);
    frmAbout about(windows);
    for (const auto& [helper, error] : {std::pair{"exit 0", ""}, std::pair{"exit 2", "ERROR_FILE_NOT_FOUND"},
                                        std::pair{"exit 127", "Unbekannter Fehler No.: -127"},
                                        std::pair{"kill -SEGV $$", "Unbekannter Fehler No.: -139"}}) {
        writeFile(dir / "bin" / "xdg-open", std::string("#!/bin/sh\n") + helper + "\n");
        std::filesystem::permissions(dir / "bin" / "xdg-open", std::filesystem::perms::owner_all);
        windows.shown.clear();
        about.findChild<LinkLabel*>("Label10")->activate();
        ASSERT_EQ(windows.shown.size(), *error ? 1u : 0u) << helper;
        for (const auto& m : windows.shown) {
            EXPECT_EQ(m.text.toStdString() + (m.icon == MessageIcon::Stop ? "" : " without stop icon"),
                      kShellFailed + error);
        }
    }
    qputenv("PATH", path);
}

}  // namespace
}  // namespace kursomatik::testing
