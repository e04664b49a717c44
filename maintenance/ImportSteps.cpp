// SPDX-License-Identifier: GPL-3.0-or-later
#include "maintenance/ImportSteps.h"

#include "maintenance/ModuleLoader.h"
#include "platform/qt/WindowSystem.h"
#include "rates/RateImport.h"
#include "store/CurrencyLists.h"

namespace kursomatik {
namespace {

// The history's lines for the summary; `failed` when the days did not get into it.
std::string historyLines(MaintenanceContext& context, const HistoryDays& history, bool& failed) {
    std::string text = history.notice.empty() ? "" : "\n" + history.notice;
    const auto module = historyModule(context);
    if (!module) {
        failed = true;
        return text + "\n" + module.error() + " Die Tabelle ist übernommen, der Kursverlauf nicht.";
    }
    std::string notice;
    const auto line =
        (*module)->importDays(history.days, historyFileOf(context.currencyFile), context.regional, notice);
    if (!notice.empty()) text += "\n" + notice;
    failed = !line;
    text += "\n" + (line ? *line : line.error());
    return history.note.empty() ? text : text + "\n" + history.note;
}

}  // namespace

Result<HistoryModule*> historyModule(MaintenanceContext& context) {
    if (!context.history) {
        auto made = createFromModule<HistoryModule>(context.modules, kHistoryModuleFile, kHistoryModuleEntry,
                                                    "den Kursverlauf führt");
        if (!made) return made.status();
        context.history = std::move(*made);
    }
    return context.history.get();
}

bool finishImport(MaintenanceContext& context, QWidget* owner, const RateImport& import,
                  const HistoryDays& history) {
    WindowSystem& windows = context.windows;
    bool overwrite = false;
    if (import.newerCount() > 0) {
        const MessageResult answer = windows.message(owner, QString::fromStdString(import.newerQuestion()),
                                                     MessageButtons::YesNoCancel);
        if (answer == MessageResult::Cancel) return false;
        overwrite = answer == MessageResult::Yes;
    }
    const Result<ImportSummary> done = import.apply(overwrite, *context.fileOperations);
    if (!done) {
        windows.message(owner, QString::fromStdString(done.error()), MessageButtons::Ok, MessageIcon::Stop);
        return false;
    }
    if (done->changedTable()) {
        // New currencies move the list positions the settings keep as start currencies: they follow
        // their currencies before the list pass fills the options dialog from them.
        const std::vector<long> before = listOrder(import.tableBefore());
        const std::vector<long> after = listOrder(import.tableAfter(overwrite));
        const Status followed = context.main.followStartCurrencies(
            [&](long position) { return samePosition(before, after, position); });
        if (!followed) {
            windows.message(
                owner, QString::fromStdString(followed.error() +
                                              "\nBeim nächsten Start sind daher andere Währungen gewählt."));
        }
        // The table is a new file now: every list is read again from it.
        context.main.refreshKeepingCurrencies();
    }
    bool failed = false;
    const std::string lines = history.days.empty() ? "" : historyLines(context, history, failed);
    windows.message(owner, QString::fromStdString(summaryText(*done) + lines), MessageButtons::Ok,
                    failed ? MessageIcon::Stop : MessageIcon::None);
    return true;
}

}  // namespace kursomatik
