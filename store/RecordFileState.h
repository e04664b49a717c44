#pragma once

#include "CurrencyRecord.h"
#include "RecordFile.h"
#include "Result.h"

namespace kursomatik {

struct RegionalSettings;

// The currency file as list loading, the editor and the deletion share it.
struct RecordFileState {
    RecordFile iDateiNr;  // the open currency file (the handle of the original program)
    long lSatzLaenge = static_cast<long>(kRecordLength);
    long lSatzAnzahl = 0;
    long lAktuellerSatz = 0;
    CurrencyRecord buffer;  // the one record that list loading and the editor read into and write from
};

// A new record begins as a placeholder at the end of the file: "Neu", no code, rate "0", member
// flag "0", today's date. It is the current record afterwards. On failure nothing has changed.
Status appendPlaceholder(RecordFileState& state, const RegionalSettings& regional);

}  // namespace kursomatik
