// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QComboBox;

namespace kursomatik {

// Drop-down lists the user can only choose from. Filling them never changes a selection and never
// runs a handler; only a real change of the selection does (currentIndexChanged).
namespace picklist {

// Each entry holds a whole list line and shows (and speaks) only the currency's name, as the
// narrow list of the original showed just the beginning of the line.
// Entry k := line k, shown as names[k], for every line: replaces existing entries, appends the rest; surplus
// entries from a longer earlier list stay.
void setEntries(QComboBox* box, const QStringList& lines, const QStringList& names);
void clearEntries(QComboBox* box);
QString line(const QComboBox* box, int index);
// The line of the selected entry; empty when nothing is selected.
QString selectedLine(const QComboBox* box);
// Leaves the list without a selection and runs no handler.
void clearSelection(QComboBox* box);

}  // namespace picklist
}  // namespace kursomatik
