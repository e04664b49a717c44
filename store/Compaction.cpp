#include "Compaction.h"

#include <string>

#include "SystemError.h"

namespace kursomatik {
namespace {

const char* const kNotDeleted = " Der Datensatz wurde nicht gel\u00F6scht.";

CompactionOutcome failed(const std::string& message) {
    return {Status::fail(message + kNotDeleted), false};
}

// Every record but the dropped one, as the bytes of the new file. Only whole records go over: a
// fragment at the end of the old file that counts as a record is filled up with spaces.
std::string remainingRecords(const std::string& old, const RecordFileState& state) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(state.lSatzAnzahl) * kRecordLength);
    for (long i = 1; i <= state.lSatzAnzahl; ++i) {
        if (i == state.lAktuellerSatz) continue;
        const std::size_t offset = static_cast<std::size_t>(i - 1) * kRecordLength;
        const std::size_t size = bytes.size();
        if (offset < old.size()) bytes.append(old, offset, kRecordLength);
        bytes.resize(size + kRecordLength, ' ');
    }
    return bytes;
}

}  // namespace

CompactionOutcome dropCurrentRecord(RecordFileState& state, const std::filesystem::path& currencyFile,
                                    FileOperations& files) {
    const std::filesystem::path temporary = currencyFile.parent_path() / kTemporaryFileName;
    const std::string tmpName = temporary.string();
    if (state.lAktuellerSatz < 1 || state.lAktuellerSatz > state.lSatzAnzahl) {
        return failed("Der Datensatz " + std::to_string(state.lAktuellerSatz) + " ist in der Datei \u201E" +
                      currencyFile.string() + "\u201C nicht vorhanden.");
    }

    // A file left by an earlier run must not add its records to the new table.
    if (const int error = files.removeFile(temporary); error != 0)
        return failed(fileErrorMessage(tmpName, "gel\u00F6scht werden", error));
    std::string old;
    if (const int error = files.readFile(currencyFile, old); error != 0)
        return failed(fileErrorMessage(currencyFile.string(), "gelesen werden", error));
    const std::string bytes = remainingRecords(old, state);

    int descriptor = -1;
    if (const int error = files.createFile(temporary, descriptor); error != 0)
        return failed(fileErrorMessage(tmpName, "angelegt werden", error));
    int error = files.writeAll(descriptor, bytes);
    if (error == 0) error = files.syncFile(descriptor);
    // Closing can be the first to report a failed write; both are failures of the new file.
    if (const int closing = files.closeFile(descriptor); error == 0) error = closing;
    if (error != 0) {
        files.removeFile(temporary);
        return failed(fileErrorMessage(tmpName, "geschrieben werden", error));
    }

    if (const int renaming = files.replaceFile(temporary, currencyFile); renaming != 0) {
        files.removeFile(temporary);
        return failed(fileErrorMessage(
            tmpName, "in \u201E" + currencyFile.string() + "\u201C umbenannt werden", renaming));
    }
    // The new table is in place; syncing the folder only makes the rename outlast a power cut.
    files.syncFolder(currencyFile.parent_path());
    state.lSatzAnzahl -= 1;

    if (Status reopened = state.iDateiNr.open(currencyFile); !reopened)
        return {Status::fail(reopened.error() + " Der Datensatz wurde gel\u00F6scht."), true};
    return {Status::ok(), true};
}

}  // namespace kursomatik
