// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/RegionalSettings.h"
#include "platform/Result.h"

namespace kursomatik {

// What the command was asked to do. The rounding factors are those of the INI keys stellen1 and
// stellen2 (1000 or 10000; 100, 1000 or 10000); empty: the user's settings hold. Import: the
// reference-rate file in `import`; rates newer than its day are kept unless `ueberschreiben`. Update:
// the same with the file of the source the settings name, fetched from the network. OnDay: the
// conversion with the reference rates of `datum` from the rate history; Series: the cross rate of
// von and nach per day from `seit` to `bis`.
struct RechnerOptions {
    enum class Mode { Convert, All, List, Import, Update, OnDay, Series, Help, Version };
    Mode mode = Mode::Convert;
    std::string betrag;
    std::string von;
    std::string nach;
    std::optional<std::filesystem::path> tabelle;
    std::optional<double> dStellen1;
    std::optional<double> dStellen2;
    bool json = false;
    std::optional<std::filesystem::path> import;
    bool aktualisieren = false;
    bool ueberschreiben = false;
    std::optional<CivilDate> datum;
    bool verlauf = false;
    std::optional<CivilDate> seit;  // --von
    std::optional<CivilDate> bis;
};

// The arguments after the command's name. A failure is a German message naming the argument.
Result<RechnerOptions> parseCommandLine(const std::vector<std::string>& args);

// The command's usage, printed by --help.
std::string rechnerHilfe();

}  // namespace kursomatik
