// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ShellCodes.h"

#include <utility>

namespace kursomatik {

int shellCodeOfXdgOpen(HelperEnd end, int status) {
    switch (end) {
        case HelperEnd::NotStarted:
            return kShellNoAssociation;  // xdg-open is not installed
        case HelperEnd::StillRunning:
            return kShellSuccess;
        case HelperEnd::Killed:
            return -(128 + status);
        case HelperEnd::Exited:
            break;
    }
    switch (status) {
        case 0:
            return kShellSuccess;
        case 2:
            return kShellFileNotFound;  // the target does not exist
        case 3:
            return kShellNoAssociation;  // no tool for that kind of address
        default:
            return -status;
    }
}

std::string GetErrorString(std::int32_t code) {
    static constexpr std::pair<std::int32_t, const char*> kNames[] = {
        {2, "ERROR_FILE_NOT_FOUND"},    {3, "ERROR_PATH_NOT_FOUND"},
        {5, "SE_ERR_ACCESSDENIED"},     {8, "SE_ERR_OOM (Not enough Memory)"},
        {11, "ERROR_BAD_FORMAT"},       {26, "SE_ERR_SHARE"},
        {27, "SE_ERR_ASSOCINCOMPLETE"}, {28, "SE_ERR_DDETIMEOUT"},
        {29, "SE_ERR_DDEFAIL"},         {30, "SE_ERR_DDEBUSY"},
        {31, "SE_ERR_NOASSOC"},         {32, "SE_ERR_DLLNOTFOUND"},
    };
    for (const auto& [known, name] : kNames) {
        if (known == code) return name;
    }
    return "Unbekannter Fehler No.: " + std::to_string(code);
}

}  // namespace kursomatik
