// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "platform/RegionalSettings.h"
#include "platform/Result.h"
#include "settings/Einstellungen.h"

namespace kursomatik {

// Sets a setting and writes its key into the private INI file, as every option of the options dialog
// does. A failure comes back once per cause, with the words for the user ("... Die Einstellung gilt
// nur bis zum Programmende."): a folder that cannot be written would otherwise be told at every click.
Status writeSetting(SettingsState& settings, const SettingsEnvironment& environment, const char* key,
                    std::string& variable, const std::string& value);

// What the options dialog writes when it is made, done while it is not: the pair of each decimals
// option the settings name, written again (stellen2 and optionen2, then stellen1 and optionen1).
Status writeDecimalsPairs(SettingsState& settings, const SettingsEnvironment& environment);

// The options dialog's lists of start currencies (txtausgabe2, txtstart) while the dialog is not made:
// how many entries they hold and which one each has chosen, and what their handlers write when a list
// pass chooses the settings' positions in them. A choice below 1 moves to 1 where a second entry is
// there, since the first currency cannot be a start currency. The lists never shrink: entries left
// from a longer list stay, as in the dialog.
class StartCurrencyChoices {
  public:
    Status takeCurrencies(std::size_t entries, SettingsState& settings,
                          const SettingsEnvironment& environment, const RegionalSettings& regional);

  private:
    Status choose(int& chosen, const std::string& position, std::string& variable, const char* key,
                  SettingsState& settings, const SettingsEnvironment& environment,
                  const RegionalSettings& regional);

    std::size_t entries_ = 0;
    std::array<int, 2> chosen_{-1, -1};  // ausgabewaehrung, startwaehrung
};

}  // namespace kursomatik
