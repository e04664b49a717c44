// SPDX-License-Identifier: GPL-3.0-or-later
#include <set>
#include <tuple>

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QTranslator>

#include "app/DesktopIntegration.h"
#include "info/HelpViewer.h"
#include "info/LinkLabel.h"
#include "info/frmAbout.h"
#include "platform/qt/HelpKeyFilter.h"
#include "platform/qt/QtWindowSystem.h"
#include "tests/gui/ProgramTest.h"

namespace kursomatik::testsupport {
namespace {

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
        // As a screen reader presses the link.
        QAccessible::queryAccessibleInterface(about->findChild<LinkLabel*>("Label10"))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_LT(clock.elapsed(), 400) << helper;  // never waits for the helper
        if (closed) about.reset();
        while (!qApp->findChildren<QProcess*>().isEmpty() && clock.elapsed() < 5000) QTest::qWait(20);
    }
    qputenv("PATH", path);
    const std::string failed = "|ShellExecute fehlgeschlagen! \n\r Fehler: SE_ERR_NOASSOC|Stop";
    EXPECT_EQ(windows.shown.join('/').toStdString(), "frmAbout" + failed + "/owner" + failed);
}

// The link opens from the keyboard as a button does, with Enter, the keypad's Enter or the space bar,
// and with no other key: a letter typed by mistake or Ctrl+Enter opens nothing.
TEST(Link, OpensWithEnterOrSpaceAndNoOtherKey) {
    LinkLabel link(QStringLiteral("www.example.org"));
    int opened = 0;
    QObject::connect(&link, &LinkLabel::clicked, [&opened] { ++opened; });
    for (const auto& [key, modifiers, opens] :
         {std::tuple{Qt::Key_Return, Qt::NoModifier, 1}, std::tuple{Qt::Key_Enter, Qt::KeypadModifier, 1},
          std::tuple{Qt::Key_Space, Qt::NoModifier, 1}, std::tuple{Qt::Key_A, Qt::NoModifier, 0},
          std::tuple{Qt::Key_Return, Qt::ControlModifier, 0}}) {
        opened = 0;
        QTest::keyClick(&link, key, modifiers);
        EXPECT_EQ(opened, opens) << key << " " << modifiers;
    }
}

// A keyboard user sees where the focus is: the link is framed while it has the focus, and only then.
TEST(Link, IsFramedWhileItHasTheFocusOnly) {
    LinkLabel link(QStringLiteral("www.example.org"));
    link.show();
    link.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&link));
    const auto drawnPixels = [&link] {
        const QImage image = link.grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                count += image.pixel(x, y) != link.palette().color(QPalette::Window).rgb();
        }
        return count;
    };
    link.clearFocus();
    const int unfocused = drawnPixels();
    link.setAttribute(Qt::WA_KeyboardFocusChange);  // as after Tab: styles frame only the keyboard's focus
    link.setFocus();
    EXPECT_TRUE(link.hasFocus() && drawnPixels() > unfocused);
}

// Composed as the program composes it: the "?" buttons post F1, the filter names the topic, and the
// viewer opens the shipped help at its heading, past a modal window.
TEST(Help, APostedF1OpensTheShippedHelpAtTheTopicsHeadingPastAModalWindow) {
    HelpViewer viewer({std::filesystem::path(KURSOMATIK_DATA_DIR)});
    QtWindowSystem windows;
    windows.helpViewer = [&viewer](int topic) { viewer.showTopic(QStringLiteral("KURSOMATIK.HLP"), topic); };
    HelpKeyFilter filter(windows);
    qApp->installEventFilter(&filter);
    QDialog window;
    window.setProperty("helpTopic", 7);
    window.setWindowModality(Qt::ApplicationModal);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    windows.postF1();
    QApplication::processEvents();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    EXPECT_EQ(viewer.browser()->source().fileName() + "#" + viewer.browser()->source().fragment(),
              "KURSOMATIK.HLP#thema7");
    EXPECT_FALSE(viewer.browser()->toPlainText().contains("Hilfe nicht verfügbar"));  // the topic is there
    viewer.showTopic(QStringLiteral("KURSOMATIK.HLP"), 5);                            // one the file lacks
    EXPECT_TRUE(viewer.browser()->toPlainText().contains("Das Hilfethema 5 steht nicht in der Hilfedatei"));
}

using DesktopIntegration = ProgramTest;

// Qt's own texts (here: key names) are German for German locales and for the C locale,
// which the program treats as German, once the translation is installed. Every key of the main
// window's menus, as German users read it ("Strg+Umschalt+C"), is listed by the README.
TEST_F(DesktopIntegration, QtSpeaksGermanOnceTranslatedAndEveryMenuKeyIsDocumented) {
    QTranslator german;
    ASSERT_TRUE(installQtTranslation(german, QLocale(QLocale::German, QLocale::Germany)));
    start({kDeutscheMark, kEuro});
    const QString readme = QString::fromStdString(readFile(KURSOMATIK_SOURCE_DIR "/README.md"));
    QStringList keys;
    for (const QMenu* menu : main->menuBar()->findChildren<QMenu*>()) {
        for (const QAction* item : menu->actions()) {
            // A bound shortcut, or the key a caption names after its tab ("Beenden\tAlt+F4").
            const QString key = item->shortcut().isEmpty()
                                    ? item->text().section(u'\t', 1)
                                    : item->shortcut().toString(QKeySequence::NativeText);
            if (key.isEmpty()) continue;
            keys << key;
            EXPECT_TRUE(readme.contains("`" + key + "`")) << "README.md lacks " << key.toStdString();
        }
    }
    EXPECT_TRUE(keys.contains("Strg+Umschalt+C") && keys.contains("Alt+F4")) << keys.join(' ').toStdString();
}

