// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemError.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/Utf8.h"

namespace kursomatik {
namespace {

// The errno values file operations meet, and the causes of our own.
constexpr std::pair<int, const char*> kWordings[] = {
    {ENOENT, "Die Datei oder der Ordner ist nicht vorhanden"},
    {EACCES, "Zugriff verweigert"},
    {EPERM, "Zugriff verweigert"},
    {ENOSPC, "Auf dem Datenträger ist kein Platz mehr frei"},
    {EDQUOT, "Das Speicherkontingent ist erschöpft"},
    {EFBIG, "Die Datei würde zu groß"},
    {EROFS, "Der Datenträger ist schreibgeschützt"},
    {EISDIR, "Unter diesem Namen steht ein Ordner"},
    {ENOTDIR, "Ein Teil des Pfades ist kein Ordner"},
    {EIO, "Ein- oder Ausgabefehler des Datenträgers"},
    {EMFILE, "Zu viele Dateien sind geöffnet"},
    {ENFILE, "Zu viele Dateien sind geöffnet"},
    {EBUSY, "Die Datei wird gerade benutzt"},
    {ENAMETOOLONG, "Der Dateiname ist zu lang"},
    {ELOOP, "Zu viele symbolische Verknüpfungen, vielleicht eine, die auf sich selbst zeigt"},
    {EEXIST, "Unter diesem Namen steht schon etwas"},
    {EXDEV, "Das Ziel liegt auf einem anderen Datenträger"},
    {ETXTBSY, "Die Datei wird gerade als Programm ausgeführt"},
    {ENOMEM, "Der Arbeitsspeicher reicht nicht aus"},
    {ENXIO, "Das Gerät ist nicht vorhanden"},
    {ENODEV, "Das Gerät ist nicht vorhanden"},
    {ESTALE, "Die Datei im Netzwerk ist nicht mehr erreichbar"},
    {EAGAIN, "Die Datei ist gerade nicht verfügbar"},
    {EINTR, "Der Vorgang wurde unterbrochen"},
    {EPIPE, "Der Empfänger der Ausgabe ist beendet"},
    {EINVAL, "Ungültige Angabe für das Dateisystem"},
    {kNotARegularFile, "Unter diesem Namen steht keine gewöhnliche Datei, sondern ein Gerät oder eine Pipe"},
    {kFileTooLarge, "Die Datei ist größer als 1 MB"},
    {0, "Unbekannter Fehler"},
};

}  // namespace

std::string describeErrno(int error) {
    for (const auto& [known, text] : kWordings) {
        if (known == error) return text;
    }
    return std::string("Systemfehler ") + std::to_string(error) + " (" + std::strerror(error) + ")";
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
