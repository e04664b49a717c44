// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Collation.h"

#include "platform/Utf8.h"

namespace kursomatik {
namespace {

// Base letters of the Latin-1 and Windows-1252 letters, lower case; empty where none applies.
std::string_view baseLetters(char32_t cp) {
    if (cp < 0xC0) return {};  // no letter with an accent below À
    // The Latin-1 capitals as their small letters; those of Windows-1252 are listed beside theirs.
    const char32_t lower = (cp <= 0xDE && cp != 0xD7) ? cp + 0x20 : cp;
    switch (lower) {
        case 0xDF:
            return "ss";
        case 0xE6:
            return "ae";
        case 0x152:
        case 0x153:
            return "oe";
        case 0x160:
        case 0x161:
            return "s";
        case 0x17D:
        case 0x17E:
            return "z";
        case 0x178:
        case 0xFD:
        case 0xFF:
            return "y";
        case 0xE7:
            return "c";
        case 0xF1:
            return "n";
        case 0xF0:
            return "d";
        case 0xF8:
            return "o";
        default:
            break;
    }
    if (lower >= 0xE0 && lower <= 0xE5) return "a";
    if (lower >= 0xE8 && lower <= 0xEB) return "e";
    if (lower >= 0xEC && lower <= 0xEF) return "i";
    if (lower >= 0xF2 && lower <= 0xF6) return "o";
    if (lower >= 0xF9 && lower <= 0xFC) return "u";
    return {};
}

char32_t lowerAscii(char32_t cp) {
    return (cp >= U'A' && cp <= U'Z') ? cp + 0x20 : cp;
}

// Reads a text one folded code point at a time, so comparing allocates nothing. Level 1 reduces
// letters to their lower-case base letters; level 2 only folds case and keeps the accents.
class FoldedReader {
  public:
    FoldedReader(std::string_view text, bool keepAccents) : text_(text), keepAccents_(keepAccents) {}

    bool atEnd() const { return pending_.empty() && pos_ >= text_.size(); }

    char32_t next() {
        if (!pending_.empty()) return take();
        if (const auto byte = static_cast<unsigned char>(text_[pos_]); byte < 0x80) {
            ++pos_;  // plain ASCII needs neither decoding nor a base letter
            return lowerAscii(byte);
        }
        const char32_t cp = utf8::next(text_, pos_);
        if (!keepAccents_) {
            pending_ = baseLetters(cp);
            if (!pending_.empty()) return take();
        }
        if (keepAccents_ && cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 0x20;
        return lowerAscii(cp);
    }

  private:
    char32_t take() {
        const char32_t c = static_cast<unsigned char>(pending_.front());
        pending_.remove_prefix(1);
        return c;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    bool keepAccents_;
    std::string_view pending_;
};

int compareLevel(std::string_view a, std::string_view b, bool keepAccents) {
    FoldedReader left(a, keepAccents);
    FoldedReader right(b, keepAccents);
    while (!left.atEnd() && !right.atEnd()) {
        const char32_t l = left.next();
        const char32_t r = right.next();
        if (l != r) return l < r ? -1 : 1;
    }
    return int(right.atEnd()) - int(left.atEnd());
}

// One value of a key in UTF-8's byte pattern (up to 0x1FFFFF), whose byte order is the values' order.
void appendKeyValue(std::string& key, char32_t value) {
    const auto byte = [&key](char32_t bits) { key += static_cast<char>(bits); };
    if (value < 0x80) return byte(value);
    if (value < 0x800) return byte(0xC0 | value >> 6), byte(0x80 | (value & 0x3F));
    if (value < 0x10000)
        return byte(0xE0 | value >> 12), byte(0x80 | (value >> 6 & 0x3F)), byte(0x80 | (value & 0x3F));
    byte(0xF0 | value >> 18), byte(0x80 | (value >> 12 & 0x3F)), byte(0x80 | (value >> 6 & 0x3F)),
        byte(0x80 | (value & 0x3F));
}

int sign(int value) {
    return (value > 0) - (value < 0);
}

}  // namespace

int collate(std::string_view a, std::string_view b) {
    if (a == b) return 0;
    if (const int primary = compareLevel(a, b, false); primary != 0) return primary;
    if (const int accents = compareLevel(a, b, true); accents != 0) return accents;
    return sign(a.compare(b));
}

std::string collationKey(std::string_view text) {
    // Each level's code points shifted by one, so that the 0 closing a level sorts a shorter
    // level first, as the comparison does.
    std::string key;
    key.reserve(text.size() * 3 + 2);
    for (const bool keepAccents : {false, true}) {
        FoldedReader reader(text, keepAccents);
        while (!reader.atEnd()) appendKeyValue(key, static_cast<char32_t>(reader.next() + 1));
        key += '\0';
    }
    for (const char c : text) appendKeyValue(key, static_cast<char32_t>(static_cast<unsigned char>(c) + 1));
    return key;
}

}  // namespace kursomatik
