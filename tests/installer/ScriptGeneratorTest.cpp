#include "installer/ScriptGenerator.h"

#include "installer/SourceScan.h"
#include "platform/Cp1250.h"
#include "platform/Errors.h"
#include "support/FakePrompts.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <numeric>
#include <sys/stat.h>

namespace tornavel {
namespace {

using test::FakePrompts;
using test::TempDir;
using Lines = std::vector<std::string>;
using Kind = FakePrompts::Call::Kind;

// The script's lines decoded, so that sections read as text. The byte-level
// form (Windows-1250, CR LF) is checked separately.
Lines decodedLines(const std::string& bytes) {
    Lines lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const auto end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "last line without CR LF";
            break;
        }
        lines.push_back(fromCp1250(bytes.substr(start, end - start)));
        start = end + 2;
    }
    return lines;
}

// The lines under a section header, up to the next empty line (or the end).
Lines section(const Lines& lines, const std::string& header) {
    const auto it = std::find(lines.begin(), lines.end(), header);
    if (it == lines.end()) {
        ADD_FAILURE() << "no section " << header;
        return {};
    }
    const auto end = std::find(it + 1, lines.end(), "");
    return Lines(it + 1, end);
}

class Script : public ::testing::Test {
protected:
    ProjectSettings project_;
    TempDir source_;
    FakePrompts prompts_;
    ChangeLog log_;

    Lines setupLines() {
        ScriptWriter out;
        WriteSetupSections(out, project_, &log_);
        return section(decodedLines(out.bytes()), "[Setup]");
    }
    std::string contentBytes() {
        ScriptWriter out;
        WriteContentSections(out, project_, source_.folder(), prompts_, &log_);
        return out.bytes();
    }
    Lines contentSection(const std::string& header) {
        return section(decodedLines(contentBytes()), header);
    }
    void copyFont(const char* font, const std::string& as) {
        std::filesystem::copy_file(test::testFont(font), source_.path() / as);
    }
};

// A new project and an empty source folder give exactly this script.
TEST_F(Script, NewProjectGivesTheScriptByteForByte) {
    NewProject(project_);
    ScriptWriter out;
    WriteSetupSections(out, project_, &log_);
    WriteContentSections(out, project_, source_.folder(), prompts_, &log_);

    const std::string expected = ";Tento soubor je vytvo\xF8"
                                 "en pro Inno Setup 5.1.12\r\n"
                                 ";Vytvo\xF8"
                                 "eno programem Tornavel\r\n"
                                 " \r\n"
                                 "[Languages]\r\n"
                                 "Name: cz; MessagesFile: \"compiler:Czech.isl\"\r\n"
                                 "Name: fr; MessagesFile: \"compiler:French.isl\"\r\n"
                                 "Name: de; MessagesFile: \"compiler:German.isl\"\r\n"
                                 "Name: sk; MessagesFile: \"compiler:Slovak.isl\"\r\n"
                                 "Name: sl; MessagesFile: \"compiler:Slovenian.isl\"\r\n"
                                 "Name: bg; MessagesFile: \"compiler:Bulgarian.isl\"\r\n"
                                 "Name: ro; MessagesFile: \"compiler:Romanian.isl\"\r\n"
                                 "Name: en; MessagesFile: \"compiler:Default.isl\"\r\n"
                                 " \r\n"
                                 "[Setup]\r\n"
                                 "ShowLanguageDialog=no\r\n"
                                 "WindowVisible=yes\r\n"
                                 "AppName=M\xF9j program\r\n"
                                 "AppVerName=M\xF9j program verze 1.0\r\n"
                                 "OutputBaseFilename=M\xF9j program verze 1.0\r\n"
                                 "DefaultDirName={pf}\\M\xF9j program\r\n"
                                 "DefaultGroupName=M\xF9j program\r\n"
                                 "AppCopyright=\xA9 Ing. J\xE1 a synov\xE9\r\n"
                                 "BackColor=clBlue\r\n"
                                 "BackSolid=0\r\n"
                                 "AlwaysRestart=0\r\n"
                                 "UninstallRestartComputer=0\r\n"
                                 "AllowNoIcons=1\r\n"
                                 "MinVersion=4.1.2222,4.0.1381 \r\n"
                                 "\r\n"
                                 "[Icons]\r\n"
                                 "\r\n"
                                 "[INI]\r\n"
                                 "\r\n"
                                 "[Files]\r\n"
                                 "\r\n"
                                 "[Dirs]\r\n";
    EXPECT_EQ(out.bytes(), expected);
    EXPECT_TRUE(log_.empty());
    EXPECT_TRUE(prompts_.calls.empty());
}

