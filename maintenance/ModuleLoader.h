// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/Result.h"

namespace kursomatik {

// The parts of the program that bring large libraries (the network's TLS, the history's SQLite) lie
// in modules beside it, loaded at their first use so that the start never maps those libraries. A
// loaded module stays loaded: the objects it made run its code until the program ends.
//
// The entry `entry` of `folder`/`fileName`, or a German message naming the module, what it does
// (`part`: "Kurse aus dem Netz holt") and the loader's cause.
Result<void*> moduleEntry(const std::filesystem::path& folder, const char* fileName, const char* entry,
                          const std::string& part);

// The object a module's entry `Type* entry()` makes.
template <class Type>
Result<std::unique_ptr<Type>> createFromModule(const std::filesystem::path& folder, const char* fileName,
                                               const char* entry, const std::string& part) {
    const Result<void*> found = moduleEntry(folder, fileName, entry, part);
    if (!found) return found.status();
    return std::unique_ptr<Type>(reinterpret_cast<Type* (*)()>(*found)());
}

}  // namespace kursomatik
