#include "support/RealCompiler.h"

#include "platform/Process.h"
#include "platform/Wine.h"
#include "support/TestCertificate.h"

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tornavel::test {
namespace {

namespace fs = std::filesystem;

void addTree(const fs::path& folder, const std::string& prefix, std::set<std::string>& out) {
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory()) {
            if (name.find('.') == std::string::npos) {
                addTree(entry.path(), prefix + name + "/", out);
            }
        } else {
            out.insert(prefix + name);
        }
    }
}

} // namespace

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

fs::path programFolder() {
    const char* folder = std::getenv("TORNAVEL_PROGRAM_DIR");
    if (!folder) {
        throw std::runtime_error("TORNAVEL_PROGRAM_DIR is not set");
    }
    return folder;
}

::testing::AssertionResult realCompilerInstalled() {
    std::string missing;
    if (FindInPath("wine").empty()) {
        missing += " wine";
    }
    if (FindInPath("innoextract").empty()) {
        missing += " innoextract";
    }
    if (!fs::exists(programFolder() / "compiler" / "ISCC.exe")) {
        missing += " " + (programFolder() / "compiler" / "ISCC.exe").string();
    }
    if (missing.empty()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "missing:" << missing << " (run scripts/install-compiler, then build again)";
}

ProgramRun buildWithCli(const fs::path& project, const fs::path& source, const TempDir& scratch,
                        const std::vector<std::string>& options,
                        const std::vector<std::string>& variables) {
    std::vector<std::string> args{(programFolder() / "tornavel-cli").string(), "build",
                                  project.string(), "--source", source.string()};
    args.insert(args.end(), options.begin(), options.end());
    return runProgram(args, scratch, variables);
}

std::set<std::string> installerContents(const fs::path& installer, const TempDir& scratch) {
    const ProgramRun run = runProgram(
        {FindInPath("innoextract"), "--list", "--quiet", "--codepage", "1250", installer.string()},
        scratch);
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    std::set<std::string> files;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
        const auto first = line.find('"');
        const auto last = line.rfind('"');
        if (line.rfind(" - \"", 0) == 0 && last > first) {
            files.insert(line.substr(first + 1, last - first - 1));
        }
    }
    return files;
}

std::set<std::string> expectedContents(const fs::path& source) {
    std::set<std::string> files;
    for (const auto& entry : fs::directory_iterator(source)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory()) {
            if (name.find('.') == std::string::npos) {
                addTree(entry.path(), "app/" + name + "/", files);
            }
        } else if (name != "ISS") {
            const bool font = lowerCase(entry.path().extension().string()) == ".ttf";
            files.insert((font ? "fonts/" : "app/") + name);
        }
    }
    return files;
}

::testing::AssertionResult signatureVerifies(const fs::path& program,
                                             const TestCertificate& certificate,
                                             const TempDir& scratch) {
    const ProgramRun run =
        runProgram({FindInPath("osslsigncode"), "verify", "-CAfile",
                    certificate.certificatePem.string(), "-in", program.string()},
                   scratch);
    if (run.status == 0 && run.out.find("Signature verification: ok") != std::string::npos) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << program << ": " << run.out << run.err;
}

WizardRun::WizardRun(const fs::path& installer, const TempDir& scratch) : scratch_(scratch) {
    Process::start({installer.string()}).release();
}

WizardRun::~WizardRun() {
    runProgram({FindInPath("wineserver"), "-k"}, scratch_, {"WINEPREFIX=" + WinePrefixFolder()});
}

std::string WizardRun::waitForPages(const fs::path& file, const std::string& last) const {
    std::string text;
    for (int i = 0; i < 600 && !text.ends_with(last); ++i) {
        ::usleep(100000);
        text = fs::exists(file) ? readFileBytes(file) : std::string();
    }
    return text;
}

VirtualDisplay::VirtualDisplay() {
    int fds[2];
    if (::pipe(fds) != 0) {
        throw std::runtime_error("pipe");
    }
    // Xvfb picks a free display itself and writes its number to fd 3.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const std::vector<std::string> args{
        FindInPath("Xvfb"), "-displayfd", "3", "-nolisten", "tcp", "-screen", "0", "1024x768x24"};
    const std::vector<char*> argv = ExecPointers(args);
    const int rc = args.front().empty()
                       ? ENOENT
                       : posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    std::string number;
    char c = 0;
    while (rc == 0 && ::read(fds[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    ::close(fds[0]);
    if (rc != 0 || number.empty()) {
        throw std::runtime_error("cannot start Xvfb (package xvfb)");
    }
    name_ = ":" + number;
}

VirtualDisplay::~VirtualDisplay() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
}

} // namespace tornavel::test
