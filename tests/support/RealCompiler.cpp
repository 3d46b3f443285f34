#include "support/RealCompiler.h"

#include "platform/Process.h"
#include "support/TestCertificate.h"
#include "wine/Wine.h"

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

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
    for (const char* compiler : {"compiler", "compiler-6"}) {
        if (!fs::exists(programFolder() / compiler / "ISCC.exe")) {
            missing += " " + (programFolder() / compiler / "ISCC.exe").string();
        }
    }
    if (missing.empty()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "missing:" << missing << " (run scripts/install-compiler, then build again)";
}

ProgramRun buildWithCli(const fs::path& project, const fs::path& source, const TempDir& scratch,
                        const std::vector<std::string>& options,
                        const std::vector<std::string>& variables,
                        const std::function<void(pid_t)>& meanwhile) {
    std::vector<std::string> args{(programFolder() / "tornavel-cli").string(), "build",
                                  project.string(), "--source", source.string()};
    args.insert(args.end(), options.begin(), options.end());
    return runProgram(args, scratch, variables, meanwhile);
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

std::set<std::string> expectedContents(const fs::path& source, const std::string& fontsFolder) {
    std::set<std::string> files;
    for (const auto& entry : fs::directory_iterator(source)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory()) {
            if (name.find('.') == std::string::npos) {
                addTree(entry.path(), "app/" + name + "/", files);
            }
        } else if (name != "ISS") {
            const bool font = lowerCase(entry.path().extension().string()) == ".ttf";
            files.insert((font ? fontsFolder : "app/") + name);
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

std::vector<std::string> processesWith(const std::string& environmentEntry) {
    std::vector<std::string> programs;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        std::ifstream environment(entry.path() / "environ", std::ios::binary);
        for (std::string item; std::getline(environment, item, '\0');) {
            if (item == environmentEntry) {
                std::error_code ec;
                programs.push_back(fs::read_symlink(entry.path() / "exe", ec).string());
                break;
            }
        }
    }
    return programs;
}

bool noProcessWithin(const std::string& environmentEntry, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!processesWith(environmentEntry).empty()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        ::usleep(100000);
    }
    return true;
}

WizardRun::WizardRun(const fs::path& installer, const TempDir& scratch) : scratch_(scratch) {
    const WineCommand command = CommandUnderWine({installer.string()});
    Process::startWith({command.arguments, command.environmentChanges}).release();
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
    // Xvfb picks a free display itself and writes its number to fd 1.
    ProcessOptions options(
        {"Xvfb", "-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1024x768x24"});
    options.output = ChildStream::Kind::Pipe;
    options.error = ChildStream::Kind::Null;
    StartedProcess xvfb;
    try {
        xvfb = StartProcess(options);
    } catch (const ProcessError&) {
    }
    pid_ = xvfb.pid;
    std::string number;
    pollfd entry{xvfb.output.get(), POLLIN, 0};
    char c = 0;
    while (pid_ > 0 && ::poll(&entry, 1, 60000) > 0 && ::read(entry.fd, &c, 1) == 1 && c != '\n') {
        number += c;
    }
    if (number.empty()) {
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
