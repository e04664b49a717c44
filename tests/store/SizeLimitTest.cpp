// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "platform/FileSizeSignal.h"
#include "platform/RegionalSettings.h"
#include "store/RecordFileState.h"
#include "tests/store/RecordBuilder.h"
#include "tests/support/TempDir.h"

namespace kursomatik {
namespace {

using namespace testsupport;

struct Ended {
    int status;  // the exit status, or minus the signal that ended the process
    std::string said;
};

// "Neuer Eintrag..." on a table of five records in a child process under a file-size limit of
// `room` bytes past the table, with SIGXFSZ as a program finds it at its start, then as main() sets it.
Ended appendUnderLimit(long room, bool asTheProgramsSetIt) {
    int said[2];
    if (::pipe(said) != 0) return {-1, "no pipe"};
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_DFL);
        if (asTheProgramsSetIt) ignoreFileSizeSignal();
        const rlimit limit{static_cast<rlim_t>(5 * kRecordLength + room), RLIM_INFINITY};
        RecordFileState state;
        state.lSatzAnzahl = 5;
        Status appended = state.iDateiNr.open(kCurrencyFileName);
        if (appended && ::setrlimit(RLIMIT_FSIZE, &limit) == 0)
            appended = appendPlaceholder(state, RegionalSettings::german());
        (void)!::write(said[1], appended.error().data(), appended.error().size());
        ::_exit(appended ? 0 : 1);
    }
    ::close(said[1]);
    Ended ended{-1, {}};
    char bytes[512];
    for (ssize_t n; (n = ::read(said[0], bytes, sizeof bytes)) > 0;) ended.said.append(bytes, n);
    ::close(said[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ended.status = WIFEXITED(status) ? WEXITSTATUS(status) : WIFSIGNALED(status) ? -WTERMSIG(status) : -1;
    return ended;
}

// Over the limit the new record fails with the limit's message and the table stays as it was, whatever
// part of the record would have fitted; untouched, the signal ends the process and leaves that part
// behind as a record "Neu" of rate 0.
TEST(CurrencyFileUnderASizeLimit, ANewRecordThatDoesNotFitIsRefusedAndLeavesNoFragment) {
    TempDir dir;
    std::string table;
    for (const char c : std::string("12345"))
        table += encodeRecord(makeRecord(std::string("Satz ") + c, {c}, "1"));
    const long record = static_cast<long>(kRecordLength);
    for (const auto& [room, ignored, status, length] :
         std::initializer_list<std::tuple<long, bool, int, std::size_t>>{
             {-1, true, 1, table.size()},
             {0, true, 1, table.size()},
             {1, true, 1, table.size()},
             {122, true, 1, table.size()},
             {record - 1, true, 1, table.size()},
             {record, true, 0, table.size() + kRecordLength},
             {122, false, -SIGXFSZ, table.size() + 122}}) {
        writeFile(dir / kCurrencyFileName, table);
        const Ended ended = appendUnderLimit(room, ignored);
        EXPECT_EQ(ended.status, status) << room << " " << ignored << ": " << ended.said;
        EXPECT_EQ(
            ended.said.find("kann nicht geschrieben werden: Die Datei würde zu groß") != std::string::npos,
            status == 1)
            << ended.said;
        const std::string after = readFile(dir / kCurrencyFileName);
        EXPECT_EQ(after.size(), length) << room;
        EXPECT_EQ(after.substr(0, table.size()), table) << room;
    }
}

}  // namespace
}  // namespace kursomatik
