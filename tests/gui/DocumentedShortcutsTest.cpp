// SPDX-License-Identifier: GPL-3.0-or-later
#include <QMenuBar>
#include <QRegularExpression>
#include <QTranslator>

#include "app/DesktopIntegration.h"
#include "tests/gui/ProgramTest.h"

namespace kursomatik::testsupport {
namespace {

using DocumentedShortcuts = ProgramTest;

// The part of a document from a heading to the next heading of its kind.
QString section(const std::string& path, const QString& heading, const QString& next) {
    const QString text = QString::fromStdString(readFile(path));
    const qsizetype from = text.indexOf(heading);
    return from < 0 ? QString() : text.mid(from, text.indexOf(next, from + heading.size()) - from);
}

// The key stands as a whole: "Strg+O" is not found in "Strg+Ost".
bool listsKey(const QString& text, const QString& key) {
    return text.contains(QRegularExpression(QRegularExpression::escape(key) + "(?![\\w+])"));
}

TEST_F(DocumentedShortcuts, EveryKeyOfTheMainWindowsMenusIsListedByTheManualPageAndTheReadme) {
    // Keys as German users read them: "Strg+Umschalt+C".
    QTranslator german;
    ASSERT_TRUE(installQtTranslation(german, QLocale(QLocale::German, QLocale::Germany)));
    start({kDeutscheMark, kEuro});
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
            EXPECT_TRUE(listsKey(manual, key)) << "kursomatik.1 lacks " << key.toStdString();
            EXPECT_TRUE(listsKey(readme, "`" + key + "`")) << "README.md lacks " << key.toStdString();
        }
    }
    EXPECT_TRUE(keys.contains("Strg+Umschalt+C") && keys.contains("Alt+F4")) << keys.join(' ').toStdString();
}

}  // namespace
}  // namespace kursomatik::testsupport
