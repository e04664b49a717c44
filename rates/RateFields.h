// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "conversion/DecimalNumber.h"
#include "platform/RegionalSettings.h"
#include "platform/Result.h"

// What the readers of the XML and CSV files share: the checks of a code, a rate and a date, and
// the one shape of their messages.
namespace kursomatik::ratefields {

// Three letters A to Z, as ISO 4217 writes every code.
bool isCurrencyCode(std::string_view text);
// A rate as the ECB writes it ("1.0705": digits, at most one full stop, whatever the user's locale)
// greater than zero.
bool isRate(std::string_view text);
// Its exact value; empty unless isRate.
std::optional<DecimalNumber> parseRate(std::string_view text);
// "Die Datei „name“ kann nicht importiert werden: <place>: <cause>."
Status importError(const std::string& fileName, const std::string& place, const std::string& cause);
// „text“, cut after 20 characters so that a line of garbage does not fill the message.
std::string quotedText(std::string_view text);

}  // namespace kursomatik::ratefields
