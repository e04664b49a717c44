// SPDX-License-Identifier: GPL-3.0-or-later
// An INI file of arbitrary content, a key and a value: writing the value and reading it back gives
// the value as a reader sees it, and every line that does not hold the key stays as it was.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "platform/Utf8.h"
#include "settings/IniFile.h"
#include "settings/Locations.h"

using namespace kursomatik;

namespace {

std::string readAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Lines of a text, without their breaks.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::stringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string clean(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c != '\n' && c != '\r' && c != '=' && c != '[' && c != ']' && c != ';' && c != '\0') out += c;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto split = input.find('\x01');
    const auto split2 = split == std::string_view::npos ? split : input.find('\x01', split + 1);
    if (split2 == std::string_view::npos) return 0;
    const std::string content(input.substr(0, split));
    const std::string key(utf8::trimBlanks(clean(input.substr(split + 1, split2 - split - 1))));
    const std::string value(utf8::trimBlanks(clean(input.substr(split2 + 1))));
    if (key.empty()) return 0;

    static const std::filesystem::path folder = [] {
        // Memory-backed where possible: every write is flushed to its disk.
        char pattern[] = "/dev/shm/kursomatik-fuzz-XXXXXX";
        if (::mkdtemp(pattern) != nullptr) return std::filesystem::path(pattern);
        std::strcpy(pattern, "/tmp/kursomatik-fuzz-XXXXXX");
        return std::filesystem::path(::mkdtemp(pattern));
    }();
    const auto file = folder / kSettingsFileName;
    std::ofstream(file, std::ios::binary | std::ios::trunc) << content;
    FUZZ_CHECK(writeProfileString(file, "Kursomatik", key, value));
    std::string expected = value;
    if (expected.size() >= 2 && (expected.front() == '"' || expected.front() == '\'') &&
        expected.back() == expected.front()) {
        expected = expected.substr(1, expected.size() - 2);
    }
    if (utf8::length(expected) > 199) expected = utf8::mid(expected, 0, 199);
    FUZZ_CHECK(getProfileString(file, "Kursomatik", key, "\x02") == expected);
    // Every other line is kept, in order: all lines of the old text but at most the key's own line
    // stand in the new text as a common subsequence.
    const auto before = linesOf(content);
    const auto after = linesOf(readAll(file));
    if (before.size() > 300 || after.size() > 300) return 0;
    std::vector<std::vector<std::size_t>> common(before.size() + 1,
                                                 std::vector<std::size_t>(after.size() + 1));
    for (std::size_t i = 1; i <= before.size(); ++i) {
        for (std::size_t j = 1; j <= after.size(); ++j) {
            common[i][j] = before[i - 1] == after[j - 1] ? common[i - 1][j - 1] + 1
                                                         : std::max(common[i - 1][j], common[i][j - 1]);
        }
    }
    FUZZ_CHECK(common[before.size()][after.size()] + 1 >= before.size());
    return 0;
}
