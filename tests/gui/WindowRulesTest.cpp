// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAbstractSpinBox>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <set>

#include "platform/qt/HelpKeyFilter.h"
#include "tests/gui/ProgramTest.h"

namespace kursomatik::testsupport {
namespace {

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
    openRecord(1);
    for (const auto& [name, topic, tabOrder] :  // an empty tab order: any order
         {std::tuple{
              "WexlorEingabe", 11,
              "txtEingabe txtWertEingabe txtAusgabe txtWert cmdBerechnen txtisoein Text2 lstversteckt"},
          std::tuple{"frmOptionen", 7, ""},
          std::tuple{
              "frmUmtauschkurse", 3,
              "grdTable cmdneu cmdSpringeFormwW cmdAbbrechenUmt Command1 cmdDBverändern txtauswahl1 lstewwu"},
          std::tuple{"frmWeitereW", 3, "grdTable2 cmdneu2 cmdImport cmdNetz Command1 cmdhelp txtauswahl2 lstweitere"},
          std::tuple{"frmEingabe2", 3,
                     "txtbezeichnung txttkurs txtiso chkewwu txtdatum cmdlöschen cmdEingabeBeenden_0 "
                     "cmdEingabeBeenden_1"},
          std::tuple{"frmAbout", 11, "cmdOK Label12 Label10 Label11"},
          std::tuple{"frmAlleWaehrungen", 12, "grdAlle cmdKopieren cmdHilfe cmdSchliessen"}}) {
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
