// SPDX-License-Identifier: GPL-3.0-or-later
#include "maintenance/ImportSteps.h"

#include "platform/qt/WindowSystem.h"
#include "rates/RateImport.h"
#include "store/CurrencyLists.h"

namespace kursomatik {

bool finishImport(MaintenanceContext& context, QWidget* owner, const RateImport& import) {
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
    windows.message(owner, QString::fromStdString(summaryText(*done)));
    return true;
}

}  // namespace kursomatik
