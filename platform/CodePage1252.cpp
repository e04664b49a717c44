// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CodePage1252.h"

#include <array>

#include "platform/Utf8.h"

namespace kursomatik::cp1252 {
namespace {

// Code points of the bytes 0x80 to 0x9F; the other bytes equal their Latin-1 code point.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char byteFor(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp) return static_cast<char>(0x80 + i);
    }
    return '?';
}

}  // namespace

std::string fromUtf8(std::string_view utf8Text) {
    std::string out;
    out.reserve(utf8Text.size());
    for (std::size_t pos = 0; pos < utf8Text.size();) out += byteFor(utf8::next(utf8Text, pos));
    return out;
}

std::string toUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        utf8::append(out, (b >= 0x80 && b < 0xA0) ? kHighControls[b - 0x80] : char32_t{b});
    }
    return out;
}

}  // namespace kursomatik::cp1252
