#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <functional>
#include <optional>

#include "Program.h"
#include "ProgramFixture.h"
#include "SingleInstanceGuard.h"
#include "Startup.h"
#include "frmOptionen.h"

namespace kursomatik::testing {
namespace {

// The real program started in a folder of its own, sharing only the runtime folder of the lock.
class RunningProgram {
  public:
    RunningProgram(const std::filesystem::path& home, const QString& runtimeDir) {
        std::filesystem::create_directories(home / "config");
        writeFile(home / "KURSOMATIK.DAT", recordBytes(kEuro));
        writeFile(home / "config" / "WIN.INI",
                  "[Kursomatik]\nIniDatei=" + (home / "Kursomatik.ini").string() + "\n");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_RUNTIME_DIR", runtimeDir);
        environment.insert("XDG_CONFIG_HOME", QString::fromStdString((home / "config").string()));
        process_.setProcessEnvironment(environment);
        process_.setWorkingDirectory(QString::fromStdString(home.string()));
        process_.start(QStringLiteral(KURSOMATIK_PROGRAM), {});
        process_.waitForStarted(5000);
    }
    ~RunningProgram() {
        process_.kill();
        process_.waitForFinished(5000);
    }
    void crash() {
        process_.kill();
        process_.waitForFinished(5000);
    }
    QProcess& process() { return process_; }