TEST_F(Script, EveryOptionalSetupRowAndTheOppositeSenseFields) {
    project_.ShowLanguageDialog = true;
    project_.Password = "tajné ";
    project_.WindowVisible = false;
    project_.InstallToProgramFiles = false;
    project_.AppCopyright = "";
    project_.LicenceFile = "Licence.txt";
    project_.InfoBeforeFile = "Před.txt";
    project_.InfoAfterFile = "Po.txt";
    project_.BackgroundColor = 0;
    project_.BackSolid = false;
    project_.BackColorDirection = true;
    project_.AlwaysRestart = true;
    project_.Uninstallable = true;
    project_.DisableDirPage = true;
    project_.AllowNoIcons = false;
    project_.DisableProgramGroupPage = true;
    project_.Win = 4;
    project_.WinNT = 4;
    EXPECT_EQ(setupLines(), (Lines{"ShowLanguageDialog=yes",
                                   "ShowUndisplayableLanguages=yes",
                                   "Password=tajné ",
                                   "WindowVisible=no",
                                   "AppName=Můj program",
                                   "AppVerName=Můj program verze 1.0",
                                   "OutputBaseFilename=Můj program verze 1.0",
                                   "DefaultDirName={sd}\\Můj program",
                                   "DefaultGroupName=Můj program",
                                   "AppCopyright=",
                                   "LicenseFile=Licence.txt",
                                   "InfoBeforeFile=Před.txt",
                                   "InfoAfterFile=Po.txt",
                                   "BackColor=clMaroon",
                                   "BackSolid=1",
                                   "BackColorDirection=lefttoright",
                                   "AlwaysRestart=1",
                                   "UninstallRestartComputer=1",
                                   "Uninstallable=0",
                                   "DisableDirPage=1",
                                   "AllowNoIcons=0",
                                   "DisableProgramGroupPage=1",
                                   "MinVersion=0,0 "}));
}

TEST_F(Script, MinimumVersionPiecesAndValuesOutsideTheGroups) {
    const std::pair<std::pair<int, int>, std::string> cases[] = {
        {{0, 0}, "MinVersion=4,3 "},
        {{1, 2}, "MinVersion=4.1.1998,5.0.2195 "},
        {{3, 3}, "MinVersion=4.9.3000,5.01.2600 "},
        // Nothing selected: the compiler's default for that family.
        {{-1, 1}, "MinVersion=4.0,4.0.1381 "},
        {{2, -1}, "MinVersion=4.1.2222,4.0 "},
        {{-1, -1}, "MinVersion=4.0,4.0 "},
        {{5, 4}, "MinVersion=4.0,0 "},
    };
    for (const auto& [values, line] : cases) {
        project_.Win = values.first;
        project_.WinNT = values.second;
        const Lines setup = setupLines();
        EXPECT_EQ(setup.back(), line);
    }
}

TEST_F(Script, BackgroundColourRowAndTheColourOutsideTheList) {
    const std::pair<int, std::string> cases[] = {{15, "BackColor=clBlack"},
                                                 {12, "BackColor=clFuchsia"},
                                                 {-1, "BackColor=clBlue"},
                                                 {16, "BackColor=clBlue"}};
    for (const auto& [colour, line] : cases) {
        project_.BackgroundColor = colour;
        const Lines setup = setupLines();
        EXPECT_NE(std::find(setup.begin(), setup.end(), line), setup.end()) << colour;
        EXPECT_EQ(std::count_if(setup.begin(), setup.end(),
                                [](const std::string& l) { return l.rfind("BackColor=", 0) == 0; }),
                  1);
    }
}

