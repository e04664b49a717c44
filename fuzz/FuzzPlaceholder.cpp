// SPDX-License-Identifier: GPL-3.0-or-later
// "Neuer Eintrag..." and then "Abbrechen": a placeholder appended to the real file and taken away
// again. The input: one byte of conditions, then the whole KURSOMATIK.DAT. Whatever the table's
// bytes, its length and fragment included, and whether the file can be cut, grows only up to a size
// limit or cannot grow at all, the file comes back byte for byte.
#include <sys/resource.h>

#include <csignal>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzWorkFolder.h"
#include "platform/RegionalSettings.h"
#include "platform/SystemError.h"
#include "store/Compaction.h"
#include "store/RecordFileState.h"

using namespace kursomatik;

namespace {

// A file system on which cutting an open file fails, so the rewrite through the temporary file runs.
struct NoCutting : FileOperations {
    Status truncateFile(int, off_t) override { return systemFailure(EPERM); }
};

// Writes beyond `bytes` fail with EFBIG while it lives, as under `ulimit -f`.
class SizeLimit {
  public:
    explicit SizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        const rlimit limit{bytes, old_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~SizeLimit() { ::setrlimit(RLIMIT_FSIZE, &old_); }

  private:
    rlimit old_{};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1 || size - 1 > 999 * kRecordLength) return -1;
    ::signal(SIGXFSZ, SIG_IGN);  // as the program does
    const std::uint8_t conditions = data[0];
    const std::string_view old(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::filesystem::path table = fuzzWorkFolder() / kCurrencyFileName;
    writeWholeFile(table, old);

    RecordFileState state;
    FUZZ_CHECK(openForListPass(state, table).empty() || state.lSatzAnzahl == 999);
    state.iDateiNr.close();
    FUZZ_CHECK(state.iDateiNr.open(table));
    RegionalSettings regional = RegionalSettings::german();
    regional.today = [] { return CivilDate{2026, 12, 6}; };
    Status appended = Status::ok();
    {
        // Room for none, part or all of the placeholder beyond the table.
        const SizeLimit limit(old.size() + ((conditions & 1) != 0 ? conditions % kRecordLength : 1u << 20));
        appended = appendPlaceholder(state, regional);
    }
    if (appended) {
        NoCutting noCutting;
        FileOperations& files = (conditions & 2) != 0 ? noCutting : systemFileOperations();
        const CompactionOutcome dropped = dropPlaceholder(state, table, files);
        FUZZ_CHECK(dropped.status && dropped.replaced);
    }
    state.iDateiNr.close();
    FUZZ_CHECK(fileBytes(table) == old);
    return 0;
}
