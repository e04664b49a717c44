// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DesktopIntegration.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QWidget>

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
}

namespace {

// Sets the window icon at the window's first paint, and then goes.
class IconAfterFirstPaint : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            QTimer::singleShot(0, qApp, [] { QApplication::setWindowIcon(programIcon()); });
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

}  // namespace

void setWindowIconAfterFirstPaint(QWidget* window) {
    window->installEventFilter(new IconAfterFirstPaint(window));
}

}  // namespace kursomatik
