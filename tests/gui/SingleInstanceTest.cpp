#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

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
        QDir().mkpath(runtime_);
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
