// A stand-in for the installer compiler, for tests only. It records its
// command line, reads the script it is given and writes what the real compiler
// would leave in the Output folder:
//   Output/<OutputBaseFilename>.exe, and with "DiskSpanning=yes" also the
//   pieces Output/<OutputBaseFilename>-1.bin and -2.bin.
// Like the real compiler it reports on standard output, in Windows-1250 with
// CR LF, ending with "Successful compile …" and the installer's path.
// Files beside this program change what it does:
//   iscc.log       receives the adapter's settings from the environment
//                  (TORNAVEL_ISCC_*, sorted) and the arguments, one line per run;
//   iscc.exitcode  makes it end at once with that code, printing and writing
//                  nothing (so it also serves as a plain program);
//   iscc.signal    makes it kill itself with that signal once it has written
//                  the Output files, as a compile killed midway;
//   iscc.error     makes the compile fail as the real one does: the first
//                  lines, then "Error on line 5 in <script>: <the file's
//                  text>" on standard error, "Compile aborted." and code 2;
//   iscc.hold      makes it write a partial installer after its first lines
//                  and wait until the file is removed (at most 20 s), so a
//                  test can look meanwhile (or stop it).
// Before the installer it names each [Files] source, "   Compressing: NAME",
// as the real compiler does.
#include "platform/Cp1250.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

extern char** environ;

namespace {

// A line as the compiler writes it: the ANSI code page, CR LF, at once.
void say(std::FILE* stream, const std::string& utf8) {
    const std::string bytes = tornavel::isCp1250Encodable(utf8) ? tornavel::toCp1250(utf8) : utf8;
    std::fputs((bytes + "\r\n").c_str(), stream);
    std::fflush(stream);
}

void holdWhile(const fs::path& file) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (fs::exists(file) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace

int main(int argc, char** argv) {
    const fs::path self = fs::absolute(argv[0]);
    const fs::path dir = self.parent_path();
    {
        std::vector<std::string> words;
        for (char** entry = environ; *entry; ++entry) {
            if (std::string_view(*entry).starts_with("TORNAVEL_ISCC_")) {
                words.emplace_back(*entry);
            }
        }
        std::sort(words.begin(), words.end());
        words.insert(words.end(), argv + 1, argv + argc);
        std::ofstream log(dir / "iscc.log", std::ios::binary | std::ios::app);
        for (std::size_t i = 0; i < words.size(); ++i) {
            log << (i > 0 ? " " : "") << words[i];
        }
        log << "\n";
    }
    if (std::ifstream codeFile(dir / "iscc.exitcode"); codeFile) {
        int code = 1;
        codeFile >> code;
        return code;
    }
    if (argc < 2) {
        return 2;
    }
    const int scriptArg = argc - 1;
    std::string script = argv[scriptArg];
    std::replace(script.begin(), script.end(), '\\', '/');
    std::ifstream in(script, std::ios::binary);
    if (!in) {
        return 2;
    }
    std::string base;
    bool spanning = false;
    std::vector<std::string> sources;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.rfind("OutputBaseFilename=", 0) == 0) {
            base = tornavel::fromCp1250(line.substr(19));
        } else if (line == "DiskSpanning=yes") {
            spanning = true;
        } else if (line.rfind("Source: \"", 0) == 0) {
            const std::string value = line.substr(9);
            sources.push_back(tornavel::fromCp1250(value.substr(0, value.find('"'))));
        }
    }
    const fs::path output = fs::path(script).parent_path() / "Output";
    say(stdout, "Náhradní kompilátor iscc pro testy");
    say(stdout, "");
    say(stdout, "Skript: " + std::string(argv[scriptArg]));
    if (fs::exists(dir / "iscc.hold")) {
        // Begun as a real compile begins: a partial installer while it packs.
        fs::create_directories(output);
        std::ofstream(output / (base + ".exe"), std::ios::binary) << "partial";
    }
    holdWhile(dir / "iscc.hold");
    if (std::ifstream errorFile(dir / "iscc.error"); errorFile) {
        std::ostringstream text;
        text << errorFile.rdbuf();
        say(stderr, "Error on line 5 in " + std::string(argv[scriptArg]) + ": " + text.str());
        say(stderr, "Compile aborted.");
        return 2;
    }
    for (const std::string& source : sources) {
        say(stdout, "   Compressing: " + source);
    }
    fs::create_directories(output);
    std::ofstream(output / (base + ".exe"), std::ios::binary) << "installer";
    if (spanning) {
        std::ofstream(output / (base + "-1.bin"), std::ios::binary) << "piece 1";
        std::ofstream(output / (base + "-2.bin"), std::ios::binary) << "piece 2";
    }
    if (std::ifstream signalFile(dir / "iscc.signal"); signalFile) {
        int signal = SIGKILL;
        signalFile >> signal;
        std::raise(signal);
    }
    say(stdout, "Successful compile (0.001 sec). Resulting Setup program filename is:");
    say(stdout, (output / (base + ".exe")).string());
    return 0;
}
