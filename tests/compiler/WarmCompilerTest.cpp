// Wine kept warm between builds, and nothing of it left running afterwards:
// the window's WarmCompiler and the CLI's lingering server, each in a prefix
// of its own (hard links to the shared one), so no other test's wine counts.
#include "wine/WarmCompiler.h"

#include "project/ProjectFile.h"
#include "support/RealCompiler.h"
#include "support/ScopedVariable.h"
#include "wine/Wine.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace tornavel {
namespace {

namespace fs = std::filesystem;

int processesOf(const fs::path& prefix) {
    return static_cast<int>(test::processesWith("WINEPREFIX=" + prefix.string()).size());
}

bool noneWithin(const fs::path& prefix, std::chrono::seconds limit) {
    return test::noProcessWithin("WINEPREFIX=" + prefix.string(), limit);
}

class WarmCompilerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::realCompilerInstalled());
        source_ = scratch_.makeDir("zdroj");
        scratch_.writeFile("zdroj/a.txt", "a");
        project_ = scratch_.path() / "p.ipr";
        ProjectSettings settings;
        NewProject(settings);
        SaveProject(settings, project_.string(), SaveOrder::SaveAs);
        // The shared prefix exists once a build has run in it.
        ASSERT_EQ(test::buildWithCli(project_, source_, scratch_).status, 0);
        prefix_ = scratch_.path() / "prefix";
        fs::copy(WinePrefixFolder(), prefix_,
                 fs::copy_options::recursive | fs::copy_options::create_hard_links |
                     fs::copy_options::copy_symlinks);
    }

    test::TempDir scratch_;
    fs::path source_;
    fs::path project_;
    fs::path prefix_;
};

TEST_F(WarmCompilerTest, ServerLivesWithTheWindowAndTheLingerOnly) {
    const test::ScopedVariable variable("TORNAVEL_WINEPREFIX", prefix_.string());
    {
        WarmCompiler warm((test::programFolder() / "iscc").string());
        EXPECT_FALSE(warm.preparing());
        EXPECT_EQ(test::buildWithCli(project_, source_, scratch_, {"--linger", "0"}).status, 0);
        EXPECT_GT(processesOf(prefix_), 0); // still up between builds
    }
    EXPECT_TRUE(noneWithin(prefix_, std::chrono::seconds(10)));

    ASSERT_EQ(test::buildWithCli(project_, source_, scratch_, {"--linger", "3"}).status, 0);
    EXPECT_GT(processesOf(prefix_), 0);
    EXPECT_TRUE(noneWithin(prefix_, std::chrono::seconds(15)));
}

// A killed window takes its wine server with it.
TEST_F(WarmCompilerTest, KilledWindowLeavesNoServer) {
    const test::ProgramRun window =
        test::runProgram({(test::programFolder() / "tornavel").string()}, scratch_,
                         {"TORNAVEL_WINEPREFIX=" + prefix_.string()}, [this](pid_t pid) {
                             for (int i = 0; i < 300 && processesOf(prefix_) == 0; ++i) {
                                 std::this_thread::sleep_for(std::chrono::milliseconds(100));
                             }
                             EXPECT_GT(processesOf(prefix_), 0);
                             ::kill(pid, SIGKILL);
                         });
    EXPECT_EQ(window.status, 128 + SIGKILL);
    EXPECT_TRUE(noneWithin(prefix_, std::chrono::seconds(60)));
}

// A window closed while the prefix is still being made leaves nothing
// running; the next build finishes the prefix.
TEST_F(WarmCompilerTest, PreparationEndsWithTheWindow) {
    const fs::path fresh = scratch_.path() / "nové prostředí";
    const test::ScopedVariable variable("TORNAVEL_WINEPREFIX", fresh.string());
    {
        WarmCompiler warm((test::programFolder() / "iscc").string());
        EXPECT_TRUE(warm.preparing());
        std::this_thread::sleep_for(std::chrono::seconds(2));
        EXPECT_EQ(warm.pollPreparation().state, PreparationNews::State::Preparing);
    }
    EXPECT_TRUE(noneWithin(fresh, std::chrono::seconds(10)));
}

} // namespace
} // namespace tornavel
