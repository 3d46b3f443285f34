// A sweep over random realistic projects and source trees, one per seed of a
// fixed list, with each compiler: whatever the checks accept, the real
// compiler must accept, and the installer must hold exactly the tree. For
// Inno Setup 6 the disks are larger than its setup program (smaller ones it
// refuses: AdapterTest).
//
// The projects never refuse Windows NT ("zakázat"): with the Windows 9x
// family gone from the compiler, such a project allows no supported version,
// and the checks refuse it on purpose (CompileTest).
#include "project/ProjectFile.h"
#include "project/ProjectSettings.h"
#include "support/IconSamples.h"
#include "support/RealCompiler.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <set>

namespace tornavel {
namespace {

namespace fs = std::filesystem;

class Random {
public:
    explicit Random(unsigned seed) : engine_(seed) {}
    // The engine's raw numbers, so that a seed gives the same project with
    // every standard library.
    std::size_t below(std::size_t n) { return engine_() % n; }
    bool percent(unsigned p) { return below(100) < p; }
    template <class T> const T& pick(const std::vector<T>& items) {
        return items[below(items.size())];
    }

private:
    std::mt19937 engine_;
};

const std::vector<std::string> kNames = {
    "Účetnictví",     "Sklad",   "Faktury",    "Mzdy (2024)",    "Čtečka",
    "Žluťoučký kůň",  "Data",    "Nástroje",   "Obrázky",        "Šablony",
    "Zálohy",         "Řešení",  "Pokladna+",  "Kniha jízd",     "Ďábelské hry",
    "Tisk & sestavy", "Ostatní", "Návody_PDF", "Hudba - ukázky", "Úlohy 1-10",
};
const std::vector<std::string> kExtensions = {".txt", ".exe", ".dll",  ".ini", ".hlp",
                                              ".dat", ".bmp", ".html", ".doc"};

// A source tree and a project that names its files.
class Sweep {
public:
    Sweep(unsigned seed, const fs::path& root) : random_(seed), root_(root) {}

    ProjectSettings makeProjectAndTree() {
        spanning_ = random_.percent(25);
        makeFolder(root_, "", 0);
        if (spanning_) {
            // More than one disk of data that does not compress: pieces.
            std::string archive(2'000'000, '\0');
            for (char& c : archive) {
                c = static_cast<char>(random_.below(256));
            }
            addFile("Archiv.dat", archive);
        }
        if (random_.percent(40)) {
            addFile("Písmo.ttf", fontBytes());
        }
        if (random_.percent(30)) {
            // Never installed: a folder whose name holds a dot.
            fs::create_directories(root_ / "Záloha.old");
            write(root_ / "Záloha.old" / "staré.txt", "staré");
        }
        return makeProject();
    }

private:
    void makeFolder(const fs::path& folder, const std::string& relative, int depth) {
        std::set<std::string> used;
        const std::size_t files = 1 + random_.below(depth == 0 ? 5 : 4);
        for (std::size_t i = 0; i < files; ++i) {
            const std::string name = uniqueName(used, random_.pick(kExtensions));
            addFile(relative + name, randomBytes());
        }
        if (random_.percent(15)) {
            addFile(relative + uniqueName(used, ".ico"),
                    test::sampleIcoFile({{16, 0xFF00FF00u}, {32, 0xFF0000FFu}}));
        }
        if (depth > 0 && random_.percent(10)) {
            addFile(relative + "ISS", "v podsložce se instaluje"); // only the root's is the script
        }
        const std::size_t folders = depth >= 3 ? 0 : random_.below(depth == 0 ? 4 : 3);
        for (std::size_t i = 0; i < folders; ++i) {
            const std::string name = uniqueName(used, "");
            fs::create_directories(folder / name);
            makeFolder(folder / name, relative + name + "\\", depth + 1);
        }
    }

    // A name unique in its folder, as Windows compares names.
    std::string uniqueName(std::set<std::string>& used, const std::string& extension) {
        for (;;) {
            std::string name = random_.pick(kNames);
            if (random_.percent(40)) {
                name += " " + std::to_string(random_.below(100));
            }
            name += extension;
            if (used.insert(test::lowerCase(name)).second) {
                return name;
            }
        }
    }

    void addFile(const std::string& relative, const std::string& bytes) {
        std::string native = relative;
        std::replace(native.begin(), native.end(), '\\', '/');
        write(root_ / native, bytes);
        files_.push_back(relative);
    }

