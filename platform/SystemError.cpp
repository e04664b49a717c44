// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemError.h"

#include <cerrno>
#include <cstring>

#include "platform/Utf8.h"

namespace kursomatik {

std::string describeErrno(int error) {
    switch (error) {
        case ENOENT:
            return "Die Datei oder der Ordner ist nicht vorhanden";
        case EACCES:
        case EPERM:
            return "Zugriff verweigert";
        case ENOSPC:
            return "Auf dem Datenträger ist kein Platz mehr frei";
        case EDQUOT:
            return "Das Speicherkontingent ist erschöpft";
        case EFBIG:
            return "Die Datei würde zu groß";
        case EROFS:
            return "Der Datenträger ist schreibgeschützt";
        case EISDIR:
            return "Unter diesem Namen steht ein Ordner";
        case ENOTDIR:
            return "Ein Teil des Pfades ist kein Ordner";
        case EIO:
            return "Ein- oder Ausgabefehler des Datenträgers";
        case EMFILE:
        case ENFILE:
            return "Zu viele Dateien sind geöffnet";
        case EBUSY:
            return "Die Datei wird gerade benutzt";
        case ENAMETOOLONG:
            return "Der Dateiname ist zu lang";
        case ELOOP:
            return "Zu viele symbolische Verknüpfungen, vielleicht eine, die auf sich selbst zeigt";
        case EEXIST:
            return "Unter diesem Namen steht schon etwas";
        case EXDEV:
            return "Das Ziel liegt auf einem anderen Datenträger";
        case ETXTBSY:
            return "Die Datei wird gerade als Programm ausgeführt";
        case ENOMEM:
            return "Der Arbeitsspeicher reicht nicht aus";
        case ENXIO:
        case ENODEV:
            return "Das Gerät ist nicht vorhanden";
        case ESTALE:
            return "Die Datei im Netzwerk ist nicht mehr erreichbar";
        case EAGAIN:
            return "Die Datei ist gerade nicht verfügbar";
        case EINTR:
            return "Der Vorgang wurde unterbrochen";
        case EPIPE:
            return "Der Empfänger der Ausgabe ist beendet";
        case EINVAL:
            return "Ungültige Angabe für das Dateisystem";
        case kNotARegularFile:
            return "Unter diesem Namen steht keine gewöhnliche Datei, sondern ein Gerät oder eine Pipe";
        case kFileTooLarge:
            return "Die Datei ist größer als 1 MB";
        case 0:
            return "Unbekannter Fehler";
        default:
            return std::string("Systemfehler ") + std::to_string(error) + " (" + std::strerror(error) + ")";
    }
}

Status systemFailure(int error) {
    const Cause cause = error == ENOENT                                       ? Cause::Missing
                        : error == EACCES || error == EPERM || error == EROFS ? Cause::Refused
                        : error == EFBIG || error == kFileTooLarge            ? Cause::TooLarge
                                                                              : Cause::Other;
    return Status::fail(describeErrno(error), cause);
}

Status systemCall(bool succeeded) {
    return succeeded ? Status::ok() : systemFailure(errno);
}

std::string inQuotes(const std::filesystem::path& name) {
    return "\u201E" + utf8::printable(name.string()) + "\u201C";
}

std::string fileNamed(const std::string& fileName) {
    return "Die Datei " + inQuotes(fileName);
}

Status fileError(const std::string& fileName, const std::string& action, const Status& cause) {
    return Status::fail(fileNamed(fileName) + " kann nicht " + action + ": " + cause.error() + ".",
                        cause.cause());
}

}  // namespace kursomatik
