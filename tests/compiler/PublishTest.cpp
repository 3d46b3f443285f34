// Installers fit to publish, built by the real tornavel-cli through the
// adapter: compiled whatever the locale, signed, and reproducible.
#include "installer/BuildDriver.h"
#include "support/RealCompiler.h"
#include "support/TestCertificate.h"
#include "wine/Wine.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>

namespace tornavel {
namespace {

namespace fs = std::filesystem;

class Publish : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::realCompilerInstalled());
        project_ = fs::path(TORNAVEL_EXAMPLES_DIR) / "zpevnik.ipr";
    }

    // A copy of the example's tree in its own folder, its files last changed
    // at the given time (seconds since 1970).
    fs::path copyOfExample(const std::string& name, long long changed) const {
        const fs::path folder = scratch_.makeDir(name);
        fs::copy(fs::path(TORNAVEL_EXAMPLES_DIR) / "zpevnik", folder, fs::copy_options::recursive);
        const timespec times[2] = {{changed, 0}, {changed, 0}};
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            EXPECT_EQ(::utimensat(AT_FDCWD, entry.path().c_str(), times, 0), 0);
        }
        return folder;
    }

    // tornavel-cli build with the options and variables.
    test::ProgramRun build(const fs::path& source, const std::vector<std::string>& options = {},
                           const std::vector<std::string>& variables = {}) const {
        return test::buildWithCli(project_, source, scratch_, options, variables);
    }

    std::string installerBytes(const fs::path& source) const {
        return test::readFileBytes(source / "Output" / "Zpěvník 1.2.exe");
    }

    // The time innoextract gives the extracted licence, in seconds since 1970.
    long long extractedTime(const fs::path& source) const {
        const fs::path target = scratch_.makeDir("extracted");
        fs::remove_all(target);
        const test::ProgramRun run =
            test::runProgram({FindInPath("innoextract"), "--quiet", "--timestamps", "UTC", "-d",
                              target.string(), (source / "Output" / "Zpěvník 1.2.exe").string()},
                             scratch_);
        EXPECT_EQ(run.status, 0) << run.err;
        return modificationTime(target / "app" / "Licence.txt");
    }

    static long long modificationTime(const fs::path& file) {
        struct stat st {};
        EXPECT_EQ(::stat(file.c_str(), &st), 0) << file;
        return st.st_mtime;
    }

    test::TempDir scratch_;
    fs::path project_;
};

TEST_F(Publish, CompilesWithoutTheCzechLocaleToTheSameInstaller) {
    const fs::path source = copyOfExample("zdroj", 1700000000);
    ASSERT_EQ(build(source).status, 0);
    const std::string withCzech = installerBytes(source);
    // No locale installed at all: wine runs under C.UTF-8, the copy is UTF-8.
    const test::TempDir noLocales;
    const test::ProgramRun r = build(source, {}, {"LOCPATH=" + noLocales.path().string()});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_TRUE(installerBytes(source) == withCzech);
}

// With either compiler.
TEST_F(Publish, ReproducibleInstallersAreTheSameWhateverTheFilesTimesZoneAndFolder) {
    const fs::path first = copyOfExample("první", 1700000000);
    const fs::path second = copyOfExample("druhá kopie", 1600000000);
    const test::TestCertificate certificate =
        test::MakeTestCertificate(scratch_.path(), "Vydavatel", "heslo");
    const std::vector<std::string> signing = {"--sign-certificate", certificate.pkcs12.string()};

    fs::perms unsignedMode{};
    for (const auto& [sign, compiler] : {std::pair{false, "5"}, std::pair{true, "5"},
                                         std::pair{false, "6"}, std::pair{true, "6"}}) {
        std::vector<std::string> options{"--reproducible", "--inno-setup", compiler};
        if (sign) {
            options.insert(options.end(), signing.begin(), signing.end());
        }
        ASSERT_EQ(build(first, options, {"TZ=UTC", "TORNAVEL_SIGN_PASSWORD=heslo"}).status, 0);
        ASSERT_EQ(
            build(second, options, {"TZ=America/New_York", "TORNAVEL_SIGN_PASSWORD=heslo"}).status,
            0);
        EXPECT_TRUE(installerBytes(first) == installerBytes(second))
            << "signed: " << sign << ", Inno Setup " << compiler;
        // Signed or not, the installer has the same permissions.
        const fs::perms mode = fs::status(first / "Output" / "Zpěvník 1.2.exe").permissions();
        EXPECT_TRUE(!sign || mode == unsignedMode);
        unsignedMode = mode;
        if (sign) {
            EXPECT_TRUE(test::signatureVerifies(first / "Output" / "Zpěvník 1.2.exe", certificate,
                                                scratch_));
        }
    }
    // SOURCE_DATE_EPOCH names the time; the files carry it.
    ASSERT_EQ(build(first, {}, {"SOURCE_DATE_EPOCH=1234567890"}).status, 0);
    EXPECT_EQ(extractedTime(first), 1234567890);

    // Not asked for: the files keep their own times.
    ASSERT_EQ(build(second).status, 0);
    EXPECT_EQ(extractedTime(second), 1600000000);
}

// The password reaches the adapter alone: no program it starts has it in its
// environment and no file of its own holds it, however briefly.
TEST_F(Publish, PasswordStaysWithTheAdapter) {
    const fs::path source = copyOfExample("zdroj", 1700000000);
    const std::string secret = "heslo-" + scratch_.path().filename().string();
    const test::TestCertificate certificate =
        test::MakeTestCertificate(scratch_.path(), "Vydavatel", secret);
    const fs::path temporary = scratch_.makeDir("tmp");
    const test::TempDir greps;
    std::set<std::string> holders;
    bool inAFile = false;
    const test::ProgramRun r = test::buildWithCli(
        project_, source, scratch_, {"--sign-certificate", certificate.pkcs12.string()},
        {"TORNAVEL_SIGN_PASSWORD=" + secret, "TMPDIR=" + temporary.string()}, [&](pid_t cli) {
            siginfo_t info{};
            while (::waitid(P_PID, static_cast<id_t>(cli), &info, WEXITED | WNOHANG | WNOWAIT) ==
                       0 &&
                   info.si_pid == 0) {
                for (const std::string& program :
                     test::processesWith("TORNAVEL_SIGN_PASSWORD=" + secret)) {
                    holders.insert(fs::path(program).filename().string());
                }
                inAFile = inAFile ||
                          test::runProgram({FindInPath("grep"), "-rqF", secret, temporary.string()},
                                           greps)
                                  .status == 0;
            }
        });
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(holders, (std::set<std::string>{"tornavel-cli", "iscc"}));
    EXPECT_FALSE(inAFile);
}

TEST_F(Publish, WrongPasswordStopsTheBuildWithItsCauseAndNoInstaller) {
    const fs::path source = copyOfExample("zdroj", 1700000000);
    const test::TestCertificate certificate =
        test::MakeTestCertificate(scratch_.path(), "Vydavatel", "heslo");
    const fs::path password = scratch_.writeFile("heslo.txt", "jiné heslo\n");
    const test::ProgramRun r = build(source, {"--sign-certificate", certificate.pkcs12.string(),
                                              "--sign-password-file", password.string()});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("Heslo k certifikátu „" + certificate.pkcs12.string() + "“ je nesprávné."),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(source / "Output" / "Zpěvník 1.2.exe"));
}

} // namespace
} // namespace tornavel
