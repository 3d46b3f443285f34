// A stand-in for the installer compiler, for tests only. It records its
// command line, reads the script it is given and writes what the real compiler
// would leave in the Output folder:
//   Output/<OutputBaseFilename>.exe, and with "DiskSpanning=yes" also the
//   pieces Output/<OutputBaseFilename>-1.bin and -2.bin.
// A file "iscc.exitcode" beside this program makes it end with that code
// instead, writing nothing, and "iscc.signal" makes it kill itself with that
// signal; "iscc.log" beside it receives the arguments.
#include "platform/Cp1250.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    const fs::path self = fs::absolute(argv[0]);
    const fs::path dir = self.parent_path();
    {
        std::ofstream log(dir / "iscc.log", std::ios::binary | std::ios::app);
        for (int i = 1; i < argc; ++i) {
            log << (i > 1 ? " " : "") << argv[i];
        }
        log << "\n";
    }
    if (std::ifstream signalFile(dir / "iscc.signal"); signalFile) {
        int signal = SIGKILL;
        signalFile >> signal;
        std::raise(signal);
    }
    if (std::ifstream codeFile(dir / "iscc.exitcode"); codeFile) {
        int code = 1;
        codeFile >> code;
        return code;
    }
    if (argc < 2) {
        return 2;
    }
    std::string script = argv[1];
    std::replace(script.begin(), script.end(), '\\', '/');
    std::ifstream in(script, std::ios::binary);
    if (!in) {
        return 2;
    }
    std::string base;
    bool spanning = false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.rfind("OutputBaseFilename=", 0) == 0) {
            base = tornavel::fromCp1250(line.substr(19));
        } else if (line == "DiskSpanning=yes") {
            spanning = true;
        }
    }
    const fs::path output = fs::path(script).parent_path() / "Output";
    fs::create_directories(output);
    std::ofstream(output / (base + ".exe"), std::ios::binary) << "installer";
    if (spanning) {
        std::ofstream(output / (base + "-1.bin"), std::ios::binary) << "piece 1";
        std::ofstream(output / (base + "-2.bin"), std::ios::binary) << "piece 2";
    }
    return 0;
}
