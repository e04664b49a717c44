// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DesktopIntegration.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QWidget>
#include <utility>

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

// A timer that starts at the window's first paint: a posted call would still run in the turn that
// shows the frame, a timer runs in the next one.
class AfterFirstFrame : public QTimer {
  public:
    AfterFirstFrame(QWidget* window, std::function<void()> then) : QTimer(window) {
        setSingleShot(true);
        connect(this, &QTimer::timeout, this, [this, then = std::move(then)] {
            then();
            deleteLater();
        });
        window->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            start(0);
        }
        return false;
    }
};

}  // namespace

void afterFirstFrame(QWidget* window, std::function<void()> then) {
    new AfterFirstFrame(window, std::move(then));
}

}  // namespace kursomatik