TEST_F(Script, EmptyVersionNameIsFilledInAndLogged) {
    project_.AppName = "Kalkulačka";
    project_.AppVerName = "";
    const Lines setup = setupLines();
    EXPECT_EQ(setup[3], "AppVerName=Kalkulačka");
    EXPECT_EQ(setup[4], "OutputBaseFilename=Kalkulačka");
    EXPECT_EQ(project_.AppVerName, "Kalkulačka");
    EXPECT_EQ(log_, (ChangeLog{FieldId::AppVerName}));

    // Nothing to fill in from an empty name: nothing changes.
    ProjectSettings empty;
    empty.AppName = "";
    empty.AppVerName = "";
    ChangeLog emptyLog;
    ScriptWriter out;
    WriteSetupSections(out, empty, &emptyLog);
    EXPECT_TRUE(emptyLog.empty());
}

TEST_F(Script, SetupValuesStayAsTyped) {
    project_.AppName = R"(Můj "nejlepší" {program})";
    const Lines setup = setupLines();
    EXPECT_EQ(setup[2], R"(AppName=Můj "nejlepší" {program})");
}

// The section "Vydání": every field set adds its lines, and only then.
TEST_F(Script, PublishingFieldsAddTheirLinesSectionsAndTasks) {
    project_.AppName = "Zpěvník, 100% {{zdarma}|";
    project_.AppVersion = "1.2.3";
    project_.AppPublisher = "Firma {{s.r.o.}";
    project_.AppPublisherURL = "https://example.cz/";
    project_.SetupIconFile = "instalace.ico";
    project_.OutputBaseFilename = "zpevnik-1.2.3";
    project_.RunAfterInstall = 2;
    project_.DesktopIconOptional = project_.Install64Bit = project_.PerUserInstall = true;
    project_.UninstallDisplayIcon = true;
    project_.Icons[0] = {"Zpěvník", "zpevnik.exe", "", "zpevnik.ico", " $10", 0, true, false};
    project_.Icons[1] = {"Návod", "doc\\návod.pdf", "", "doc\\návod.pdf", "0", 0, false, false};
    const Lines setup = setupLines();
    EXPECT_EQ(Lines(setup.begin() + 4, setup.begin() + 6),
              (Lines{"OutputBaseFilename=zpevnik-1.2.3",
                     "DefaultDirName={localappdata}\\Programs\\Můj program"}));
    EXPECT_EQ(Lines(setup.end() - 13, setup.end()),
              (Lines{"AppVersion=1.2.3", "VersionInfoVersion=1.2.3",
                     "VersionInfoProductName=Zpěvník, 100% {zdarma}|",
                     "AppPublisher=Firma {{s.r.o.}", "VersionInfoCompany=Firma {s.r.o.}",
                     "AppPublisherURL=https://example.cz/", "AppSupportURL=https://example.cz/",
                     "AppUpdatesURL=https://example.cz/", "SetupIconFile=instalace.ico",
                     "UninstallDisplayIcon={app}\\zpevnik.ico,16", "ArchitecturesAllowed=x64",
                     "ArchitecturesInstallIn64BitMode=x64", "PrivilegesRequired=lowest"}));
    const Lines script = decodedLines(contentBytes());
    EXPECT_EQ(script[0], "[Tasks]");
    EXPECT_TRUE(section(script, "[Icons]").at(1).ends_with("IconIndex:  $10; Tasks: desktopicon"));
    EXPECT_EQ(script.back(),
              R"(Filename: "{app}\doc\návod.pdf"; Parameters: ""; WorkingDir: )"
              R"("{app}"; Description: "{cm:LaunchProgram,Zpěvník%2c 100%25 )"
              R"({{zdarma%7d%7c}"; Flags: postinstall skipifsilent nowait shellexec)");

    // A version that is no file version, a program started by itself, and
    // without a desktop shortcut no task to offer.
    for (const char* version : {"1.2.65536", "1.2.3.4.5", "1..2", "1.2 beta"}) {
        project_.AppVersion = version;
        EXPECT_EQ(setupLines().size(), setup.size() - 1) << version;
    }
    project_.Icons[1].FileName = "doc\\Návod.EXE";
    project_.Icons[0].OnDesktop = false;
    EXPECT_EQ(decodedLines(contentBytes()).front(), "[Icons]");
    EXPECT_TRUE(decodedLines(contentBytes()).back().ends_with("skipifsilent nowait"));
}

