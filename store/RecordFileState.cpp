#include "RecordFileState.h"

#include "RegionalSettings.h"

namespace kursomatik {

Status appendPlaceholder(RecordFileState& state, const RegionalSettings& regional) {
    CurrencyRecord placeholder;
    storeField(placeholder, &CurrencyRecord::Bezeichnung, "Neu");
    storeField(placeholder, &CurrencyRecord::ISO, "");
    storeField(placeholder, &CurrencyRecord::Kurs, "0");
    storeField(placeholder, &CurrencyRecord::EWWU, "0");
    storeField(placeholder, &CurrencyRecord::Datum,
               formatShortDate(regional.currentDate(), regional.shortDatePattern));
    const long next = state.lSatzAnzahl + 1;
    if (Status written = state.iDateiNr.write(next, placeholder); !written) return written;
    state.buffer = placeholder;
    state.lSatzAnzahl = next;
    state.lAktuellerSatz = next;
    return Status::ok();
}

}  // namespace kursomatik
