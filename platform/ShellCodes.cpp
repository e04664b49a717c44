#include "ShellCodes.h"

namespace kursomatik {

int shellCodeOfXdgOpen(bool started, int exitCode) {
    if (!started) return kShellNoAssociation;  // xdg-open is not installed
    switch (exitCode) {
        case 0:
            return kShellSuccess;
        case 2:
            return kShellFileNotFound;  // the target does not exist
        case 3:
            return kShellNoAssociation;  // no tool for that kind of address
        default:
            return exitCode;
    }
}

}  // namespace kursomatik
