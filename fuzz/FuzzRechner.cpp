// SPDX-License-Identifier: GPL-3.0-or-later
// The command `kursomatik-rechner` on an arbitrary table with arbitrary arguments. The input: one
// byte choosing the regional conventions, the arguments separated by line breaks up to a NUL byte,
// then the whole KURSOMATIK.DAT. The command never aborts: it ends with 0, 1 or 2, says why in German
// whenever it fails, and writes only valid UTF-8.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Rechner.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzWorkFolder.h"
#include "platform/Utf8.h"
#include "settings/Locations.h"
#include "store/CurrencyRecord.h"
#include "store/RecordFile.h"

using namespace kursomatik;

namespace {

bool validUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t at = pos;
        if (utf8::next(text, pos) == utf8::kReplacement && text[at] != '?') return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return -1;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t end = input.find('\0');
    const std::string_view table = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
    if (table.size() > 999 * kRecordLength) return -1;
    std::vector<std::string> args;
    for (std::string_view rest = input.substr(0, end); !rest.empty();) {
        const std::size_t line = rest.find('\n');
        std::string arg(rest.substr(0, line));
        rest = line == std::string_view::npos ? std::string_view() : rest.substr(line + 1);
        // Other files than the fuzzer's own table are never read or written, and the network is not asked.
        if (arg.starts_with("--tab") || arg.starts_with("--imp") || arg.starts_with("--akt")) continue;
        args.push_back(std::move(arg));
    }
    const std::filesystem::path folder = fuzzWorkFolder();
    writeWholeFile(folder / kCurrencyFileName, table);
    writeWholeFile(folder / kSettingsFileName, "[Kursomatik]\nstellen1=1000\nstellen2=100\n");
    args.push_back("--tabelle=" + (folder / kCurrencyFileName).string());

    RechnerEnvironment environment;
    environment.regional = (data[0] & 1) != 0 ? RegionalSettings::english() : RegionalSettings::german();
    environment.regional.today = [] { return CivilDate{2026, 12, 6}; };
    environment.programDir = folder;
    environment.systemProfile = folder / kSystemProfileName;
    std::ostringstream out, err;
    const int status = runRechner(args, environment, out, err);
    FUZZ_CHECK(status >= 0 && status <= 2);
    FUZZ_CHECK(status == 0 || err.str().starts_with("kursomatik-rechner: "));
    FUZZ_CHECK(validUtf8(out.str()) && validUtf8(err.str()));
    return 0;
}
