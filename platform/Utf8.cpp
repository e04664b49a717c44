// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Utf8.h"

namespace kursomatik::utf8 {

char32_t next(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    ++pos;
    if (lead < 0x80) return lead;
    std::size_t extra = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07, min = 0x10000;
    } else {
        return kReplacement;
    }
    if (pos + extra > text.size()) return kReplacement;
    for (std::size_t i = 0; i < extra; ++i) {
        const auto cont = static_cast<unsigned char>(text[pos + i]);
        if ((cont & 0xC0) != 0x80) return kReplacement;
        cp = (cp << 6) | (cont & 0x3F);
    }
    pos += extra;
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kReplacement;
    return cp;
}

void append(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::size_t length(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); ++count) next(text, pos);
    return count;
}

std::string mid(std::string_view text, std::size_t start, std::size_t count) {
    return std::string(head(text.substr(head(text, start).size()), count));
}

std::string_view head(std::string_view text, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t index = 0; pos < text.size() && index < count; ++index) {
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            ++pos;  // the common case, without decoding
        } else {
            next(text, pos);
        }
    }
    return text.substr(0, pos);
}

std::string right(std::string_view text, std::size_t count) {
    const std::size_t total = length(text);
    return total <= count ? std::string(text) : mid(text, total - count, count);
}

std::string fit(std::string_view text, std::size_t width) {
    std::string out = mid(text, 0, width);
    out.append(width - length(out), ' ');
    return out;
}

std::string_view trimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string_view trimBlanks(std::string_view text) {
    constexpr std::string_view blanks = " \t\r\n";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string toUpper(std::string_view text) {
    std::string out;
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t cp = next(text, pos);
        if ((cp >= U'a' && cp <= U'z') || (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7)) {
            cp -= 0x20;
        } else if (cp == 0x0161 || cp == 0x017E || cp == 0x0153) {  // š ž œ
            cp -= 1;
        } else if (cp == 0xFF) {
            cp = 0x0178;  // ÿ -> Ÿ
        }
        append(out, cp);
    }
    return out;
}

std::string printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t c = next(text, pos);
        append(out, c < 0x20 || (c >= 0x7F && c < 0xA0) ? kReplacement : c);
    }
    return out;
}

}  // namespace kursomatik::utf8
