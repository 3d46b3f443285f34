// Times what a build does with the source folder (the walk with its name
// checks and the [Icons] to [Dirs] sections of the script, streamed) against
// `find DIR -type f` on the same warm tree, and reports the peak memory, then
// runs `tornavel-cli script` on it once for its time and peak memory.
//
//   scan_bench [FILES]    (default 100000; the tree has FILES / 20 folders)

#include "BenchStats.h"
#include "installer/Prompts.h"
#include "installer/ScriptGenerator.h"
#include "installer/SourceScan.h"
#include "platform/ProcessStarter.h"
#include "project/ProjectFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using bench::kRuns;
using bench::median;

constexpr int kFilesPerFolder = 20;
constexpr int kDeepChains = 2;
constexpr int kDeepChainLength = 25; // reaches below the deepest installed level

class SilentPrompts : public tornavel::Prompts {
public:
    void errorDialog(const std::string&) override {}
    void message(const std::string&) override {}
    Answer ask(const std::string&, const std::string&, Icon, Answer a) override { return a; }
    void focusField(tornavel::FieldId) override {}
};

void makeFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0755) != 0) {
        std::perror(path.c_str());
        std::exit(2);
    }
}

void makeFiles(const std::string& folder, int folderNumber) {
    for (int i = 0; i < kFilesPerFolder; ++i) {
        // Mixed case and Czech letters, so that sorting and encoding do real work.
        std::string name = (i % 5 == 0) ? "SOUBOR" : (i % 7 == 0) ? "písmo_" : "soubor";
        name += std::to_string(folderNumber) + "_" + std::to_string(i) + ".txt";
        const int fd = ::open((folder + name).c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
        if (fd < 0) {
            std::perror(name.c_str());
            std::exit(2);
        }
        ::close(fd);
    }
}

struct TreeShape {
    int folders = 0;
    int installedFiles = 0; // files at levels 1 to 19
};

// A broad tree (up to ten sub-folders per folder) plus chains deeper than the
// scan goes; every folder holds kFilesPerFolder files.
TreeShape buildTree(const std::string& root, int folderCount) {
    TreeShape shape;
    struct Pending {
        std::string path;
        int level;
    };
    std::vector<Pending> queue;
    const int broad = folderCount - kDeepChains * kDeepChainLength;
    for (int c = 0; c < kDeepChains; ++c) {
        std::string path = root;
        for (int level = 1; level <= kDeepChainLength; ++level) {
            path += "Hluboko" + std::to_string(c) + "_" + std::to_string(level) + "/";
            makeFolder(path);
            makeFiles(path, shape.folders);
            ++shape.folders;
            if (level <= tornavel::kDeepestScannedLevel) {
                shape.installedFiles += kFilesPerFolder;
            }
        }
    }
    queue.push_back({root, 0});
    for (std::size_t next = 0; next < queue.size() && shape.folders < folderCount; ++next) {
        for (int k = 0; k < 10 && static_cast<int>(queue.size()) - 1 < broad; ++k) {
            const std::string path = queue[next].path + (k % 3 == 0 ? "Složka" : "Data") +
                                     std::to_string(queue.size()) + "/";
            makeFolder(path);
            makeFiles(path, shape.folders);
            ++shape.folders;
            shape.installedFiles += kFilesPerFolder;
            queue.push_back({path, queue[next].level + 1});
        }
    }
    return shape;
}

// Starts the program with its standard output or error (stream 1 or 2) on
// /dev/null; exits when it cannot.
pid_t startQuietly(const std::vector<std::string>& args, int silenced) {
    tornavel::ProcessOptions options(args);
    (silenced == STDOUT_FILENO ? options.output : options.error) =
        tornavel::ChildStream::Kind::Null;
    try {
        return tornavel::StartProcess(options).pid;
    } catch (const tornavel::ProcessError& e) {
        std::fprintf(stderr, "cannot start %s\n", e.what());
        std::exit(2);
    }
}

double runFind(const std::string& root) {
    const auto start = Clock::now();
    const pid_t pid = startQuietly({"find", root, "-type", "f"}, STDOUT_FILENO);
    int status = 0;
    ::waitpid(pid, &status, 0);
    const auto end = Clock::now();
    return std::chrono::duration<double, std::milli>(end - start).count();
}

// tornavel-cli script on the tree, as a user runs it: its wall-clock
// milliseconds and its peak resident memory in KiB.
std::pair<double, long> runCliScript(const std::string& root) {
    const std::string project = root + "../tornavel-scan-bench.ipr";
    tornavel::ProjectSettings settings;
    tornavel::NewProject(settings);
    tornavel::SaveProject(settings, project, tornavel::SaveOrder::SaveAs);
    const auto start = Clock::now();
    const pid_t pid =
        startQuietly({TORNAVEL_CLI_PATH, "script", project, "--source", root}, STDERR_FILENO);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    const auto end = Clock::now();
    std::remove(project.c_str());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fputs("tornavel-cli script failed\n", stderr);
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(end - start).count(), usage.ru_maxrss};
}

