// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "store/CurrencyRecord.h"

namespace kursomatik {

struct RegionalSettings;

// What the record editor's boxes hold when "Speichern" is pressed.
struct EditorFields {
    std::string bezeichnung;
    std::string kurs;  // as typed, in the user's number conventions
    std::string iso;
    bool ewwu = false;
};

// An unusable entry, and what takes its place: the box, the placeholder it gets, and the message
// shown once the placeholder is in the box (none: no message).
struct Replacement {
    std::string EditorFields::*box;
    std::string placeholder;
    const char* message = nullptr;
};

// The save's checks in their order and the record it writes. No check stops the save: a rate that
// is no number, 0, too large to be stored or so small that it is stored as 0 becomes 1, and so does
// a negative one; an empty code becomes "???" and an empty name 18 question marks. The record gets
// the fields after these replacements, the code in capitals, and today's date.
struct CheckedRecord {
    std::vector<Replacement> replacements;
    CurrencyRecord record;
};
CheckedRecord checkRecord(EditorFields typed, const RegionalSettings& regional);

}  // namespace kursomatik
