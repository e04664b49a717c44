// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ListPosition.h"

#include <cmath>

#include "conversion/DecimalNumber.h"

namespace kursomatik {

std::optional<int> listPosition(const std::string& text, const RegionalSettings& regional) {
    const auto number = parseRegionalNumber(text, regional);
    if (!number) return std::nullopt;
    const double value = std::nearbyint(number->toDouble());
    if (!(value >= -32768 && value <= 32767)) return std::nullopt;
    return static_cast<int>(value);
}

Status followStartCurrencies(SettingsState& settings, const SettingsEnvironment& environment,
                             const RegionalSettings& regional,
                             const std::function<std::optional<long>(long position)>& newPosition) {
    Status result = Status::ok();
    for (auto [key, variable] : {std::pair{"startwaehrung", &settings.sStartwaehrung},
                                 {"ausgabewaehrung", &settings.sAusgabewaehrung}}) {
        const auto old = listPosition(*variable, regional);
        const auto moved = old ? newPosition(*old) : std::nullopt;
        if (!moved || *moved == *old) continue;
        // Written as the options dialog writes a chosen position.
        *variable = std::to_string(*moved);
        Status written = IniSchreiben(settings, environment, settings.sIniSektion, key, *variable, true);
        if (!written && result) result = std::move(written);
    }
    return result;
}

}  // namespace kursomatik
