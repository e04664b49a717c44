// SPDX-License-Identifier: GPL-3.0-or-later
#include "maintenance/NetworkUpdate.h"

#include <QProgressDialog>
#include <QUrl>

#include "maintenance/ImportSteps.h"
#include "maintenance/ModuleLoader.h"
#include "platform/qt/WindowSystem.h"
#include "rates/RateUpdate.h"
#include "settings/Locations.h"

namespace kursomatik {

NetworkUpdate::NetworkUpdate(MaintenanceContext& context, const SettingsState& settings,
                             const SettingsEnvironment& environment, std::filesystem::path keptAnswer,
                             QObject* parent)
    : QObject(parent),
      context_(context),
      settings_(settings),
      environment_(environment),
      keptAnswer_(std::move(keptAnswer)) {}

NetworkUpdate::~NetworkUpdate() = default;

Status NetworkUpdate::loadDownload() {
    if (download_) return Status::ok();
    auto made = createFromModule<RateDownload>(context_.modules, kRateDownloadModule, kRateDownloadEntry,
                                               "Kurse aus dem Netz holt");
    if (!made) return Status::fail(made.error() + " Kurse lassen sich weiter aus einer Datei importieren.");
    download_ = std::move(*made);
    return Status::ok();
}

void NetworkUpdate::setRunning(bool running) {
    running_ = running;
    emit runningChanged(running);
}

// Hidden at once: the summary's message box runs an event loop of its own, in which a deferred
// deletion would not happen, and the progress would stay on the screen behind it.
void NetworkUpdate::closeProgress() {
    if (progress_ != nullptr) progress_->hide(), progress_->deleteLater();
    setRunning(false);
}

void NetworkUpdate::start(QWidget* owner) {
    if (running_) return;
    WindowSystem& windows = context_.windows;
    if (Status loaded = loadDownload(); !loaded) {
        windows.message(owner, QString::fromStdString(loaded.error()), MessageButtons::Ok, MessageIcon::Stop);
        return;
    }
    // kursquelle and its neighbours are set in the settings file only: read as they stand now.
    SettingsState settings = settings_;
    EinstellungenLesen(settings, {environment_.programDir, environment_.systemProfile, {}});
    const RateSource source = rateSourceOf(settings);
    const QString host = QUrl(QString::fromStdString(source.url)).host();
    progress_ = new QProgressDialog(QStringLiteral("Die Kurse werden von „%1“ geholt...").arg(host),
                                    QStringLiteral("Abbrechen"), 0, 0, owner);
    progress_->setObjectName(QStringLiteral("dlgKursabruf"));
    progress_->setWindowTitle(QStringLiteral("Kurse aktualisieren"));
    progress_->setAccessibleName(QStringLiteral("Kurse aktualisieren"));
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setAutoReset(false);
    progress_->setAutoClose(false);
    progress_->setMinimumDuration(300);  // a quick answer comes without a flash of a window
    progress_->setValue(0);              // starts that 300 ms; until then Qt would wait its default 4 s
    QPointer<QWidget> shownOver(owner);
    connect(progress_, &QProgressDialog::canceled, this, [this] {
        download_->cancel();
        closeProgress();
    });
    setRunning(true);
    download_->start(
        updateRequest(source, keptAnswer_, context_.currencyFile, context_.regional),
        [this](long long received, long long total) {
            if (progress_ == nullptr || total <= 0) return;
            progress_->setMaximum(static_cast<int>(total));
            progress_->setValue(static_cast<int>(received));
        },
        [this, shownOver, settings](Result<DownloadAnswer> answer) {
            dailyAnswered(shownOver, settings, std::move(answer));
        });
}

// A fresh answer whose day lies too far after the history's newest day fetches the 90-day file before
// anything is imported, under the same progress window: "Abbrechen" there imports nothing either.
void NetworkUpdate::dailyAnswered(QPointer<QWidget> owner, const SettingsState& settings,
                                  Result<DownloadAnswer> answer) {
    HistoryDays history;
    const RateSource source = rateSourceOf(settings);
    if (answer) history.days = answerDays(*answer, source);
    // Without the module, or with a history that cannot be read, no top-up: the import then says why.
    std::optional<CivilDate> newest;
    std::optional<DownloadRequest> request;
    const auto module = history.days.empty() ? Result<HistoryModule*>(nullptr) : historyModule(context_);
    if (module && *module != nullptr) {
        const auto read = (*module)->newestDay(historyFileOf(context_.currencyFile), history.notice);
        if (read) newest = *read, request = topUpRequest(source, newest, history.days);
    }
    if (!request) {
        closeProgress();
        return answered(owner, settings, std::move(answer), history);
    }
    if (progress_ != nullptr)
        progress_->setLabelText(QStringLiteral("Die Kurse der letzten 90 Tage werden geholt..."));
    download_->start(
        *request, [](long long, long long) {},
        [this, owner, settings, answer, history, request = *request, newest](Result<DownloadAnswer> ninety) {
            TopUp topUp = topUpOf(ninety, request, newest, history.days, context_.regional,
                                  "mit „Kurse importieren...“ unter „Weitere Währungen“");
            HistoryDays all = history;
            all.days.insert(all.days.end(), topUp.days.begin(), topUp.days.end());
            all.note = std::move(topUp.note);
            closeProgress();
            answered(owner, settings, answer, all);
        });
}

void NetworkUpdate::answered(QWidget* owner, SettingsState settings, Result<DownloadAnswer> answer,
                             const HistoryDays& history) {
    WindowSystem& windows = context_.windows;
    const auto fail = [&](const std::string& why) {
        windows.message(owner, QString::fromStdString(why), MessageButtons::Ok, MessageIcon::Stop);
    };
    if (!answer) return fail(answer.error() + " Die Tabelle wurde nicht geändert.");
    const RateSource source = rateSourceOf(settings);
    const auto import = importAnswer(*answer, source, keptAnswer_, context_.currencyFile, context_.regional);
    if (!import) return fail(import.error());
    if (!finishImport(context_, owner, *import, history)) return;
    if (Status kept = keepAnswer(*answer, source, keptAnswer_, settings, environment_); !kept)
        windows.message(owner, QString::fromStdString(
                                   kept.error() + "\nDie nächste Aktualisierung holt die Datei daher ganz."));
}

}  // namespace kursomatik
