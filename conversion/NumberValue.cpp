// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversion/NumberValue.h"

#include <charconv>
#include <cmath>
#include <string>

namespace kursomatik {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

double numberValue(std::string_view text) {
    // Gather the characters that belong to the number, blanks left out, into plain C syntax.
    std::string number;
    std::size_t pos = 0;
    auto peek = [&]() -> char {
        while (pos < text.size() && isBlank(text[pos])) ++pos;
        return pos < text.size() ? text[pos] : '\0';
    };
    if (const char sign = peek(); sign == '+' || sign == '-') number += text[pos++];
    bool anyDigit = false;
    for (char c = peek(); isDigit(c); c = peek()) number += text[pos++], anyDigit = true;
    if (peek() == '.') {
        number += text[pos++];
        for (char c = peek(); isDigit(c); c = peek()) number += text[pos++], anyDigit = true;
    }
    if (!anyDigit) return 0.0;
    if (const char e = peek(); e == 'E' || e == 'e' || e == 'D' || e == 'd') {
        std::string exponent = "e";
        ++pos;
        if (const char sign = peek(); sign == '+' || sign == '-') exponent += text[pos++];
        bool exponentDigit = false;
        for (char c = peek(); isDigit(c); c = peek()) exponent += text[pos++], exponentDigit = true;
        if (exponentDigit) number += exponent;
    }
    const char* first = number.data() + (number[0] == '+' ? 1 : 0);
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, number.data() + number.size(), value);
    return (error == std::errc{} && std::isfinite(value)) ? value : 0.0;
}

}  // namespace kursomatik
