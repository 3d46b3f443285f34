#include "iscc/CompilerCopy.h"

#include "platform/Cp1250.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace tornavel::iscc {
namespace {

const std::vector<std::string> kBridges = {"DisableWelcomePage=no",      "DisableDirPage=no",
                                           "DisableProgramGroupPage=no", "UsePreviousLanguage=no",
                                           "CloseApplications=no",       "DefaultDialogFontName="};

std::vector<std::string> bridgesWithout(const std::string& name) {
    std::vector<std::string> out;
    std::copy_if(kBridges.begin(), kBridges.end(), std::back_inserter(out),
                 [&](const std::string& line) { return !line.starts_with(name + "="); });
    return out;
}

std::vector<std::string> joined(std::vector<std::string> first,
                                const std::vector<std::string>& then) {
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

// The [Setup] section the copy appends after the script's last line.
std::string appended(const std::vector<std::string>& lines) {
    std::string out = "[Setup]\r\n";
    for (const std::string& line : lines) {
        out += line + "\r\n";
    }
    return out;
}

struct CopyCase {
    std::string what;
    std::string script; // Windows-1250, or UTF-8 with a byte-order mark
    CopyOptions options;
    std::string copy; // UTF-8, after the byte-order mark
    std::vector<std::string> bridged;
    std::string outputDir = "Output";
    std::string outputBaseFilename = "mysetup";
    std::vector<std::string> changedForSix = {};
};

const CopyOptions kPlain{"source", std::nullopt, "", {}, ""};

std::vector<CopyCase> copyCases() {
    const std::string head = "[Setup]\r\nAppName=A\r\n";
    std::vector<CopyCase> cases = {
        {"nothing set", head, kPlain, head + appended(joined({"SourceDir=source"}, kBridges)),
         kBridges},
        {"last line without its end, a section of another name",
         "[Languages]\r\nDisableDirPage=yes", kPlain,
         "[Languages]\r\nDisableDirPage=yes\r\n" + appended(joined({"SourceDir=source"}, kBridges)),
         kBridges},
        {"floppies with disk spanning", head + "DiskSpanning=yes\r\n", kPlain,
         head + "DiskSpanning=yes\r\n" +
             appended(joined({"SourceDir=source"}, joined(kBridges, {"DiskSliceSize=1457664"}))),
         joined(kBridges, {"DiskSliceSize=1457664"})},
        {"a slice size of the script's own", head + "DiskSpanning=1\r\nDiskSliceSize=2000000\r\n",
         kPlain,
         head + "DiskSpanning=1\r\nDiskSliceSize=2000000\r\n" +
             appended(joined({"SourceDir=source"}, kBridges)),
         kBridges},
        {"Windows-1250 becomes UTF-8, where the output goes is read",
         toCp1250(
             "[Setup]\r\nAppName=Žluťoučký kůň\r\nOutputDir=Výstup\r\nOutputBaseFilename=Kůň\r\n"
             "SourceDir=C:\\jinde\r\n"),
         kPlain,
         "[Setup]\r\nAppName=Žluťoučký kůň\r\nOutputDir=Výstup\r\nOutputBaseFilename=Kůň\r\n"
         "SourceDir=source\r\n" +
             appended(kBridges),
         kBridges, "Výstup", "Kůň"},
        {"UTF-8 stays UTF-8", "\xEF\xBB\xBF[Setup]\nAppName=Kůň\n", kPlain,
         "[Setup]\nAppName=Kůň\n" + appended(joined({"SourceDir=source"}, kBridges)), kBridges},
        {"reproducible: fixed times, every [Files] entry touched",
         head + "TouchDate=1999-12-31\r\n[Files]\r\n; Source: x\r\n\r\n"
                "Source: \"a;b.txt\"; DestDir: \"{app}\"\r\n"
                "Source: \"c.txt\"; DestDir: \"{app}\"; flags: ignoreversion \r\n"
                "Source: \"d.txt\"; DestDir: \"{app}\";\r\n[Dirs]\r\nName: \"{app}\\x\"\r\n",
         CopyOptions{"source", 946684800 + 3661, "", {}, ""},
         head +
             "TouchDate=2000-01-01\r\n[Files]\r\n; Source: x\r\n\r\n"
             "Source: \"a;b.txt\"; DestDir: \"{app}\"; Flags: touch\r\n"
             "Source: \"c.txt\"; DestDir: \"{app}\"; flags: ignoreversion touch \r\n"
             "Source: \"d.txt\"; DestDir: \"{app}\"; Flags: touch\r\n[Dirs]\r\n"
             "Name: \"{app}\\x\"\r\n" +
             appended(joined({"SourceDir=source", "TimeStampsInUTC=yes", "TouchTime=01:01:01"},
                             kBridges)),
         kBridges},
        {"signed: the uninstaller kept for signing", head + "signeduninstaller=no\r\n",
         CopyOptions{"source", std::nullopt, "Z:\\tmp\\w\\uninstallers", {}, ""},
         head + "SignedUninstaller=yes\r\n" +
             appended(joined({"SourceDir=source", "SignedUninstallerDir=Z:\\tmp\\w\\uninstallers"},
                             kBridges)),
         kBridges},
        {"a licence replaced by its marked copy, in place",
         head + "licensefile=licence.txt\r\nInfoBeforeFile=info.txt\r\n",
         CopyOptions{"source", std::nullopt, "", {{"LicenseFile", "Z:\\tmp\\w\\licence.txt"}}, ""},
         head + "LicenseFile=Z:\\tmp\\w\\licence.txt\r\nInfoBeforeFile=info.txt\r\n" +
             appended(joined({"SourceDir=source"}, kBridges)),
         kBridges},
        {"the installer into a folder of its own, in place", head + "outputdir=Out\r\n",
         CopyOptions{"source", std::nullopt, "", {}, ".u"},
         head + "OutputDir=Out\\.u\r\n" + appended(joined({"SourceDir=source"}, kBridges)),
         kBridges, "Out"},
    };
    // Inno Setup 6: its renamed constants where it expands them, its own
    // directives.
    CopyOptions six = kPlain;
    six.compiler = InnoSetup::Six;
    const std::vector<std::string> sixAdded = {"WizardStyle=modern", "UsedUserAreasWarning=no"};
    const std::string generated =
        "[Setup]\r\nShowLanguageDialog=yes\r\nShowUndisplayableLanguages=yes\r\n"
        "DefaultDirName={pf}\\Kůň\r\nLicenseFile={pf}.txt\r\n[Icons]\r\n"
        "Name: \"{userdesktop}\\K\"; Filename: \"{app}\\{{pf}\\k.exe\"\r\n; {pf}\r\n[Files]\r\n"
        "Source: \"{pf}.ttf\"; DestDir: \"{FONTS}\"; FontInstall: \"K;{fonts}\"\r\n";
    cases.push_back(
        {"Inno Setup 6: a script as the generator writes it", toCp1250(generated), six,
         "[Setup]\r\nShowLanguageDialog=yes\r\n;ShowUndisplayableLanguages=yes\r\n"
         "DefaultDirName={commonpf}\\Kůň\r\nLicenseFile={pf}.txt\r\n[Icons]\r\n"
         "Name: \"{userdesktop}\\K\"; Filename: \"{app}\\{{pf}\\k.exe\"\r\n; {pf}\r\n[Files]\r\n"
         "Source: \"{pf}.ttf\"; DestDir: \"{commonfonts}\"; FontInstall: \"K;{commonfonts}\"\r\n" +
             appended(joined({"SourceDir=source"}, joined(kBridges, sixAdded))),
         kBridges, "Output", "mysetup",
         joined({"bez ShowUndisplayableLanguages, kterou Inno Setup 6 nezná",
                 "{pf} jako {commonpf}", "{fonts} jako {commonfonts}"},
                sixAdded)});
    const std::string own = head + "WizardStyle=classic\r\nUsedUserAreasWarning=yes\r\n";
    cases.push_back({"Inno Setup 6: its directives the script sets itself", own, six,
                     own + appended(joined({"SourceDir=source"}, kBridges)), kBridges});
    // Each bridged directive the script sets itself stays as the script has it.
    for (const std::string& bridge : kBridges) {
        const std::string name = bridge.substr(0, bridge.find('='));
        const std::string own = head + " " + name + " = yes\r\n";
        cases.push_back({"set by the script: " + name, own, kPlain,
                         own + appended(joined({"SourceDir=source"}, bridgesWithout(name))),
                         bridgesWithout(name)});
    }
    return cases;
}

TEST(CompilerCopy, BridgesAndAddsWhatTheScriptLeavesOut) {
    for (const CopyCase& c : copyCases()) {
        SCOPED_TRACE(c.what);
        const CompilerCopy copy = MakeCompilerCopy(c.script, c.options);
        EXPECT_EQ(copy.text, "\xEF\xBB\xBF" + c.copy);
        EXPECT_EQ(copy.bridged, c.bridged);
        EXPECT_EQ(copy.outputDir, c.outputDir);
        EXPECT_EQ(copy.outputBaseFilename, c.outputBaseFilename);
        EXPECT_EQ(copy.changedForSix, c.changedForSix);
    }
}

// Inno Setup 6's setup program must fit on the first disk: floppies (the
// 5.1.12 default among them) and a reserve that leaves too little room.
TEST(CompilerCopy, FindsFirstDisksTooSmallForInnoSetup6) {
    const std::string spanning = "[Setup]\r\nDiskSpanning=yes\r\n";
    EXPECT_EQ(TooSmallFirstDiskForSix(spanning), 1457664);
    EXPECT_EQ(TooSmallFirstDiskForSix(spanning + "DiskSliceSize=2100000\r\nReserveBytes=100001"),
              1999999);
    for (const std::string& fits : {spanning + "DiskSliceSize=2000000\r\nReserveBytes=x",
                                    spanning + "DiskSliceSize=max", std::string("[Setup]")}) {
        EXPECT_EQ(TooSmallFirstDiskForSix(fits), std::nullopt) << fits;
    }
}

} // namespace
} // namespace tornavel::iscc