class DiskSpanning : public Script {
protected:
    Lines diskLines(const std::string& size, const std::string& reserve) {
        project_.DiskSpanning = true;
        project_.DiskSize = size;
        project_.ReserveBytes = reserve;
        Lines setup = setupLines();
        const auto it = std::find(setup.begin(), setup.end(), "DiskSpanning=yes");
        EXPECT_NE(it, setup.end());
        return Lines(it + 1, setup.end());
    }
};

TEST_F(DiskSpanning, SliceSizeFromTheSmallestDiskUp) {
    EXPECT_EQ(diskLines("1457663", "0"), (Lines{"ReserveBytes=0"}));
    EXPECT_EQ(diskLines("1457664", "0"), (Lines{"DiskSliceSize=1457664", "ReserveBytes=0"}));
    EXPECT_EQ(diskLines("01457664", "0"), (Lines{"DiskSliceSize=01457664", "ReserveBytes=0"}));
    EXPECT_EQ(diskLines("2147483646", "+0"),
              (Lines{"DiskSliceSize=2147483646", "ReserveBytes=+0"}));
    EXPECT_EQ(diskLines("2147483647", "0"), (Lines{"ReserveBytes=0"}));
}

TEST_F(DiskSpanning, ReserveMustStayBelowSizeMinusOne) {
    EXPECT_EQ(diskLines("2000000", "1999999"), (Lines{"DiskSliceSize=2000000"}));
    EXPECT_EQ(diskLines("2000000", "1999998"),
              (Lines{"DiskSliceSize=2000000", "ReserveBytes=1999998"}));
    // The reserve test is made also when the slice line is not written.
    EXPECT_EQ(diskLines("1000", "-5"), (Lines{"ReserveBytes=-5"}));
    // No wrap-around below the smallest number.
    EXPECT_EQ(diskLines("-2147483648", "0"), Lines{});
}

TEST_F(DiskSpanning, TextThatIsNoNumberEndsTheScript) {
    const std::pair<std::string, std::string> cases[] = {
        {"1,44 MB", "0"}, {"", "0"}, {"2147483648", "0"}, {"1457664", " 1"}, {"1457664", "0x10"}};
    for (const auto& [size, reserve] : cases) {
        project_.DiskSpanning = true;
        project_.DiskSize = size;
        project_.ReserveBytes = reserve;
        ScriptWriter out;
        try {
            WriteSetupSections(out, project_, &log_);
            ADD_FAILURE() << "accepted " << size << " / " << reserve;
        } catch (const ConvertError& e) {
            const std::string& bad = (size == "1457664") ? reserve : size;
            EXPECT_EQ(e.what(), "'" + bad + "' is not a valid integer value");
        }
    }
}

TEST_F(DiskSpanning, NumbersAreNotReadWithoutDiskSpanning) {
    project_.DiskSpanning = false;
    project_.DiskSize = "many";
    const Lines setup = setupLines();
    EXPECT_EQ(setup.back(), "MinVersion=4.1.2222,4.0.1381 ");
}

