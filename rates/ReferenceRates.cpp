// SPDX-License-Identifier: GPL-3.0-or-later
#include "rates/ReferenceRates.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

#include "platform/FileOperations.h"
#include "platform/SystemError.h"
#include "platform/Utf8.h"
#include "rates/EcbCsv.h"
#include "rates/EcbXml.h"
#include "rates/ZipEntry.h"

namespace kursomatik {
namespace {

const std::string kLimitText = std::to_string(kReferenceFileLimit >> 20) + " MiB";

// XML or CSV, told apart by how the text begins; `where` names the file inside a .zip.
Result<ReferenceRates> parseText(std::string_view bytes, const std::string& fileName,
                                 const std::string& where) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    std::string_view text = utf8::trimBlanks(bytes);
    if (text.starts_with('<')) return parseEcbXml(bytes, fileName, where);
    if (text.starts_with("Date")) return parseEcbCsv(bytes, fileName, where);
    return Status::fail(fileNamed(fileName) + " ist keine Referenzkursdatei der EZB (XML, CSV oder ZIP).");
}

}  // namespace

Result<ReferenceRates> parseReferenceRates(std::string_view bytes, const std::string& fileName) {
    if (!looksLikeZip(bytes)) return parseText(bytes, fileName, "");
    const auto entry = unpackReferenceFile(bytes, fileName, kReferenceFileLimit);
    if (!entry) return entry.status();
    return parseText(entry->bytes, fileName, inQuotes(entry->name) + ", ");
}

Result<ReferenceRates> readReferenceRates(const std::filesystem::path& file) {
    const Result<int> descriptor = openRegularFile(file, O_RDONLY);
    if (!descriptor) return fileError(file.string(), "gelesen werden", descriptor.status());
    std::string bytes;
    Status read = Status::ok();
    for (;;) {
        // One byte beyond the limit tells a file that is too large from one that just fits.
        const std::size_t size = bytes.size();
        bytes.resize(std::min(size + (std::size_t{1} << 20), kReferenceFileLimit + 1));
        const auto got =
            readAt(*descriptor, bytes.data() + size, bytes.size() - size, static_cast<off_t>(size));
        if (!got) read = got.status();
        bytes.resize(size + (got ? *got : 0));
        if (!read || *got == 0 || bytes.size() > kReferenceFileLimit) break;
    }
    ::close(*descriptor);
    if (!read) return fileError(file.string(), "gelesen werden", read);
    if (bytes.size() > kReferenceFileLimit)
        return Status::fail(fileNamed(file.string()) + " ist größer als " + kLimitText +
                            " und keine Referenzkursdatei.");
    return parseReferenceRates(bytes, file.string());
}

}  // namespace kursomatik
