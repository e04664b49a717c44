// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/HelpFile.h"

#include <system_error>

namespace kursomatik {

std::optional<std::filesystem::path> findHelpFile(const std::string& name,
                                                  const std::vector<std::filesystem::path>& folders) {
    for (const auto& folder : folders) {
        if (folder.empty()) continue;
        std::error_code error;
        const auto candidate = std::filesystem::absolute(folder / name, error).lexically_normal();
        if (!error && std::filesystem::is_regular_file(candidate, error)) return candidate;
    }
    return std::nullopt;
}

std::string helpAnchor(int topic) {
    return topic == 0 ? std::string() : "thema" + std::to_string(topic);
}

}  // namespace kursomatik
