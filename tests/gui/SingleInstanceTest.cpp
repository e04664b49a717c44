// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QThread>
#include <fstream>

#include "app/Startup.h"
#include "platform/qt/SingleInstanceGuard.h"
#include "tests/gui/ProgramTest.h"

namespace kursomatik::testsupport {
namespace {

namespace fs = std::filesystem;
using O = SingleInstanceGuard::Outcome;

// XDG_RUNTIME_DIR and TMPDIR as a desktop session, a terminal without a session and one with its
// own temp folder set them; nullptr: unset.
struct Environment {
    const char* runtimeDir;
    const char* tmpDir;
};
const Environment kEnvironments[] = {{"xdg", nullptr}, {nullptr, nullptr}, {nullptr, "anderes-tmp"}};

// Whether the process holds an flock() on the file. The file alone may be there before the program
// took the lock, and a probing flock() of the test's own would, for its moment, make a starting program
// meet a held lock and end; /proc/locks shows the holder without touching the lock.
bool holdsLock(qint64 pid, const QString& file) {
    struct stat st {};
    if (::stat(QFile::encodeName(file).constData(), &st) != 0) return false;
    const std::string holder = " " + std::to_string(pid) + " ", inode = ":" + std::to_string(st.st_ino) + " ";
    std::ifstream locks("/proc/locks");
    for (std::string line; std::getline(locks, line);)
        if (line.find("FLOCK") != line.npos && line.find(holder) != line.npos &&
            line.find(inode) != line.npos)
            return true;
    return false;
}

// The lock's place below a root of the test's own (what a test build reads from KURSOMATIK_TEST_LOCK_ROOT
// in place of /): the user's runtime folder, or the user's folder in the temp folder.
class SingleInstance : public ProgramTest {
  protected:
    SingleInstance() {
        for (const char* name : {"KURSOMATIK_TEST_LOCK_ROOT", "XDG_RUNTIME_DIR", "TMPDIR"})
            saved_.emplace_back(name, qgetenv(name));
        fs::create_directories(dir / "xdg");
        fs::create_directories(dir / "anderes-tmp");
        fs::permissions(dir / "xdg", fs::perms::owner_all);
        plantRoot(true);
        qputenv("KURSOMATIK_TEST_LOCK_ROOT", root.c_str());
    }
    ~SingleInstance() override {
        for (const auto& [name, value] : saved_) value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
    // A fresh root with a temp folder anybody may write into, and the user's runtime folder or none.
    void plantRoot(bool runtimeFolder) {
        fs::remove_all(root);
        fs::create_directories(root / "tmp");
        fs::permissions(root / "tmp", fs::perms::all | fs::perms::sticky_bit);
        if (!runtimeFolder) return;
        fs::create_directories(runtime);
        fs::permissions(runtime, fs::perms::owner_all);
    }
    QString lockIn(const fs::path& folder) const {
        return QString::fromStdString((folder / ("kursomatik-" + uid + ".lock")).string());
    }
    static void apply(const Environment& e, const fs::path& in) {
        for (const auto& [name, value] : {std::pair{"XDG_RUNTIME_DIR", e.runtimeDir}, {"TMPDIR", e.tmpDir}})
            value ? qputenv(name, (in / value).c_str()) : qunsetenv(name);
    }
    // A home of the program's own: a table, and a WIN.INI there naming its settings file there.
    fs::path home(const std::string& name) {
        fs::create_directories(dir / name);
        writeFile(dir / name / kCurrencyFileName, recordBytes(kEuro));
        writeFile(dir / name / "WIN.INI", "[Kursomatik]\nIniDatei=" + (dir / name / "k.ini").string() + "\n");
        return dir / name;
    }
    // The real program started in its home and the given environment, once it holds its lock there.
    void run(QProcess& program, const fs::path& home, const Environment& e, const QString& lock) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const auto& [name, value] : {std::pair{"XDG_RUNTIME_DIR", e.runtimeDir}, {"TMPDIR", e.tmpDir}})
            value ? environment.insert(name, QString::fromStdString((dir / value).string()))
                  : environment.remove(name);
        environment.insert("KURSOMATIK_TEST_LOCK_ROOT", QString::fromStdString(root.string()));
        environment.insert("XDG_CONFIG_HOME", QString::fromStdString(home.string()));
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(QString::fromStdString(home.string()));
        program.start(QStringLiteral(KURSOMATIK_PROGRAM), {});
        program.waitForStarted(5000);
        for (int i = 0; i < 200 && !holdsLock(program.processId(), lock); ++i) QThread::msleep(50);
        ASSERT_TRUE(holdsLock(program.processId(), lock)) << program.errorString().toStdString();
    }
    // This process as the program, with its lock beside the running one's.
    void startWithLock(SingleInstanceGuard& guard) {
        state.environment.report = programEnvironment(windows).report;
        state.instanceGuard = instanceCheck(guard, windows);
        start();
    }

