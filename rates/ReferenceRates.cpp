// SPDX-License-Identifier: GPL-3.0-or-later
#include "rates/ReferenceRates.h"

#include "platform/FileOperations.h"
#include "platform/SystemError.h"
#include "platform/Utf8.h"
#include "rates/ZipEntry.h"

namespace kursomatik {
namespace {

const std::string kLimitText = std::to_string(kReferenceFileLimit >> 20) + " MiB";

// XML or CSV, told apart by how the text begins; `where` names the file inside a .zip.
Result<ReferenceHistory> parseText(std::string_view bytes, const std::string& fileName,
                                   const std::string& where) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    std::string_view text = utf8::trimBlanks(bytes);
    if (text.starts_with('<')) return parseEcbXml(bytes, fileName, where);
    if (text.starts_with("Date")) return parseEcbCsv(bytes, fileName, where);
    return Status::fail(fileNamed(fileName) + " ist keine Referenzkursdatei der EZB (XML, CSV oder ZIP).");
}

Result<ReferenceRates> newestOf(const Result<ReferenceHistory>& days) {
    if (!days) return days.status();
    return newestDay(*days);
}

}  // namespace

const ReferenceRates& newestDay(const ReferenceHistory& days) {
    const ReferenceRates* newest = &days.front();
    for (const ReferenceRates& day : days) {
        if (day.date > newest->date) newest = &day;
    }
    return *newest;
}

Result<ReferenceRates> parseReferenceRates(std::string_view bytes, const std::string& fileName) {
    return newestOf(parseReferenceHistory(bytes, fileName));
}

Result<ReferenceRates> readReferenceRates(const std::filesystem::path& file) {
    return newestOf(readReferenceHistory(file));
}

Result<ReferenceHistory> parseReferenceHistory(std::string_view bytes, const std::string& fileName) {
    if (!looksLikeZip(bytes)) return parseText(bytes, fileName, "");
    const auto entry = unpackReferenceFile(bytes, fileName, kReferenceFileLimit);
    if (!entry) return entry.status();
    return parseText(entry->bytes, fileName, inQuotes(entry->name) + ", ");
}

Result<ReferenceHistory> readReferenceHistory(const std::filesystem::path& file) {
    const auto bytes = readRegularFile(file, kReferenceFileLimit);
    if (!bytes) return fileError(file.string(), "gelesen werden", bytes.status());
    if (bytes->size() > kReferenceFileLimit)
        return Status::fail(fileNamed(file.string()) + " ist größer als " + kLimitText +
                            " und keine Referenzkursdatei.");
    return parseReferenceHistory(*bytes, file.string());
}

}  // namespace kursomatik
