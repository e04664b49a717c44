// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kursomatik {

// The help file is named without a folder; it is looked for in these folders, in this order.
std::optional<std::filesystem::path> findHelpFile(const std::string& name,
                                                  const std::vector<std::filesystem::path>& folders);

// The anchor of a help topic in the help file ("thema11"); empty for topic 0, the file's start.
std::string helpAnchor(int topic);

}  // namespace kursomatik
