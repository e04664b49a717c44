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

// A link hands its target over by a click or the screen reader's press. Enter
// on "OK", Esc on a link and the close box destroy the window.
TEST_F(AboutWindow, LinksHandOverTheirTargetsAndEnterEscOrTheCloseBoxDestroyIt) {
    start({kEuro});
    QPointer<frmAbout> about;
    for (const auto& [focus, key] : {std::pair{"cmdOK", Qt::Key_Return}, std::pair{"Label11", Qt::Key_Escape},
                                     std::pair{"", Qt::Key_unknown}}) {
        trigger("InfoMorvalent");
        about = qobject_cast<frmAbout*>(windows.modal.back().data());
        ASSERT_TRUE(QTest::qWaitForWindowActive(about));  // so that keys reach it
        *focus ? QTest::keyClick(child<QWidget>(about, focus), key) : void(about->close());
        settle();
        EXPECT_TRUE(about.isNull() && windows.messages.empty()) << focus;
    }
    trigger("InfoMorvalent");
    auto* link = child<LinkLabel>(windows.modal.back(), "Label11");
    QTest::mouseClick(child<LinkLabel>(windows.modal.back(), "Label10"), Qt::LeftButton, {}, {3, 3});
    QAccessible::queryAccessibleInterface(link)->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
    EXPECT_EQ(windows.urls, QStringList({"https://www.kursomatik.example",
                                         "mailto:info@kursomatik.example?Subject=Kursomatik"}));
}

// The real hand-over through xdg-open, with a stand-in for it first on the PATH: the window goes on at
// once; a failure comes later as a message over the about window, or over its owner once it is gone; a
// success says nothing.
TEST(XdgOpenStandIn, AFailureIsToldLaterOverTheAboutWindowOrItsOwnerAndASuccessNot) {
    struct : QtWindowSystem {
        MessageResult message(QWidget* parent, const QString& text, MessageButtons,
                              MessageIcon icon) override {
            return shown << (parent ? parent->objectName() : "-") + "|" + text +
                                (icon == MessageIcon::Stop ? "|Stop" : ""),
                   MessageResult::Ok;
        }
        QStringList shown;
    } windows;
    TempDir dir;
    const QByteArray path = qgetenv("PATH");
    QWidget owner;
    owner.setObjectName("owner");
    for (const auto& [helper, closed] : {std::pair{"exit 0", false}, std::pair{"sleep 0.5; exit 3", false},
                                         std::pair{"sleep 0.5; exit 3", true}}) {
        // A folder of its own for each stand-in: a helper still starting must not find the next one.
        const std::filesystem::path folder = dir / helper;
        std::filesystem::create_directory(folder);
        writeFile(folder / "xdg-open", std::string("#!/bin/sh\n") + helper + "\n");
        std::filesystem::permissions(folder / "xdg-open", std::filesystem::perms::owner_all);
        qputenv("PATH", QByteArray::fromStdString(folder.string()) + ":" + path);
        auto about = std::make_unique<frmAbout>(windows, &owner);
        about->show();
        QElapsedTimer clock;
        clock.start();
        about->findChild<LinkLabel*>("Label10")->activate();
        EXPECT_LT(clock.elapsed(), 400) << helper;  // never waits for the helper
        if (closed) about.reset();
        while (!qApp->findChildren<QProcess*>().isEmpty() && clock.elapsed() < 5000) QTest::qWait(20);
    }
    qputenv("PATH", path);
    const std::string failed = "|ShellExecute fehlgeschlagen! \n\r Fehler: SE_ERR_NOASSOC|Stop";
    EXPECT_EQ(windows.shown.join('/').toStdString(), "frmAbout" + failed + "/owner" + failed);
}

}  // namespace
}  // namespace kursomatik::testsupport
