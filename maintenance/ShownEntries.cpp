// SPDX-License-Identifier: GPL-3.0-or-later
#include "maintenance/ShownEntries.h"

namespace kursomatik {

ShownEntries shownEntries(const SortedEntries& entries) {
    ShownEntries shown;
    for (const CurrencyEntry& entry : entries) {
        shown.lines << QString::fromStdString(entry.line);
        shown.names << QString::fromStdString(entry.name());
        shown.spoken << QString::fromStdString(entry.spoken());
    }
    return shown;
}

}  // namespace kursomatik
