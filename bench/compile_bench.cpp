// Times building the example through tornavel-cli (validation, scan, script,
// the iscc adapter, wine, the compiler) against starting the compiler under
// wine directly on the same script, the way one would by hand:
//
//   compile_bench [RUNS]
//
// Both run in the same wine prefix and locale, alternately, after one build
// that warms the prefix and the caches; the medians and their ratio are
// printed (target: at most 1.2). Needs scripts/install-compiler.
#include "BenchStats.h"
#include "platform/Process.h"
#include "platform/Wine.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using bench::median;

// Runs a program with its output discarded; the wall-clock milliseconds, or
// a negative number when it failed.
double timedRun(const std::vector<std::string>& args, const std::vector<std::string>& environment) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const std::vector<char*> argv = tornavel::ExecPointers(args);
    const std::vector<char*> envp = tornavel::ExecPointers(environment);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = -1;
    int status = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(),
                    environment.empty() ? environ : envp.data()) == 0) {
        waitpid(pid, &status, 0);
    }
    const auto end = std::chrono::steady_clock::now();
    posix_spawn_file_actions_destroy(&actions);
    return status == 0 ? std::chrono::duration<double, std::milli>(end - start).count() : -1.0;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const fs::path program = TORNAVEL_PROGRAM_DIR_PATH;
    const std::string wine = tornavel::FindInPath("wine");
    if (wine.empty() || !fs::exists(program / "compiler" / "ISCC.exe")) {
        std::fputs("wine or the compiler is missing: run scripts/install-compiler\n", stderr);
        return 2;
    }
    const fs::path source = fs::temp_directory_path() / "tornavel-compile-bench";
    fs::remove_all(source);
    fs::copy(fs::path(TORNAVEL_EXAMPLES_DIR) / "zpevnik", source, fs::copy_options::recursive);

    const std::vector<std::string> cli = {(program / "tornavel-cli").string(), "build",
                                          std::string(TORNAVEL_EXAMPLES_DIR) + "/zpevnik.ipr",
                                          "--source", source.string()};
    const std::vector<std::string> direct = {
        wine, (program / "compiler" / "ISCC.exe").string(),
        tornavel::WindowsFormOfPath((source / "ISS").string())};
    const std::vector<std::string> wineEnvironment =
        tornavel::EnvironmentWith(tornavel::WineVariables(tornavel::WinePrefixFolder()));

    // The first build creates the prefix if need be and writes ISS.
    if (timedRun(cli, {}) < 0 || timedRun(direct, wineEnvironment) < 0) {
        std::fputs("building the example failed\n", stderr);
        return 1;
    }
    std::vector<double> cliTimes;
    std::vector<double> directTimes;
    for (int i = 0; i < runs; ++i) {
        cliTimes.push_back(timedRun(cli, {}));
        directTimes.push_back(timedRun(direct, wineEnvironment));
    }
    fs::remove_all(source);
    if (std::min(*std::min_element(cliTimes.begin(), cliTimes.end()),
                 *std::min_element(directTimes.begin(), directTimes.end())) < 0) {
        std::fputs("a build failed\n", stderr);
        return 1;
    }

    const double cliMs = median(cliTimes);
    const double directMs = median(directTimes);
    std::printf("example:                 %s (median of %d)\n",
                TORNAVEL_EXAMPLES_DIR "/zpevnik.ipr", runs);
    std::printf("wine ISCC.exe ISS:       %8.0f ms\n", directMs);
    std::printf("tornavel-cli build:      %8.0f ms\n", cliMs);
    std::printf("ratio:                   %8.2f (target <= 1.2)\n", cliMs / directMs);
    return 0;
}
