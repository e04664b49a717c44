// SPDX-License-Identifier: GPL-3.0-or-later
// Every example of the command in the README and its manual page, run as the reader would run it and
// compared with the output the document shows. An example is a line "$ kursomatik-rechner ..." in a
// code block (an indented block of the README, a .nf block of a manual page) followed by its output;
// the output ends at the next "$ " line, at a blank line, or where the block ends.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "tests/rates/RateFiles.h"
#include "tests/support/TempDir.h"

namespace kursomatik::testsupport {
namespace {

namespace fs = std::filesystem;

// The reference-rate file the import example takes, as the ECB's eurofxref.zip packs it: a daily CSV
// file. The rates are made up for the example; the table gets 4 of them, and 2 currencies are new.
const std::string kExampleCsv =
    "Date, USD, JPY, GBP, CHF, TRY, ZAR, \n"
    "13 February 2026, 1.1850, 183.42, 0.8702, 0.9190, 51.2345, 20.4810, \n";

// The command as a reader runs it: in the home folder, with the shipped table and settings in the
// data folder as the first start leaves them, the files the examples name, the C locale and nothing
// else of this environment. The documents show the reader's home folder as /home/anna.
std::string run(const std::string& command) {
    const TempDir dir;
    const fs::path home = dir / "home", data = home / ".local" / "share" / "Kursomatik";
    fs::create_directories(home / ".config"), fs::create_directories(data);
    for (const char* name : {"KURSOMATIK.DAT", "Kursomatik.ini"})
        fs::copy_file(fs::path(KURSOMATIK_SOURCE_DIR "/data") / name, data / name);
    writeFile(home / ".config" / "WIN.INI",
              "[Kursomatik]\nIniDatei=" + (data / "Kursomatik.ini").string() + "\n");
    writeZip(home / "eurofxref.zip", {{"eurofxref.csv", kExampleCsv}});
    writeFile(dir / "beispiel.sh", "exec 2>&1\n" + command + "\n");  // its messages as the reader sees them
    std::string output =
        runShell(dir, "cd '" + home.string() + "' && env -i HOME='" + home.string() +
                          "' LC_ALL=C PATH=" + fs::path(KURSOMATIK_RECHNER).parent_path().string() +
                          ":/usr/bin:/bin sh '" + (dir / "beispiel.sh").string() + "'")
            .out;
    for (std::size_t at; (at = output.find(home.string())) != std::string::npos;)
        output.replace(at, home.string().size(), "/home/anna");
    return output;
}

TEST(DocumentedExamples, EveryExampleOfTheCommandPrintsWhatItsDocumentShows) {
    const std::string prompt = "$ kursomatik-rechner";
    for (const auto& [path, groff] : {std::pair{KURSOMATIK_SOURCE_DIR "/README.md", false},
                                      std::pair{KURSOMATIK_MAN_DIR "/kursomatik-rechner.1", true}}) {
        std::istringstream in(readFile(path));
        bool inBlock = false, inOutput = false;
        int prompts = 0;
        std::vector<std::pair<std::string, std::string>> examples;  // command line and output shown
        for (std::string line; std::getline(in, line);) {
            // The escapes examples use in a manual page, \- \e \&, as groff prints them.
            std::string plain = line;
            for (const auto& [escape, printed] : {std::pair{R"(\\&)", ""}, {R"(\\-)", "-"}, {R"(\\e)", "\\"}})
                if (groff) plain = std::regex_replace(plain, std::regex(escape), printed);
            for (auto at = plain.find(prompt); at != std::string::npos; at = plain.find(prompt, at + 1))
                ++prompts;
            inBlock = groff && (line.starts_with(".nf") || (inBlock && !line.starts_with(".fi")));
            std::string code = !groff && line.starts_with("    ") ? line.substr(4) : "";
            if (inBlock && !line.starts_with(".") && !line.starts_with("'")) code = plain;
            if (code.starts_with(prompt + " ")) {
                examples.push_back({code.substr(2), ""}), inOutput = true;
            } else if (code.empty() || code.starts_with("$ ")) {
                inOutput = false;
            } else if (inOutput) {
                examples.back().second += code + "\n";
            }
        }
        // An example outside a code block would go unchecked.
        EXPECT_EQ(static_cast<int>(examples.size()), prompts) << path;
        EXPECT_GE(examples.size(), groff ? 5u : 3u) << path;
        for (const auto& [command, shown] : examples) {
            EXPECT_FALSE(shown.empty()) << path << ": no output shown for " << command;
            EXPECT_EQ(run(command), shown) << path << ": " << command;
        }
    }
}

}  // namespace
}  // namespace kursomatik::testsupport
