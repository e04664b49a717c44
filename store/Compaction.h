#pragma once

#include <filesystem>

#include "FileOperations.h"
#include "RecordFileState.h"
#include "Result.h"

namespace kursomatik {

inline constexpr const char* kTemporaryFileName = "KURSOMATIK.TMP";

struct CompactionOutcome {
    Status status = Status::ok();
    // The currency file holds the table without the record (also when reopening it failed).
    bool replaced = false;
};

// Drops record lAktuellerSatz from the currency file open under state.iDateiNr: every other record
// of the lSatzAnzahl counted, byte for byte, whole and in order, goes into "KURSOMATIK.TMP" beside it, which
// is flushed and then put in place of the currency file in one step, so that a complete table is on disk at
// every moment. Afterwards the new file is open under state.iDateiNr and lSatzAnzahl counts one record less.
// On failure the message names the file; the currency file holds the complete old table unless
// `replaced` says it holds the new one, and a temporary file written so far is removed again.
CompactionOutcome dropCurrentRecord(RecordFileState& state, const std::filesystem::path& currencyFile,
                                    FileOperations& files = systemFileOperations());

}  // namespace kursomatik
