// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/XdgFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace kursomatik {
namespace {

bool isAbsolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

const char* homeFolder() {
    if (const char* home = std::getenv("HOME"); isAbsolute(home)) return home;
    const passwd* entry = ::getpwuid(::getuid());
    return entry != nullptr ? entry->pw_dir : nullptr;
}

}  // namespace

std::filesystem::path xdgBaseFolder(const char* value, const char* home, const char* belowHome) {
    if (isAbsolute(value)) return value;
    if (!isAbsolute(home)) return {};
    return std::filesystem::path(home) / belowHome;
}

std::filesystem::path xdgDataHome() {
    return xdgBaseFolder(std::getenv("XDG_DATA_HOME"), homeFolder(), ".local/share");
}

std::filesystem::path xdgConfigHome() {
    return xdgBaseFolder(std::getenv("XDG_CONFIG_HOME"), homeFolder(), ".config");
}

std::filesystem::path xdgCacheHome() {
    return xdgBaseFolder(std::getenv("XDG_CACHE_HOME"), homeFolder(), ".cache");
}

}  // namespace kursomatik
