// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QThread>
#include <functional>
#include <optional>

#include "app/Program.h"
#include "app/Startup.h"
#include "platform/qt/SingleInstanceGuard.h"
#include "tests/gui/ProgramTest.h"

namespace kursomatik::testing {
namespace {

namespace fs = std::filesystem;
using Outcome = SingleInstanceGuard::Outcome;

// The real program started in a folder of its own, sharing only the runtime folder of the lock.
class RunningProgram {
  public:
    RunningProgram(const fs::path& home, const QString& runtimeDir) {
        fs::create_directories(home / "config");
        writeFile(home / "KURSOMATIK.DAT", recordBytes(kEuro));
        writeFile(home / "config" / "WIN.INI",
                  "[Kursomatik]\nIniDatei=" + (home / "Kursomatik.ini").string() + "\n");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_RUNTIME_DIR", runtimeDir);
        environment.insert("XDG_CONFIG_HOME", QString::fromStdString((home / "config").string()));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(QString::fromStdString(home.string()));
        process.start(QStringLiteral(KURSOMATIK_PROGRAM), {});
        process.waitForStarted(5000);
    }
    ~RunningProgram() {
        process.kill();
        process.waitForFinished(5000);
    }
    QProcess process;
};

bool waitFor(const QString& file) {
    for (int i = 0; i < 100 && !QFile::exists(file); ++i) QThread::msleep(50);
    return QFile::exists(file);
}

class SingleInstance : public ProgramTest {
  protected:
    SingleInstance() : runtime_(QString::fromStdString((dir / "runtime").string())) {
        ::mkdir(QFile::encodeName(runtime_).constData(), 0700);
    }
    QString lockPath() const {
        return QDir(runtime_).filePath(QStringLiteral("kursomatik-%1.lock").arg(::getuid()));
    }
    // This process as the program, with its lock beside the running one's.
    WexlorEingabe& startWithLock(SingleInstanceGuard& guard) {
        const auto programDir = state.environment.programDir;
        state.environment = programEnvironment(guard, windows);
        state.environment.programDir = programDir;
        return start();
    }
    QString runtime_;
};

TEST_F(SingleInstance, SecondStartShowsTheMessageAndTouchesNoFile) {
    RunningProgram first(dir / "erster", runtime_);
    ASSERT_TRUE(waitFor(lockPath())) << first.process.errorString().toStdString();
    writeTable({kDeutscheMark, kEuro});
    const std::string table = datBytes();
    SingleInstanceGuard guard(lockPath());
    WexlorEingabe& w = startWithLock(guard);
    ASSERT_EQ(windows.messages.size(), 1u) << windows.messageTexts().join("|").toStdString();
    EXPECT_EQ(windows.messages[0].text, QString::fromUtf8("Programm läuft schon einmal"));
    EXPECT_EQ(windows.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(windows.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(windows.processEnded, 1);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.findChild<QDialog*>(), nullptr);
    EXPECT_FALSE(fs::exists(state.environment.programDir / "Kursomatik.ini"));
    EXPECT_EQ(datBytes(), table);
    EXPECT_EQ(first.process.state(), QProcess::Running);
}

TEST_F(SingleInstance, ALockLeftByACrashedProcessDoesNotBlockAndOkDoesNotMeetItsOwnProcess) {
    {
        RunningProgram crashed(dir / "abgestuerzt", runtime_);
        ASSERT_TRUE(waitFor(lockPath()));
    }
    ASSERT_TRUE(QFile::exists(lockPath()));
    writeTable({kDeutscheMark, kEuro});
    SingleInstanceGuard guard(lockPath());
    startWithLock(guard);
    find<QPushButton>("cmdOK")->click();
    find<QPushButton>("cmdOK")->click();
    EXPECT_TRUE(windows.messages.empty()) << windows.messageTexts().join("|").toStdString();
    EXPECT_EQ(windows.processEnded, 0);
}

// The guard run in a child process, so that a start that hangs ends in a failure, not a stuck suite.
// lockPath runs in the child (it may change the environment there).
std::string outcomeWithin(int milliseconds, const std::function<QString()>& lockPath) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(static_cast<int>(SingleInstanceGuard(lockPath()).acquire()));
    for (int waited = 0; waited < milliseconds; waited += 20) {
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == child) {
            if (!WIFEXITED(status)) return "crashed";
            const char* names[] = {"acquired", "already running", "unavailable"};
            return names[WEXITSTATUS(status) % 3];
        }
        QThread::msleep(20);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    return "no answer in time";
}

void chownToNobody(const fs::path& path) {
    ASSERT_EQ(::lchown(path.c_str(), 65534, 65534), 0) << path;
}

TEST_F(SingleInstance, WhatAnotherUserPlantedNeverBlocksOrHangsTheStart) {
    static_assert(static_cast<int>(Outcome::Acquired) == 0 && static_cast<int>(Outcome::Unavailable) == 2);
    const bool root = ::geteuid() == 0;
    const fs::path runtime = runtime_.toStdString();
    const fs::path lock = lockPath().toStdString();
    const fs::path shared = dir / "tmp";  // the temp folder everybody may write into
    const fs::path folder = shared / ("kursomatik-" + std::to_string(::getuid()));
    struct Case {
        const char* what;
        std::function<void()> plant;
        bool inTempFolder;  // no runtime folder: the lock's folder is made in the temp folder
        const char* expected = "unavailable";
        bool onlyRoot = false;  // only root can give a file to another user
    };
    const Case cases[] = {
        {"nothing planted, runtime folder", [] {}, false, "acquired"},
        {"nothing planted, temp folder", [] {}, true, "acquired"},
        {"lock is a link to another's file",
         [&] {
             writeFile(shared / "fremd", "fremd");
             if (root) chownToNobody(shared / "fremd");
             fs::create_symlink(shared / "fremd", lock);
         },
         false},
        {"lock is a file not ours",
         [&] {
             writeFile(lock, "");
             if (root) chownToNobody(lock);
             if (!root) fs::permissions(lock, fs::perms::none);
         },
         false},
        {"lock is a folder", [&] { fs::create_directory(lock); }, false},
        {"lock is a FIFO", [&] { ::mkfifo(lock.c_str(), 0666); }, false},
        {"folder is a link to a private folder",
         [&] {
             ::mkdir((dir / "privat").c_str(), 0700);
             fs::create_symlink(dir / "privat", folder);
         },
         true},
        {"folder others may enter", [&] { ::mkdir(folder.c_str(), 0755); }, true},
        {"folder is a file", [&] { writeFile(folder, ""); }, true},
        {"folder is a FIFO", [&] { ::mkfifo(folder.c_str(), 0666); }, true},
        {"folder of another user",
         [&] {
             ::mkdir(folder.c_str(), 0700);
             chownToNobody(folder);
         },
         true, "unavailable", true},
    };
    for (const Case& c : cases) {
        if (c.onlyRoot && !root) continue;
        fs::remove_all(runtime);
        fs::remove_all(shared);
        fs::remove_all(dir / "privat");
        ::mkdir(runtime.c_str(), 0700);
        ::mkdir(shared.c_str(), 01777);
        c.plant();
        EXPECT_EQ(outcomeWithin(3000,
                                [&] {
                                    if (c.inTempFolder) ::unsetenv("XDG_RUNTIME_DIR");
                                    if (c.inTempFolder) ::setenv("TMPDIR", shared.c_str(), 1);
                                    if (!c.inTempFolder) ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
                                    return SingleInstanceGuard::defaultLockPath();
                                }),
                  c.expected)
            << c.what;
        if (c.inTempFolder && std::string(c.expected) == "acquired") {
            struct stat made {};  // the folder made in the temp folder is the user's alone
            EXPECT_EQ(::lstat(folder.c_str(), &made), 0);
            EXPECT_EQ(made.st_mode & 07777, 0700);
        }
    }
}

TEST_F(SingleInstance, EveryWayOutOfTheProgramRemovesItsLockFile) {
    // Ended by the desktop or by kill.
    {
        RunningProgram program(dir / "beendet", runtime_);
        ASSERT_TRUE(waitFor(lockPath()));
        program.process.terminate();
        ASSERT_TRUE(program.process.waitForFinished(5000));
        EXPECT_FALSE(QFile::exists(lockPath())) << "after SIGTERM";
    }
    // "Beenden": the real program object ends its process at once.
    writeTable({kDeutscheMark, kEuro});
    fs::create_directories(dir / "config");
    writeFile(dir / "config" / "WIN.INI",
              "[Kursomatik]\nIniDatei=" + (dir / "Kursomatik.ini").string() + "\n");
    writeFile(dir / "Kursomatik.ini", "[Kursomatik]\nstellen1=1000\nstellen2=100\n");
    GTEST_FLAG_SET(death_test_style, "fast");
    EXPECT_EXIT(
        {
            ::alarm(20);  // a message box that nobody answers would wait for ever
            ::setenv("XDG_RUNTIME_DIR", runtime_.toLocal8Bit().constData(), 1);
            ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
            Program program;
            if (!program.start() || !QFile::exists(lockPath())) ::_exit(3);
            program.window().findChild<QAction*>("Beenden")->trigger();
            ::_exit(4);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_FALSE(QFile::exists(lockPath())) << "after Beenden";
    // And the next start takes the lock as usual.
    EXPECT_EQ(SingleInstanceGuard(lockPath()).acquire(), Outcome::Acquired);
}

}  // namespace
}  // namespace kursomatik::testing
