// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "maintenance/MaintenanceContext.h"
#include "rates/ReferenceRates.h"

namespace kursomatik {

class RateImport;

// What an import gives the rate history beside the table: every day of its file (and of the network
// update's 90-day file), and the lines that go with them into the summary.
struct HistoryDays {
    ReferenceHistory days;
    std::string notice;  // about a damaged history moved aside when it was read before the import
    std::string note;    // about days the history still lacks
};

// The history's module, loaded at the first call and then kept in the context.
Result<HistoryModule*> historyModule(MaintenanceContext& context);

// The import's steps after its file is read, the same for a file and for the network: the question
// about newer rates (Enter keeps them, "Abbrechen" imports nothing), the table written, the start
// currencies following their currencies, every list read again, the days into the rate history, and
// one summary of table and history. False when the table was not written (cancelled, or a failure the
// user has been told of); a history that fails keeps the table's import, and the summary says so.
bool finishImport(MaintenanceContext& context, QWidget* owner, const RateImport& import,
                  const HistoryDays& history = {});

}  // namespace kursomatik
