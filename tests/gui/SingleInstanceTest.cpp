// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QThread>

#include "app/Startup.h"
#include "platform/qt/SingleInstanceGuard.h"
#include "tests/gui/ProgramTest.h"

namespace kursomatik::testing {
namespace {

namespace fs = std::filesystem;
using O = SingleInstanceGuard::Outcome;

class SingleInstance : public ProgramTest {
  protected:
    SingleInstance() { ::mkdir(runtime.c_str(), 0700); }
    // A home of the program's own: a table, and a WIN.INI there naming its settings file there.
    fs::path home(const std::string& name) {
        fs::create_directories(dir / name);
        writeFile(dir / name / kCurrencyFileName, recordBytes(kEuro));
        writeFile(dir / name / "WIN.INI", "[Kursomatik]\nIniDatei=" + (dir / name / "k.ini").string() + "\n");
        return dir / name;
    }
    // The real program started in its home, sharing only the runtime folder of the lock.
    void run(QProcess& program, const fs::path& home) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.string()));
        environment.insert("XDG_CONFIG_HOME", QString::fromStdString(home.string()));
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(QString::fromStdString(home.string()));
        program.start(QStringLiteral(KURSOMATIK_PROGRAM), {});
        program.waitForStarted(5000);
        for (int i = 0; i < 100 && !QFile::exists(lock); ++i) QThread::msleep(50);
        ASSERT_TRUE(QFile::exists(lock)) << program.errorString().toStdString();
    }
    // This process as the program, with its lock beside the running one's.
    void startWithLock(SingleInstanceGuard& guard) {
        const auto programDir = state.environment.programDir;
        state.environment = programEnvironment(guard, windows);
        state.environment.programDir = programDir;
        start();
    }
    const fs::path runtime = dir / "runtime";
    const QString lock =
        QString::fromStdString((runtime / ("kursomatik-" + std::to_string(::getuid()) + ".lock")).string());
};

TEST_F(SingleInstance, ASecondStartStopsAndALockFileLeftBehindBlocksNobody) {
    QProcess first;
    run(first, home("erster"));
    writeTable({kDeutscheMark, kEuro});
    {
        SingleInstanceGuard guard(lock);
        startWithLock(guard);
        ASSERT_EQ(windows.messages.size(), 1u) << all();
        EXPECT_TRUE(windows.messages[0].text == QString::fromUtf8("Programm läuft schon einmal") &&
                    windows.messages[0].icon == MessageIcon::Stop &&
                    windows.messages[0].buttons == MessageButtons::Ok);
        // Stopped before the options dialog is made, with the first one still running.
        EXPECT_TRUE(windows.processEnded == 1 && !main->findChild<QDialog*>() && !fs::exists(iniPath()) &&
                    first.state() == QProcess::Running);
        EXPECT_EQ(datBytes(), tableBytes({kDeutscheMark, kEuro}));
    }
    first.terminate();  // as the desktop ends it
    ASSERT_TRUE(first.waitForFinished(5000));
    EXPECT_FALSE(QFile::exists(lock)) << "after SIGTERM";
    // A lock file left by a crash blocks nobody.
    writeFile(lock.toStdString(), "");
    windows.messages.clear();
    SingleInstanceGuard guard(lock);
    startWithLock(guard);
    EXPECT_TRUE(windows.messages.empty() && windows.processEnded == 1) << all();
}

TEST_F(SingleInstance, WhatAnotherUserPlantedNeverBlocksOrHangsTheStart) {
    const fs::path shared = dir / "tmp", file = lock.toStdString();  // a temp folder anybody may write into
    const fs::path folder = shared / ("kursomatik-" + std::to_string(::getuid()));
    const QByteArray tmp = qgetenv("TMPDIR"), xdg = qgetenv("XDG_RUNTIME_DIR");
    for (const auto& [at, planted, expected] :  // the lock in the runtime folder, or the temp folder's
         {std::tuple{folder, "nothing", O::Acquired}, std::tuple{file, "link", O::Unavailable},
          std::tuple{file, "FIFO", O::Unavailable}, std::tuple{folder, "foreign", O::Unavailable}}) {
        fs::remove_all(shared);
        fs::create_directory(shared);
        fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);
        fs::remove_all(file);
        const std::string kind = planted;
        if (kind == "link") fs::create_symlink(runtime, at);
        if (kind == "FIFO") ::mkfifo(at.c_str(), 0666);
        if (kind == "foreign") {  // only root can give one away; for others it is one they may not use
            at == folder ? (void)::mkdir(at.c_str(), 0700) : writeFile(at, "");
            ::geteuid() == 0 ? (void)::lchown(at.c_str(), 65534, 65534)
                             : fs::permissions(at, fs::perms::none);
        }
        ::setenv("XDG_RUNTIME_DIR", at == folder ? "" : runtime.c_str(), 1);
        ::setenv("TMPDIR", shared.c_str(), 1);
        ::alarm(10);  // a lock that waits for ever ends the test program
        EXPECT_EQ(SingleInstanceGuard(SingleInstanceGuard::defaultLockPath()).acquire(), expected)
            << at << kind;
        ::alarm(0);
        struct stat made {};  // a folder made in the temp folder is the user's alone
        EXPECT_TRUE(at == file || expected != O::Acquired ||
                    (::lstat(folder.c_str(), &made) == 0 && (made.st_mode & 07777) == 0700));
    }
    tmp.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", tmp);
    xdg.isNull() ? qunsetenv("XDG_RUNTIME_DIR") : qputenv("XDG_RUNTIME_DIR", xdg);
}

}  // namespace
}  // namespace kursomatik::testing
