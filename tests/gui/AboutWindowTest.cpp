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
    RecordingWindowSystem windows_;
};

TEST_F(AboutWindow, EachLinkIsNamedAndHandsOverItsTargetByMouseKeyboardAndScreenReader) {
    frmAbout* about = open();
    for (const auto& [name, target] :
         {std::pair{"Label10", "https://www.kursomatik.example"},
          std::pair{"Label11", "mailto:info@kursomatik.example?Subject=Kursomatik"},
          std::pair{"Label12", "mailto:support@kursomatik.example?Subject=Kursomatik"}}) {
        auto* l = about->findChild<LinkLabel*>(name);
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
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(windows_.messages.empty());
    EXPECT_TRUE(about->isVisible());
    // A link without a name of its own is spoken by its text, once: its text is no description.
    LinkLabel bare(QStringLiteral("Internet: x"));
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(&bare);
    EXPECT_EQ(spoken->text(QAccessible::Name) + "|" + spoken->text(QAccessible::Description), "Internet: x|");
}

TEST_F(AboutWindow, EnterEscAndTheCloseBoxPressOkAndDestroyTheWindow) {
    const auto key = [](Qt::Key k, Qt::KeyboardModifiers m = {}) {
        return [k, m](frmAbout*) { QTest::keyClick(QApplication::focusWidget(), k, m); };
    };
    const std::pair<const char*, std::function<void(frmAbout*)>> cases[] = {
        {"Enter", key(Qt::Key_Return)},
        {"keypad Enter", key(Qt::Key_Enter, Qt::KeypadModifier)},
        {"Esc", key(Qt::Key_Escape)},
        {"Esc on a link",
         [](frmAbout* about) {
             about->findChild<LinkLabel*>("Label11")->setFocus();
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
         }},
        {"close box", [](frmAbout* about) { about->close(); }},
        {"OK", [](frmAbout* about) { about->findChild<QPushButton*>("cmdOK")->click(); }}};
    for (const auto& [how, close] : cases) {
        windows_.modal.clear();
        QPointer<frmAbout> about = open();
        ASSERT_EQ(QApplication::focusWidget(), about->findChild<QPushButton*>("cmdOK")) << how;
        close(about);
        EXPECT_FALSE(about->isVisible()) << how;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(about.isNull()) << how;
    }
    EXPECT_TRUE(windows_.urls.isEmpty());
}

// The real hand-over through xdg-open, with a stand-in for it first on the PATH; only the message
// box is recorded instead of shown. The window stays open after a failure.
TEST(XdgOpenStandIn, EveryFailingExitAndAHelperKilledBySignalAreReportedWithTheStopIcon) {
    struct Messages : QtWindowSystem {
        MessageResult message(QWidget*, const QString& text, MessageButtons buttons,
                              MessageIcon icon) override {
            shown.push_back({text, buttons, icon});
            return MessageResult::Ok;
        }
        std::vector<RecordingWindowSystem::Message> shown;
    } windows;
    TempDir dir;
    const QByteArray path = qgetenv("PATH");
    std::filesystem::create_directory(dir / "bin");
    qputenv("PATH", QByteArray::fromStdString((dir / "bin").string()) + ":" + path);
    frmAbout about(windows);
    about.show();
    for (const auto& [helper, error] : {std::pair{"exit 0", ""}, std::pair{"exit 2", "ERROR_FILE_NOT_FOUND"},
                                        std::pair{"exit 127", "Unbekannter Fehler No.: -127"},
                                        std::pair{"kill -SEGV $$", "Unbekannter Fehler No.: -139"}}) {
        writeFile(dir / "bin" / "xdg-open", std::string("#!/bin/sh\n") + helper + "\n");
        std::filesystem::permissions(dir / "bin" / "xdg-open", std::filesystem::perms::owner_all);
        windows.shown.clear();
        about.findChild<LinkLabel*>("Label10")->activate();
        ASSERT_EQ(windows.shown.size(), *error ? 1u : 0u) << helper;
        for (const auto& m : windows.shown) {
            // A line feed, then a carriage return: the message has always been written this way.
            EXPECT_EQ(m.text.toStdString(),
                      std::string("ShellExecute fehlgeschlagen! \n\r Fehler: ") + error);
            EXPECT_TRUE(m.icon == MessageIcon::Stop && m.buttons == MessageButtons::Ok) << helper;
        }
        EXPECT_TRUE(about.isVisible());
    }
    qputenv("PATH", path);
}

}  // namespace
}  // namespace kursomatik::testing
