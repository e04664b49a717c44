// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Compaction.h"

#include <algorithm>
#include <string>

namespace kursomatik {
namespace {

const char* const kNotDeleted = " Der Datensatz wurde nicht gel\u00F6scht.";

CompactionOutcome failed(const std::string& message) {
    return {Status::fail(message + kNotDeleted), false};
}

// Puts `bytes` in place of the currency file through "KURSOMATIK.TMP", as long as the editor's record
// is still what the user saw, and reopens the new file with one record less.
CompactionOutcome replaceTable(RecordFileState& state, const std::filesystem::path& currencyFile,
                               const std::string& bytes, FileOperations& files) {
    const auto unchanged = [&] { return currentRecordUnchanged(state); };
    if (Status replaced = replaceFile(currencyFile, bytes, files, kTemporaryFileName, unchanged); !replaced)
        return failed(replaced.error());
    state.lSatzAnzahl -= 1;
    if (Status reopened = state.iDateiNr.open(currencyFile); !reopened)
        return {Status::fail(reopened.error() + " Der Datensatz wurde gel\u00F6scht."), true};
    return {Status::ok(), true};
}

}  // namespace

CompactionOutcome dropCurrentRecord(RecordFileState& state, const std::filesystem::path& currencyFile,
                                    FileOperations& files) {
    if (Status there = recordInRange(state.lAktuellerSatz, state.lSatzAnzahl, currencyFile); !there)
        return failed(there.error());
    // Only the table the editor opened and counted goes over, without the record the user saw: another
    // program's table would be padded or cut to the old count, or lose another record.
    if (Status same = currentRecordUnchanged(state); !same) return failed(same.error());
    // Whole records only: a fragment at the end that counts as a record is filled up with spaces.
    auto bytes = state.iDateiNr.readBytes(1, state.lSatzAnzahl);
    if (!bytes) return failed(bytes.error());
    (*bytes).erase(static_cast<std::size_t>(state.lAktuellerSatz - 1) * kRecordLength, kRecordLength);
    return replaceTable(state, currencyFile, *bytes, files);
}

CompactionOutcome dropPlaceholder(RecordFileState& state, const std::filesystem::path& currencyFile,
                                  FileOperations& files) {
    RecordFile& file = state.iDateiNr;
    const long long before = state.lengthBeforePlaceholder;
    if (before < 0 || state.lAktuellerSatz != state.lSatzAnzahl)
        return dropCurrentRecord(state, currencyFile, files);
    if (Status same = currentRecordUnchanged(state); !same) return failed(same.error());
    if (file.cutTo(before, files, state.placeholderCovered)) {
        state.lSatzAnzahl -= 1;
        return {Status::ok(), true};
    }
    // Where the file cannot be cut, the same bytes come back by a rewrite: everything before the
    // placeholder, and the fragment it covered.
    const auto records = file.readBytes(1, state.lSatzAnzahl - 1);
    if (!records) return failed(records.error());
    std::string bytes = *records;
    bytes.resize(static_cast<std::size_t>(std::min(static_cast<long long>(bytes.size()), before)));
    return replaceTable(state, currencyFile, bytes + state.placeholderCovered, files);
}

}  // namespace kursomatik