TEST(ParseInteger32, SignedThirtyTwoBitDecimal) {
    EXPECT_EQ(ParseInteger32("0"), 0);
    EXPECT_EQ(ParseInteger32("007"), 7);
    EXPECT_EQ(ParseInteger32("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseInteger32("+2147483647"), 2147483647);
    for (const char* bad : {"", "-", "+", "2147483648", "-2147483649", "12a", "1 ", "$FF", "1e3",
                            "99999999999999999999999"}) {
        EXPECT_THROW(ParseInteger32(bad), ConvertError) << bad;
    }
}

class Icons : public Script {
protected:
    IconEntry& icon(int n) { return project_.Icons[static_cast<std::size_t>(n - 1)]; }
};

TEST_F(Icons, GroupLineWithoutHotKeyAndEmptyIndex) {
    icon(1) = {"Kalkulačka", "calc.exe", "", "calc.exe", "0", 0, false, false};
    EXPECT_EQ(contentSection("[Icons]"),
              (Lines{R"(Name: "{group}\Kalkulačka"; Filename: "{app}\calc.exe"; Parameters: ""; )"
                     R"(WorkingDir: "{app}"; IconFilename: "{app}\calc.exe"; IconIndex: 0)"}));
    icon(1).IconIndex = "";
    icon(1).HotKey = -1;
    EXPECT_EQ(contentSection("[Icons]"),
              (Lines{R"(Name: "{group}\Kalkulačka"; Filename: "{app}\calc.exe"; Parameters: ""; )"
                     R"(WorkingDir: "{app}"; IconFilename: "{app}\calc.exe"; IconIndex: )"}));
}

TEST_F(Icons, HotKeyOnlyOnTheGroupLineThenDesktopAndStartUp) {
    icon(1) = {"Hra", "bin\\hra.exe", "/full", "hra.ico", "2", 79, true, true};
    EXPECT_EQ(
        contentSection("[Icons]"),
        (Lines{R"(Name: "{group}\Hra"; Filename: "{app}\bin\hra.exe"; Parameters: "/full"; )"
               R"(WorkingDir: "{app}"; HotKey: "F1"; IconFilename: "{app}\hra.ico"; IconIndex: 2)",
               R"(Name: "{userdesktop}\Hra"; Filename: "{app}\bin\hra.exe"; Parameters: "/full"; )"
               R"(WorkingDir: "{app}"; IconFilename: "{app}\hra.ico"; IconIndex: 2)",
               R"(Name: "{userstartup}\Hra"; Filename: "{app}\bin\hra.exe"; Parameters: "/full"; )"
               R"(WorkingDir: "{app}"; IconFilename: "{app}\hra.ico"; IconIndex: 2)"}));
    icon(1).HotKey = 102;
    icon(1).OnDesktop = false;
    const Lines lines = contentSection("[Icons]");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find(R"(HotKey: "Ctrl+F12";)"), std::string::npos);
    EXPECT_EQ(lines[1].rfind(R"(Name: "{userstartup}\Hra")", 0), 0u);
}

TEST_F(Icons, OnlyIconsWithANameInIconOrder) {
    icon(1) = {"", "ignored.exe", "-x", "ignored.exe", "0", 5, true, true};
    icon(2) = {"Druhá", "b.exe", "", "b.exe", "0", 0, false, false};
    icon(4) = {"Čtvrtá", "d.exe", "", "d.exe", "1", 0, false, false};
    const Lines lines = contentSection("[Icons]");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind(R"(Name: "{group}\Druhá"; Filename: "{app}\b.exe")", 0), 0u);
    EXPECT_EQ(lines[1].rfind(R"(Name: "{group}\Čtvrtá"; Filename: "{app}\d.exe")", 0), 0u);
}

