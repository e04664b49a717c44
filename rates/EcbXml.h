// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "platform/Result.h"
#include "rates/ReferenceRates.h"

namespace kursomatik {

// The ECB's XML: <Cube time='2024-06-28'> elements, each holding <Cube currency='USD' rate='1.0705'/>
// entries; one of them in the daily file, one per day in the history files. Every entry is checked;
// the newest day's rates are taken. Messages name `fileName` and the element with its line, after
// `where` ("" or the name of the file inside a .zip).
Result<ReferenceRates> parseEcbXml(std::string_view bytes, const std::string& fileName,
                                   const std::string& where);

}  // namespace kursomatik
