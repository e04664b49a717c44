// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/OptionWrites.h"

#include <algorithm>

#include "conversion/Decimals.h"
#include "settings/ListPosition.h"

namespace kursomatik {

Status writeSetting(SettingsState& settings, const SettingsEnvironment& environment, const char* key,
                    std::string& variable, const std::string& value) {
    variable = value;
    const Status written = IniSchreiben(settings, environment, settings.sIniSektion, key, value, true);
    if (written) {
        settings.lastWriteProblem.clear();
        return written;
    }
    if (written.error() == settings.lastWriteProblem) return Status::ok();
    settings.lastWriteProblem = written.error();
    return Status::fail(written.error() + "\nDie Einstellung gilt nur bis zum Programmende.",
                        written.cause());
}

Status writeDecimalsPairs(SettingsState& settings, const SettingsEnvironment& environment) {
    Status first = Status::ok();
    const auto keep = [&first](Status written) {
        if (first) first = std::move(written);
    };
    for (const Decimals& choice : kResultDecimals) {
        if (settings.sOptionen2 != choice.option) continue;
        keep(writeSetting(settings, environment, "stellen2", settings.sStellen2, choice.factorText()));
        keep(writeSetting(settings, environment, "optionen2", settings.sOptionen2, choice.option));
        break;
    }
    for (const Decimals& choice : kEuroDecimals) {
        if (settings.sOptionen1 != choice.option) continue;
        keep(writeSetting(settings, environment, "stellen1", settings.sStellen1, choice.factorText()));
        keep(writeSetting(settings, environment, "optionen1", settings.sOptionen1, choice.option));
        break;
    }
    return first;
}

Status StartCurrencyChoices::takeCurrencies(std::size_t entries, SettingsState& settings,
                                            const SettingsEnvironment& environment,
                                            const RegionalSettings& regional) {
    entries_ = std::max(entries_, entries);
    if (entries == 0) return Status::ok();
    Status first = choose(chosen_[0], settings.sAusgabewaehrung, settings.sAusgabewaehrung, "ausgabewaehrung",
                          settings, environment, regional);
    Status second = choose(chosen_[1], settings.sStartwaehrung, settings.sStartwaehrung, "startwaehrung",
                           settings, environment, regional);
    return first ? second : first;
}

Status StartCurrencyChoices::choose(int& chosen, const std::string& position, std::string& variable,
                                    const char* key, SettingsState& settings,
                                    const SettingsEnvironment& environment,
                                    const RegionalSettings& regional) {
    // A position the list cannot take, or the one chosen already, changes nothing.
    const auto k = listPosition(position, regional);
    if (!k || *k < -1 || *k >= static_cast<int>(entries_) || *k == chosen) return Status::ok();
    chosen = *k;
    if (chosen < 1) {
        if (entries_ < 2) return Status::ok();
        chosen = 1;
    }
    return writeSetting(settings, environment, key, variable, std::to_string(chosen));
}

}  // namespace kursomatik
