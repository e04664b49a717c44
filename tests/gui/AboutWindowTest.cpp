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

using AboutWindow = ProgramTest;

TEST_F(AboutWindow, LinksHandOverTheirTargetsAndEnterEscOrTheCloseBoxDestroyIt) {
    start({kEuro});
    for (const char* way : {"Enter", "Esc on a link", "close box"}) {
        trigger("InfoMorvalent");  // made the active window, so that keys reach it
        QPointer<frmAbout> about = qobject_cast<frmAbout*>(windows.modal.back().data());
        about->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(about));
        ASSERT_EQ(QApplication::focusWidget(), about->findChild<QPushButton*>("cmdOK"));
        windows.urls.clear();
        for (const char* link : {"Label10", "Label11", "Label12"})  // mouse, keys and screen reader
            QTest::mouseClick(about->findChild<LinkLabel*>(link), Qt::LeftButton, {}, QPoint(3, 3));
        auto* l = about->findChild<LinkLabel*>("Label11");
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(l);
        accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        // A button released beside the link, or another button, opens nothing.
        QTest::mousePress(l, Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseRelease(l, Qt::LeftButton, {}, QPoint(l->width() + 20, 3));
        QTest::mouseClick(l, Qt::RightButton, {}, QPoint(3, 3));
        l->setFocus();
        QTest::keyClick(l, Qt::Key_Space);
        QTest::keyClick(l, Qt::Key_Return);  // Enter on a link opens it instead of closing the window
        const QString info = "mailto:info@kursomatik.example?Subject=Kursomatik";
        EXPECT_EQ(windows.urls,
                  QStringList({"https://www.kursomatik.example", info,
                               "mailto:support@kursomatik.example?Subject=Kursomatik", info, info, info}));
        EXPECT_EQ(accessible->role(), QAccessible::Link);
        const std::string w = way;
        if (w != "Esc on a link") about->findChild<QPushButton*>("cmdOK")->setFocus();
        if (w == "close box") about->close();
        if (w != "close box")
            QTest::keyClick(QApplication::focusWidget(), w == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
        settle();
        EXPECT_TRUE(about.isNull() && windows.messages.empty()) << way;
    }
    // A link without a name of its own is spoken by its text, once: its text is no description.
    LinkLabel bare(QStringLiteral("Internet: x"));
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(&bare);
    EXPECT_EQ(spoken->text(QAccessible::Name) + "|" + spoken->text(QAccessible::Description), "Internet: x|");
}

// The real hand-over through xdg-open, with a stand-in for it first on the PATH; only the message
// box is recorded instead of shown. The window stays open after a failure.
TEST(XdgOpenStandIn, AHelperKilledBySignalIsReportedWithTheStopIconAndASuccessNot) {
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
    for (const char* helper : {"exit 0", "kill -SEGV $$"}) {
        writeFile(dir / "xdg-open", std::string("#!/bin/sh\n") + helper + "\n");
        std::filesystem::permissions(dir / "xdg-open", std::filesystem::perms::owner_all);
        about.findChild<LinkLabel*>("Label10")->activate();
    }
    qputenv("PATH", path);
    ASSERT_EQ(windows.shown.size(), 1u);
    // A line feed, then a carriage return: the message has always been written this way.
    EXPECT_EQ(windows.shown[0].text,
              "ShellExecute fehlgeschlagen! \n\r Fehler: Unbekannter Fehler No.: -139");
    EXPECT_TRUE(windows.shown[0].icon == MessageIcon::Stop && windows.shown[0].buttons == MessageButtons::Ok);
    EXPECT_TRUE(about.isVisible());
}

}  // namespace
}  // namespace kursomatik::testing
