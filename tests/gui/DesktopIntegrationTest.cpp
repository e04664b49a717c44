// SPDX-License-Identifier: GPL-3.0-or-later
#include <QMenu>
#include <QMenuBar>
#include <QTranslator>

#include "app/DesktopIntegration.h"
#include "tests/gui/ProgramTest.h"

namespace kursomatik::testsupport {
namespace {

using DesktopIntegration = ProgramTest;

// Qt's own texts (here: key names) are German for German locales and for the C locale,
// which the program treats as German, once the translation is installed. Every key of the main
// window's menus, as German users read it ("Strg+Umschalt+C"), is listed by the README.
TEST_F(DesktopIntegration, QtSpeaksGermanOnceTranslatedAndEveryMenuKeyIsDocumented) {
    EXPECT_TRUE(wantsGermanQtTexts(QLocale(QLocale::German, QLocale::Switzerland)) &&
                wantsGermanQtTexts(QLocale::c()) && !wantsGermanQtTexts(QLocale(QLocale::English)));
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

}  // namespace
}  // namespace kursomatik::testsupport
