// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <unistd.h>
#include <csignal>
#include <fstream>

#include <QFile>
#include <QProcess>
#include <QStyleFactory>
#include <QThread>
#include <QToolButton>

#include "platform/Version.h"
#include "platform/qt/DeferredIconStyle.h"
#include "tests/gui/ProgramTest.h"

namespace kursomatik::testsupport {
namespace {

// The menu bar's arrow for menus that do not fit is the base style's own picture, and it is read only
// when drawn: a button that holds it and sizes itself reads nothing. Other icons are the base's at once.
TEST(ProgramStart, TheMenuBarsArrowIsTheBaseStylesPictureReadOnlyWhenDrawn) {
    struct CountingStyle : QProxyStyle {
        using QProxyStyle::QProxyStyle;
        QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                           const QWidget* widget) const override {
            ++asked;
            return QProxyStyle::standardIcon(icon, option, widget);
        }
        mutable int asked = 0;
    };
    auto* base = new CountingStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const DeferredIconStyle style(base);
    for (const auto arrow :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
        base->asked = 0;
        QToolButton button;
        button.setIcon(style.standardIcon(arrow));
        button.sizeHint();
        EXPECT_TRUE(base->asked == 0 && !button.icon().isNull()) << arrow;
        EXPECT_EQ(button.icon().pixmap(16).toImage(),
                  base->standardIcon(arrow, nullptr, nullptr).pixmap(16).toImage());
        EXPECT_EQ(base->asked, 2) << arrow;
    }
    base->asked = 0;
    EXPECT_FALSE(style.standardIcon(QStyle::SP_MessageBoxCritical).isNull());
    EXPECT_EQ(base->asked, 1);
}

// The real binaries in nothing of this environment but a home and the C locale: --help and --version
// need no display at all, and a usage that cannot be written is no success. (Without a display the
// installed command ends with a German message: the install test starts it so.)
TEST(ProgramStart, TheUsageAndTheVersionNeedNoDisplayAndAFailedWriteIsStatus1) {
    TempDir dir;
    const QString home = QString::fromStdString(dir.path().string()), data = home + "/daten";
    const QString usage = "Aufruf: kursomatik [--help | --version]\n",
                  version = QStringLiteral("kursomatik %1\n").arg(QLatin1String(kVersion));
    // The usage names the user's own data folder and the command for scripts.
    QProcessEnvironment environment;
    for (const auto& [name, value] :
         {std::pair{"HOME", home}, {"LC_ALL", "C.UTF-8"}, {"XDG_DATA_HOME", data}})
        environment.insert(name, value);
    // stdOut: the usage it starts with, or /dev/full to write it to.
    for (const auto& [binary, arg, stdOut, status] :
         {std::tuple{KURSOMATIK_PROGRAM, "--help", usage, 0},
          std::tuple{KURSOMATIK_LAUNCHER, "--version", version, 0},
          std::tuple{KURSOMATIK_LAUNCHER, "--help", QString("/dev/full"), 1}}) {
        QProcess process;
        process.setProcessEnvironment(environment);
        if (stdOut == "/dev/full") process.setStandardOutputFile(stdOut);
        process.start(QString::fromUtf8(binary), {arg});
        if (!process.waitForFinished(20000)) process.kill(), process.waitForFinished();
        const QString out = process.readAllStandardOutput(), error = process.readAllStandardError();
        const std::string what = std::string(binary) + ": " + out.toStdString() + error.toStdString();
        EXPECT_EQ(process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, status) << what;
        EXPECT_TRUE(stdOut == "/dev/full"
                        ? out.isEmpty() &&
                              error.contains("Die Ausgabe kann nicht geschrieben werden: Auf dem Datenträger")
                        : out.startsWith(stdOut) && error.isEmpty() &&
                              (stdOut != version || out == version) &&
                              (stdOut != usage ||
                               (out.contains(data + "/Kursomatik\n") && out.contains("kursomatik-rechner"))))
            << what;
    }
}

namespace fs = std::filesystem;
using O = SingleInstanceGuard::Outcome;

// Whether the process holds an flock() on the file. /proc/locks shows the holder without touching
// the lock: a probing flock() of the test's own would make a starting program meet a held lock.
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
    SingleInstance() { qputenv("KURSOMATIK_TEST_LOCK_ROOT", root.c_str()); }
    ~SingleInstance() override { qunsetenv("KURSOMATIK_TEST_LOCK_ROOT"); }
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

    const std::string uid = std::to_string(::getuid());
    const fs::path root = dir / "wurzel", runtime = root / "run" / "user" / uid;
    const fs::path tmpFolder = root / "tmp" / ("kursomatik-" + uid);
};

