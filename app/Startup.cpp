// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Startup.h"

#include "platform/qt/SingleInstanceGuard.h"
#include "platform/qt/WindowSystem.h"
#include "settings/Locations.h"

namespace kursomatik {

SettingsEnvironment programEnvironment(WindowSystem& windows) {
    SettingsEnvironment environment;
    environment.programDir = binaryFolder();
    environment.systemProfile = systemProfilePath();
    environment.report = [&windows](const std::string& problem) {
        windows.message(nullptr, QString::fromStdString(problem));
    };
    return environment;
}

std::function<bool()> instanceCheck(SingleInstanceGuard& guard, WindowSystem& windows) {
    return [&guard, &windows, warned = false]() mutable {
        const SingleInstanceGuard::Outcome outcome = guard.acquire();
        if (outcome == SingleInstanceGuard::Outcome::AlreadyRunning) {
            windows.message(nullptr, QStringLiteral("Programm läuft schon einmal"), MessageButtons::Ok,
                            MessageIcon::Stop);
            return false;
        }
        if (outcome == SingleInstanceGuard::Outcome::Unavailable && !warned) {
            warned = true;
            windows.message(nullptr,
                            QStringLiteral("Die Sperrdatei \u201E%1\u201C kann nicht angelegt werden. "
                                           "Ein zweiter Start von Kursomatik wird deshalb nicht erkannt.")
                                .arg(guard.lockPath()));
        }
        return true;
    };
}

}  // namespace kursomatik
