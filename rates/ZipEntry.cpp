// SPDX-License-Identifier: GPL-3.0-or-later
#include "rates/ZipEntry.h"

#include <zip.h>

#include <algorithm>
#include <memory>
#include <optional>

#include "platform/SystemError.h"

namespace kursomatik {
namespace {

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryCloser {
    void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

bool endsWithCaseless(std::string_view name, std::string_view suffix) {
    if (name.size() < suffix.size()) return false;
    name.remove_prefix(name.size() - suffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        if ((name[i] | 0x20) != suffix[i]) return false;
    }
    return true;
}

// The index of the reference-rate file: the first .csv or .xml that is not a folder.
std::optional<zip_uint64_t> chooseEntry(zip_t* archive) {
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_uint64_t i = 0; i < static_cast<zip_uint64_t>(count); ++i) {
        const char* name = zip_get_name(archive, i, 0);
        if (name != nullptr && (endsWithCaseless(name, ".csv") || endsWithCaseless(name, ".xml"))) return i;
    }
    return std::nullopt;
}

}  // namespace

bool looksLikeZip(std::string_view bytes) {
    return bytes.starts_with(std::string_view("PK\x03\x04", 4)) ||
           bytes.starts_with(std::string_view("PK\x05\x06", 4));
}

Result<ZipEntry> unpackReferenceFile(std::string_view bytes, const std::string& fileName, std::size_t limit) {
    const auto failed = [&](const std::string& cause) {
        return Status::fail(fileNamed(fileName) + " " + cause);
    };
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    Archive archive(source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr);
    zip_error_fini(&error);
    if (!archive) {
        if (source) zip_source_free(source);
        return failed("ist kein lesbares ZIP-Archiv.");
    }
    const auto index = chooseEntry(archive.get());
    if (!index) return failed("enthält keine Referenzkursdatei (.csv oder .xml).");
    ZipEntry entry{zip_get_name(archive.get(), *index, 0), {}};
    const std::string limitText = std::to_string(limit >> 20) + " MiB";
    zip_stat_t info;
    if (zip_stat_index(archive.get(), *index, 0, &info) == 0 && (info.valid & ZIP_STAT_SIZE) &&
        info.size > limit)
        return failed("enthält " + inQuotes(entry.name) + " mit mehr als " + limitText +
                      "; das ist keine Referenzkursdatei.");
    std::unique_ptr<zip_file_t, EntryCloser> file(zip_fopen_index(archive.get(), *index, 0));
    if (!file) {
        return failed("ist verschlüsselt, mit einem unbekannten Verfahren gepackt oder beschädigt: " +
                      inQuotes(entry.name) + " kann nicht entpackt werden.");
    }
    // The size in the archive may lie: reading stops one byte beyond the limit.
    for (;;) {
        const std::size_t size = entry.bytes.size();
        entry.bytes.resize(std::min(size + 65536, limit + 1));
        const zip_int64_t got = zip_fread(file.get(), entry.bytes.data() + size, entry.bytes.size() - size);
        if (got < 0)
            return failed("ist beschädigt: " + inQuotes(entry.name) + " kann nicht entpackt werden.");
        entry.bytes.resize(size + static_cast<std::size_t>(got));
        if (entry.bytes.size() > limit)
            return failed("enthält " + inQuotes(entry.name) + " mit mehr als " + limitText +
                          "; das ist keine Referenzkursdatei.");
        if (got == 0) return entry;
    }
}

}  // namespace kursomatik
