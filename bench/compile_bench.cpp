// Times building the example in the ways a user meets it, side by side in
// one run:
//
//   cold bare       wine ISCC.exe on the script, wine's server stopped first:
//                   the compiler as one would start it by hand
//   cold Tornavel   tornavel-cli build, wine's server stopped first
//   repeat          tornavel-cli build right after another (the server kept
//                   up by the build before, as the window or --linger keep it)
//   first build     a new prefix made the way the window makes it at its
//                   start (WarmCompiler), then the first build
//
//   compile_bench [RUNS]      (default 7; the first three alternate RUNS times)
//
// Prints the medians and spreads; targets: cold Tornavel at most 1.1 and
// repeat at most 0.5 times cold bare, first build (after the window's
// preparation) at most 1.5. Needs scripts/install-compiler.
#include "BenchStats.h"
#include "platform/Process.h"
#include "wine/WarmCompiler.h"
#include "wine/Wine.h"
#include "wine/WineServer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using bench::median;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Runs a program with its output discarded; the wall-clock milliseconds, or
// a negative number when it failed.
double timedRun(const std::vector<std::string>& args,
                const std::vector<std::string>& environmentChanges) {
    const auto start = Clock::now();
    tornavel::ProcessOptions options(args, environmentChanges);
    options.output = options.error = tornavel::ChildStream::Kind::Null;
    std::uint32_t code = 1;
    try {
        code = tornavel::Process::startWith(options).wait({});
    } catch (const tornavel::ProcessError&) {
    }
    const double ms = millisecondsSince(start);
    return code == 0 ? ms : -1.0;
}

struct Row {
    const char* name;
    std::vector<double> times;
};

void print(const Row& row, double coldBare, const char* target) {
    const auto [low, high] = std::minmax_element(row.times.begin(), row.times.end());
    const double m = median(row.times);
    std::printf("%-16s %8.0f ms  (%.0f to %.0f, %zu runs)  %5.2f x cold bare  %s\n", row.name, m,
                *low, *high, row.times.size(), m / coldBare, target);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const fs::path program = TORNAVEL_PROGRAM_DIR_PATH;
    const std::string wine = tornavel::FindWine();
    if (wine.empty() || !fs::exists(program / "compiler" / "ISCC.exe")) {
        std::fputs("wine or the compiler is missing: run scripts/install-compiler\n", stderr);
        return 2;
    }
    const fs::path source = fs::temp_directory_path() / "tornavel-compile-bench";
    fs::remove_all(source);
    fs::copy(fs::path(TORNAVEL_EXAMPLES_DIR) / "zpevnik", source, fs::copy_options::recursive);

    const std::vector<std::string> build = {(program / "tornavel-cli").string(), "build",
                                            std::string(TORNAVEL_EXAMPLES_DIR) + "/zpevnik.ipr",
                                            "--source", source.string()};
    std::vector<std::string> cold = build;
    cold.insert(cold.end(), {"--linger", "0"});
    const std::string prefix = tornavel::WinePrefixFolder();
    const std::vector<std::string> bare = {wine, (program / "compiler" / "ISCC.exe").string(),
                                           tornavel::WindowsFormOfPath((source / "ISS").string())};
    const std::vector<std::string> wineEnvironment = tornavel::WineVariables(prefix);

    // The first build makes the prefix if need be and writes ISS.
    if (timedRun(build, {}) < 0 || timedRun(bare, wineEnvironment) < 0) {
        std::fputs("building the example failed\n", stderr);
        return 1;
    }
    Row coldBare{"cold bare", {}};
    Row coldTornavel{"cold Tornavel", {}};
    Row repeat{"repeat", {}};
    for (int i = 0; i < runs; ++i) {
        tornavel::EndWinePrograms(prefix);
        coldBare.times.push_back(timedRun(bare, wineEnvironment));
        tornavel::EndWinePrograms(prefix);
        coldTornavel.times.push_back(timedRun(cold, {}));
        timedRun(build, {}); // leaves the server up for a minute
        repeat.times.push_back(timedRun(build, {}));
    }
    tornavel::EndWinePrograms(prefix);

    // The window's start in a new prefix: made in the background while the
    // user looks at the window, then the first build.
    const fs::path freshPrefix = fs::temp_directory_path() / "tornavel-compile-bench-prefix";
    fs::remove_all(freshPrefix);
    ::setenv("TORNAVEL_WINEPREFIX", freshPrefix.c_str(), 1);
    Row first{"first build", {}};
    double preparation = 0;
    {
        const auto start = Clock::now();
        tornavel::WarmCompiler window((program / "iscc").string());
        while (window.preparing() && millisecondsSince(start) < 120000) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        preparation = millisecondsSince(start);
        window.beforeBuild(); // what the window does when F9 comes
        first.times.push_back(timedRun(cold, {}));
    }
    ::unsetenv("TORNAVEL_WINEPREFIX");
    fs::remove_all(freshPrefix);
    fs::remove_all(source);

    for (const Row* row : {&coldBare, &coldTornavel, &repeat, &first}) {
        if (*std::min_element(row->times.begin(), row->times.end()) < 0) {
            std::fprintf(stderr, "a build failed (%s)\n", row->name);
            return 1;
        }
    }
    const double bareMs = median(coldBare.times);
    std::printf("example: %s\n", TORNAVEL_EXAMPLES_DIR "/zpevnik.ipr");
    print(coldBare, bareMs, "");
    print(coldTornavel, bareMs, "(target <= 1.1)");
    print(repeat, bareMs, "(target <= 0.5)");
    print(first, bareMs, "(target <= 1.5)");
    std::printf("the window's preparation of a new prefix before it: %.0f ms\n", preparation);
    return 0;
}
