// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QComboBox;

namespace kursomatik {

// Drop-down lists the user can only choose from. Filling them never changes a selection and never
// runs a handler; only a real change of the selection does (currentIndexChanged).
namespace picklist {

// Entry k shows the name of the currency on line k of its list, as the narrow list of the original
// showed just the beginning of the line; the line itself stays with the list (lstversteckt and its
// kin), at the same position. Replaces existing entries and appends the rest; surplus entries from a
// longer earlier list stay.
void setEntries(QComboBox* box, const QStringList& names);
void clearEntries(QComboBox* box);
// Leaves the list without a selection and runs no handler.
void clearSelection(QComboBox* box);

}  // namespace picklist
}  // namespace kursomatik
