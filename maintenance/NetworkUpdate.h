// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <filesystem>
#include <memory>

#include "maintenance/ImportSteps.h"
#include "maintenance/MaintenanceContext.h"
#include "rates/RateDownload.h"
#include "settings/Einstellungen.h"

class QProgressDialog;

namespace kursomatik {

// "Kurse aktualisieren" (F5) and "Kurse aus dem Netz": the source's file fetched while a progress
// window offers "Abbrechen" and every window stays responsive, then imported as a chosen file is.
// The network part is loaded at the first request.
class NetworkUpdate : public QObject {
    Q_OBJECT
  public:
    NetworkUpdate(MaintenanceContext& context, const SettingsState& settings,
                  const SettingsEnvironment& environment, std::filesystem::path keptAnswer,
                  QObject* parent = nullptr);
    ~NetworkUpdate() override;

    void start(QWidget* owner);
    bool running() const { return running_; }

  signals:
    // F5 and the button are off while a request runs.
    void runningChanged(bool running);

  private:
    Status loadDownload();
    void setRunning(bool running);
    void closeProgress();
    void dailyAnswered(QPointer<QWidget> owner, const SettingsState& settings, Result<DownloadAnswer> answer);
    void answered(QWidget* owner, SettingsState settings, Result<DownloadAnswer> answer,
                  const HistoryDays& history);

    MaintenanceContext& context_;
    const SettingsState& settings_;  // read again at each request: kursquelle is set in the file only
    const SettingsEnvironment& environment_;
    std::filesystem::path keptAnswer_;
    std::unique_ptr<RateDownload> download_;
    QPointer<QProgressDialog> progress_;
    bool running_ = false;
};

}  // namespace kursomatik
