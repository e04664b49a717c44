// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "maintenance/MaintenanceContext.h"

namespace kursomatik {

class RateImport;

// The import's steps after its file is read, the same for a file and for the network: the question
// about newer rates (Enter keeps them, "Abbrechen" imports nothing), the table written, the start
// currencies following their currencies, every list read again, and the summary. False when the table
// was not written (cancelled, or a failure the user has been told of).
bool finishImport(MaintenanceContext& context, QWidget* owner, const RateImport& import);

}  // namespace kursomatik
