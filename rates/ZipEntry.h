// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "platform/Result.h"

namespace kursomatik {

// A file unpacked from a .zip archive.
struct ZipEntry {
    std::string name;
    std::string bytes;
};

// Whether the bytes begin as a .zip archive does.
bool looksLikeZip(std::string_view bytes);

// The reference-rate file in a .zip archive held in `bytes`: its first .csv or .xml file. Unpacked are at
// most `limit` bytes, whatever the archive claims. Messages name `fileName`.
Result<ZipEntry> unpackReferenceFile(std::string_view bytes, const std::string& fileName, std::size_t limit);

}  // namespace kursomatik
