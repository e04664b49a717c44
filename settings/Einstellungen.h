// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Result.h"

namespace kursomatik {

inline constexpr const char* kAppTitle = "Kursomatik";

// The longest "kursalter" the settings take, in days (a hundred years).
inline constexpr int kMaxRateAgeDays = 36500;
// The longest "kurszeit", in seconds.
inline constexpr int kMaxRequestSeconds = 600;

// The settings of the private INI file, as read by EinstellungenLesen and written by the
// options dialog. Text variables start empty: the program has no built-in defaults.
struct SettingsState {
    std::string sIniSektion;
    std::string sIniDatei;
    std::string sStellen1;
    std::string sStellen2;
    std::string sOptionen1;
    std::string sOptionen2;
    std::string sStartwaehrung;
    std::string sAusgabewaehrung;
    double dStellen1 = 0.0;  // rounding factor of the Euro intermediate value
    double dStellen2 = 0.0;  // rounding factor of the shown result
    int iKursalter = 30;     // days after which a rate counts as old; 0: never ("kursalter")
    // The update from the network: the source's address, the time it may take in seconds, an extra CA
    // file, and the validators of the last answer. An empty source or time means the default.
    std::string sKursquelle;
    int iKurszeit = 0;
    std::string sKurszertifikate;
    std::string sKursquelleEtag;
    std::string sKursquelleStand;
    std::string lastReadProblem;   // told to the user already; not repeated at the next reading
    std::string lastWriteProblem;  // the same for writing the settings
};

// Where the settings come from.
struct SettingsEnvironment {
    std::filesystem::path programDir;     // the private INI lies here unless WIN.INI names another
    std::filesystem::path systemProfile;  // WIN.INI, read only
    // Tells the user why a settings file cannot be read.
    std::function<void(const std::string&)> report;
};

// Why a path cannot stand as IniDatei in WIN.INI (a control character, more characters than a
// profile value keeps, WIN.INI itself); empty when it can.
std::optional<std::string> iniDateiProblem(std::string_view path, const std::filesystem::path& systemProfile);

Status IniSchreiben(const SettingsState& settings, const SettingsEnvironment& environment,
                    const std::string& section, const std::string& key, const std::string& value,
                    bool privat);

// Reads WIN.INI for IniDatei and then every setting from the private INI file, each file once. A file
// that cannot be read (a pipe, a device, a folder, one over 1 MB) counts as missing, and an IniDatei
// that cannot be used counts as none; the user is told so once, not again at every reading while it
// stays so.
void EinstellungenLesen(SettingsState& settings, const SettingsEnvironment& environment);

// The settings at start-up and on "OK": sStartauswahl := "1", then the INI path and every setting.
void Initialisierung(std::string& sStartauswahl, SettingsState& settings,
                     const SettingsEnvironment& environment);

}  // namespace kursomatik
