#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTranslator>
#include <memory>

#include "DesktopIntegration.h"
#include "ProgramFixture.h"

namespace kursomatik::testing {
namespace {

std::string nativeShortcut(const QWidget& window, const char* action) {
    const auto* found = window.findChild<QAction*>(QString::fromUtf8(action));
    return found ? found->shortcut().toString(QKeySequence::NativeText).toStdString() : "(no action)";
}

// The entries' captions, without the shortcut after the tab.
QStringList contextMenuTexts(QLineEdit* box) {
    const std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions()) texts << action->text().section(u'\t', 0, 0);
    return texts;
}

TEST(QtTexts, GermanForGermanLocalesAndForTheCLocaleTheProgramTreatsAsGerman) {
    struct Case {
        QLocale locale;
        bool german;
    };
    const Case cases[] = {
        {QLocale(QLocale::German, QLocale::Germany), true},
        {QLocale(QLocale::German, QLocale::Austria), true},
        {QLocale(QLocale::German, QLocale::Switzerland), true},
        {QLocale::c(), true},
        {QLocale(QLocale::English, QLocale::UnitedStates), false},
        {QLocale(QLocale::French, QLocale::France), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(wantsGermanQtTexts(c.locale), c.german) << c.locale.name().toStdString();
    }
}

class GermanQtTexts : public ProgramTest {};

TEST_F(GermanQtTexts, MenusAndContextMenusSpeakGermanOnceTheTranslationIsInstalled) {
    // given the translation installed the way the program installs it, then the main window
    QTranslator translator;
    ASSERT_TRUE(installQtTranslation(translator, QLocale(QLocale::German, QLocale::Germany)));
    writeTable({kDeutscheMark, kEuro});
    WexlorEingabe& main = start();

    // then the shortcuts in the menu and the result box's context menu read German
    EXPECT_EQ(nativeShortcut(main, "Optionen"), "Strg+O");
    EXPECT_EQ(nativeShortcut(main, "Umtauschkurse"), "Strg+W");
    const QStringList texts = contextMenuTexts(main.txtWert);
    EXPECT_TRUE(texts.contains(QStringLiteral("&Kopieren"))) << texts.join(u'|').toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("Alles auswählen"))) << texts.join(u'|').toStdString();
}

TEST_F(GermanQtTexts, AnotherLanguageLoadsNoTranslation) {
    QTranslator translator;
    EXPECT_FALSE(installQtTranslation(translator, QLocale(QLocale::English, QLocale::UnitedKingdom)));
    writeTable({kDeutscheMark, kEuro});
    EXPECT_EQ(nativeShortcut(start(), "Optionen"), "Ctrl+O");
}

class DesktopIdentity : public ProgramTest {};

TEST_F(DesktopIdentity, WindowsCarryTheIconInEverySizeAndNameTheInstalledMenuEntry) {
    setDesktopIdentity();
    writeTable({kDeutscheMark, kEuro});
    const QIcon icon = start().windowIcon();

    const QList<QSize> sizes = icon.availableSizes();
    for (const int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
    }
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("kursomatik"));
    // The menu entry is installed under that name, and the metainfo launches that entry.
    const QString desktop = QStringLiteral(KURSOMATIK_DATA_DIR "/../desktop/");
    EXPECT_TRUE(QFile::exists(desktop + QGuiApplication::desktopFileName() + QStringLiteral(".desktop.in")));
    QFile metainfo(desktop + QStringLiteral("kursomatik.metainfo.xml"));
    ASSERT_TRUE(metainfo.open(QIODevice::ReadOnly));
    EXPECT_TRUE(metainfo.readAll().contains(
        "<launchable type=\"desktop-id\">" + QGuiApplication::desktopFileName().toUtf8() + ".desktop<"));
}

}  // namespace
}  // namespace kursomatik::testing
