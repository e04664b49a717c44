// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ShellCodes.h"

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
    switch (code) {
        case 2:
            return "ERROR_FILE_NOT_FOUND";
        case 3:
            return "ERROR_PATH_NOT_FOUND";
        case 5:
            return "SE_ERR_ACCESSDENIED";
        case 8:
            return "SE_ERR_OOM (Not enough Memory)";
        case 11:
            return "ERROR_BAD_FORMAT";
        case 26:
            return "SE_ERR_SHARE";
        case 27:
            return "SE_ERR_ASSOCINCOMPLETE";
        case 28:
            return "SE_ERR_DDETIMEOUT";
        case 29:
            return "SE_ERR_DDEFAIL";
        case 30:
            return "SE_ERR_DDEBUSY";
        case 31:
            return "SE_ERR_NOASSOC";
        case 32:
            return "SE_ERR_DLLNOTFOUND";
        default:
            return "Unbekannter Fehler No.: " + std::to_string(code);
    }
}

}  // namespace kursomatik
