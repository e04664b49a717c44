// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/Einstellungen.h"

#include <algorithm>

#include "conversion/NumberValue.h"
#include "platform/SystemError.h"
#include "platform/Utf8.h"
#include "settings/IniFile.h"
#include "settings/Locations.h"

namespace kursomatik {

Status IniSchreiben(const SettingsState& settings, const SettingsEnvironment& environment,
                    const std::string& section, const std::string& key, const std::string& value,
                    bool privat) {
    const auto& file = privat ? std::filesystem::path(settings.sIniDatei) : environment.systemProfile;
    return writeProfileString(file, section, key, readableAsWritten(value));
}

std::optional<std::string> iniDateiProblem(std::string_view path,
                                           const std::filesystem::path& systemProfile) {
    if (std::any_of(path.begin(), path.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }))
        return "Der Pfad enthält ein Steuerzeichen (etwa einen Zeilenumbruch)";
    if (utf8::length(path) > kProfileValueLimit)
        return "Der Pfad ist länger als " + std::to_string(kProfileValueLimit) + " Zeichen";
    std::error_code error;
    const std::filesystem::path named(path);
    if (std::filesystem::equivalent(named, systemProfile, error) ||
        std::filesystem::weakly_canonical(named, error) ==
            std::filesystem::weakly_canonical(systemProfile, error))
        return std::string("Der Pfad nennt ") + kSystemProfileName + " selbst";
    return std::nullopt;
}

namespace {

// A whole number of days from 0 to 36500; anything else (also no entry) keeps the 30 days.
// A count of whole units up to `most`; anything else gives `otherwise`.
int countSetting(const std::string& text, int most, int otherwise) {
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
    if (digits == 0 || digits != text.size() || digits > 5) return otherwise;
    const int count = std::stoi(text);
    return count <= most ? count : otherwise;
}

}  // namespace

void EinstellungenLesen(SettingsState& s, const SettingsEnvironment& environment) {
    std::string problems;
    const auto textOf = [&problems](const std::filesystem::path& file) {
        auto text = readWholeFile(file);
        if (text) return std::move(*text);
        problems +=
            (problems.empty() ? "" : "\n") + text.error() + " Die Einstellungen darin bleiben unbeachtet.";
        return std::string();
    };
    // WIN.INI may name another INI file. The path beside the program is not passed as the default:
    // a default is cut to 199 characters, and deep folders are common here.
    const std::string system = textOf(environment.systemProfile);
    const std::string named = profileValue(system, s.sIniSektion, "IniDatei", "", std::string::npos);
    if (const auto problem =
            named.empty() ? std::nullopt : iniDateiProblem(named, environment.systemProfile)) {
        problems += (problems.empty() ? "" : "\n") + std::string("Der Eintrag IniDatei in ") +
                    inQuotes(environment.systemProfile) + " ist unbrauchbar: " + *problem +
                    ". Er bleibt unbeachtet; die Einstellungen kommen aus " + inQuotes(s.sIniDatei) + ".";
    } else if (!named.empty()) {
        s.sIniDatei = named;
    }
    const std::string privat = textOf(s.sIniDatei);
    for (auto [key, variable] : {std::pair{"stellen1", &s.sStellen1},
                                 {"stellen2", &s.sStellen2},
                                 {"optionen1", &s.sOptionen1},
                                 {"optionen2", &s.sOptionen2},
                                 {"startwaehrung", &s.sStartwaehrung},
                                 {"ausgabewaehrung", &s.sAusgabewaehrung}}) {
        *variable = profileValue(privat, s.sIniSektion, key, *variable);
    }
    s.iKursalter = countSetting(profileValue(privat, s.sIniSektion, "kursalter", ""), kMaxRateAgeDays, 30);
    // Addresses, paths and validators are longer than the profile buffer keeps.
    for (auto [key, variable] : {std::pair{"kursquelle", &s.sKursquelle},
                                 {"kurszertifikate", &s.sKurszertifikate},
                                 {"kursquelle_etag", &s.sKursquelleEtag},
                                 {"kursquelle_stand", &s.sKursquelleStand}}) {
        *variable = profileValue(privat, s.sIniSektion, key, "", std::string::npos);
    }
    s.iKurszeit = countSetting(profileValue(privat, s.sIniSektion, "kurszeit", ""), kMaxRequestSeconds, 0);
    s.dStellen1 = numberValue(s.sStellen1);
    s.dStellen2 = numberValue(s.sStellen2);
    if (!problems.empty() && problems != s.lastReadProblem && environment.report)
        environment.report(problems);
    s.lastReadProblem = problems;
}

void Initialisierung(std::string& sStartauswahl, SettingsState& settings,
                     const SettingsEnvironment& environment) {
    sStartauswahl = "1";
    settings.sIniDatei = (environment.programDir / kSettingsFileName).string();
    settings.sIniSektion = kAppTitle;
    EinstellungenLesen(settings, environment);
}

}  // namespace kursomatik
