// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The currency file holds Windows-1252 bytes, one per character, so that files written on the
// German systems the program was first used on stay readable.
namespace kursomatik::cp1252 {

// UTF-8 to Windows-1252; a character without a Windows-1252 byte becomes '?'.
std::string fromUtf8(std::string_view utf8Text);
// Windows-1252 to UTF-8; the five unassigned bytes map to the C1 controls of the same value.
std::string toUtf8(std::string_view bytes);

}  // namespace kursomatik::cp1252
