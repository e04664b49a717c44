// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "platform/RegionalSettings.h"

class QComboBox;

namespace kursomatik {

// A list position from settings or saved selections; empty when it is no whole number.
std::optional<int> listPosition(const std::string& text, const RegionalSettings& regional);

// Selects that position. A position the list cannot take is skipped; -1 is a valid choice of
// "nothing". Assigning the selection already set runs nothing; Qt may signal it anyway for an empty list.
void assignPosition(QComboBox* box, const std::string& position, const RegionalSettings& regional);

}  // namespace kursomatik
