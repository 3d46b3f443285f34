// The adapter's own failures, run as the build driver runs it. None of them
// reaches wine's set-up or the compiler, so a stand-in ISCC.exe serves.
#include "platform/Cp1250.h"
#include "platform/FileDescriptor.h"
#include "support/ProgramRun.h"
#include "support/TempDir.h"
#include "support/TestCertificate.h"
#include "wine/Wine.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/file.h>

namespace tornavel {
namespace {

namespace fs = std::filesystem;

class Adapter : public ::testing::Test {
protected:
    Adapter() {
        compilerDir_.writeFile("ISCC.exe", "MZ stand-in");
        script_ = source_.writeFile("ISS", "[Setup]\r\nAppName=A\r\nMinVersion=4,0 \r\n").string();
    }
    test::ProgramRun run(std::vector<std::string> variables,
                         const std::string& adapter = TORNAVEL_ISCC_PATH) {
        variables.push_back("TORNAVEL_COMPILER_DIR=" + compilerDir_.folder());
        variables.push_back("TORNAVEL_WINEPREFIX=" + prefix());
        return test::runProgram({adapter, script_}, scratch_, variables);
    }
    const std::string& prefix() const { return prefix_; }

    test::TempDir compilerDir_;
    test::TempDir source_;
    test::TempDir scratch_;
    std::string script_;
    std::string prefix_ = (scratch_.path() / "wine").string();
};

TEST_F(Adapter, MissingPiecesNameTheInstallScript) {
    const test::TempDir emptyFolder;
    // No wine in PATH.
    test::ProgramRun r = run({"PATH=" + emptyFolder.path().string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(fromCp1250(r.err),
              "iscc: Chyba: Program wine nebyl nalezen (PATH). Kompilátor je program pro Windows "
              "a běží přes wine; nainstalujte ho skriptem scripts/install-compiler.\r\n");

    // No ISCC.exe.
    fs::remove(compilerDir_.path() / "ISCC.exe");
    r = run({});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(fromCp1250(r.err).find(
                  "iscc: Chyba: Kompilátor Inno Setup nebyl nalezen: " + compilerDir_.folder() +
                  "ISCC.exe neexistuje. Nainstalujte "
                  "ho skriptem scripts/install-compiler"),
              std::string::npos)
        << r.err;
    // Installed, the package is what brings them.
    const fs::path installed = scratch_.makeDir("usr/libexec/tornavel") / "iscc";
    fs::copy_file(TORNAVEL_ISCC_PATH, installed);
    scratch_.makeDir("usr/share/tornavel");
    r = run({}, installed);
    EXPECT_NE(fromCp1250(r.err).find("Přeinstalujte balíček Tornavel"), std::string::npos);
    compilerDir_.writeFile("ISCC.exe", "MZ");

    // No Czech locale: the compiler reads its UTF-8 copy without it, so the
    // adapter goes on (here to the script's refusal).
    r = run({"LOCPATH=" + emptyFolder.path().string()});
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(fs::exists(prefix()));
}

TEST_F(Adapter, ScriptThatAllowsNoSupportedWindowsIsRefusedBeforeWine) {
    const test::ProgramRun r = run({});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(fromCp1250(r.err).rfind("iscc: Chyba: Projekt nepovoluje žádnou verzi Windows", 0),
              0u)
        << r.err;
    EXPECT_NE(fromCp1250(r.err).find("(řádek 3 „MinVersion=4,0“)"), std::string::npos);
    EXPECT_FALSE(fs::exists(prefix()));
    EXPECT_FALSE(fs::exists(source_.path() / ".tornavel-iscc"));
}

TEST_F(Adapter, ChosenCompilerIsTheOneItsFolderHoldsAndRefusesBeforeWine) {
    compilerDir_.writeFile(".version", "6.2.0\n");
    test::ProgramRun r = run({});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(fromCp1250(r.err), "iscc: Chyba: Byl zvolen kompilátor Inno Setup 5.5.9, ale ve "
                                 "složce " +
                                     compilerDir_.folder() +
                                     " je Inno Setup 6. Zvolte "
                                     "ten, který tam je, nebo upravte proměnnou "
                                     "TORNAVEL_COMPILER_DIR.\r\n");
    source_.writeFile("ISS", "[Setup]\r\nMinVersion=0,5.0\r\nDiskSpanning=yes\r\n");
    r = run({"TORNAVEL_ISCC_INNO_SETUP=6"});
    EXPECT_EQ(r.status, 5);
    EXPECT_EQ(fromCp1250(r.err).rfind("iscc: Chyba: Inno Setup 6 neumí rozdělit instalaci na tak "
                                      "malé disky: na prvním disku je 1457664 bajtů",
                                      0),
              0u);
    EXPECT_FALSE(fs::exists(prefix()));
}

TEST_F(Adapter, SigningProblemsAreNamedBeforeWine) {
    source_.writeFile("ISS", "[Setup]\r\nMinVersion=0,5.0\r\n");
    const test::TestCertificate good = test::MakeTestCertificate(scratch_.path(), "dobry", "heslo");
    const test::TestCertificate old = test::MakeTestCertificate(scratch_.path(), "stary", "", -2);
    const auto wrongPassword = scratch_.writeFile("spatne", "jine\n");
    const std::string c = "TORNAVEL_ISCC_SIGN_CERTIFICATE=";
    const std::string k = "TORNAVEL_ISCC_SIGN_KEY=";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{c + good.pkcs12.string(), "TORNAVEL_ISCC_SIGN_PASSWORD_FILE=" + wrongPassword.string()},
         "Heslo k certifikátu „" + good.pkcs12.string() + "“ je nesprávné."},
        {{c + old.certificatePem.string(), k + old.keyPem.string()},
         "Platnost certifikátu „" + old.certificatePem.string() + "“ skončila dne "},
        {{c + good.certificatePem.string(), k + old.keyPem.string()},
         "Klíč „" + old.keyPem.string() + "“ nepatří k certifikátu"},
        {{c + script_}, "Soubor „" + script_ + "“ není certifikát pro podpis (PKCS#12 ani PEM)."},
        {{c + scratch_.folder() + "chybi.p12"},
         "Certifikát pro podpis „" + scratch_.folder() +
             "chybi.p12“ nelze přečíst: File not "
             "found."},
    };
    for (const auto& [variables, message] : cases) {
        const test::ProgramRun r = run(variables);
        EXPECT_EQ(r.status, 1) << message;
        EXPECT_EQ(fromCp1250(r.err).rfind("iscc: Chyba: " + message, 0), 0u) << fromCp1250(r.err);
    }
    // The password in its variable opens the certificate; then wine is next.
    const test::ProgramRun r =
        run({"TORNAVEL_SIGN_PASSWORD=heslo", "PATH=/nonexistent", c + good.pkcs12.string()});
    EXPECT_NE(fromCp1250(r.err).find("Program wine nebyl nalezen"), std::string::npos);
    EXPECT_FALSE(fs::exists(prefix()));
}

TEST_F(Adapter, PrefixThatCannotBeCreatedIsReported) {
    source_.writeFile("ISS", "[Setup]\r\nMinVersion=0,5.0\r\n");
    prefix_ = (scratch_.writeFile("file") / "wine").string();
    test::ProgramRun r = run({});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(fromCp1250(r.err),
              "iscc: Chyba: Prostředí wine v " + prefix_ + " nelze vytvořit: Not a directory.\r\n");
    // A folder wine cannot work in is refused before anything is made there.
    prefix_ = scratch_.folder() + "a\"b";
    r = run({});
    EXPECT_NE(fromCp1250(r.err).find("znak „\"“ (Windows ho ve jménech nedovolí). Zvolte jinou "
                                     "složku proměnnou TORNAVEL_WINEPREFIX."),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(prefix_));
    // The prefix and its lock are the user's alone; a lock another build holds
    // longer than 30 s ends the wait with what to do.
    prefix_ = scratch_.makeDir("held").string();
    const UniqueFd lock(::open((prefix_ + "/.tornavel-lock").c_str(), O_RDWR | O_CREAT, 0644));
    ASSERT_EQ(::flock(lock.get(), LOCK_EX), 0);
    r = run({});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(fromCp1250(r.err).find(" drží už přes 30 s jiné vytváření instalace (zámek "),
              std::string::npos)
        << r.err;
    EXPECT_EQ(fs::status(prefix_ + "/.tornavel-lock").permissions(), fs::perms(0600));
    EXPECT_EQ(fs::status(prefix_).permissions(), fs::perms::owner_all);
}

TEST_F(Adapter, UnreadableScriptAndMissingArgument) {
    test::ProgramRun r = test::runProgram({TORNAVEL_ISCC_PATH}, scratch_);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(fromCp1250(r.err), "iscc: Chyba: Použití: iscc [VOLBY KOMPILÁTORU...] SKRIPT\r\n");
    r = test::runProgram({TORNAVEL_ISCC_PATH, "--help"}, scratch_);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("TORNAVEL_ISCC_REPRODUCIBLE"), std::string::npos) << r.out;

    fs::remove(script_);
    r = run({});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(fromCp1250(r.err),
              "iscc: Chyba: Skript " + script_ + " nelze přečíst: File not found.\r\n");
}

} // namespace
} // namespace tornavel