// The real program started from a desktop session holds the user's lock in the runtime folder; a start
// with another environment meets that lock and stops before it touches a file. Once the first one has
// ended, a lock file left by a crash blocks nobody (that the lock file goes at the end, the install test
// sees).
TEST_F(SingleInstance, ASecondStartStopsAndALockFileLeftBehindBlocksNobody) {
    writeTable({kDeutscheMark, kEuro});
    plantRoot(true);
    const QString place = lockIn(runtime), home = QString::fromStdString((dir / "erster").string());
    fs::create_directories(dir / "erster");
    writeFile(dir / "erster" / kCurrencyFileName, recordBytes(kEuro));
    writeFile(dir / "erster" / "WIN.INI",
              "[Kursomatik]\nIniDatei=" + (dir / "erster" / "k.ini").string() + "\n");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* moved : {"XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "TMPDIR"})
        environment.insert(moved, home);
    QProcess running;
    running.setProcessEnvironment(environment);
    running.setWorkingDirectory(home);
    running.setChildProcessModifier([] { ::signal(SIGXFSZ, SIG_DFL); });  // as at a fresh login
    running.start(QStringLiteral(KURSOMATIK_PROGRAM), {});
    for (int i = 0; i < 200 && !holdsLock(running.processId(), place); ++i) QThread::msleep(50);
    ASSERT_TRUE(holdsLock(running.processId(), place)) << running.errorString().toStdString();
    // A write over the file-size limit must fail and be reported: the program ignores SIGXFSZ, which
    // would end it half-way through a record, whatever it inherited.
    std::ifstream status("/proc/" + std::to_string(running.processId()) + "/status");
    std::string line;
    while (std::getline(status, line) && !line.starts_with("SigIgn:")) continue;
    EXPECT_TRUE(line.size() > 7 && (std::stoull(line.substr(7), nullptr, 16) >> (SIGXFSZ - 1) & 1)) << line;
    SingleInstanceGuard second;
    asProgram(second);
    start();
    ASSERT_TRUE(said({"Programm läuft schon einmal"})) << all();
    EXPECT_TRUE(windows.messages[0].icon == MessageIcon::Stop && windows.processEnded == 1 &&
                !main->findChild<QDialog*>() && !fs::exists(iniPath()));
    running.terminate();
    ASSERT_TRUE(running.waitForFinished(5000));
    writeFile(place.toStdString(), "");
    windows.messages.clear();
    SingleInstanceGuard third;
    asProgram(third);
    start();
    EXPECT_TRUE(windows.messages.empty() && listed() == 2 && windows.processEnded == 1) << all();
}

// Without a runtime folder the lock goes into a folder of the user's alone in the temp folder; what
// another user planted there or as the lock file is refused, never waited for.
TEST_F(SingleInstance, WhatAnotherUserPlantedNeverBlocksOrHangsTheStart) {
    const QString inRuntime = lockIn(runtime), inTmp = lockIn(tmpFolder);
    for (const auto& [kind, expected, place] :
         {std::tuple{"no runtime folder", O::Acquired, inTmp}, std::tuple{"link", O::Unavailable, inRuntime},
          std::tuple{"FIFO", O::Unavailable, inRuntime},
          std::tuple{"foreign temp folder", O::Unavailable, inTmp}}) {
        plantRoot(std::string(kind) == "link" || std::string(kind) == "FIFO");
        if (std::string(kind) == "FIFO") ::mkfifo(inRuntime.toStdString().c_str(), 0666);
        if (std::string(kind) == "link") fs::create_symlink(dir / "xdg", inRuntime.toStdString());
        // Only root can give a folder away; for others it is one they may not use.
        if (std::string(kind) == "foreign temp folder") {
            ::mkdir(tmpFolder.c_str(), 0700);
            ::geteuid() == 0 ? (void)::lchown(tmpFolder.c_str(), 65534, 65534)
                             : fs::permissions(tmpFolder, fs::perms::none);
        }
        ::alarm(10);  // a lock that waits for ever ends the test program
        SingleInstanceGuard guard;
        EXPECT_EQ(guard.lockPath(), place) << kind;
        EXPECT_EQ(guard.acquire(), expected) << kind;
        ::alarm(0);
        EXPECT_TRUE(expected != O::Acquired ||
                    fs::symlink_status(tmpFolder).permissions() == fs::perms::owner_all)
            << kind;
        std::error_code ignored;  // what a user may not use, the next round's cleaning may
        fs::permissions(tmpFolder, fs::perms::owner_all, ignored);
    }
}

}  // namespace
}  // namespace kursomatik::testsupport