double runScan(const std::string& root, std::size_t& scriptBytes, std::size_t& fileLines) {
    tornavel::ProjectSettings project;
    SilentPrompts prompts;
    scriptBytes = 0;
    fileLines = 0;
    const auto start = Clock::now();
    // Streamed as the build streams it into its temporary file.
    tornavel::ScriptWriter out([&](std::string_view bytes) {
        scriptBytes += bytes.size();
        fileLines += static_cast<std::size_t>(
            std::count(bytes.begin(), bytes.end(), '\n')); // every line ends with one
    });
    tornavel::WriteContentSections(out, project, root, prompts, nullptr);
    out.finish();
    const auto end = Clock::now();
    return std::chrono::duration<double, std::milli>(end - start).count();
}

} // namespace

int main(int argc, char** argv) {
    const int files = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int folders = std::max(files / kFilesPerFolder, kDeepChains * kDeepChainLength + 1);

    std::string root =
        (std::filesystem::temp_directory_path() / "tornavel-scan-bench-XXXXXX").string();
    if (!::mkdtemp(root.data())) {
        std::perror("mkdtemp");
        return 2;
    }
    root += "/";

    std::printf("building %d folders with %d files each in %s ...\n", folders, kFilesPerFolder,
                root.c_str());
    const TreeShape shape = buildTree(root, folders);

    // Warm the caches for both sides.
    std::size_t scriptBytes = 0, lines = 0;
    runFind(root);
    runScan(root, scriptBytes, lines);

    std::vector<double> findTimes, scanTimes;
    for (int i = 0; i < kRuns; ++i) {
        findTimes.push_back(runFind(root));
        scanTimes.push_back(runScan(root, scriptBytes, lines));
    }

    // [Icons], [INI], [Files], [Dirs] headers and the three empty lines between
    // them, one line per installed file and one per installed folder.
    const int installedFolders = folders - kDeepChains * (kDeepChainLength - 19);
    const std::size_t expectedLines =
        7 + static_cast<std::size_t>(shape.installedFiles) + installedFolders;

    rusage self{};
    ::getrusage(RUSAGE_SELF, &self);
    const auto [cliMs, cliPeak] = runCliScript(root);

    const double findMs = median(findTimes);
    const double scanMs = median(scanTimes);
    std::printf("tree:            %d folders, %d files (%d below level 19)\n", shape.folders,
                shape.folders * kFilesPerFolder,
                shape.folders * kFilesPerFolder - shape.installedFiles);
    std::printf("script:          %zu lines, %zu bytes (expected %zu lines)\n", lines, scriptBytes,
                expectedLines);
    const auto [findMin, findMax] = std::minmax_element(findTimes.begin(), findTimes.end());
    const auto [scanMin, scanMax] = std::minmax_element(scanTimes.begin(), scanTimes.end());
    std::printf("find -type f:    %8.1f ms (median of %d, %.1f to %.1f)\n", findMs, kRuns, *findMin,
                *findMax);
    std::printf("scan + script:   %8.1f ms (median of %d, %.1f to %.1f)\n", scanMs, kRuns, *scanMin,
                *scanMax);
    std::printf("ratio:           %8.2f (target <= 1.0)\n", scanMs / findMs);
    std::printf("peak memory:     %8ld KiB (the whole benchmark process)\n", self.ru_maxrss);
    // The child's figure is the larger of its own peak and this process's
    // memory when it was started (the two share it until the exec): an
    // upper bound of the program's own.
    std::printf("tornavel-cli script: %8.1f ms, peak memory at most %ld KiB (target <= 30720)\n",
                cliMs, cliPeak);

    std::error_code ec;
    std::filesystem::remove_all(root, ec);
    return lines == expectedLines ? 0 : 1;
}
