// SPDX-License-Identifier: GPL-3.0-or-later
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>
#include <QTranslator>

#include "app/DesktopIntegration.h"
#include "tests/gui/ProgramTest.h"

namespace kursomatik::testsupport {
namespace {

using DesktopIntegration = ProgramTest;

// The part of a document from a heading to the next heading of its kind.
QString section(const std::string& path, const QString& heading, const QString& next) {
    const QString text = QString::fromStdString(readFile(path));
    const qsizetype from = text.indexOf(heading);
    return from < 0 ? QString() : text.mid(from, text.indexOf(next, from + heading.size()) - from);
}

// Qt's own texts (key names, context menus) are German for German locales and for the C locale,
// which the program treats as German, once the translation is installed. Every key of the main
// window's menus, as German users read it ("Strg+Umschalt+C"), is listed by the manual page and the
// README, as a whole ("Strg+O" is not found in "Strg+Ost").
TEST_F(DesktopIntegration, QtSpeaksGermanOnceTranslatedAndEveryMenuKeyIsDocumented) {
    for (const auto& [locale, german] :
         {std::pair{QLocale(QLocale::German, QLocale::Switzerland), true}, std::pair{QLocale::c(), true},
          std::pair{QLocale(QLocale::English, QLocale::UnitedStates), false}})
        EXPECT_EQ(wantsGermanQtTexts(locale), german) << locale.name().toStdString();
    QTranslator english, german;
    EXPECT_FALSE(installQtTranslation(english, QLocale(QLocale::English, QLocale::UnitedKingdom)));
    start({kDeutscheMark, kEuro});
    EXPECT_EQ(find<QAction>("Optionen")->shortcut().toString(QKeySequence::NativeText), "Ctrl+O");
    ASSERT_TRUE(installQtTranslation(german, QLocale(QLocale::German, QLocale::Germany)));
    start();
    const std::unique_ptr<QMenu> menu(find<QLineEdit>("txtWert")->createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions()) texts << action->text().section(u'\t', 0, 0);
    EXPECT_TRUE(texts.contains("&Kopieren") && texts.contains(QString::fromUtf8("Alles auswählen")));
    const QString manual = section(KURSOMATIK_SOURCE_DIR "/desktop/kursomatik.1.in", ".SH TASTEN", ".SH ");
    const QString readme = section(KURSOMATIK_SOURCE_DIR "/README.md", "## Keyboard shortcuts", "\n## ");
    QStringList keys;
    for (const QMenu* menu : main->menuBar()->findChildren<QMenu*>()) {
        for (const QAction* item : menu->actions()) {
            // A bound shortcut, or the key a caption names after its tab ("Beenden\tAlt+F4").
            const QString key = item->shortcut().isEmpty()
                                    ? item->text().section(u'\t', 1)
                                    : item->shortcut().toString(QKeySequence::NativeText);
            if (key.isEmpty()) continue;
            keys << key;
            EXPECT_TRUE(manual.contains(QRegularExpression(QRegularExpression::escape(key) + "(?![\\w+])")))
                << "kursomatik.1 lacks " << key.toStdString();
            EXPECT_TRUE(readme.contains("`" + key + "`")) << "README.md lacks " << key.toStdString();
        }
    }
    EXPECT_TRUE(keys.contains("Strg+Umschalt+C") && keys.contains("Strg+W") && keys.contains("Alt+F4"))
        << keys.join(' ').toStdString();
}

TEST_F(DesktopIntegration, WindowsCarryTheIconInTheSmallSizesOnceShownAndNameTheInstalledMenuEntry) {
    setDesktopIdentity();
    WexlorEingabe& window = start({kDeutscheMark, kEuro});
    setWindowIconAfterFirstPaint(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(50);  // the first paint, then the icon
    const QList<QSize> sizes = window.windowIcon().availableSizes();
    for (const int side : {16, 22, 24, 32, 48, 64}) EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
    // The desktop takes large ones from the theme. The menu entry's id, once published, never changes.
    EXPECT_FALSE(sizes.contains(QSize(256, 256)));
    EXPECT_EQ(QGuiApplication::desktopFileName(), "example.kursomatik.kursomatik");
}

}  // namespace
}  // namespace kursomatik::testsupport
