// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace kursomatik {

// The record numbers of a table's bytes in the order of the list of all currencies (lstversteckt,
// lstversteckt2 and the drop-down lists filled from them), as the list pass sorts them: position k of
// those lists shows record listOrder(table)[k].
std::vector<long> listOrder(std::string_view tableBytes);

// Where the currency at `position` of one list order stands in another, when every record kept its
// number in between (an import appends its new currencies); empty when the position points to no
// currency, or its record is gone.
std::optional<long> samePosition(const std::vector<long>& before, const std::vector<long>& after,
                                 long position);

}  // namespace kursomatik