TEST_F(Icons, DoubleQuoteInAValueIsDoubledBracesStay) {
    icon(1) = {R"(Můj "program")", "a.exe", R"(--title "x" {app})", "a.exe", "0", 0, false, false};
    EXPECT_EQ(contentSection("[Icons]"),
              (Lines{R"(Name: "{group}\Můj ""program"""; Filename: "{app}\a.exe"; )"
                     R"(Parameters: "--title ""x"" {app}"; WorkingDir: "{app}"; )"
                     R"(IconFilename: "{app}\a.exe"; IconIndex: 0)"}));
}

class Ini : public Script {
protected:
    void SetUp() override {
        project_.IniFileName = "nastaveni.ini";
        project_.IniSection = "Hlavní";
        project_.IniKey1 = "Cesta";
        project_.IniValue1 = "{app}";
        project_.IniKey2 = "Jazyk";
        project_.IniValue2 = "cs";
    }
};

TEST_F(Ini, EachLocationWithAndWithoutDeleteFlag) {
    project_.IniLocation = 1;
    project_.IniKey2 = "";
    project_.IniDeleteOnUninstall = true;
    EXPECT_EQ(contentSection("[INI]"),
              (Lines{R"(Filename: "{win}\nastaveni.ini"; Section: "Hlavní"; Key: "Cesta"; )"
                     R"(String: "{app}"; Flags: uninsdeleteentry)"}));
    project_.IniLocation = 0;
    project_.IniKey2 = "Jazyk";
    project_.IniDeleteOnUninstall = false;
    EXPECT_EQ(contentSection("[INI]"),
              (Lines{R"(Filename: "{app}\nastaveni.ini"; Section: "Hlavní"; Key: "Cesta"; )"
                     R"(String: "{app}")",
                     R"(Filename: "{app}\nastaveni.ini"; Section: "Hlavní"; Key: "Jazyk"; )"
                     R"(String: "cs")"}));
    project_.IniLocation = 2;
    EXPECT_EQ(contentSection("[INI]")[1],
              R"(Filename: "{sys}\nastaveni.ini"; Section: "Hlavní"; Key: "Jazyk"; String: "cs")");
}

TEST_F(Ini, EmptyKeysAndEmptyValues) {
    project_.IniKey1 = "";
    EXPECT_EQ(contentSection("[INI]"),
              (Lines{R"(Filename: "{app}\nastaveni.ini"; Section: "Hlavní"; Key: "Jazyk"; )"
                     R"(String: "cs")"}));
    project_.IniSection = "";
    project_.IniValue2 = "";
    EXPECT_EQ(contentSection("[INI]"),
              (Lines{R"(Filename: "{app}\nastaveni.ini"; Section: ""; Key: "Jazyk"; String: "")"}));
    project_.IniFileName = "";
    EXPECT_EQ(contentSection("[INI]"), Lines{});
}

TEST_F(Ini, DoubleQuotesAreDoubled) {
    project_.IniKey2 = "";
    project_.IniValue1 = R"(C:\"Program Files")";
    EXPECT_EQ(contentSection("[INI]"),
              (Lines{R"(Filename: "{app}\nastaveni.ini"; Section: "Hlavní"; Key: "Cesta"; )"
                     R"(String: "C:\""Program Files""")"}));
}

TEST_F(Ini, LocationSelectingNothingEndsTheScriptWhenALineIsDue) {
    project_.IniLocation = -1;
    try {
        contentBytes();
        FAIL() << "no exception";
    } catch (const ListIndexError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (-1)");
    }
    project_.IniKey1 = "";
    project_.IniKey2 = "";
    EXPECT_NO_THROW(contentBytes());
    project_.IniKey1 = "Cesta";
    project_.IniFileName = "";
    EXPECT_NO_THROW(contentBytes());
}

TEST_F(Script, RootFilesWithFontsAndTheOldScript) {
    source_.writeFile("ctime.txt", "text");
    source_.writeFile("Falešné.TTF", "no font at all");
    source_.writeFile("ISS", "old script");
    // What a killed build left is the program's; the user's files of such names are not.
    source_.writeFile("ISS.tmp-x7Rq2Z", "");
    source_.writeFile("ISS.tmp-abcdef", "moje");
    source_.writeFile(".tornavel-iscc", "moje");
    copyFont("DejaVuSans-Bold.ttf", "zz-bold.ttf");
    EXPECT_EQ(contentSection("[Files]"),
              (Lines{R"(Source: ".tornavel-iscc"; DestDir: "{app}"; Flags: ignoreversion)",
                     R"(Source: "ctime.txt"; DestDir: "{app}"; Flags: ignoreversion)",
                     R"(Source: "ISS.tmp-abcdef"; DestDir: "{app}"; Flags: ignoreversion)",
                     R"(Source: "zz-bold.ttf"; DestDir: "{fonts}"; )"
                     R"(FontInstall: "DejaVu Sans Bold"; Flags: promptifolder)"}));
    EXPECT_EQ(prompts_.texts(Kind::Message),
              (Lines{"FOT-soubor nelze vytvořit",
                     "Nezadal jste jméno fontu pro jeho registraci v systému Windows.\r\n"
                     "Písmo Falešné.TTF nebude nainstalováno!"}));
    EXPECT_EQ(project_.Font, "DejaVu Sans Bold");
    EXPECT_EQ(log_, (ChangeLog{FieldId::Font}));
}

TEST_F(Script, LastFontDecidesTheFontFieldEvenWhenNameless) {
    copyFont("DejaVuSans.ttf", "a.TTF");
    source_.writeFile("b.ttf", "broken");
    project_.Font = "Old";
    const Lines files = contentSection("[Files]");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(project_.Font, "");
    EXPECT_EQ(log_, (ChangeLog{FieldId::Font, FieldId::Font}));
}

TEST_F(Script, SubFoldersInScanOrderThenDirs) {
    source_.writeFile("Data/Img/logo.png");
    source_.writeFile("Data/Img/ISS");
    source_.writeFile("Data/Img/písmo.TTF", "installed as a plain file");
    source_.writeFile("Data/readme.txt");
    source_.makeDir("Empty");
    source_.writeFile("Data.old/lost.txt");
    source_.writeFile("root.txt");

    const Lines all = decodedLines(contentBytes());
    EXPECT_EQ(all.back(), R"(Name: "{app}\Data\Img")");
    const Lines files = section(all, "[Files]");
    ASSERT_EQ(files.size(), 5u);
    EXPECT_EQ(files[0], R"(Source: "root.txt"; DestDir: "{app}"; Flags: ignoreversion)");
    EXPECT_NE(
        std::find(files.begin(), files.end(),
                  R"(Source: "Data\readme.txt"; DestDir: "{app}\Data"; Flags: ignoreversion)"),
        files.end());
    const Lines imgFiles(files.end() - 3, files.end());
    EXPECT_EQ(
        imgFiles,
        (Lines{R"(Source: "Data\Img\ISS"; DestDir: "{app}\Data\Img"; Flags: ignoreversion)",
               R"(Source: "Data\Img\logo.png"; DestDir: "{app}\Data\Img"; Flags: ignoreversion)",
               R"(Source: "Data\Img\písmo.TTF"; DestDir: "{app}\Data\Img"; )"
               R"(Flags: ignoreversion)"}));

    Lines expectedDirs;
    for (const auto& folder : ScanSourceFolders(source_.folder())) {
        expectedDirs.push_back("Name: \"{app}\\" + folder + "\"");
    }
    EXPECT_EQ(section(all, "[Dirs]"), expectedDirs);
    EXPECT_EQ(expectedDirs.size(), 3u);
    EXPECT_TRUE(prompts_.calls.empty());
}

TEST_F(Script, StreamedScriptIsTheScriptInMemory) {
    for (int f = 0; f < 40; ++f) {
        for (int i = 0; i < 100; ++i) {
            source_.writeFile("Složka " + std::to_string(f) + "/soubor č. " + std::to_string(i),
                              std::string(static_cast<std::size_t>(i), 'x'));
        }
    }
    const std::string inMemory = contentBytes();
    std::string streamed;
    int pieces = 0;
    ScriptWriter out([&](std::string_view bytes) {
        streamed += bytes;
        ++pieces;
    });
    const auto sizes =
        WriteContentSections(out, project_, source_.folder(), prompts_, &log_, FileSizes::Read)
            .fileSizes;
    EXPECT_EQ(sizes.size(), 4000u);
    EXPECT_EQ(std::accumulate(sizes.begin(), sizes.end(), std::uint64_t{0}), 40u * 4950u);
    out.finish();
    EXPECT_EQ(streamed, inMemory);
    EXPECT_GT(pieces, 1);
}

TEST_F(Script, BracesInFolderNamesAreLiteralWhereTheCompilerExpandsConstants) {
    source_.writeFile("a{b/x{{y}/c{.txt");
    const Lines all = decodedLines(contentBytes());
    EXPECT_EQ(section(all, "[Files]"),
              (Lines{R"(Source: "a{b\x{{y}\c{.txt"; DestDir: "{app}\a{{b\x{{{{y}"; )"
                     R"(Flags: ignoreversion)"}));
    EXPECT_EQ(section(all, "[Dirs]"),
              (Lines{R"(Name: "{app}\a{{b")", R"(Name: "{app}\a{{b\x{{{{y}")"}));
}

// Every name Windows cannot hold is refused together, before a script exists.
TEST_F(Script, NamesWindowsCannotHoldAreRefusedTogether) {
    for (const char* name : {"README.txt", "Readme.txt", "Čtěte.txt", "čtěte.txt", "data",
                             "a:b.txt", "tab\t.txt", "name.", "nul.txt", "Sub/日本.txt"}) {
        source_.writeFile(name);
    }
    source_.makeDir("Data");
    source_.makeDir("dir ");
    std::filesystem::create_symlink("nowhere", source_.path() / "broken");
    std::filesystem::create_symlink("loop", source_.path() / "loop");
    ASSERT_EQ(::mkfifo((source_.path() / "pipe").c_str(), 0600), 0);
    try {
        contentBytes();
        FAIL() << "no refusal";
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), Error::Kind::ProjectRefused);
        const std::string text = e.what();
        EXPECT_TRUE(text.starts_with(
            "Zdrojový adresář obsahuje jména, která Windows nedokáže uložit, celkem 12:\r\n"))
            << text;
        EXPECT_TRUE(text.ends_with("\r\na 2 další\r\nPřejmenujte je nebo je přesuňte mimo "
                                   "zdrojový adresář."));
        for (const char* line :
             {"Readme.txt: liší se od „README.txt“ jen velikostí písmen",
              "čtěte.txt: liší se od „Čtěte.txt“ jen velikostí písmen",
              "a:b.txt: obsahuje znak „:“, který Windows ve jménech nedovoluje",
              "tab\t.txt: obsahuje řídicí znak (kód 9)", "name.: končí tečkou",
              "nul.txt: je jméno zařízení Windows (NUL)", "broken: je odkaz, který nikam nevede",
              "loop: je odkaz, který vede v kruhu",
              "pipe: není soubor ani složka (roura, soket nebo zařízení)"}) {
            EXPECT_NE(text.find(std::string("\r\n") + line + "\r\n"), std::string::npos) << line;
        }
    }
    // The folder that clashes with a file, and the trailing blank, come next.
    for (const char* gone : {"broken", "loop", "pipe", "a:b.txt", "tab\t.txt", "name.", "nul.txt",
                             "Readme.txt", "čtěte.txt"}) {
        std::filesystem::remove(source_.path() / gone);
    }
    source_.writeFile("Conout$.log"); // a console device, as the text checks know it
    source_.writeFile("OUTPUT");      // the build's own names, only at the top
    source_.makeDir("Iss");
    source_.writeFile("Data/output");
    source_.makeDir("p\\q"); // a backslash in a folder's name, not a separator
    try {
        contentBytes();
        FAIL() << "no refusal";
    } catch (const Error& e) {
        const std::string text = e.what();
        EXPECT_NE(text.find("celkem 7:"), std::string::npos) << text;
        EXPECT_NE(text.find("\r\nOUTPUT: liší se od „Output“ jen velikostí písmen a kompilátor "),
                  std::string::npos);
        EXPECT_NE(text.find("\r\nIss: liší se od „ISS“ jen velikostí písmen a ve Windows "),
                  std::string::npos);
        EXPECT_NE(text.find("\r\np\\q: obsahuje znak „\\“, který Windows ve jménech nedovoluje"),
                  std::string::npos);
        EXPECT_NE(text.find("\r\nConout$.log: je jméno zařízení Windows (CONOUT$)"),
                  std::string::npos);
        EXPECT_NE(text.find("\r\nData: liší se od „data“ jen velikostí písmen"), std::string::npos);
        EXPECT_NE(text.find("\r\ndir : končí mezerou"), std::string::npos);
        EXPECT_NE(text.find("\r\nSub/日本.txt: obsahuje znak „日“, který kódování Windows-1250 "
                            "nemá"),
                  std::string::npos);
    }
}

TEST_F(Script, NameWithALineBreakIsRefused) {
    source_.writeFile("two\nlines.txt");
    try {
        contentBytes();
        FAIL() << "no exception";
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), Error::Kind::ProjectRefused);
        EXPECT_NE(std::string(e.what()).find("two\nlines.txt"), std::string::npos);
    }
}

TEST_F(Script, SubFolderThatCannotBeListedEndsTheScript) {
    source_.writeFile("Locked/x.txt");
    std::filesystem::permissions(source_.path(), std::filesystem::perms(0755));
    std::filesystem::permissions(source_.path() / "Locked", std::filesystem::perms::none);
    test::requireReachable(source_.path());
    EXPECT_EQ(test::runUnprivileged([&] {
                  try {
                      contentBytes();
                      return std::string("no exception");
                  } catch (const InOutError& e) {
                      return std::string(e.what());
                  }
              }),
              "File access denied: " + source_.folder() + "Locked/");
}

TEST(ScriptWriter, Windows1250WithCrLfAfterEveryLine) {
    ScriptWriter out;
    out.line("Příliš žluťoučký kůň");
    out.line("");
    out.line(" ");
    EXPECT_EQ(out.bytes(), "P\xF8\xEDli\x9A \x9Elu\x9Do\x75\xE8k\xFD k\xF9\xF2\r\n\r\n \r\n");
    EXPECT_THROW(out.line("中文"), EncodingError);
    EXPECT_THROW(out.line("a\r\nb"), Error);
    EXPECT_EQ(out.bytes().size(), 27u);
}

} // namespace
} // namespace tornavel
