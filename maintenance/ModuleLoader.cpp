// SPDX-License-Identifier: GPL-3.0-or-later
#include "maintenance/ModuleLoader.h"

#include <dlfcn.h>

#include "platform/SystemError.h"

namespace kursomatik {

Result<void*> moduleEntry(const std::filesystem::path& folder, const char* fileName, const char* entry,
                          const std::string& part) {
    const std::filesystem::path module = folder / fileName;
    // Local: the module's own copies of shared code must not stand in for the program's.
    void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    void* found = handle == nullptr ? nullptr : ::dlsym(handle, entry);
    if (found != nullptr) return found;
    const char* why = ::dlerror();
    return Status::fail("Der Teil von Kursomatik, der " + part + " (" + inQuotes(module) +
                            "), lässt sich nicht laden" + (why != nullptr ? std::string(": ") + why : "") +
                            ".",
                        Cause::Missing);
}

}  // namespace kursomatik
