// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/RecordFileState.h"

#include <algorithm>

#include "platform/RegionalSettings.h"
#include "platform/SystemError.h"

namespace kursomatik {

std::string openForListPass(RecordFileState& state, const std::filesystem::path& file) {
    state.lSatzLaenge = static_cast<long>(kRecordLength);
    state.lSatzAnzahl = 0;
    // A problem is known by its text; a table too long by any length is one problem.
    const auto tellOnce = [&state](const std::string& problem, const std::string& kind = {}) {
        const std::string& known = kind.empty() ? problem : kind;
        if (known == state.toldProblem) return std::string();
        state.toldProblem = known;
        return problem;
    };
    // The full path tells the user which folder the table was looked for in.
    std::error_code ignored;
    if (Status opened = state.iDateiNr.open(std::filesystem::absolute(file, ignored), false); !opened)
        return tellOnce(opened.error());
    const auto length = state.iDateiNr.length();
    if (!length) return tellOnce(length.error());
    const long count = recordsOfLength(*length);
    state.lSatzAnzahl = std::min(count, kMaxRecords);
    if (count <= kMaxRecords) return tellOnce({});
    return tellOnce(fileNamed(state.iDateiNr.path().string()) + " enthält " + std::to_string(count) +
                        " Datensätze. Angezeigt werden nur die ersten 999: Die Nummer eines Datensatzes hat "
                        "höchstens drei Stellen.",
                    "more than 999");
}

namespace {

Status rememberCurrent(RecordFileState& state) {
    const auto length = state.iDateiNr.length();
    const auto bytes = state.iDateiNr.readBytes(state.lAktuellerSatz, 1);
    if (!length || !bytes) return !length ? length.status() : bytes.status();
    state.currentLength = *length;
    state.currentBytes = *bytes;
    return Status::ok();
}

}  // namespace

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
    // A fragment too short to count as a record lies where the placeholder goes: "Abbrechen" puts it back.
    const auto covered = state.iDateiNr.readBytes(next, 1);
    if (!covered) return covered.status();
    const long long start = static_cast<long long>(state.lSatzAnzahl) * static_cast<long long>(kRecordLength);
    if (Status written = state.iDateiNr.write(next, placeholder); !written) return written;
    state.buffer = placeholder;
    state.lSatzAnzahl = next;
    state.lAktuellerSatz = next;
    state.lengthBeforePlaceholder = *length;
    state.placeholderCovered = covered->substr(0, static_cast<std::size_t>(std::max(0LL, *length - start)));
    return rememberCurrent(state);
}

Status readCurrentRecord(RecordFileState& state) {
    const auto record = state.iDateiNr.read(state.lAktuellerSatz);
    if (!record) return record.status();
    state.buffer = *record;
    return rememberCurrent(state);
}

Status writeCurrentRecord(RecordFileState& state) {
    if (Status same = currentRecordUnchanged(state); !same)
        return Status::fail(same.error() + " Der Datensatz wurde nicht gespeichert.");
    if (Status written = state.iDateiNr.write(state.lAktuellerSatz, state.buffer); !written) return written;
    return rememberCurrent(state);
}

Status currentRecordUnchanged(const RecordFileState& state) {
    const RecordFile& file = state.iDateiNr;
    if (Status same = file.checkUnchanged(state.lSatzAnzahl); !same) return same;
    const auto length = file.length();
    const auto bytes = file.readBytes(state.lAktuellerSatz, 1);
    if (!length || !bytes) return !length ? length.status() : bytes.status();
    if (*length != state.currentLength || *bytes != state.currentBytes)
        return changedByAnotherProgram(file.path().string());
    return Status::ok();
}

}  // namespace kursomatik
