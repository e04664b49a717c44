// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <zip.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace kursomatik::testing {

// A .zip archive holding the given files, written with libzip as any packer would write it.
inline void writeZip(const std::filesystem::path& file,
                     const std::vector<std::pair<std::string, std::string>>& entries) {
    int error = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    for (const auto& [name, bytes] : entries) {
        zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE);
    }
    zip_close(archive);
}

// The ECB's daily files of 28 June 2024, shortened to a few currencies.
inline const std::string kDailyCsv =
    "Date, USD, JPY, HRK, TRY, XAU, \n28 June 2024, 1.0705, 172.43, 7.5345, 35.1893, 0.5, \n";
inline const std::string kDailyXml =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<gesmes:Envelope xmlns:gesmes=\"http://www.gesmes.org/xml/2002-08-01\" "
    "xmlns=\"http://www.ecb.int/vocabulary/2002-08-01/eurofxref\">\n"
    "\t<gesmes:subject>Reference rates</gesmes:subject>\n"
    "\t<Cube>\n\t\t<Cube time='2024-06-28'>\n"
    "\t\t\t<Cube currency='USD' rate='1.0705'/>\n\t\t\t<Cube currency='JPY' rate='172.43'/>\n"
    "\t\t\t<Cube currency='HRK' rate='7.5345'/>\n\t\t\t<Cube currency='TRY' rate='35.1893'/>\n"
    "\t\t\t<Cube currency='XAU' rate='0.5'/>\n\t\t</Cube>\n\t</Cube>\n</gesmes:Envelope>\n";

}  // namespace kursomatik::testing
