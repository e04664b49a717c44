// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include "store/CurrencyLists.h"

namespace kursomatik {

// A pass's entries as the lists show them: the lines, the names a pick list shows, and what a screen
// reader says for each line.
struct ShownEntries {
    QStringList lines, names, spoken;
};

ShownEntries shownEntries(const SortedEntries& entries);

}  // namespace kursomatik
