// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/RegionalSettings.h"
#include "settings/ListPosition.h"

class QComboBox;

namespace kursomatik {

// Selects the position that the text gives (listPosition). A position the list cannot take is skipped; -1 is
// a valid choice of "nothing". Assigning the selection already set runs nothing; Qt may signal it anyway for
// an empty list.
void assignPosition(QComboBox* box, const std::string& position, const RegionalSettings& regional);

}  // namespace kursomatik