    static void write(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    std::string randomBytes() {
        std::string bytes(random_.below(20000), '\0');
        // Half of the files compress well, half not at all.
        const bool text = random_.percent(50);
        for (char& c : bytes) {
            c = static_cast<char>(text ? 'a' + random_.below(4) : random_.below(256));
        }
        return bytes;
    }

    static std::string fontBytes() {
        return test::readFileBytes(test::testFont("DejaVuSansMono.ttf"));
    }

    std::string anyFile() { return random_.pick(files_); }

    std::string rootTextFile() {
        std::vector<std::string> texts;
        std::copy_if(files_.begin(), files_.end(), std::back_inserter(texts),
                     [](const std::string& f) {
                         return f.find('\\') == std::string::npos && f.ends_with(".txt");
                     });
        return texts.empty() ? "" : random_.pick(texts);
    }

    ProjectSettings makeProject() {
        ProjectSettings p;
        NewProject(p);
        p.AppName = random_.pick(kNames);
        p.AppVerName =
            random_.percent(20) ? "" : p.AppName + " verze 1." + std::to_string(random_.below(10));
        p.DefaultDirName = random_.percent(30) ? "Firma s.r.o.\\" + p.AppName : p.AppName;
        p.DefaultGroupName = random_.percent(30) ? "Firma\\" + p.AppName : p.AppName;
        p.AppCopyright = random_.percent(20) ? "" : "© 2024 Firma s.r.o.";
        p.Password = random_.percent(20) ? "tajné heslo" : "";
        p.InstallToProgramFiles = random_.percent(70);
        p.DisableDirPage = random_.percent(20);
        p.ShowLanguageDialog = random_.percent(50);
        p.DiskSpanning = spanning_;
        p.DiskSize = random_.pick(std::vector<std::string>{"1457664", "2000000", "5000000"});
        p.ReserveBytes = random_.pick(std::vector<std::string>{"0", "1024", "65536"});
        p.Win = static_cast<int>(random_.below(5));
        p.WinNT = static_cast<int>(random_.below(4));
        if (random_.percent(30)) {
            p.LicenceFile = rootTextFile();
        }
        if (random_.percent(30)) {
            p.InfoBeforeFile = rootTextFile();
        }
        if (random_.percent(30)) {
            p.InfoAfterFile = rootTextFile();
        }
        p.BackgroundColor = static_cast<int>(random_.below(kBackgroundColorCount));
        p.BackSolid = random_.percent(50);
        p.BackColorDirection = random_.percent(50);
        p.AlwaysRestart = random_.percent(20);
        p.Uninstallable = random_.percent(20);
        p.AllowNoIcons = random_.percent(50);
        p.DisableProgramGroupPage = random_.percent(20);
        p.WindowVisible = random_.percent(50);

        const std::size_t icons = random_.below(kIconCount + 1);
        for (std::size_t i = 0; i < icons; ++i) {
            IconEntry& icon = p.Icons[i];
            icon.Name = random_.pick(kNames) + (i > 0 ? " " + std::to_string(i) : "");
            icon.FileName = anyFile();
            icon.Parameters = random_.pick(std::vector<std::string>{
                "", "/s", "-config {app}\\nastavení.ini", "\"\"{app}\\data\"\""});
            icon.IconFile = random_.percent(50) ? "" : anyFile();
            icon.IconIndex = random_.percent(80) ? "0" : "1";
            icon.HotKey = static_cast<int>(random_.below(kHotKeyChoiceCount + 1)) - 1;
            icon.OnDesktop = random_.percent(30);
            icon.InStartup = random_.percent(20);
        }
        if (random_.percent(40)) {
            p.IniFileName = random_.percent(50) ? "nastavení.ini" : "Firma\\program.ini";
            p.IniLocation = static_cast<int>(random_.below(3));
            p.IniSection = "Obecné";
            p.IniKey1 = "Složka";
            p.IniValue1 = "{app}";
            p.IniKey2 = random_.percent(50) ? "" : "Jazyk";
            p.IniValue2 = "čeština";
            p.IniDeleteOnUninstall = random_.percent(50);
        }
        return p;
    }

    Random random_;
    bool spanning_ = false;
    fs::path root_;
    std::vector<std::string> files_;
};

class CompileSweep : public ::testing::TestWithParam<std::tuple<unsigned, std::string>> {};

TEST_P(CompileSweep, WhatTheChecksAcceptCompilesAndHoldsExactlyTheTree) {
    ASSERT_TRUE(test::realCompilerInstalled());
    const auto& [seed, compiler] = GetParam();
    const test::TempDir scratch;
    const fs::path source = scratch.makeDir("Zdroj");
    ProjectSettings project = Sweep(seed, source).makeProjectAndTree();
    project.DiskSize = compiler == "6" ? "5000000" : project.DiskSize;
    const fs::path file = scratch.path() / "projekt.ipr";
    SaveProject(project, file.string(), SaveOrder::SaveAs);
    const auto expected =
        test::expectedContents(source, compiler == "6" ? "commonfonts/" : "fonts/");

    const test::ProgramRun r =
        test::buildWithCli(file, source, scratch, {"--inno-setup", compiler});
    // The checks may refuse a project (exit 1); one they accept compiles.
    ASSERT_TRUE(r.status == 0 || r.status == 1) << r.status << "\n" << r.out << r.err;
    if (r.status == 1) {
        EXPECT_FALSE(fs::exists(source / "ISS"));
        return;
    }
    const std::string installer =
        (project.AppVerName.empty() ? project.AppName : project.AppVerName) + ".exe";
    EXPECT_EQ(test::installerContents(source / "Output" / installer, scratch), expected)
        << test::readFileBytes(source / "ISS");
}

// About ten projects; each seed always makes the same one.
INSTANTIATE_TEST_SUITE_P(Seeds, CompileSweep,
                         ::testing::Combine(::testing::Values(1u, 2u, 3u, 5u, 8u, 13u, 21u, 34u,
                                                              55u, 89u),
                                            ::testing::Values("5", "6")));

} // namespace
} // namespace tornavel
