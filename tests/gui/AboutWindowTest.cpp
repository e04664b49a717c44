// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include "info/LinkLabel.h"
#include "info/frmAbout.h"
#include "platform/qt/QtWindowSystem.h"
#include "tests/gui/ProgramTest.h"

namespace kursomatik::testsupport {
namespace {

using AboutWindow = ProgramTest;

// A link opens by a click, the screen reader's press, Space or Enter (which it takes from the
// window); not by a release beside it or another button. Enter on "OK", Esc (also on a link) and the
// close box destroy the window.
TEST_F(AboutWindow, LinksHandOverTheirTargetsAndEnterEscOrTheCloseBoxDestroyIt) {
    start({kEuro});
    QPointer<frmAbout> about;
    const auto open = [&] {  // made the active window, so that keys reach it
        trigger("InfoMorvalent");
        about = qobject_cast<frmAbout*>(windows.modal.back().data());
        return QTest::qWaitForWindowActive(about) &&
               QApplication::focusWidget() == child<QPushButton>(about, "cmdOK");
    };
    ASSERT_TRUE(open());
    for (const char* link : {"Label10", "Label11", "Label12"})
        QTest::mouseClick(child<LinkLabel>(about, link), Qt::LeftButton, {}, {3, 3});
    auto* l = child<LinkLabel>(about, "Label11");
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(l);
    accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTest::keyClick(l, Qt::Key_Space);
    QTest::keyClick(l, Qt::Key_Return);
    QTest::mousePress(l, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseRelease(l, Qt::LeftButton, {}, QPoint(l->width() + 20, 3));
    QTest::mouseClick(l, Qt::RightButton, {}, QPoint(3, 3));
    EXPECT_EQ(accessible->role(), QAccessible::Link);
    for (const auto& [focus, key] : {std::pair{"cmdOK", Qt::Key_Return}, std::pair{"Label11", Qt::Key_Escape},
                                     std::pair{"", Qt::Key_unknown}}) {
        ASSERT_TRUE(about || open());  // open again after a close
        *focus ? QTest::keyClick(child<QWidget>(about, focus), key) : void(about->close());
        settle();
        EXPECT_TRUE(about.isNull() && windows.messages.empty()) << focus;
    }
    const QString info = "mailto:info@kursomatik.example?Subject=Kursomatik";
    EXPECT_EQ(windows.urls,
              QStringList({"https://www.kursomatik.example", info,
                           "mailto:support@kursomatik.example?Subject=Kursomatik", info, info, info}));
    // A link without a name of its own is spoken by its text, once: its text is no description.
    LinkLabel bare(QStringLiteral("Internet: x"));
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(&bare);
    EXPECT_EQ(spoken->text(QAccessible::Name) + "|" + spoken->text(QAccessible::Description), "Internet: x|");
    // Without the focus, also after a Tab in its window, a link is drawn as its text alone.
    QLabel plain(bare.text());
    plain.setForegroundRole(QPalette::Highlight);
    for (QWidget* label : {static_cast<QWidget*>(&bare), static_cast<QWidget*>(&plain)}) {
        label->setAttribute(Qt::WA_KeyboardFocusChange);
        label->resize(120, 20);
    }
    EXPECT_EQ(bare.grab().toImage(), plain.grab().toImage());
}

// The real hand-over through xdg-open, with a stand-in for it first on the PATH: the window goes on
// at once, and a failure comes as a message over the about window, or over its owner once it is gone.
TEST(XdgOpenStandIn, AFailureIsToldLaterOverTheAboutWindowOrItsOwnerAndASuccessNot) {
    struct : QtWindowSystem {
        MessageResult message(QWidget* parent, const QString& text, MessageButtons,
                              MessageIcon icon) override {
            return shown << parent->objectName() + "|" + text + (icon == MessageIcon::Stop ? "|Stop" : ""),
                   MessageResult::Ok;
        }
        QStringList shown;
    } windows;
    TempDir dir;
    const QByteArray path = qgetenv("PATH");
    QWidget owner;
    owner.setObjectName("owner");
    for (const auto& [helper, closed, fails] :
         {std::tuple{"exit 0", false, false}, std::tuple{"sleep 0.6", false, false},
          std::tuple{"kill -SEGV $$", false, true}, std::tuple{"sleep 0.5; exit 3", true, true}}) {
        // A folder of its own for each stand-in: a helper still starting must not find the next one.
        const std::filesystem::path folder = dir / helper;
        std::filesystem::create_directory(folder);
        writeFile(folder / "xdg-open", std::string("#!/bin/sh\n") + helper + "\n");
        std::filesystem::permissions(folder / "xdg-open", std::filesystem::perms::owner_all);
        qputenv("PATH", QByteArray::fromStdString(folder.string()) + ":" + path);
        auto* about = new frmAbout(windows, &owner);
        about->show();
        QElapsedTimer clock;
        clock.start();
        about->findChild<LinkLabel*>("Label10")->activate();
        EXPECT_LT(clock.elapsed(), 400) << helper;  // never waits for the helper
        const qsizetype before = windows.shown.size();
        if (closed) delete about;
        while (fails && windows.shown.size() == before && clock.elapsed() < 5000) QTest::qWait(20);
        if (!closed) delete about;
    }
    // The helpers end before this window system does.
    QElapsedTimer waited;
    waited.start();
    while (!qApp->findChildren<QProcess*>().isEmpty() && waited.elapsed() < 3000) QTest::qWait(20);
    qputenv("PATH", path);
    // A line feed, then a carriage return: the message has always been written this way.
    const QString failed = "|ShellExecute fehlgeschlagen! \n\r Fehler: ";
    EXPECT_EQ(windows.shown, QStringList({"frmAbout" + failed + "Unbekannter Fehler No.: -139|Stop",
                                          "owner" + failed + "SE_ERR_NOASSOC|Stop"}))
        << windows.shown.join("\n").toStdString();
}

}  // namespace
}  // namespace kursomatik::testsupport