  private:
    QProcess process_;
};

bool waitFor(const QString& file) {
    for (int i = 0; i < 100 && !QFile::exists(file); ++i) QThread::msleep(50);
    return QFile::exists(file);
}

class SingleInstance : public ProgramTest {
  protected:
    SingleInstance() : runtime_(QString::fromStdString((dir_ / "runtime").string())) {
        ::mkdir(QFile::encodeName(runtime_).constData(), 0700);
    }
    QString lockPath() const {
        return QDir(runtime_).filePath(QStringLiteral("kursomatik-%1.lock").arg(::getuid()));
    }
    QString runtime_;
};

TEST_F(SingleInstance, SecondStartShowsTheMessageAndTouchesNoFile) {
    RunningProgram first(dir_ / "erster", runtime_);
    ASSERT_TRUE(waitFor(lockPath())) << first.process().errorString().toStdString();

    // This process is the second start, with its own files.
    writeTable({kDeutscheMark, kEuro});
    const std::string table = datBytes();
    SingleInstanceGuard guard(lockPath());
    const auto programDir = state_.environment.programDir;
    state_.environment = programEnvironment(guard, windows_);
    state_.environment.programDir = programDir;
    WexlorEingabe& w = start();

    ASSERT_EQ(windows_.messages.size(), 1u) << windows_.messageTexts().join("|").toStdString();
    EXPECT_EQ(windows_.messages[0].text, QString::fromUtf8("Programm läuft schon einmal"));
    EXPECT_EQ(windows_.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(windows_.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(windows_.processEnded, 1);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.options(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(programDir / "Kursomatik.ini"));
    EXPECT_EQ(datBytes(), table);
    EXPECT_EQ(first.process().state(), QProcess::Running);
}

TEST_F(SingleInstance, ALockLeftByACrashedProcessDoesNotBlock) {
    {
        RunningProgram crashed(dir_ / "abgestuerzt", runtime_);
        ASSERT_TRUE(waitFor(lockPath()));
        crashed.crash();
    }
    ASSERT_TRUE(QFile::exists(lockPath()));
    SingleInstanceGuard guard(lockPath());
    EXPECT_EQ(guard.acquire(), SingleInstanceGuard::Outcome::Acquired);
}

// The guard run in a child process, so that a start that hangs ends in a failure, not a stuck suite.
// lockPath runs in the child (it may change the environment there).
std::optional<SingleInstanceGuard::Outcome> outcomeWithin(int milliseconds,
                                                          const std::function<QString()>& lockPath) {
    const pid_t child = ::fork();
    if (child == 0) {
        SingleInstanceGuard guard(lockPath());
        ::_exit(static_cast<int>(guard.acquire()));
    }
    for (int waited = 0; waited < milliseconds; waited += 20) {
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == child) {
            if (!WIFEXITED(status)) return std::nullopt;
            return static_cast<SingleInstanceGuard::Outcome>(WEXITSTATUS(status));
        }
        QThread::msleep(20);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    return std::nullopt;
}

const char* outcomeName(std::optional<SingleInstanceGuard::Outcome> outcome) {
    if (!outcome) return "no answer in time";
    switch (*outcome) {
        case SingleInstanceGuard::Outcome::Acquired:
            return "acquired";
        case SingleInstanceGuard::Outcome::AlreadyRunning:
            return "already running";
        case SingleInstanceGuard::Outcome::Unavailable:
            return "unavailable";
    }
    return "?";
}

void chownToNobody(const std::filesystem::path& path) {
    ASSERT_EQ(::lchown(path.c_str(), 65534, 65534), 0) << path;
}

TEST_F(SingleInstance, WhatAnotherUserPlantedNeverBlocksOrHangsTheStart) {
    using Outcome = SingleInstanceGuard::Outcome;
    namespace fs = std::filesystem;
    const bool root = ::geteuid() == 0;
    const fs::path runtime = runtime_.toStdString();
    const fs::path lock = lockPath().toStdString();
    const fs::path shared = dir_ / "tmp";  // the temp folder everybody may write into
    const fs::path folder = shared / ("kursomatik-" + std::to_string(::getuid()));
    struct Case {
        const char* what;
        std::function<void()> plant;
        bool inTempFolder;  // no runtime folder: the lock's folder is made in the temp folder
        Outcome expected = Outcome::Unavailable;
        bool onlyRoot = false;  // only root can give a file to another user
    };
    const Case cases[] = {
        {"nothing planted, runtime folder", [] {}, false, Outcome::Acquired},
        {"nothing planted, temp folder", [] {}, true, Outcome::Acquired},
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
             if (root)
                 chownToNobody(lock);
             else
                 fs::permissions(lock, fs::perms::none);
         },
         false},
        {"lock is a folder", [&] { fs::create_directory(lock); }, false},
        {"lock is a FIFO", [&] { ::mkfifo(lock.c_str(), 0666); }, false},
        {"folder is a link to a private folder",
         [&] {
             ::mkdir((dir_ / "privat").c_str(), 0700);
             fs::create_symlink(dir_ / "privat", folder);
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
         true, Outcome::Unavailable, true},
    };
    for (const Case& c : cases) {
        if (c.onlyRoot && !root) continue;
        fs::remove_all(runtime);
        fs::remove_all(shared);
        fs::remove_all(dir_ / "privat");
        ::mkdir(runtime.c_str(), 0700);
        ::mkdir(shared.c_str(), 01777);
        c.plant();
        const auto outcome = outcomeWithin(3000, [&] {
            if (c.inTempFolder) {
                ::unsetenv("XDG_RUNTIME_DIR");
                ::setenv("TMPDIR", shared.c_str(), 1);
            } else {
                ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
            }
            return SingleInstanceGuard::defaultLockPath();
        });
        EXPECT_STREQ(outcomeName(outcome), outcomeName(c.expected)) << c.what;
        if (c.inTempFolder && c.expected == Outcome::Acquired) {
            struct stat made {};  // the folder made in the temp folder is the user's alone
            EXPECT_EQ(::lstat(folder.c_str(), &made), 0);
            EXPECT_EQ(made.st_mode & 07777, 0700);
        }
    }
}

TEST_F(SingleInstance, EveryWayOutOfTheProgramRemovesItsLockFile) {
    // Ended by the desktop or by kill.
    {
        RunningProgram program(dir_ / "beendet", runtime_);
        ASSERT_TRUE(waitFor(lockPath()));
        program.process().terminate();
        ASSERT_TRUE(program.process().waitForFinished(5000));
        EXPECT_FALSE(QFile::exists(lockPath())) << "after SIGTERM";
    }
    // "Beenden": the real program object ends its process at once.
    writeTable({kDeutscheMark, kEuro});
    std::filesystem::create_directories(dir_ / "config");
    writeFile(dir_ / "config" / "WIN.INI",
              "[Kursomatik]\nIniDatei=" + (dir_ / "Kursomatik.ini").string() + "\n");
    writeFile(dir_ / "Kursomatik.ini", "[Kursomatik]\nstellen1=1000\nstellen2=100\n");
    GTEST_FLAG_SET(death_test_style, "fast");
    EXPECT_EXIT(
        {
            ::alarm(20);  // a message box that nobody answers would wait for ever
            ::setenv("XDG_RUNTIME_DIR", runtime_.toLocal8Bit().constData(), 1);
            ::setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
            Program program;
            if (!program.start() || !QFile::exists(lockPath())) ::_exit(3);
            program.window().Beenden_Click();
            ::_exit(4);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_FALSE(QFile::exists(lockPath())) << "after Beenden";
    // And the next start takes the lock as usual.
    SingleInstanceGuard guard(lockPath());
    EXPECT_EQ(guard.acquire(), SingleInstanceGuard::Outcome::Acquired);
}

TEST_F(SingleInstance, OkOfTheOptionsDialogDoesNotMeetItsOwnProcess) {
    writeTable({kDeutscheMark, kEuro});
    writeIni("[Kursomatik]\nstellen2=100\noptionen2=1\n");
    SingleInstanceGuard guard(lockPath());
    const auto programDir = state_.environment.programDir;
    state_.environment = programEnvironment(guard, windows_);
    state_.environment.programDir = programDir;
    WexlorEingabe& w = start();
    w.options()->cmdOK_Click();
    w.options()->cmdOK_Click();
    EXPECT_TRUE(windows_.messages.empty());
    EXPECT_EQ(windows_.processEnded, 0);
}

}  // namespace
}  // namespace kursomatik::testing
