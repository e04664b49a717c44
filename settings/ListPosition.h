// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/RegionalSettings.h"
#include "platform/Result.h"
#include "settings/Einstellungen.h"

namespace kursomatik {

// A list position from settings or saved selections; empty when it is no whole number.
std::optional<int> listPosition(const std::string& text, const RegionalSettings& regional);

// Selects the position that the text gives in a list box (a QComboBox). A position the list cannot
// take is skipped; -1 is a valid choice of "nothing". Assigning the selection already set runs
// nothing; Qt may signal it anyway for an empty list.
template <class ListBox>
void assignPosition(ListBox* box, const std::string& position, const RegionalSettings& regional) {
    const auto k = listPosition(position, regional);
    if (k && *k >= -1 && *k < box->count() && *k != box->currentIndex()) box->setCurrentIndex(*k);
}

// The start currencies (startwaehrung, ausgabewaehrung) follow their currencies when the list moves
// under them, as when an import adds currencies that sort before them. `newPosition` gives where the
// currency at an old position stands now, empty when the position pointed to none. A setting that is
// no number, or points to no currency, stays as it is; a key is written only when its position moved.
// Both keys are tried; the first failure to write is returned, the settings hold the new positions.
Status followStartCurrencies(SettingsState& settings, const SettingsEnvironment& environment,
                             const RegionalSettings& regional,
                             const std::function<std::optional<long>(long position)>& newPosition);

}  // namespace kursomatik
