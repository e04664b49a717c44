// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <fstream>

#include "platform/Version.h"
#include "tests/support/ProgramHarness.h"

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

struct Ended {
    int status = -1;
    QString out;
    QString err;
};

// The real binary in nothing of this environment but a home, the C locale and the given variables; no
// QT_QPA_PLATFORM, so Qt looks for the window system as on a desktop. SIGXFSZ as at a fresh login.
Ended start(const char* binary, const QStringList& args, const QStringList& variables, const fs::path& home,
            const QString& out = {}) {
    QProcessEnvironment environment;
    environment.insert("HOME", QString::fromStdString(home.string()));
    environment.insert("LC_ALL", "C.UTF-8");
    for (const QString& variable : variables)
        environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setChildProcessModifier([] { ::signal(SIGXFSZ, SIG_DFL); });
    if (!out.isEmpty()) process.setStandardOutputFile(out);
    process.start(QString::fromUtf8(binary), args);
    if (!process.waitForFinished(20000)) process.kill(), process.waitForFinished();
    Ended run{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
              QString::fromUtf8(process.readAllStandardOutput()),
              QString::fromUtf8(process.readAllStandardError())};
    return run;
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
    const QString launcherFailed = QString::fromUtf8("Kursomatik kann nicht gestartet werden.\n");
    const QString usage = QStringLiteral("Aufruf: kursomatik [--help | --version]\n");
    const QString version = QStringLiteral("kursomatik %1\n").arg(QLatin1String(kVersion));
    struct Row {
        const char* binary;
        QStringList args;
        QStringList variables;
        int status;
        QString out;  // the start of stdout
        QString err;  // a part of stderr
    };
    for (const Row& r : std::initializer_list<Row>{
             {KURSOMATIK_PROGRAM, {}, {}, 1, "", noDisplay},
             {KURSOMATIK_PROGRAM, {}, {"DISPLAY=" + dead}, 1, "", noDisplay + "could not connect to display"},
             {KURSOMATIK_PROGRAM, {}, {noSocket}, 1, "", noDisplay},
             {KURSOMATIK_PROGRAM, {}, {noSocket, "XDG_SESSION_TYPE=wayland"}, 1, "", noDisplay},
             // The command of the build tree finds no installation: its message, and its window only
             // where a display is named.
             {KURSOMATIK_LAUNCHER, {}, {}, 1, "", launcherFailed},
             {KURSOMATIK_LAUNCHER, {}, {"DISPLAY=" + dead}, 1, "", noDisplay},
             {KURSOMATIK_LAUNCHER, {}, {noSocket}, 1, "", noDisplay},
             // The usage before anything else: no display, no installation, no data folder needed.
             {KURSOMATIK_PROGRAM, {"--help"}, {"XDG_DATA_HOME=" + data}, 0, usage, ""},
             {KURSOMATIK_PROGRAM, {"-h"}, {"DISPLAY=" + dead}, 0, usage, ""},
             {KURSOMATIK_LAUNCHER, {"--help"}, {"XDG_DATA_HOME=" + data}, 0, usage, ""},
             {KURSOMATIK_LAUNCHER, {"-style", "fusion", "-h"}, {}, 0, usage, ""},
             {KURSOMATIK_PROGRAM, {"--version"}, {"DISPLAY=" + dead}, 0, version, ""},
             {KURSOMATIK_LAUNCHER, {"--version"}, {}, 0, version, ""},
         }) {
        const Ended run = start(r.binary, r.args, r.variables, dir.path());
        const std::string what = std::string(r.binary) + " " + r.args.join(' ').toStdString() + " " +
                                 r.variables.join(' ').toStdString() + ": " + run.err.toStdString();
        EXPECT_EQ(run.status, r.status) << what;
        EXPECT_TRUE((r.out.isEmpty() || run.out.startsWith(r.out)) && run.err.contains(r.err)) << what;
        EXPECT_TRUE(r.status == 0 ? run.err.isEmpty() : run.out.isEmpty()) << what;
        EXPECT_FALSE(run.err.contains("This application failed to start")) << what;
        // The usage names the user's own data folder and the command for scripts.
        if (r.status == 0 && r.variables.join(' ').contains(data)) {
            EXPECT_TRUE(run.out.contains(data + "/Kursomatik\n") && run.out.contains("kursomatik-rechner"))
                << what;
        }
    }
    // A usage that cannot be written is no success either.
    for (const char* binary : {KURSOMATIK_PROGRAM, KURSOMATIK_LAUNCHER}) {
        const Ended full = start(binary, {"--help"}, {}, dir.path(), "/dev/full");
        EXPECT_EQ(full.status, 1) << binary;
        EXPECT_EQ(full.err,
                  QString::fromUtf8("kursomatik: Die Ausgabe kann nicht geschrieben werden: Auf dem "
                                    "Datenträger ist kein Platz mehr frei.\n"))
            << binary;
    }
}

// A write over the file-size limit (ulimit -f) fails and is reported; the kernel's SIGXFSZ would end the
// program half-way through a record instead. The running program ignores it whatever it inherited.
TEST(ProgramStart, TheRunningProgramIgnoresTheFileSizeSignal) {
    TempDir dir;
    const fs::path runtime = dir / "wurzel" / "run" / "user" / std::to_string(::getuid());
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    writeFile(dir / "KURSOMATIK.DAT", recordBytes(kEuro));
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("KURSOMATIK_TEST_LOCK_ROOT", QString::fromStdString((dir / "wurzel").string()));
    environment.insert("XDG_CONFIG_HOME", QString::fromStdString(dir.path().string()));
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(QString::fromStdString(dir.path().string()));
    program.setChildProcessModifier([] { ::signal(SIGXFSZ, SIG_DFL); });
    program.start(QStringLiteral(KURSOMATIK_PROGRAM), {});
    const QString lock =
        QString::fromStdString((runtime / ("kursomatik-" + std::to_string(::getuid()) + ".lock")).string());
    for (int i = 0; i < 100 && !QFile::exists(lock); ++i) QThread::msleep(50);
    ASSERT_TRUE(QFile::exists(lock)) << program.errorString().toStdString();
    std::ifstream status("/proc/" + std::to_string(program.processId()) + "/status");
    unsigned long long ignored = 0;
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("SigIgn:")) ignored = std::stoull(line.substr(7), nullptr, 16);
    program.terminate();
    program.waitForFinished(5000);
    EXPECT_TRUE(ignored & (1ULL << (SIGXFSZ - 1))) << std::hex << ignored;
}

}  // namespace
}  // namespace kursomatik::testsupport
