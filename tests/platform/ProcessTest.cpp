#include "platform/Process.h"

#include "platform/BackgroundProcess.h"
#include "support/FakeCompiler.h"
#include "support/ScopedVariable.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tornavel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The stand-in compiler, copied into the test's own folder; it ends with the
// code written into "iscc.exitcode" beside it.
fs::path programEndingWith(const test::TempDir& dir, int code) {
    return test::installFakeCompiler(dir.path(), code);
}

std::uint32_t startCode(const std::vector<std::string>& args) {
    try {
        Process::start(args).wait({});
    } catch (const ProcessError& e) {
        EXPECT_EQ(e.kind(), Error::Kind::ProcessFailed);
        return e.code();
    }
    return 0xFFFFFFFFu;
}

TEST(Process, FailedStartsGiveTheWindowsCodes) {
    test::TempDir dir;
    EXPECT_EQ(startCode({(dir.path() / "missing").string()}), 2u);
    EXPECT_EQ(startCode({"tornavel-no-such-program-anywhere"}), 2u);
    EXPECT_EQ(startCode({}), 2u);
    EXPECT_EQ(startCode({(dir.path() / "no-folder" / "x").string()}), 2u);

    const auto notAFolder = dir.writeFile("plain.txt", "text");
    EXPECT_EQ(startCode({(notAFolder / "x").string()}), 3u);

    // Not executable, and a folder: access denied, as on Windows.
    EXPECT_EQ(startCode({notAFolder.string()}), 5u);
    EXPECT_EQ(startCode({dir.folder()}), 5u);

    // Executable but no program (and never handed to a shell): bad format.
    const auto junk = dir.writeFile("junk", "echo this must not run\n");
    fs::permissions(junk, fs::perms::owner_all);
    EXPECT_EQ(startCode({junk.string()}), 193u);
}

TEST(Process, WaitReturnsTheExitCode) {
    test::TempDir dir;
    const auto program = programEndingWith(dir, 1);
    EXPECT_EQ(Process::start({program.string()}).wait({}), 1u);
    dir.writeFile("iscc.exitcode", "0");
    EXPECT_EQ(Process::start({program.string()}).wait({}), 0u);
    dir.writeFile("iscc.exitcode", "254");
    EXPECT_EQ(Process::start({program.string()}).wait({}), 254u);
}

TEST(Process, ArgumentsArriveUnchanged) {
    test::TempDir dir;
    const auto program = programEndingWith(dir, 0);
    Process::start({program.string(), "a b", "\"q\"", "C:\\x\\"}).wait({});
    EXPECT_EQ(test::readFileBytes(dir.path() / "iscc.log"), "a b \"q\" C:\\x\\\n");
}

TEST(Process, PumpRunsWhileTheProgramRuns) {
    int pumped = 0;
    const auto start = std::chrono::steady_clock::now();
    const std::uint32_t code = Process::start({"sleep", "0.3"}).wait([&] { ++pumped; }, 10ms);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(code, 0u);
    EXPECT_GE(elapsed, 250ms);
    // Slices of 10 ms over 300 ms: the pump ran many times, but not in a busy loop.
    EXPECT_GE(pumped, 5);
    EXPECT_LE(pumped, 100);
}

TEST(Process, ProgramInheritsOnlyTheStandardStreams) {
    test::TempDir dir;
    const auto file = dir.writeFile("open.txt", "x");
    const int fd = ::open(file.c_str(), O_RDONLY); // deliberately without O_CLOEXEC
    ASSERT_GE(fd, 3);
    struct stat opened {};
    ASSERT_EQ(::fstat(fd, &opened), 0);
    Process p = Process::start({"sleep", "2"});
    // The child's other descriptors come and go (the dynamic loader opens its
    // libraries), so only what they refer to is judged: never our file.
    bool sawStandardInput = false;
    for (const auto& entry : fs::directory_iterator("/proc/" + std::to_string(p.id()) + "/fd")) {
        sawStandardInput = sawStandardInput || entry.path().filename() == "0";
        struct stat target {};
        if (::stat(entry.path().c_str(), &target) != 0) {
            continue; // closed since the listing
        }
        EXPECT_FALSE(target.st_dev == opened.st_dev && target.st_ino == opened.st_ino)
            << "the child holds the test's file as fd " << entry.path().filename();
    }
    EXPECT_TRUE(sawStandardInput);
    ::kill(p.id(), SIGTERM);
    ::close(fd);
    p.wait({});
}

TEST(Process, IdlePriorityLowersTheProgram) {
    Process p = Process::start({"sleep", "0.2"}, ProcessPriority::Idle);
    errno = 0;
    const int nice = ::getpriority(PRIO_PROCESS, static_cast<id_t>(p.id()));
    EXPECT_EQ(errno, 0);
    EXPECT_EQ(nice, 19);
    // Raising needs a privilege; without it the program still starts.
    EXPECT_EQ(Process::start({"sleep", "0"}, ProcessPriority::Realtime).wait({}), 0u);
    p.wait({});
}

TEST(Process, EndBySignalGivesShellStyleCode) {
    Process p = Process::start({"sleep", "5"});
    const pid_t pid = p.id();
    bool killed = false;
    const std::uint32_t code = p.wait([&] {
        if (!killed) {
            ::kill(pid, SIGTERM);
            killed = true;
        }
    });
    EXPECT_EQ(code, 128u + SIGTERM);
}