// A spin box's own line edit is part of the spin box, which is the control.
bool reachable(const QWidget* widget, const QWidget* window) {
    return (widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(window) && widget->isEnabled() &&
           widget->window() == window && !qobject_cast<const QAbstractSpinBox*>(widget->parentWidget());
}

// What every window of the program keeps, checked over all of them at once: a help topic for F1,
// a spoken name for every control the user can reach, an access key on every button, and a Tab
// chain that reaches every control (in the designed order).
using WindowRules = ProgramTest;

TEST_F(WindowRules, EveryWindowHasHelpNamedControlsAccessKeysAndACompleteTabChain) {
    start({kDeutscheMark, kEuro, kDollar}).show();
    HelpKeyFilter filter(windows);
    qApp->installEventFilter(&filter);
    trigger("Optionen");
    otherWindow();
    trigger("InfoMorvalent");
    trigger("Alle");
    trigger("Kursverlauf");
    openRecord(1);
    // The main window's Tab order as designed; the others' in any order.
    for (const auto& [name, topic, tabOrder] :
         {std::tuple{
              "WexlorEingabe", 11,
              "txtEingabe txtWertEingabe txtAusgabe txtWert cmdBerechnen txtisoein Text2 lstversteckt"},
          std::tuple{"frmOptionen", 7, ""}, std::tuple{"frmUmtauschkurse", 3, ""},
          std::tuple{"frmWeitereW", 3, ""}, std::tuple{"frmEingabe2", 3, ""}, std::tuple{"frmAbout", 11, ""},
          std::tuple{"frmAlleWaehrungen", 12, ""}, std::tuple{"frmKursverlauf", 18, ""}}) {
        SCOPED_TRACE(name);
        QWidget* window = nullptr;
        for (QWidget* shown : QApplication::topLevelWidgets())
            if (shown->objectName() == QString::fromUtf8(name) && shown->isVisible()) window = shown;
        ASSERT_NE(window, nullptr);
        std::set<QString> reach, keys;
        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (!reachable(control, window)) continue;
            reach.insert(control->objectName());
            const std::string id = control->objectName().toStdString();
            EXPECT_FALSE(id.empty()) << control->metaObject()->className();
            EXPECT_TRUE(control->toolTip().isEmpty() ||
                        control->accessibleDescription() == control->toolTip())
                << id;
            if (auto* button = qobject_cast<QPushButton*>(control)) {
                // An access key of its own in the window.
                const auto key = QRegularExpression("&([^&])").match(button->text());
                EXPECT_TRUE(key.hasMatch() && keys.insert(key.captured(1).toLower()).second) << id;
                continue;
            }
            bool named = !control->accessibleName().isEmpty();
            for (const QLabel* label : window->findChildren<QLabel*>())
                named = named || label->buddy() == control;
            if (qobject_cast<QLabel*>(control) || qobject_cast<QAbstractButton*>(control))
                named = named || !control->property("text").toString().isEmpty();
            EXPECT_TRUE(named) << id;
        }
        // A label sits beside the control it names, on its line, or just above it.
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            if (label->buddy() == nullptr || !label->isVisibleTo(window)) continue;
            const QRect control(label->buddy()->mapTo(window, QPoint()), label->buddy()->size());
            const QRect at(label->mapTo(window, QPoint()), label->size());
            EXPECT_TRUE(control.contains(control.x(), at.center().y()) ||
                        (at.center().y() < control.top() && control.top() - at.bottom() <= 8))
                << label->objectName().toStdString();
        }
        const QStringList designed = QString::fromUtf8(tabOrder).split(' ', Qt::SkipEmptyParts);
        QWidget* first =
            designed.isEmpty() ? window->nextInFocusChain() : window->findChild<QWidget*>(designed[0]);
        while (!reachable(first, window)) first = first->nextInFocusChain();
        // The objects' names the Tab key visits from the first control until it comes back.
        QStringList chain;
        first->setFocus(Qt::TabFocusReason);
        for (QWidget* at = first; chain.size() < 50 && (chain.isEmpty() || at != first);
             at = window->focusWidget())
            chain << at->objectName(), QTest::keyClick(at, Qt::Key_Tab);
        EXPECT_EQ(std::set<QString>(chain.begin(), chain.end()), reach) << chain.join(' ').toStdString();
        EXPECT_EQ(designed.isEmpty() ? chain : designed, chain);
        // F1 as the window system delivers it to the focused widget: through the application.
        windows.helpTopics.clear();
        QCoreApplication::postEvent(first, new QKeyEvent(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier));
        QCoreApplication::sendPostedEvents(first, QEvent::KeyPress);
        EXPECT_EQ(windows.helpTopics, std::vector<int>{topic});
    }
}

}  // namespace
}  // namespace kursomatik::testsupport
