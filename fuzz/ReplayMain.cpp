// Runs a fuzz target's LLVMFuzzerTestOneInput once on every file of the
// folders (or on the files) named on the command line, in name order, the way
// libFuzzer runs a corpus, but without libFuzzer: the test suite replays each
// seed and each past finding with this. Each input is named before it runs, so
// a crash shows which one. An input after which the process has used more
// memory than libFuzzer allows (2048 MB) fails, as it does under libFuzzer;
// so does finding no input at all.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sys/resource.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fs = std::filesystem;

namespace {

constexpr long kMemoryLimitMb = 2048;

long peakMemoryMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<fs::path> inputs;
    try {
        for (int i = 1; i < argc; ++i) {
            const fs::path given(argv[i]);
            if (!fs::is_directory(given)) {
                inputs.push_back(given);
                continue;
            }
            for (const auto& entry : fs::directory_iterator(given)) {
                if (entry.is_regular_file()) {
                    inputs.push_back(entry.path());
                }
            }
        }
    } catch (const fs::filesystem_error& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    std::sort(inputs.begin(), inputs.end());
    if (inputs.empty()) {
        std::cerr << "No input to replay.\n";
        return 1;
    }

    for (const auto& path : inputs) {
        std::ifstream file(path, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
        if (!file.good() && !file.eof()) {
            std::cerr << "Cannot read " << path << '\n';
            return 1;
        }
        std::cout << "Replaying " << path.string() << " (" << bytes.size() << " bytes)"
                  << std::endl;
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        if (peakMemoryMb() > kMemoryLimitMb) {
            std::cerr << path.string() << " took the process to " << peakMemoryMb()
                      << " MB, beyond the limit of " << kMemoryLimitMb << " MB.\n";
            return 1;
        }
    }
    std::cout << inputs.size() << " inputs replayed." << std::endl;
    return 0;
}
