// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

#include "platform/FileOperations.h"
#include "platform/Result.h"
#include "store/RecordFileState.h"

namespace kursomatik {

inline constexpr const char* kTemporaryFileName = "KURSOMATIK.TMP";

struct CompactionOutcome {
    Status status = Status::ok();
    // The currency file holds the table without the record (also when reopening it failed).
    bool replaced = false;
};

// Drops record lAktuellerSatz from the currency file open under state.iDateiNr: every other record
// of the lSatzAnzahl counted, byte for byte, whole and in order, is read through that handle and
// goes into "KURSOMATIK.TMP" beside the file, which is flushed and then put in place of it in one
// step, so that a complete table is on disk at every moment. A file that another program replaced
// or changed since it was counted is left alone. Afterwards the new file is open under
// state.iDateiNr and lSatzAnzahl counts one record less. On failure the message names the file; the
// currency file holds the complete old table unless `replaced` says it holds the new one, and a
// temporary file written so far is removed again.
CompactionOutcome dropCurrentRecord(RecordFileState& state, const std::filesystem::path& currencyFile,
                                    FileOperations& files = systemFileOperations());

// "Abbrechen" of a new record: the placeholder, always the last record, goes by cutting the file back
// to its length before the placeholder, through the open handle, and the fragment it covered comes
// back: the file is byte for byte as before, and that needs neither a temporary file nor a folder
// that may be written. Where it cannot be cut, the rewrite of dropCurrentRecord runs.
CompactionOutcome dropPlaceholder(RecordFileState& state, const std::filesystem::path& currencyFile,
                                  FileOperations& files = systemFileOperations());

}  // namespace kursomatik
