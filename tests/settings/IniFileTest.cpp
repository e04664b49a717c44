#include "IniFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/FailingStep.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

namespace kursomatik {
namespace {

using testing::readFile;
using testing::writeFile;

class Profile : public ::testing::Test {
  protected:
    std::filesystem::path ini() const { return dir_ / "Kursomatik.ini"; }
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) names.push_back(entry.path().filename());
        return names;
    }
    testing::TempDir dir_;
};

TEST_F(Profile, ReadingBehavesLikeTheWindowsProfileFunctions) {
    const std::string x200(200, 'x');
    // The value of stellen2 in the section Kursomatik; no content: no file.
    for (const auto& [content, defaultValue, expected] : std::initializer_list<std::tuple<std::optional<std::string>, std::string, std::string>>{
             {std::nullopt, "vorher", "vorher"}, {"[Andere]\nstellen2=100\n", "vorher", "vorher"},
             {"[Xursomatik]\nstellen2=100\n", "vorher", "vorher"}, {"[Kursomatik]\nxtellen2=100\n", "vorher", "vorher"},
             {"[Kursomatik]\nstellen1=1000\n", "vorher", "vorher"}, {std::nullopt, "  100   ", "  100"},
             {"[Kursomatik]\nstellen2=\n", "vorher", ""}, {"[KURSOMATIK]\nSTELLEN2=100\n", "", "100"},
             {"  [Kursomatik]  \n\t stellen2 \t=  1000  \n", "", "1000"}, {"[Kursomatik]\nstellen2=\" 100 \"\n", "", " 100 "},
             {"[Kursomatik]\nstellen2='100'\n", "", "100"}, {"[Kursomatik]\nstellen2=\"100'\n", "", "\"100'"},
             {"[Kursomatik]\nstellen2=a=b\n", "", "a=b"}, {"[Kursomatik]\r\nstellen2=100\r\n", "", "100"},
             {"[Kursomatik]\nstellen2=100", "", "100"}, {"[Kursomatik]\n;stellen2=100\n", "v", "v"},
             {"[Kursomatik]\nstellen1=1\n[Andere]\nstellen2=5\n", "v", "v"},
             {"[Kursomatik]\nstellen2=100\n[kursomatik]\nstellen2=1000\n", "", "100"},
             {"[Kursomatik]\nstellen2=100\nStellen2=1000\n", "", "100"}, {"[Kursomatik]\nstellen2=" + x200 + "\n", "", x200.substr(1)},
             {std::nullopt, x200 + "y", x200.substr(1)}}) {
        std::filesystem::remove(ini());
        if (content) writeFile(ini(), *content);
        EXPECT_EQ(getProfileString(ini(), "Kursomatik", "stellen2", defaultValue), expected) << content.value_or("no file");
    }
}

TEST_F(Profile, WritingChangesOnlyItsKeyAndKeepsEveryOtherLineByteForByte) {
    for (const auto& [before, section, after] : std::initializer_list<std::tuple<std::optional<std::string>, std::string, std::string>>{
             {std::nullopt, "Kursomatik", "[Kursomatik]\nstellen2=100\n"},
             {"; von Hand\n[Andere]\nx=1", "Kursomatik", "; von Hand\n[Andere]\nx=1\n\n[Kursomatik]\nstellen2=100\n"},
             {"[Andere]\nx=1\n\n", "Kursomatik", "[Andere]\nx=1\n\n[Kursomatik]\nstellen2=100\n"},
             {"[Kursomatik]\nstellen1=1000\n\n[Andere]\nx=1\n", "kursomatik", "[Kursomatik]\nstellen1=1000\nstellen2=100\n\n[Andere]\nx=1\n"},
             {"; K\n\n[Kursomatik]\nstellen1 = 1000\n  STELLEN2=1000   \n# kein\n[Andere]\nstellen2=5\n", "Kursomatik",
              "; K\n\n[Kursomatik]\nstellen1 = 1000\nSTELLEN2=100\n# kein\n[Andere]\nstellen2=5\n"},
             // Found by fuzzing: a last line ending in a lone carriage return took the new key onto itself.
             {"[Kursomatik]\nstellen1=1000", "Kursomatik", "[Kursomatik]\nstellen1=1000\nstellen2=100\n"},
             {"[Kursomatik]\nstellen1=1000\r", "Kursomatik", "[Kursomatik]\nstellen1=1000\r\nstellen2=100\n"},
             {"[Kursomatik]\r\nstellen1=1000\r\n", "Kursomatik", "[Kursomatik]\r\nstellen1=1000\r\nstellen2=100\r\n"},
             {"[Kursomatik]\r\nstellen2=1\r\n", "Andere", "[Kursomatik]\r\nstellen2=1\r\n\r\n[Andere]\r\nstellen2=100\r\n"}}) {
        std::filesystem::remove(ini());
        if (before) writeFile(ini(), *before);
        ASSERT_TRUE(writeProfileString(ini(), section, "stellen2", "100"));
        EXPECT_EQ(readFile(ini()), after) << before.value_or("no file");
        EXPECT_EQ(files(), std::vector<std::string>{"Kursomatik.ini"});
    }
    // Every start writes the options again; the file (its very inode) stays as it was.
    struct stat first {}, second {};
    ::stat(ini().c_str(), &first);
    ASSERT_TRUE(writeProfileString(ini(), "Andere", "stellen2", "100"));
    ::stat(ini().c_str(), &second);
    EXPECT_EQ(first.st_ino, second.st_ino);
}

// A failed write names the file and leaves the old content and no temporary file behind.
class FailedProfileWrite : public Profile {
  protected:
    void SetUp() override { writeFile(ini(), kBefore); }
    void expectOldFileIntact(const Status& status, const std::string& cause) const {
        EXPECT_EQ(status.error().substr(0, status.error().find(':')), "Die Datei \u201E" + ini().string() + "\u201C kann nicht geschrieben werden");
        EXPECT_NE(status.error().find(cause), std::string::npos) << status.error();
        EXPECT_EQ(readFile(ini()), kBefore);
        EXPECT_EQ(files(), std::vector<std::string>{"Kursomatik.ini"});
    }
    static constexpr const char* kBefore = "[Kursomatik]\nstellen2=1000\n";
};

TEST_F(FailedProfileWrite, ReadOnlyFolder) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    namespace fs = std::filesystem;
    fs::permissions(dir_.path(), fs::perms::owner_read | fs::perms::owner_exec);
    const Status status = writeProfileString(ini(), "Kursomatik", "stellen2", "100");
    fs::permissions(dir_.path(), fs::perms::owner_all);
    expectOldFileIntact(status, "Zugriff verweigert");
}

// The disk fills up half-way through the write; the file size limit binds root too.
TEST_F(FailedProfileWrite, FullDiskOrAFailedStep) {
    const Status full = [&] {
        const testing::FileSizeLimit limit(16);
        return writeProfileString(ini(), "Kursomatik", "stellen2", "100");
    }();
    expectOldFileIntact(full, "Die Datei würde zu groß");
    for (const auto& [step, error, cause] : std::initializer_list<std::tuple<const char*, int, const char*>>{
             {"createFile", EACCES, "Zugriff verweigert."}, {"writeAll", ENOSPC, "Auf dem Datenträger ist kein Platz mehr frei."},
             {"renameFile", EXDEV, "Systemfehler 18 (Invalid cross-device link)."}}) {
        testing::FailingStep failing(step, error);
        expectOldFileIntact(writeProfileString(ini(), "Kursomatik", "stellen2", "100", failing), cause);
    }
}

}  // namespace
}  // namespace kursomatik
