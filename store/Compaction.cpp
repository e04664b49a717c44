// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Compaction.h"

#include <string>

namespace kursomatik {
namespace {

const char* const kNotDeleted = " Der Datensatz wurde nicht gel\u00F6scht.";

CompactionOutcome failed(const std::string& message) {
    return {Status::fail(message + kNotDeleted), false};
}

}  // namespace

CompactionOutcome dropCurrentRecord(RecordFileState& state, const std::filesystem::path& currencyFile,
                                    FileOperations& files) {
    if (Status there = recordInRange(state.lAktuellerSatz, state.lSatzAnzahl, currencyFile); !there)
        return failed(there.error());
    // Only the table the editor opened and counted goes over: another program's table would be
    // padded or cut to the old count.
    const auto unchanged = [&] { return state.iDateiNr.checkUnchanged(state.lSatzAnzahl); };
    if (Status same = unchanged(); !same) return failed(same.error());
    // Whole records only: a fragment at the end that counts as a record is filled up with spaces.
    auto bytes = state.iDateiNr.readBytes(1, state.lSatzAnzahl);
    if (!bytes) return failed(bytes.error());
    (*bytes).erase(static_cast<std::size_t>(state.lAktuellerSatz - 1) * kRecordLength, kRecordLength);

    if (Status replaced = replaceFile(currencyFile, *bytes, files, kTemporaryFileName, unchanged); !replaced)
        return failed(replaced.error());
    state.lSatzAnzahl -= 1;
    if (Status reopened = state.iDateiNr.open(currencyFile); !reopened)
        return {Status::fail(reopened.error() + " Der Datensatz wurde gel\u00F6scht."), true};
    return {Status::ok(), true};
}

CompactionOutcome dropPlaceholder(RecordFileState& state, const std::filesystem::path& currencyFile,
                                  FileOperations& files) {
    RecordFile& file = state.iDateiNr;
    if (state.lengthBeforePlaceholder >= 0 && state.lAktuellerSatz == state.lSatzAnzahl &&
        file.checkUnchanged(state.lSatzAnzahl) && file.cutTo(state.lengthBeforePlaceholder, files)) {
        state.lSatzAnzahl -= 1;
        return {Status::ok(), true};
    }
    return dropCurrentRecord(state, currencyFile, files);
}

}  // namespace kursomatik
