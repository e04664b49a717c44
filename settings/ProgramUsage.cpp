// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ProgramUsage.h"

#include <cerrno>
#include <cstdio>
#include <string_view>

#include "platform/SystemError.h"
#include "platform/Version.h"
#include "settings/Locations.h"
#include "store/RecordFile.h"

namespace kursomatik {
std::optional<std::string> commandLineAnswer(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") return programUsage();
        if (argument == "--version") return std::string("kursomatik ") + kVersion + "\n";
    }
    return std::nullopt;
}

std::string programUsage() {
    const std::filesystem::path data = dataFolder();
    const std::filesystem::path profile = systemProfilePath();
    const std::string table = kCurrencyFileName;
    return "Aufruf: kursomatik [--help | --version]\n"
           "\n"
           "Kursomatik rechnet Beträge über den Euro von einer Währung in eine andere um, mit den\n"
           "Rundungen der Euro-Umstellung. Außer --help (-h) und --version gibt es keine\n"
           "Optionen: Alles Weitere wählen Sie in den Fenstern des Programms.\n"
           "\n"
           "Dateien:\n  " +
           (data.empty() ? "~/.local/share/Kursomatik" : data.string()) +
           "\n      der Datenordner mit der Währungstabelle " + table +
           ". Der Befehl kursomatik legt\n"
           "      sie beim ersten Start dort an und startet das Programm in diesem Ordner.\n  " +
           kSettingsFileName +
           "\n      die Einstellungen, neben dem Programm oder in der Datei, die der Eintrag IniDatei\n"
           "      im Abschnitt [Kursomatik] von " +
           (profile.empty() ? std::string("~/.config/") + kSystemProfileName : profile.string()) +
           " nennt.\n"
           "\n"
           "Für Skripte rechnet der Befehl kursomatik-rechner ohne Fenster und ohne Anzeige\n"
           "(kursomatik-rechner --help). Mehr: man kursomatik\n";
}

int printAnswer(const std::string& answer) {
    // stdio, not iostream: the program links this, and the streams' set-up would cost every start.
    errno = 0;
    if (std::fwrite(answer.data(), 1, answer.size(), stdout) == answer.size() && std::fflush(stdout) == 0)
        return 0;
    const std::string message =
        "kursomatik: Die Ausgabe kann nicht geschrieben werden: " + describeErrno(errno) + ".\n";
    std::fputs(message.c_str(), stderr);
    return 1;
}

}  // namespace kursomatik
