// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QTest>

#include "info/LinkLabel.h"
#include "info/frmAbout.h"
#include "platform/qt/QtWindowSystem.h"
#include "tests/gui/ProgramTest.h"

namespace kursomatik::testing {
namespace {

class AboutWindow : public ProgramTest {
  protected:
    // Opened by its menu item, and made the active window so that keys reach it.
    frmAbout* open() {
        trigger("InfoMorvalent");
        auto* about = qobject_cast<frmAbout*>(windows.modal.back().data());
        about->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(about));
        return about;
    }
};

TEST_F(AboutWindow, EachLinkHandsOverItsTargetByMouseKeyboardAndScreenReaderAndNothingElse) {
    start({kEuro});
    frmAbout* about = open();
    for (const auto& [name, target] :
         {std::pair{"Label10", "https://www.kursomatik.example"},
          std::pair{"Label11", "mailto:info@kursomatik.example?Subject=Kursomatik"},
          std::pair{"Label12", "mailto:support@kursomatik.example?Subject=Kursomatik"}}) {
        auto* l = about->findChild<LinkLabel*>(name);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(l);
        EXPECT_EQ(accessible->role(), QAccessible::Link) << name;
        windows.urls.clear();
        QTest::mouseClick(l, Qt::LeftButton, {}, QPoint(3, l->height() / 2));
        // A button released beside the link, or another button, opens nothing.
        QTest::mousePress(l, Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseRelease(l, Qt::LeftButton, {}, QPoint(l->width() + 20, 3));
        QTest::mouseClick(l, Qt::RightButton, {}, QPoint(3, 3));
        l->setFocus();
        QTest::keyClick(l, Qt::Key_Space);
        QTest::keyClick(l, Qt::Key_Return);  // Enter on a link opens it instead of closing the window
        accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(windows.urls, QStringList(4, QString::fromUtf8(target))) << name;
    }
    settle();
    EXPECT_TRUE(windows.messages.empty() && about->isVisible());
    // A link without a name of its own is spoken by its text, once: its text is no description.
    LinkLabel bare(QStringLiteral("Internet: x"));
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(&bare);
    EXPECT_EQ(spoken->text(QAccessible::Name) + "|" + spoken->text(QAccessible::Description), "Internet: x|");
}

TEST_F(AboutWindow, EnterEscOnALinkAndTheCloseBoxDestroyTheWindow) {
    start({kEuro});
    for (const char* how : {"Enter", "Esc on a link", "close box"}) {
        QPointer<frmAbout> about = open();
        ASSERT_EQ(QApplication::focusWidget(), about->findChild<QPushButton*>("cmdOK")) << how;
        const std::string way = how;
        if (way == "Esc on a link") about->findChild<LinkLabel*>("Label11")->setFocus();
        if (way == "close box") about->close();
        if (way != "close box")
            QTest::keyClick(QApplication::focusWidget(), way == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
        settle();
        EXPECT_TRUE(about.isNull()) << how;
    }
    EXPECT_TRUE(windows.urls.isEmpty());
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
    qputenv("PATH", QByteArray::fromStdString(dir.path().string()) + ":" + path);
    frmAbout about(windows);
    about.show();
    for (const auto& [helper, error] :
         {std::pair{"exit 0", ""}, std::pair{"kill -SEGV $$", "Unbekannter Fehler No.: -139"}}) {
        writeFile(dir / "xdg-open", std::string("#!/bin/sh\n") + helper + "\n");
        std::filesystem::permissions(dir / "xdg-open", std::filesystem::perms::owner_all);
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
