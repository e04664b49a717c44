// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QProcess>

#include "platform/Version.h"
#include "tests/support/TempDir.h"

namespace kursomatik::testsupport {
namespace {

// The real binaries in nothing of this environment but a home, the C locale and one variable: no
// QT_QPA_PLATFORM, so Qt looks for the window system as on a desktop. Without one, the program and the
// command on the PATH end with a German message and status 1, never Qt's English abort; --help needs no
// display at all, and a usage that cannot be written is no success either.
TEST(ProgramStart, WithoutADisplayAGermanMessageAndStatus1AndTheUsageWithout) {
    TempDir dir;
    const QString home = QString::fromStdString(dir.path().string()), data = home + "/daten";
    const QString noDisplay = "Es ist keine grafische Anzeige erreichbar",
                  usage = "Aufruf: kursomatik [--help | --version]\n",
                  version = QStringLiteral("kursomatik %1\n").arg(QLatin1String(kVersion));
    // stdOut: the usage it starts with, or /dev/full to write it to; err: a part of stderr.
    for (const auto& [binary, args, variable, stdOut, status, err] :
         {std::tuple{KURSOMATIK_PROGRAM, QStringList{}, QString(), QString(), 1, noDisplay},
          std::tuple{KURSOMATIK_LAUNCHER, QStringList{}, "WAYLAND_DISPLAY=" + home + "/w", QString(), 1,
                     noDisplay},
          // The usage names the user's own data folder and the command for scripts.
          std::tuple{KURSOMATIK_PROGRAM, QStringList{"--help"}, "XDG_DATA_HOME=" + data, usage, 0, QString()},
          std::tuple{KURSOMATIK_LAUNCHER, QStringList{"--version"}, QString(), version, 0, QString()},
          std::tuple{KURSOMATIK_LAUNCHER, QStringList{"--help"}, QString(), QString("/dev/full"), 1,
                     QString::fromUtf8("Die Ausgabe kann nicht geschrieben werden: Auf dem Datenträger")}}) {
        QProcessEnvironment environment;
        environment.insert("HOME", home);
        environment.insert("LC_ALL", "C.UTF-8");
        if (!variable.isEmpty()) environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
        QProcess process;
        process.setProcessEnvironment(environment);
        if (stdOut == "/dev/full") process.setStandardOutputFile(stdOut);
        process.start(QString::fromUtf8(binary), args);
        if (!process.waitForFinished(20000)) process.kill(), process.waitForFinished();
        const QString out = process.readAllStandardOutput(), error = process.readAllStandardError();
        const std::string what = std::string(binary) + ": " + out.toStdString() + error.toStdString();
        EXPECT_EQ(process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, status) << what;
        EXPECT_TRUE(stdOut == usage
                        ? out.startsWith(usage) && error.isEmpty() && out.contains(data + "/Kursomatik\n") &&
                              out.contains("kursomatik-rechner")
                    : stdOut == version ? out == version && error.isEmpty()
                                        : out.isEmpty() && error.contains(err))
            << what;
    }
}

}  // namespace
}  // namespace kursomatik::testsupport
