// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <fstream>

#include "tests/support/ProgramHarness.h"

namespace kursomatik::testing {
namespace {

namespace fs = std::filesystem;

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
}  // namespace kursomatik::testing
