// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/RecordFileState.h"

#include <algorithm>

#include "platform/RegionalSettings.h"
#include "platform/SystemError.h"

namespace kursomatik {

std::string openForListPass(RecordFileState& state, const std::filesystem::path& file) {
    state.lSatzLaenge = static_cast<long>(kRecordLength);
    state.lSatzAnzahl = 0;
    // The full path tells the user which folder the table was looked for in.
    std::error_code ignored;
    if (Status opened = state.iDateiNr.open(std::filesystem::absolute(file, ignored), false); !opened)
        return opened.error();
    const auto length = state.iDateiNr.length();
    if (!length) return length.error();
    const long count = recordsOfLength(*length);
    state.lSatzAnzahl = std::min(count, kMaxRecords);
    if (count <= kMaxRecords) {
        state.tooManyReported = false;
        return {};
    }
    if (state.tooManyReported) return {};
    state.tooManyReported = true;
    return fileNamed(state.iDateiNr.path().string()) + " enthält " + std::to_string(count) +
           " Datensätze. Angezeigt werden nur die ersten 999: Die Nummer eines Datensatzes hat höchstens "
           "drei Stellen.";
}

Status appendPlaceholder(RecordFileState& state, const RegionalSettings& regional) {
    CurrencyRecord placeholder;
    storeField(placeholder, &CurrencyRecord::Bezeichnung, "Neu");
    storeField(placeholder, &CurrencyRecord::ISO, "");
    storeField(placeholder, &CurrencyRecord::Kurs, "0");
    storeField(placeholder, &CurrencyRecord::EWWU, "0");
    storeField(placeholder, &CurrencyRecord::Datum,
               formatShortDate(regional.currentDate(), regional.shortDatePattern));
    if (state.lSatzAnzahl >= kMaxRecords) {
        return Status::fail(fileNamed(state.iDateiNr.path().string()) +
                            " enthält schon 999 Datensätze, mehr kann Kursomatik nicht verwalten. Es "
                            "wurde kein neuer Datensatz angelegt.");
    }
    // Behind a table that is longer than counted, the new record would overwrite one.
    if (Status same = state.iDateiNr.checkUnchanged(state.lSatzAnzahl); !same)
        return Status::fail(same.error() + " Es wurde kein neuer Datensatz angelegt.");
    const auto length = state.iDateiNr.length();
    if (!length) return length.status();
    const long next = state.lSatzAnzahl + 1;
    if (Status written = state.iDateiNr.write(next, placeholder); !written) return written;
    state.buffer = placeholder;
    state.lSatzAnzahl = next;
    state.lAktuellerSatz = next;
    state.lengthBeforePlaceholder = *length;
    return Status::ok();
}

}  // namespace kursomatik
