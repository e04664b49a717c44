// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QProcess>

#include "platform/Version.h"
#include "tests/support/TempDir.h"

namespace kursomatik::testsupport {
namespace {

namespace fs = std::filesystem;

// An X display nobody serves on this machine.
QString deadDisplay() {
    for (int n = 50; n < 100; ++n) {
        const std::string number = std::to_string(n);
        if (!fs::exists("/tmp/.X11-unix/X" + number) && !fs::exists("/tmp/.X" + number + "-lock"))
            return QString::fromStdString(":" + number);
    }
    return {};
}

// The real binary in nothing of this environment but a home, the C locale and the given variables: no
// QT_QPA_PLATFORM, so Qt looks for the window system as on a desktop. Its status, stdout and stderr.
std::tuple<int, QString, QString> start(const char* binary, const QStringList& args,
                                        const QStringList& variables, const fs::path& home,
                                        const QString& out = {}) {
    QProcessEnvironment environment;
    environment.insert("HOME", QString::fromStdString(home.string()));
    environment.insert("LC_ALL", "C.UTF-8");
    for (const QString& variable : variables)
        environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!out.isEmpty()) process.setStandardOutputFile(out);
    process.start(QString::fromUtf8(binary), args);
    if (!process.waitForFinished(20000)) process.kill(), process.waitForFinished();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// Without a reachable window system the program and the command on the PATH end with a German message
// and status 1, never Qt's English abort; --help needs no display at all.
TEST(ProgramStart, WithoutADisplayAGermanMessageAndStatus1AndTheUsageWithout) {
    TempDir dir;
    const QString dead = deadDisplay(), data = QString::fromStdString((dir / "daten").string());
    ASSERT_FALSE(dead.isEmpty());
    const QString noSocket = "WAYLAND_DISPLAY=" + QString::fromStdString((dir / "wayland-9").string());
    const QString noDisplay = QString::fromUtf8(
        "Kursomatik kann nicht starten: Es ist keine grafische Anzeige "
        "erreichbar (DISPLAY oder WAYLAND_DISPLAY).\nMeldung von Qt: ");
    const QString usage = QStringLiteral("Aufruf: kursomatik [--help | --version]\n");
    const QString version = QStringLiteral("kursomatik %1\n").arg(QLatin1String(kVersion));
    struct Row {
        const char* binary;
        QStringList args;
        QStringList variables;
        QString out;  // the start of stdout; empty: stderr holds the message and the status is 1
        QString err;  // a part of stderr
    };
    for (const Row& r : std::initializer_list<Row>{
             {KURSOMATIK_PROGRAM, {}, {}, "", noDisplay},
             {KURSOMATIK_PROGRAM, {}, {"DISPLAY=" + dead}, "", noDisplay + "could not connect to display"},
             {KURSOMATIK_PROGRAM, {}, {noSocket}, "", noDisplay},
             {KURSOMATIK_PROGRAM, {}, {noSocket, "XDG_SESSION_TYPE=wayland"}, "", noDisplay},
             // The command of the build tree finds no installation: its message, and its window only
             // where a display is named.
             {KURSOMATIK_LAUNCHER,
              {},
              {},
              "",
              QString::fromUtf8("Kursomatik kann nicht gestartet werden.\n")},
             {KURSOMATIK_LAUNCHER, {}, {"DISPLAY=" + dead}, "", noDisplay},
             {KURSOMATIK_LAUNCHER, {}, {noSocket}, "", noDisplay},
             // The usage before anything else: no display, no installation, no data folder needed.
             {KURSOMATIK_PROGRAM, {"--help"}, {"XDG_DATA_HOME=" + data}, usage, ""},
             {KURSOMATIK_PROGRAM, {"-h"}, {"DISPLAY=" + dead}, usage, ""},
             {KURSOMATIK_LAUNCHER, {"--help"}, {"XDG_DATA_HOME=" + data}, usage, ""},
             {KURSOMATIK_LAUNCHER, {"-style", "fusion", "-h"}, {}, usage, ""},
             {KURSOMATIK_PROGRAM, {"--version"}, {"DISPLAY=" + dead}, version, ""},
             {KURSOMATIK_LAUNCHER, {"--version"}, {}, version, ""},
         }) {
        const auto [status, out, err] = start(r.binary, r.args, r.variables, dir.path());
        const std::string what = std::string(r.binary) + " " + r.args.join(' ').toStdString() + " " +
                                 r.variables.join(' ').toStdString() + ": " + err.toStdString();
        EXPECT_EQ(status, r.out.isEmpty() ? 1 : 0) << what;
        EXPECT_TRUE((r.out.isEmpty() ? out.isEmpty() : out.startsWith(r.out) && err.isEmpty()) &&
                    err.contains(r.err))
            << what;
        EXPECT_FALSE(err.contains("This application failed to start")) << what;
        // The usage names the user's own data folder and the command for scripts.
        EXPECT_TRUE(r.out.isEmpty() || !r.variables.join(' ').contains(data) ||
                    (out.contains(data + "/Kursomatik\n") && out.contains("kursomatik-rechner")))
            << what;
    }
    // A usage that cannot be written is no success either.
    for (const char* binary : {KURSOMATIK_PROGRAM, KURSOMATIK_LAUNCHER}) {
        const auto [status, out, err] = start(binary, {"--help"}, {}, dir.path(), "/dev/full");
        EXPECT_EQ(QString::number(status) + " " + err,
                  QString::fromUtf8("1 kursomatik: Die Ausgabe kann nicht geschrieben werden: Auf dem "
                                    "Datenträger ist kein Platz mehr frei.\n"))
            << binary;
    }
}

}  // namespace
}  // namespace kursomatik::testsupport
