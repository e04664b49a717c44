// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/IniFile.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/Utf8.h"

namespace kursomatik {
namespace {

namespace fs = std::filesystem;

struct Line {
    std::string_view content;  // without the line break
    std::string_view text;     // with the line break
};

std::vector<Line> splitLines(std::string_view data) {
    std::vector<Line> lines;
    while (!data.empty()) {
        const auto end = data.find('\n');
        const std::size_t length = end == std::string_view::npos ? data.size() : end + 1;
        std::string_view content = data.substr(0, end == std::string_view::npos ? data.size() : end);
        if (!content.empty() && content.back() == '\r') content.remove_suffix(1);
        lines.push_back({content, data.substr(0, length)});
        data.remove_prefix(length);
    }
    return lines;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; };
    return std::ranges::equal(a, b, {}, lower, lower);
}

std::optional<std::string_view> sectionHeader(std::string_view content) {
    content = utf8::trimBlanks(content);
    if (content.empty() || content.front() != '[') return std::nullopt;
    const auto close = content.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return utf8::trimBlanks(content.substr(1, close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view content) {
    const auto trimmed = utf8::trimBlanks(content);
    if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
    const auto equals = trimmed.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return KeyLine{utf8::trimBlanks(trimmed.substr(0, equals)), utf8::trimBlanks(trimmed.substr(equals + 1))};
}

// Where a key stands: the first section of that name, and the key's line in it.
struct Location {
    std::optional<std::size_t> section;  // line of the header
    std::size_t lastContent = 0;         // last non-blank line of the section
    std::optional<std::size_t> key;
};

Location locate(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
    Location where;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const auto name = sectionHeader(lines[i].content)) {
            if (where.section) break;  // only the first section of a name counts
            if (equalIgnoringCase(*name, section)) where.section = where.lastContent = i;
            continue;
        }
        if (!where.section) continue;
        if (!utf8::trimBlanks(lines[i].content).empty()) where.lastContent = i;
        if (const auto entry = keyLine(lines[i].content); entry && equalIgnoringCase(entry->key, key)) {
            where.key = i;
            break;
        }
    }
    return where;
}

std::string cutToLimit(std::string_view value, std::size_t limit) {
    return utf8::length(value) > limit ? utf8::mid(value, 0, limit) : std::string(value);
}

std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

std::string readableAsWritten(std::string_view value) {
    return unquoted(value).size() == value.size() ? std::string(value) : '"' + std::string(value) + '"';
}

std::string profileValue(std::string_view text, const std::string& section, const std::string& key,
                         const std::string& defaultValue, std::size_t limit) {
    const auto lines = splitLines(text);
    const Location where = locate(lines, section, key);
    if (!where.key) return cutToLimit(defaultValue.substr(0, defaultValue.find_last_not_of(' ') + 1), limit);
    return cutToLimit(unquoted(keyLine(lines[*where.key].content)->value), limit);
}

std::string getProfileString(const fs::path& file, const std::string& section, const std::string& key,
                             const std::string& defaultValue) {
    const auto data = readWholeFile(file);
    return profileValue(data ? *data : std::string(), section, key, defaultValue);
}

Status writeProfileString(const fs::path& file, const std::string& section, const std::string& key,
                          const std::string& value, FileOperations& files) {
    // A file that cannot be read is not written either: it may hold more than this program knows.
    const auto data = readWholeFile(file);
    if (!data) return data.status();
    const std::string newline = data->find("\r\n") != std::string::npos ? "\r\n" : "\n";
    const auto lines = splitLines(*data);
    const Location where = locate(lines, section, key);

    std::string out;
    out.reserve(data->size() + key.size() + value.size() + section.size() + 8);
    auto appendLine = [&](const Line& line) {
        out += line.text;
        if (line.text.empty() || line.text.back() != '\n') out += newline;  // the last line had no break
    };
    if (!where.section) {
        out = *data;
        if (!out.empty() && out.back() != '\n') out += newline;
        if (!lines.empty() && !utf8::trimBlanks(lines.back().content).empty()) out += newline;
        out += "[" + section + "]" + newline + key + "=" + value + newline;
        return replaceFile(file, out, files);
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (where.key && i == *where.key) {
            out += std::string(keyLine(lines[i].content)->key) + "=" + value;
            out += lines[i].text.substr(lines[i].content.size());
            continue;
        }
        if (!where.key && i == where.lastContent) {
            appendLine(lines[i]);
            out.append(key).append("=").append(value).append(newline);
            continue;
        }
        out += lines[i].text;
    }
    // The options write their values again at every start: an unchanged file is left alone.
    if (out == *data) return Status::ok();
    return replaceFile(file, out, files);
}

}  // namespace kursomatik
