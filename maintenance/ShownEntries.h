// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include "platform/qt/LineList.h"
#include "store/CurrencyLists.h"

namespace kursomatik {

// A pass's entries as a list of lines shows them; the entries are shared, not copied.
ListedLines listedLines(const SortedEntries& entries);

// The names a pick list shows, in the entries' order.
QStringList pickNames(const SortedEntries& entries);

}  // namespace kursomatik
