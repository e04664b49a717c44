// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/CurrencyRecord.h"

namespace kursomatik::testsupport {

// A record with every field stored the way the editor stores it: padded to its width.
inline CurrencyRecord makeRecord(const std::string& name, const std::string& iso, const std::string& kurs,
                                 const std::string& ewwu = "1", const std::string& datum = "04.01.1999") {
    CurrencyRecord r;
    storeField(r, &CurrencyRecord::Bezeichnung, name), storeField(r, &CurrencyRecord::ISO, iso);
    storeField(r, &CurrencyRecord::Kurs, kurs), storeField(r, &CurrencyRecord::EWWU, ewwu);
    storeField(r, &CurrencyRecord::Datum, datum);
    return r;
}

}  // namespace kursomatik::testsupport
