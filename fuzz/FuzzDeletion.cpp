// SPDX-License-Identifier: GPL-3.0-or-later
// Deleting a record through the real rewrite. The input: two bytes choosing the record (also numbers
// outside the table), one byte of obstacles, then the whole KURSOMATIK.DAT. The rewritten file holds
// exactly the other records, byte for byte, in their order; a refused deletion leaves the file as it was.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzWorkFolder.h"
#include "store/Compaction.h"
#include "store/RecordFile.h"

using namespace kursomatik;

namespace {

// The old file's records but the dropped one; a fragment counted as a record is filled with spaces.
std::string otherRecords(std::string_view old, long count, long dropped) {
    std::string records;
    for (long i = 1; i <= count; ++i) {
        if (i == dropped) continue;
        std::string record(
            old.substr(std::min(old.size(), static_cast<std::size_t>(i - 1) * kRecordLength), kRecordLength));
        record.resize(kRecordLength, ' ');
        records += record;
    }
    return records;
}

// A temporary file left behind by an earlier run, or a folder of that name that cannot be removed.
void placeObstacles(const std::filesystem::path& temporary, std::uint8_t obstacles) {
    std::filesystem::remove_all(temporary);
    if ((obstacles & 1) != 0) writeWholeFile(temporary, std::string(3 * kRecordLength, 'X'));
    if ((obstacles & 2) != 0) {
        std::filesystem::remove_all(temporary);
        std::filesystem::create_directory(temporary);
        writeWholeFile(temporary / "inside", "x");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3 || size - 3 >= 999 * kRecordLength + kRecordLength / 2) return -1;
    const unsigned choice = data[0] | (static_cast<unsigned>(data[1]) << 8);
    const std::uint8_t obstacles = data[2];
    const std::string_view old(reinterpret_cast<const char*>(data) + 3, size - 3);

    const std::filesystem::path table = fuzzWorkFolder() / kCurrencyFileName;
    const std::filesystem::path temporary = fuzzWorkFolder() / kTemporaryFileName;
    writeWholeFile(table, old);
    placeObstacles(temporary, obstacles);

    // The editor's state: the list pass's count, the file open, the record chosen.
    const long count = recordsOfLength(static_cast<long long>(old.size()));
    RecordFileState state;
    FUZZ_CHECK(state.iDateiNr.open(table));
    state.lSatzAnzahl = count;
    state.lAktuellerSatz = static_cast<long>(choice % static_cast<unsigned>(count + 2));
    const long dropped = state.lAktuellerSatz;
    (void)readCurrentRecord(state);  // as the editor shows it; fails for a number the table lacks

    const CompactionOutcome outcome = dropCurrentRecord(state, table);
    const bool inTable = dropped >= 1 && dropped <= count;
    const bool succeeded = static_cast<bool>(outcome.status);
    // A record the table does not have is never deleted; one it has always is, unless a folder
    // named like the temporary file is in the way.
    FUZZ_CHECK(inTable || !outcome.replaced);
    FUZZ_CHECK(!inTable || (obstacles & 2) != 0 || succeeded);
    FUZZ_CHECK(!succeeded || (outcome.replaced && state.iDateiNr.isOpen()));
    if (outcome.replaced) {
        FUZZ_CHECK(fileBytes(table) == otherRecords(old, count, dropped));
        FUZZ_CHECK(state.lSatzAnzahl == count - 1);
        FUZZ_CHECK(!std::filesystem::exists(temporary));
    } else {
        FUZZ_CHECK(fileBytes(table) == old);
    }
    state.iDateiNr.close();
    return 0;
}
