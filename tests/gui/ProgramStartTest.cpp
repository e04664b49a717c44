// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QProcess>

#include "tests/support/TempDir.h"

namespace kursomatik::testsupport {
namespace {

// The real binary in nothing of this environment but a home, the C locale and the given variables: no
// QT_QPA_PLATFORM, so Qt looks for the window system as on a desktop. Its status, stdout and stderr.
std::tuple<int, QString, QString> start(const char* binary, const QStringList& args, const QString& variable,
                                        const QString& home, const QString& out = {}) {
    QProcessEnvironment environment;
    environment.insert("HOME", home);
    environment.insert("LC_ALL", "C.UTF-8");
    if (!variable.isEmpty()) environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
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
// and status 1, never Qt's English abort; --help needs no display at all, and a usage that cannot be
// written is no success either.
TEST(ProgramStart, WithoutADisplayAGermanMessageAndStatus1AndTheUsageWithout) {
    TempDir dir;
    const QString home = QString::fromStdString(dir.path().string()), data = home + "/daten";
    const QString noSocket = "WAYLAND_DISPLAY=" + home + "/wayland-9";
    const QString noDisplay = "Es ist keine grafische Anzeige erreichbar",
                  usage = "Aufruf: kursomatik [--help]\n";
    struct Row {
        const char* binary;
        QStringList args;
        QString variable;
        QString out;  // the start of stdout; empty: stderr holds the message and the status is 1
        QString err;  // a part of stderr
    };
    for (const Row& r : std::initializer_list<Row>{
             {KURSOMATIK_PROGRAM, {}, "", "", noDisplay},
             {KURSOMATIK_LAUNCHER, {}, noSocket, "", noDisplay},
             // The command of the build tree finds no installation.
             {KURSOMATIK_LAUNCHER, {}, "", "", "Kursomatik kann nicht gestartet werden.\n"},
             // The usage names the user's own data folder and the command for scripts.
             {KURSOMATIK_PROGRAM, {"--help"}, "XDG_DATA_HOME=" + data, usage, ""},
             {KURSOMATIK_LAUNCHER, {"-style", "fusion", "-h"}, "XDG_DATA_HOME=" + data, usage, ""},
         }) {
        const auto [status, out, err] = start(r.binary, r.args, r.variable, home);
        const std::string what = std::string(r.binary) + " " + r.args.join(' ').toStdString() + ": " +
                                 out.toStdString() + err.toStdString();
        EXPECT_EQ(status, r.out.isEmpty() ? 1 : 0) << what;
        EXPECT_TRUE(r.out.isEmpty()
                        ? out.isEmpty() && err.contains(r.err)
                        : out.startsWith(r.out) && err.isEmpty() && out.contains(data + "/Kursomatik\n") &&
                              out.contains("kursomatik-rechner"))
            << what;
        EXPECT_FALSE(err.contains("This application failed to start")) << what;
    }
    for (const char* binary : {KURSOMATIK_PROGRAM, KURSOMATIK_LAUNCHER}) {
        const auto [status, out, err] = start(binary, {"--help"}, "", home, "/dev/full");
        EXPECT_TRUE(status == 1 &&
                    err.contains("Die Hilfe kann nicht ausgegeben werden: Auf dem Datenträger"))
            << binary << err.toStdString();
    }
}

}  // namespace
}  // namespace kursomatik::testsupport