    const std::string uid = std::to_string(::getuid());
    const fs::path root = dir / "wurzel", runtime = root / "run" / "user" / uid;
    const fs::path tmpFolder = root / "tmp" / ("kursomatik-" + uid);
    const QString lock = lockIn(runtime);

  private:
    std::vector<std::pair<const char*, QByteArray>> saved_;
};

TEST_F(SingleInstance, ASecondStartStopsAndALockFileLeftBehindBlocksNobody) {
    QProcess first;
    run(first, home("erster"), kEnvironments[0], lock);
    writeTable({kDeutscheMark, kEuro});
    {
        SingleInstanceGuard guard;
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
    SingleInstanceGuard guard;
    startWithLock(guard);
    EXPECT_TRUE(windows.messages.empty() && windows.processEnded == 1) << all();
}

// Started from a desktop session, from a terminal without one, or with another temp folder: every start
// meets the one lock of the user, in the runtime folder where the user has one, else in the temp folder.
TEST_F(SingleInstance, NoEnvironmentVariableMovesTheLock) {
    for (const bool runtimeFolder : {true, false}) {
        plantRoot(runtimeFolder);
        const QString place = lockIn(runtimeFolder ? runtime : tmpFolder);
        for (const Environment& first : kEnvironments) {
            QProcess running;
            run(running, home("erster"), first, place);
            for (const Environment& second : kEnvironments) {
                apply(second, dir.path());
                SingleInstanceGuard guard;
                windows.messages.clear();
                EXPECT_FALSE(instanceCheck(guard, windows)());
                EXPECT_EQ(all(), "Programm läuft schon einmal");
                EXPECT_EQ(guard.lockPath(), place);
            }
            running.terminate();
            ASSERT_TRUE(running.waitForFinished(5000));
        }
    }
}

TEST_F(SingleInstance, WhatAnotherUserPlantedNeverBlocksOrHangsTheStart) {
    const QString inRuntime = lock, inTmp = lockIn(tmpFolder);
    for (const auto& [planted, expected, place] :
         {std::tuple{"no runtime folder", O::Acquired, inTmp}, std::tuple{"link", O::Unavailable, inRuntime},
          std::tuple{"FIFO", O::Unavailable, inRuntime},
          std::tuple{"foreign temp folder", O::Unavailable, inTmp},
          // The runtime folder is used only as the user's own folder, never through a link.
          std::tuple{"runtime link", O::Acquired, inTmp},
          std::tuple{"foreign runtime folder", O::Acquired, inTmp}}) {
        const std::string kind = planted;
        plantRoot(kind == "link" || kind == "FIFO" || kind == "foreign runtime folder");
        const fs::path file = lock.toStdString();
        if (kind == "link") fs::create_symlink(dir / "xdg", file);
        if (kind == "FIFO") ::mkfifo(file.c_str(), 0666);
        if (kind == "runtime link") {
            fs::create_directories(runtime.parent_path());
            fs::create_directory_symlink(dir / "xdg", runtime);
        }
        if (kind.starts_with(
                "foreign")) {  // only root can give one away; for others it is one they may not use
            const fs::path at = kind == "foreign temp folder" ? tmpFolder : runtime;
            ::mkdir(at.c_str(), 0700);
            ::geteuid() == 0 ? (void)::lchown(at.c_str(), 65534, 65534)
                             : fs::permissions(at, fs::perms::none);
        }
        ::alarm(10);  // a lock that waits for ever ends the test program
        SingleInstanceGuard guard;
        EXPECT_EQ(guard.lockPath(), place) << kind;
        EXPECT_EQ(guard.acquire(), expected) << kind;
        ::alarm(0);
        struct stat made {};  // a folder made in the temp folder is the user's alone
        EXPECT_TRUE(place == inRuntime || expected != O::Acquired ||
                    (::lstat(tmpFolder.c_str(), &made) == 0 && (made.st_mode & 07777) == 0700))
            << kind;
        std::error_code link;  // what a user may not use, the next round's cleaning may
        for (const fs::path& at : {runtime, tmpFolder})
            if (!fs::is_symlink(at, link)) fs::permissions(at, fs::perms::owner_all, link);
    }
}

}  // namespace
}  // namespace kursomatik::testsupport
