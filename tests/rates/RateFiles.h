// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <zip.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/TempDir.h"

namespace kursomatik::testsupport {

// The ECB's daily CSV file of 28 June 2024, shortened to a few currencies.
inline const std::string kDailyCsv =
    "Date, USD, JPY, HRK, TRY, XAU, \n28 June 2024, 1.0705, 172.43, 7.5345, 35.1893, 0.5, \n";

// A .zip archive holding the given files, written with libzip as any packer would write it.
// `method` and `password` as libzip takes them (ZIP_CM_STORE, ...); deflated and open by default.
// Gives the archive's bytes.
inline std::string writeZip(const std::filesystem::path& file,
                            const std::vector<std::pair<std::string, std::string>>& entries,
                            zip_int32_t method = ZIP_CM_DEFAULT, const char* password = nullptr) {
    int error = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    for (const auto& [name, bytes] : entries) {
        zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        const zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE);
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), method, 0);
        // An extended time stamp, as Info-ZIP's zip adds one to every entry.
        const zip_uint8_t stamp[5] = {1, 0, 0, 0, 0};
        zip_file_extra_field_set(archive, static_cast<zip_uint64_t>(index), 0x5455, ZIP_EXTRA_FIELD_NEW,
                                 stamp, sizeof stamp, ZIP_FL_CENTRAL | ZIP_FL_LOCAL);
        if (password != nullptr)
            zip_file_set_encryption(archive, static_cast<zip_uint64_t>(index), ZIP_EM_TRAD_PKWARE, password);
    }
    zip_close(archive);
    return readFile(file);
}

}  // namespace kursomatik::testsupport
