// Faults injected into every file the program writes: the project (Save and
// Save As), the settings file and the script. Whatever the fault, the old file
// stays byte for byte, nothing else appears beside it, and the message names
// the file.
#include "installer/BuildDriver.h"
#include "project/ProgramSettings.h"
#include "project/ProjectFile.h"
#include "support/FakePrompts.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace tornavel {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// A project whose file and script are far larger than an empty one's.
ProjectSettings largeProject() {
    ProjectSettings p;
    p.AppName = std::string(2000, 'a');
    p.AppVerName = std::string(200, 'v'); // the longest installer name the checks accept
    p.AppCopyright = std::string(2000, 'c');
    p.IniValue1 = std::string(2000, 'i');
    return p;
}

struct Writer {
    const char* name;
    const char* file; // inside the folder
    rlim_t fileLimit; // above the old file, below the new one
    std::function<std::string(const TempDir&)> oldBytes;
    std::function<void(const TempDir&)> write;
    // The message is this text, the path and the reason in parentheses,
    // whatever the fault; empty when it names the cause.
    const char* messageBeforePath = "";
};

std::string savedProjectBytes(const TempDir& dir) {
    const fs::path scratch = dir.path() / "scratch.ipr";
    SaveProject(ProjectSettings{}, scratch.string(), SaveOrder::SaveAs);
    const std::string bytes = test::readFileBytes(scratch);
    fs::remove(scratch);
    return bytes;
}

void writeScript(const TempDir& dir) {
    test::FakePrompts prompts;
    BuildDriver driver(prompts);
    BuildEnvironment env;
    env.sourceFolder = dir.folder();
    env.programFolder = dir.folder();
    ProjectSettings project = largeProject();
    driver.writeScript(project, env, nullptr);
}

const Writer kWriters[] = {
    {"Save", "p.ipr", 4096, savedProjectBytes,
     [](const TempDir& dir) {
         SaveProject(largeProject(), (dir.path() / "p.ipr").string(), SaveOrder::Save);
     },
     "Unable to write to "},
    {"SaveAs", "p.ipr", 4096, savedProjectBytes,
     [](const TempDir& dir) {
         SaveProject(largeProject(), (dir.path() / "p.ipr").string(), SaveOrder::SaveAs);
     },
     "Unable to write to "},
    {"Settings", "Tornavel.ini", 1024,
     [](const TempDir&) { return std::string("[Nastaveni]\r\nVystupniAdresar=/old/\r\n"); },
     [](const TempDir& dir) {
         WriteProgramSettings(dir.folder(), {"/" + std::string(2000, 'n') + "/", "vsList"});
     },
     "Unable to write to "},
    {"Script", "ISS", 1024, [](const TempDir&) { return std::string("old script\r\n"); },
     writeScript},
};

enum class Fault { DiskFull, ReadOnlyFolder, TargetIsFolder };

// Every entry below the folder with its bytes (folders as "<folder>").
std::map<std::string, std::string> snapshot(const TempDir& dir) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
        entries[fs::relative(entry.path(), dir.path()).string()] =
            entry.is_directory() ? "<folder>" : test::readFileBytes(entry.path());
    }
    return entries;
}

// The message of the failed write; empty when it did not fail.
std::string attempt(const Writer& writer, const TempDir& dir) {
    try {
        writer.write(dir);
        return {};
    } catch (const std::exception& e) {
        return e.what();
    }
}

class WriteFault : public ::testing::TestWithParam<std::tuple<int, Fault>> {};

TEST_P(WriteFault, LeavesTheOldFileAndNamesIt) {
    const Writer& writer = kWriters[std::get<0>(GetParam())];
    const Fault fault = std::get<1>(GetParam());
    TempDir dir;
    const fs::path target = dir.path() / writer.file;
    if (fault == Fault::TargetIsFolder) {
        dir.writeFile(std::string(writer.file) + "/inside", "kept");
    } else {
        dir.writeFile(writer.file, writer.oldBytes(dir));
    }
    const auto before = snapshot(dir);

    std::string message;
    switch (fault) {
    case Fault::DiskFull: {
        const test::FileSizeLimit diskFull(writer.fileLimit);
        message = attempt(writer, dir);
        break;
    }
    case Fault::ReadOnlyFolder:
        fs::permissions(target, fs::perms(0444));
        fs::permissions(dir.path(), fs::perms(0555));
        test::requireReachable(dir.path());
        message = test::runUnprivileged([&] { return attempt(writer, dir); });
        break;
    case Fault::TargetIsFolder:
        message = attempt(writer, dir);
        break;
    }

    EXPECT_NE(message.find(target.string()), std::string::npos) << '"' << message << '"';
    if (*writer.messageBeforePath != '\0') {
        // ... and the reason in words after it.
        EXPECT_TRUE(message.starts_with(writer.messageBeforePath + target.string() + " (") &&
                    message.ends_with(")"))
            << message;
    }
    EXPECT_EQ(snapshot(dir), before);
}

std::string caseName(const ::testing::TestParamInfo<std::tuple<int, Fault>>& info) {
    static const char* const kFaults[] = {"DiskFull", "ReadOnlyFolder", "TargetIsFolder"};
    return std::string(kWriters[std::get<0>(info.param)].name) +
           kFaults[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(
    EveryWrite, WriteFault,
    ::testing::Combine(::testing::Range(0, static_cast<int>(std::size(kWriters))),
                       ::testing::Values(Fault::DiskFull, Fault::ReadOnlyFolder,
                                         Fault::TargetIsFolder)),
    caseName);

} // namespace
} // namespace tornavel
