// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/ApplicationStart.h"

#include <unistd.h>

#include <cstdio>
#include <vector>

#include "platform/qt/DeferredIconStyle.h"

namespace kursomatik {
namespace {

struct HeldBack {
    QtMsgType type;
    QByteArray category;
    QString text;
};

// Only while the QApplication is made, on the main thread.
std::vector<HeldBack> heldBack;

void holdBackOrEnd(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        heldBack.push_back({type, context.category, text});
        return;
    }
    // Qt's own closing words are a paragraph about reinstalling; its first warning names the cause,
    // such as "could not connect to display :5".
    const QString cause = heldBack.empty() ? text : heldBack.front().text;
    std::fprintf(stderr,
                 "Kursomatik kann nicht starten: Es ist keine grafische Anzeige erreichbar "
                 "(DISPLAY oder WAYLAND_DISPLAY).\nMeldung von Qt: %s\n",
                 cause.section(QLatin1Char('\n'), 0, 0).toLocal8Bit().constData());
    std::fflush(stderr);
    ::_exit(1);
}

}  // namespace

std::unique_ptr<QApplication> startApplication(int& argc, char** argv) {
    const QtMessageHandler previous = qInstallMessageHandler(holdBackOrEnd);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const HeldBack& message : heldBack) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        previous(message.type, context, message.text);
    }
    heldBack.clear();
    QApplication::setStyle(new DeferredIconStyle(QApplication::style()));
    return application;
}

}  // namespace kursomatik
