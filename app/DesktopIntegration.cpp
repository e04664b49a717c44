// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DesktopIntegration.h"

#include <QApplication>
#include <QLibraryInfo>

#include "desktop/icons/ProgramIcon.h"

namespace kursomatik {

bool wantsGermanQtTexts(const QLocale& locale) {
    return locale.language() == QLocale::German || locale.language() == QLocale::C;
}

bool installQtTranslation(QTranslator& translator, const QLocale& locale) {
    if (!wantsGermanQtTexts(locale)) return false;
    if (!translator.load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&translator);
}

void setDesktopIdentity() {
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileName));
    QApplication::setWindowIcon(programIcon());
}

}  // namespace kursomatik