// Standard output and standard error share one pipe, so their order survives;
// 10 MiB holding every byte value arrive unchanged and the wait does not stall
// on a full pipe.
TEST(Process, CapturedOutputArrivesWholeAndInOrder) {
    test::TempDir dir;
    std::string big(10u << 20, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
    }
    const auto bigFile = dir.writeFile("big.bin", big);
    const auto tail = dir.writeFile("tail.txt", "konec\r\n");
    std::string received;
    int pieces = 0;
    int pumped = 0;
    Process p = Process::startCapturingOutput(
        {"cat", bigFile.string(), (dir.path() / "missing").string(), tail.string()},
        [&](std::string_view bytes) {
            received += bytes;
            ++pieces;
        });
    EXPECT_EQ(p.wait([&] { ++pumped; }), 1u); // cat reports the missing file
    ASSERT_GT(received.size(), big.size() + 7);
    EXPECT_TRUE(received.compare(0, big.size(), big) == 0);
    const std::string rest = received.substr(big.size());
    EXPECT_NE(rest.find("missing"), std::string::npos) << rest; // from standard error
    EXPECT_TRUE(rest.ends_with("konec\r\n")) << rest;
    EXPECT_GT(pieces, 1);
    EXPECT_GT(pumped, 0);
}

// The program is killed while a program it started ("yes", under "timeout")
// still holds the pipe and writes on: the wait ends with the program, not
// with the pipe. Once our end is closed, "yes" ends on the broken pipe.
TEST(Process, CapturedProgramKilledBySignalEndsTheWait) {
    std::size_t received = 0;
    pid_t pid = -1;
    bool killed = false;
    Process p = Process::startCapturingOutput({"timeout", "60", "yes", "řádek"},
                                              [&](std::string_view bytes) {
                                                  received += bytes.size();
                                                  if (!killed && received > (1u << 20)) {
                                                      ::kill(pid, SIGKILL);
                                                      killed = true;
                                                  }
                                              });
    pid = p.id();
    EXPECT_EQ(p.wait({}), 128u + SIGKILL);
    EXPECT_TRUE(killed);
}

TEST(Process, ReleasedProgramIsReapedWhenItEnds) {
    pid_t pid = -1;
    {
        Process p = Process::start({"sleep", "0.1"});
        pid = p.id();
    } // released here, still running
    // A zombie still answers kill(pid, 0); a reaped process does not.
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    bool reaped = false;
    while (!reaped && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(20ms);
        reaped = ::kill(pid, 0) != 0;
    }
    EXPECT_TRUE(reaped);
}

TEST(Process, PumpThatThrowsLeavesNoZombie) {
    pid_t pid = -1;
    try {
        Process p = Process::start({"sleep", "0.1"});
        pid = p.id();
        p.wait([] { throw std::runtime_error("window closed"); });
        FAIL() << "the pump's exception must reach the caller";
    } catch (const std::runtime_error&) {
    }
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (::kill(pid, 0) == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(20ms);
    }
    EXPECT_NE(::kill(pid, 0), 0);
}

// Our environment with the changes made, the folder asked for, standard
// output into a file and standard error after it.
TEST(ProcessStarter, EnvironmentFolderAndStreamsAreAsAsked) {
    test::TempDir dir;
    const test::ScopedVariable kept("TORNAVEL_KEPT", "ano");
    const test::ScopedVariable removed("TORNAVEL_REMOVED", "ne");
    const auto output = dir.path() / "out.txt";
    ProcessOptions environment({"env"},
                               {"TORNAVEL_SET=1", "TORNAVEL_KEPT=jiné", "TORNAVEL_REMOVED"});
    environment.output = ChildStream::file(output.string());
    EXPECT_EQ(Process::startWith(environment).wait({}), 0u);
    const std::string variables = test::readFileBytes(output);
    EXPECT_NE(variables.find("\nTORNAVEL_SET=1\n"), std::string::npos) << variables;
    EXPECT_NE(variables.find("\nTORNAVEL_KEPT=jiné\n"), std::string::npos) << variables;
    EXPECT_EQ(variables.find("TORNAVEL_KEPT=ano"), std::string::npos) << variables;
    EXPECT_EQ(variables.find("TORNAVEL_REMOVED"), std::string::npos) << variables;

    dir.makeDir("tady");
    ProcessOptions listing({"ls", "-d", "tady", "chybí"});
    listing.workingFolder = dir.folder();
    listing.output = ChildStream::file(output.string());
    listing.error = ChildStream::Kind::Output;
    EXPECT_NE(Process::startWith(listing).wait({}), 0u);
    const std::string listed = test::readFileBytes(output);
    EXPECT_NE(listed.find("tady\n"), std::string::npos) << listed;
    EXPECT_NE(listed.find("chybí"), std::string::npos) << listed; // ls's complaint
}

// A group of its own; the death signal when the starting thread ends; a
// program that ends while still owned is reaped at once; without PATH the
// system's default folders are searched.
TEST(ProcessStarter, GroupDeathSignalReapingAndDefaultPath) {
    pid_t pid = -1;
    std::thread owner([&pid] {
        ProcessOptions options({"sleep", "30"});
        options.ownProcessGroup = true;
        options.deathSignal = SIGTERM;
        pid = StartProcess(options).pid;
        EXPECT_EQ(::getpgid(pid), pid);
    });
    owner.join();
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;

    const pid_t ending = StartProcess({{"true"}}).pid;
    const BackgroundProcess watched(ending);
    EXPECT_TRUE(watched.waitFor(5s));
    EXPECT_FALSE(watched.running());
    EXPECT_NE(::kill(ending, 0), 0); // no zombie while the owner still holds it

    const test::ScopedVariable noPath("PATH", std::nullopt);
    EXPECT_EQ(Process::start({"true"}).wait({}), 0u);
    EXPECT_FALSE(FindInPath("sh").empty());
}

} // namespace
} // namespace tornavel
