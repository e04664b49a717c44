// SPDX-License-Identifier: GPL-3.0-or-later
#include <QGuiApplication>
#include <QMenu>
#include <QTest>
#include <QTranslator>

#include "app/DesktopIntegration.h"
#include "tests/gui/ProgramTest.h"

namespace kursomatik::testsupport {
namespace {

using DesktopIntegration = ProgramTest;

TEST_F(DesktopIntegration, MenusAndContextMenusSpeakGermanOnlyOnceTheGermanTranslationIsInstalled) {
    // German for German locales and for the C locale, which the program treats as German.
    for (const auto& [locale, german] :
         {std::pair{QLocale(QLocale::German, QLocale::Switzerland), true}, std::pair{QLocale::c(), true},
          std::pair{QLocale(QLocale::English, QLocale::UnitedStates), false}})
        EXPECT_EQ(wantsGermanQtTexts(locale), german) << locale.name().toStdString();
    const auto shortcut = [this](const char* a) {
        return find<QAction>(a)->shortcut().toString(QKeySequence::NativeText).toStdString();
    };
    QTranslator english, german;
    EXPECT_FALSE(installQtTranslation(english, QLocale(QLocale::English, QLocale::UnitedKingdom)));
    start({kDeutscheMark, kEuro});
    EXPECT_EQ(shortcut("Optionen"), "Ctrl+O");
    ASSERT_TRUE(installQtTranslation(german, QLocale(QLocale::German, QLocale::Germany)));
    start();
    EXPECT_EQ(shortcut("Optionen") + " " + shortcut("Umtauschkurse"), "Strg+O Strg+W");
    const std::unique_ptr<QMenu> menu(find<QLineEdit>("txtWert")->createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions()) texts << action->text().section(u'\t', 0, 0);
    EXPECT_TRUE(texts.contains("&Kopieren") && texts.contains(QString::fromUtf8("Alles auswählen")));
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
