// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtWindowSystem.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <cstdlib>
#include <memory>

#include "platform/ShellCodes.h"

namespace kursomatik {

MessageResult QtWindowSystem::message(QWidget* parent, const QString& text, MessageButtons buttons,
                                      MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::NoIcon,
                    QStringLiteral("Kursomatik"), text, QMessageBox::NoButton, parent);
    if (buttons == MessageButtons::YesNo) {
        box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == no ? MessageResult::No : MessageResult::Yes;
    }
    if (buttons == MessageButtons::YesNoCancel) {
        QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
        QPushButton* cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
        box.setDefaultButton(no);
        box.setEscapeButton(cancel);
        box.exec();
        // Anything but Ja and Nein, the title bar's close included, cancels.
        if (box.clickedButton() == yes) return MessageResult::Yes;
        return box.clickedButton() == no ? MessageResult::No : MessageResult::Cancel;
    }
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
    return MessageResult::Ok;
}

void QtWindowSystem::showModal(QDialog* window) {
    window->setWindowModality(Qt::ApplicationModal);
    window->exec();
}

void QtWindowSystem::showModeless(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

void QtWindowSystem::postF1() {
    QWidget* target =
        QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    if (target == nullptr) return;
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier));
}

void QtWindowSystem::openHelp(int topic) {
    if (helpViewer) helpViewer(topic);
}

void QtWindowSystem::openUrl(const QString& address, std::function<void(int code)> done) {
    // xdg-open hands the address to the desktop's default program and exits. The window goes on at
    // once; a failure within 5 s is told, later the helper counts as busy with the address.
    auto* process = new QProcess(qApp);
    auto told = std::make_shared<bool>(false);
    // A helper still running when the application goes is ended with it: nobody is told then.
    const auto tell = [told, done = std::move(done)](int code) {
        if (*told || QCoreApplication::closingDown()) return;
        *told = true;
        if (done) done(code);
    };
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, tell](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart) return;
                         tell(shellCodeOfXdgOpen(HelperEnd::NotStarted, 0));
                         process->deleteLater();
                     });
    // After a crash exit Qt gives the number of the signal that ended the helper as its exit code.
    QObject::connect(process, &QProcess::finished, process,
                     [process, tell](int status, QProcess::ExitStatus end) {
                         tell(shellCodeOfXdgOpen(
                             end == QProcess::NormalExit ? HelperEnd::Exited : HelperEnd::Killed, status));
                         process->deleteLater();
                     });
    // Deleting a helper that still runs would kill what it started: it goes when it ends.
    QTimer::singleShot(5000, process, [tell] { tell(shellCodeOfXdgOpen(HelperEnd::StillRunning, 0)); });
    process->start(QStringLiteral("xdg-open"), {address});
}

QString QtWindowSystem::chooseFile(QWidget* parent, const QString& caption, const QString& filter) {
    // Reference-rate files arrive as downloads; the working folder holds only the program's own files.
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    return QFileDialog::getOpenFileName(parent, caption, QDir(downloads).exists() ? downloads : QString(),
                                        filter);
}

QString QtWindowSystem::chooseSaveFile(QWidget* parent, const QString& caption, const QString& suggested,
                                      const QString& filter) {
    // Pictures go where the user keeps pictures, not into the program's working folder.
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QDir folder(QDir(pictures).exists() ? pictures : QDir::homePath());
    return QFileDialog::getSaveFileName(parent, caption, folder.filePath(suggested), filter);
}

void QtWindowSystem::endProcess() {
    if (beforeEnd) beforeEnd();
    std::_Exit(0);
}

}  // namespace kursomatik
