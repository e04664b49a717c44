// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <fstream>

#include "tests/gui/ProgramTest.h"

namespace kursomatik::testsupport {
namespace {

namespace fs = std::filesystem;
using O = SingleInstanceGuard::Outcome;

// XDG_RUNTIME_DIR and TMPDIR as a desktop session, a terminal without a session and one with its
// own temp folder set them: folders of the test's, or unset.
using Environment = std::array<const char*, 2>;
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
        fs::create_directories(dir / "anderes-tmp");
        fs::create_directories(dir / "xdg");
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
    void setEnvironment(const Environment& e) const {
        for (const auto& [name, value] : {std::pair{"XDG_RUNTIME_DIR", e[0]}, {"TMPDIR", e[1]}})
            value ? qputenv(name, (dir / value).c_str()) : qunsetenv(name);
    }
    // The real program in a home of its own (a table, and a WIN.INI naming its settings file there),
    // started in the given environment, once it holds its lock at the given place.
    void run(QProcess& program, const Environment& e, const QString& place) {
        const fs::path home = dir / "erster";
        fs::create_directories(home);
        writeFile(home / kCurrencyFileName, recordBytes(kEuro));
        writeFile(home / "WIN.INI", "[Kursomatik]\nIniDatei=" + (home / "k.ini").string() + "\n");
        setEnvironment(e);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", QString::fromStdString(home.string()));
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(QString::fromStdString(home.string()));
        program.setChildProcessModifier([] { ::signal(SIGXFSZ, SIG_DFL); });  // as at a fresh login
        program.start(QStringLiteral(KURSOMATIK_PROGRAM), {});
        program.waitForStarted(5000);
        for (int i = 0; i < 200 && !holdsLock(program.processId(), place); ++i) QThread::msleep(50);
        ASSERT_TRUE(holdsLock(program.processId(), place)) << program.errorString().toStdString();
        // A write over the file-size limit (ulimit -f) must fail and be reported: the running program
        // ignores SIGXFSZ, which would end it half-way through a record, whatever it inherited.
        std::ifstream status("/proc/" + std::to_string(program.processId()) + "/status");
        std::string line;
        while (std::getline(status, line) && !line.starts_with("SigIgn:")) continue;
        EXPECT_TRUE(line.size() > 7 && (std::stoull(line.substr(7), nullptr, 16) >> (SIGXFSZ - 1) & 1))
            << line;
    }

    const std::string uid = std::to_string(::getuid());
    const fs::path root = dir / "wurzel", runtime = root / "run" / "user" / uid;
    const fs::path tmpFolder = root / "tmp" / ("kursomatik-" + uid);

  private:
    std::vector<std::pair<const char*, QByteArray>> saved_;
};

// Started from a desktop session, from a terminal without one, or with another temp folder: every start
// meets the one lock of the user, in the runtime folder where the user has one, else in the temp folder.
// The second start stops before it touches a file; the lock goes when the desktop ends the first one,
// and a lock file left by a crash blocks nobody.
TEST_F(SingleInstance, ASecondStartAnywhereStopsAndALockFileLeftBehindBlocksNobody) {
    writeTable({kDeutscheMark, kEuro});
    for (const bool runtimeFolder : {true, false}) {
        plantRoot(runtimeFolder);
        const QString place = lockIn(runtimeFolder ? runtime : tmpFolder);
        for (const Environment& first : kEnvironments) {
            QProcess running;
            run(running, first, place);
            for (const Environment& second : kEnvironments) {
                setEnvironment(second);
                windows.messages.clear();
                windows.processEnded = 0;
                SingleInstanceGuard guard;
                asProgram(guard);
                start();
                EXPECT_EQ(guard.lockPath(), place);
                ASSERT_TRUE(said({"Programm läuft schon einmal"})) << all();
                EXPECT_TRUE(windows.messages[0].icon == MessageIcon::Stop &&
                            windows.messages[0].buttons == MessageButtons::Ok);
                EXPECT_TRUE(windows.processEnded == 1 && !main->findChild<QDialog*>() &&
                            !fs::exists(iniPath()) && running.state() == QProcess::Running);
            }
            running.terminate();
            ASSERT_TRUE(running.waitForFinished(5000));
            EXPECT_FALSE(QFile::exists(place)) << "after SIGTERM";
        }
    }
    EXPECT_EQ(datBytes(), tableBytes({kDeutscheMark, kEuro}));
    writeFile(lockIn(tmpFolder).toStdString(), "");
    windows.messages.clear();
    SingleInstanceGuard guard;
    asProgram(guard);
    start();
    EXPECT_TRUE(windows.messages.empty() && listed() == 2) << all();
}

TEST_F(SingleInstance, WhatAnotherUserPlantedNeverBlocksOrHangsTheStart) {
    const QString inRuntime = lockIn(runtime), inTmp = lockIn(tmpFolder);
    for (const auto& [planted, expected, place] :
         {std::tuple{"no runtime folder", O::Acquired, inTmp}, std::tuple{"link", O::Unavailable, inRuntime},
          std::tuple{"FIFO", O::Unavailable, inRuntime},
          std::tuple{"foreign temp folder", O::Unavailable, inTmp},
          // The runtime folder is used only as the user's own folder, never through a link.
          std::tuple{"runtime link", O::Acquired, inTmp},
          std::tuple{"foreign runtime folder", O::Acquired, inTmp}}) {
        const std::string kind = planted;
        plantRoot(kind == "link" || kind == "FIFO" || kind == "foreign runtime folder");
        const fs::path file = inRuntime.toStdString();
        if (kind == "link") fs::create_symlink(dir / "xdg", file);
        if (kind == "FIFO") ::mkfifo(file.c_str(), 0666);
        if (kind == "runtime link") {
            fs::create_directories(runtime.parent_path());
            fs::create_directory_symlink(dir / "xdg", runtime);
        }
        // Only root can give a folder away; for others it is one they may not use.
        if (kind.starts_with("foreign")) {
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
