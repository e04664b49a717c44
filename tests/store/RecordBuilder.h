// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/CurrencyRecord.h"

namespace kursomatik::testsupport {

// A record with every field stored the way the editor stores it: padded to its width.
inline CurrencyRecord makeRecord(const std::string& name, const std::string& iso, const std::string& kurs,
                                 const std::string& ewwu = "1", const std::string& datum = "04.01.1999") {
    CurrencyRecord record;
    storeField(record, &CurrencyRecord::Bezeichnung, name);
    storeField(record, &CurrencyRecord::ISO, iso);
    storeField(record, &CurrencyRecord::Kurs, kurs);
    storeField(record, &CurrencyRecord::EWWU, ewwu);
    storeField(record, &CurrencyRecord::Datum, datum);
    return record;
}

}  // namespace kursomatik::testsupport
