// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

#include "platform/Result.h"
#include "store/CurrencyRecord.h"
#include "store/RecordFile.h"

namespace kursomatik {

struct RegionalSettings;

// The currency file as list loading, the editor and the deletion share it.
struct RecordFileState {
    RecordFile iDateiNr;  // the open currency file (the handle of the original program)
    long lSatzLaenge = static_cast<long>(kRecordLength);
    long lSatzAnzahl = 0;
    long lAktuellerSatz = 0;
    CurrencyRecord buffer;  // the one record that list loading and the editor read into and write from
    long long lengthBeforePlaceholder = -1;  // the file's length before the last placeholder
    std::string placeholderCovered;          // the end of the file the placeholder was written over
    std::string currentBytes;                // record lAktuellerSatz as the editor read or wrote it
    long long currentLength = -1;            // and the file's length then
    std::string toldProblem;                 // what the last list pass told the user about the file
};

// The start of a list pass: the currency file opened for reading, lSatzLaenge 147 and lSatzAnzahl
// its record count, but at most 999. Returns what the user is to be told: why the file cannot be read
// (no records then; the message names its folder), or that only its first 999 records are listed.
// Each is told once, not again at every pass while it stays so; empty when there is nothing to tell.
std::string openForListPass(RecordFileState& state, const std::filesystem::path& file);

// A new record begins as a placeholder at the end of the file: "Neu", no code, rate "0", member
// flag "0", today's date. It is the current record afterwards. On failure nothing has changed.
Status appendPlaceholder(RecordFileState& state, const RegionalSettings& regional);

// The editor's record lAktuellerSatz read into the buffer, or the buffer written as it. Both keep
// the record's bytes and the file's length, so that the editor never writes or drops a record that
// another program has changed in place meanwhile (a restored backup in another order).
Status readCurrentRecord(RecordFileState& state);
Status writeCurrentRecord(RecordFileState& state);
// Fails with the message for a table changed by another program unless the file is the one opened,
// as long as then, and its record lAktuellerSatz holds the bytes read or written last.
Status currentRecordUnchanged(const RecordFileState& state);

}  // namespace kursomatik
