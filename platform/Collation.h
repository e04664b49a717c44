// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace kursomatik {

// The one text order of every sorted list and grid: letters compared without regard to case or
// accents (Ä among the A's, ß as ss, as German users look them up), then accents, then case, then
// the bytes, so that two different texts never compare equal. Returns <0, 0 or >0.
int collate(std::string_view a, std::string_view b);

// A key whose plain comparison orders texts exactly as collate() does, for sorting many texts
// with one folding each instead of one per comparison. Its values are written in UTF-8's byte
// pattern, whose byte order is their order: a list's keys take a quarter of 32-bit ones.
std::string collationKey(std::string_view text);

}  // namespace kursomatik
