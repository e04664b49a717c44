#include "Einstellungen.h"

#include "IniFile.h"
#include "NumberValue.h"

namespace kursomatik {

std::string IniLesen(const SettingsState& settings, const SettingsEnvironment& environment,
                     const std::string& section, const std::string& key, const std::string& defaultValue,
                     bool privat) {
    const auto& file = privat ? std::filesystem::path(settings.sIniDatei) : environment.systemProfile;
    return getProfileString(file, section, key, defaultValue);
}

Status IniSchreiben(const SettingsState& settings, const SettingsEnvironment& environment,
                    const std::string& section, const std::string& key, const std::string& value,
                    bool privat) {
    const auto& file = privat ? std::filesystem::path(settings.sIniDatei) : environment.systemProfile;
    return writeProfileString(file, section, key, value);
}

void EinstellungenLesen(SettingsState& s, const SettingsEnvironment& environment) {
    auto read = [&](const char* key, std::string& variable, bool privat) {
        variable = IniLesen(s, environment, s.sIniSektion, key, variable, privat);
    };
    // WIN.INI may name another INI file. The path beside the program is not passed as the default:
    // a default is cut to 199 characters, and deep folders are common here.
    if (std::string named = IniLesen(s, environment, s.sIniSektion, "IniDatei", "", false); !named.empty()) {
        s.sIniDatei = std::move(named);
    }
    read("stellen1", s.sStellen1, true);
    read("stellen2", s.sStellen2, true);
    read("optionen1", s.sOptionen1, true);
    read("optionen2", s.sOptionen2, true);
    read("startwaehrung", s.sStartwaehrung, true);
    read("ausgabewaehrung", s.sAusgabewaehrung, true);
    s.dStellen1 = numberValue(s.sStellen1);
    s.dStellen2 = numberValue(s.sStellen2);
}

bool Initialisierung(std::string& sStartauswahl, SettingsState& settings,
                     const SettingsEnvironment& environment) {
    sStartauswahl = "1";
    if (environment.instanceGuard && !environment.instanceGuard()) return false;
    settings.sIniDatei = (environment.programDir / (std::string(kAppTitle) + ".ini")).string();
    settings.sIniSektion = kAppTitle;
    EinstellungenLesen(settings, environment);
    return true;
}

}  // namespace kursomatik
