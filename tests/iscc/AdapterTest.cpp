// The adapter's own failures, run as the build driver runs it. None of them
// reaches wine's set-up or the compiler, so a stand-in ISCC.exe serves.
#include "platform/Cp1250.h"
#include "support/ProgramRun.h"
#include "support/TempDir.h"
#include "support/TestCertificate.h"
#include "wine/Wine.h"

#include <filesystem>
#include <gtest/gtest.h>

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
                         const std::vector<std::string>& options = {}) {
        variables.push_back("TORNAVEL_COMPILER_DIR=" + compilerDir_.folder());
        variables.push_back("TORNAVEL_WINEPREFIX=" + prefix());
        std::vector<std::string> args{TORNAVEL_ISCC_PATH};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(script_);
        return test::runProgram(args, scratch_, variables);
    }
    std::string prefix() const { return (scratch_.path() / "wine").string(); }

    test::TempDir compilerDir_;
    test::TempDir source_;
    test::TempDir scratch_;
    std::string script_;
};

TEST_F(Adapter, MissingPiecesNameTheInstallScript) {
    const test::TempDir emptyFolder;
    // No wine in PATH.
    test::ProgramRun r = run({"PATH=" + emptyFolder.path().string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(fromCp1250(r.err),
              "iscc: Program wine nebyl nalezen (PATH). Kompilátor je program pro Windows a běží "
              "přes wine; nainstalujte ho skriptem scripts/install-compiler.\r\n");

    // No ISCC.exe.
    fs::remove(compilerDir_.path() / "ISCC.exe");
    r = run({});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(fromCp1250(r.err).find(
                  "iscc: Kompilátor Inno Setup nebyl nalezen: " + compilerDir_.folder() +
                  "ISCC.exe neexistuje. Nainstalujte "
                  "ho skriptem scripts/install-compiler"),
              std::string::npos)
        << r.err;
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
    EXPECT_EQ(fromCp1250(r.err).rfind("iscc: Projekt nepovoluje žádnou verzi Windows", 0), 0u)
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
    r = run({}, {"--inno-setup=6"});
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
    const std::string c = "--sign-certificate=";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{c + good.pkcs12.string(), "--sign-password-file=" + wrongPassword.string()},
         "Heslo k certifikátu „" + good.pkcs12.string() + "“ je nesprávné."},
        {{c + old.certificatePem.string(), "--sign-key=" + old.keyPem.string()},
         "Platnost certifikátu „" + old.certificatePem.string() + "“ skončila dne "},
        {{c + good.certificatePem.string(), "--sign-key=" + old.keyPem.string()},
         "Klíč „" + old.keyPem.string() + "“ nepatří k certifikátu"},
        {{c + script_}, "Soubor „" + script_ + "“ není certifikát pro podpis (PKCS#12 ani PEM)."},
        {{c + scratch_.folder() + "chybi.p12"},
         "Certifikát pro podpis „" + scratch_.folder() +
             "chybi.p12“ nelze přečíst: File not "
             "found."},
    };
    for (const auto& [options, message] : cases) {
        const test::ProgramRun r = run({}, options);
        EXPECT_EQ(r.status, 1) << message;
        EXPECT_EQ(fromCp1250(r.err).rfind("iscc: Chyba: " + message, 0), 0u) << fromCp1250(r.err);
    }
    // The password in its variable opens the certificate; then wine is next.
    const test::ProgramRun r =
        run({"TORNAVEL_SIGN_PASSWORD=heslo", "PATH=/nonexistent"}, {c + good.pkcs12.string()});
    EXPECT_NE(fromCp1250(r.err).find("Program wine nebyl nalezen"), std::string::npos);
    EXPECT_FALSE(fs::exists(prefix()));
}

TEST_F(Adapter, PrefixThatCannotBeCreatedIsReported) {
    source_.writeFile("ISS", "[Setup]\r\nMinVersion=0,5.0\r\n");
    const auto blocker = scratch_.writeFile("file");
    const test::ProgramRun r =
        test::runProgram({TORNAVEL_ISCC_PATH, script_}, scratch_,
                         {"TORNAVEL_COMPILER_DIR=" + compilerDir_.folder(),
                          "TORNAVEL_WINEPREFIX=" + (blocker / "wine").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(fromCp1250(r.err), "iscc: Prostředí wine v " + (blocker / "wine").string() +
                                     " nelze vytvořit: Not a directory.\r\n");
}

TEST_F(Adapter, UnreadableScriptAndMissingArgument) {
    test::ProgramRun r = test::runProgram({TORNAVEL_ISCC_PATH}, scratch_);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(fromCp1250(r.err),
              "iscc: Použití: iscc [VOLBY...] [VOLBY KOMPILÁTORU...] SKRIPT\r\n");

    fs::remove(script_);
    r = run({});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(fromCp1250(r.err), "iscc: Skript " + script_ + " nelze přečíst: File not found.\r\n");
}

} // namespace
} // namespace tornavel
