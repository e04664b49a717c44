// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text is UTF-8 in the core. Every character the currency file can hold is one code point, so
// column positions and field widths count code points, not bytes.
namespace kursomatik::utf8 {

constexpr char32_t kReplacement = U'?';

// Decodes the code point at text[pos] and advances pos; invalid bytes decode to '?', one byte each.
char32_t next(std::string_view text, std::size_t& pos);
void append(std::string& out, char32_t codePoint);

std::size_t length(std::string_view text);
// Up to count code points from code point position start (0-based).
std::string mid(std::string_view text, std::size_t start, std::size_t count);
// The first count code points, as a view into the text (no copy).
std::string_view head(std::string_view text, std::size_t count);
// The last count code points (all of them when the text is shorter).
std::string right(std::string_view text, std::size_t count);
// Left-aligned in width code points: padded with spaces, cut at the width.
std::string fit(std::string_view text, std::size_t width);

// Spaces only, as the record fields are padded with them.
std::string_view trimSpaces(std::string_view text);
// Blanks around a typed number: spaces, tabs and line breaks.
std::string_view trimBlanks(std::string_view text);

std::string toUpper(std::string_view text);

// The text as a terminal or a message may show it: control characters (a tab, an escape sequence)
// and bytes that are no UTF-8 become '?'.
std::string printable(std::string_view text);

}  // namespace kursomatik::utf8
