#include "installer/ScriptGenerator.h"

#include "installer/FontResourceTools.h"
#include "installer/ScriptConstants.h"
#include "installer/SourceScan.h"
#include "installer/WindowsNames.h"
#include "platform/AsciiCase.h"
#include "platform/Cp1250.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "project/ProjectFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <limits>

namespace tornavel {
namespace {

constexpr std::array<std::string_view, 8> kLanguageLines = {
    R"(Name: cz; MessagesFile: "compiler:Czech.isl")",
    R"(Name: fr; MessagesFile: "compiler:French.isl")",
    R"(Name: de; MessagesFile: "compiler:German.isl")",
    R"(Name: sk; MessagesFile: "compiler:Slovak.isl")",
    R"(Name: sl; MessagesFile: "compiler:Slovenian.isl")",
    R"(Name: bg; MessagesFile: "compiler:Bulgarian.isl")",
    R"(Name: ro; MessagesFile: "compiler:Romanian.isl")",
    R"(Name: en; MessagesFile: "compiler:Default.isl")",
};

constexpr std::array<std::string_view, 5> kWinPieces = {"MinVersion=4", "MinVersion=4.1.1998",
                                                        "MinVersion=4.1.2222",
                                                        "MinVersion=4.9.3000", "MinVersion=0"};
constexpr std::array<std::string_view, 5> kWinNTPieces = {",3", ",4.0.1381", ",5.0.2195",
                                                          ",5.01.2600", ",0"};

// The folder pieces of the [INI] lines, by IniLocation.
constexpr std::array<std::string_view, 3> kIniFolderPieces = {
    R"(Filename: "{app}\)", R"(Filename: "{win}\)", R"(Filename: "{sys}\)"};

// A colour outside the list (only a hand-edited project brings one) gets the
// colour of a new project, which is also the compiler's own default.
constexpr int kFallbackBackgroundColor = 11;

constexpr int kSmallestSlice = 1457664;

// The files Windows starts as programs; a [Run] entry opens any other with
// shellexec.
constexpr std::array<std::string_view, 4> kProgramExtensions = {".exe", ".com", ".bat", ".cmd"};

bool holdsLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

[[noreturn]] void refuseLineBreak(std::string_view text) {
    throw Error(Error::Kind::ProjectRefused,
                "Text „" + std::string(text) +
                    "“ obsahuje konec řádku a nelze jej zapsat do skriptu.");
}

// Appends the Windows-1250 bytes of one line's text (see ScriptWriter::line).
void appendEncoded(std::string& bytes, std::string_view utf8) {
    if (holdsLineBreak(utf8)) {
        refuseLineBreak(utf8);
    }
    bytes += toCp1250(utf8); // an error names the whole line
}

// ASCII without line breaks: fits any line as it is.
bool isPlainAscii(std::string_view text) {
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 || b == '\r' || b == '\n') {
            return false;
        }
    }
    return true;
}

// Printable ASCII without double quotes: goes into a quoted value unchanged.
bool isPlainScriptText(std::string_view text) {
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b >= 0x7F || b == '"') {
            return false;
        }
    }
    return true;
}

// A value or name inserted into a line must fit the script: one line, in
// Windows-1250. Checking it on its own gives an error that names the value
// rather than the whole line.
void requireScriptText(const std::string& text) {
    if (isPlainAscii(text)) {
        return;
    }
    if (!isCp1250Encodable(text)) {
        throw EncodingError(text);
    }
    if (holdsLineBreak(text)) {
        refuseLineBreak(text);
    }
}

const std::string& checked(const std::string& text) {
    requireScriptText(text);
    return text;
}

// The compiler reads a double quote inside a quoted value as two in a row.
void appendDoublingQuotes(std::string& out, std::string_view text) {
    for (auto quote = text.find('"'); quote != std::string_view::npos; quote = text.find('"')) {
        out.append(text.substr(0, quote + 1));
        out += '"';
        text.remove_prefix(quote + 1);
    }
    out.append(text);
}

std::string quoted(const std::string& text) {
    std::string out;
    appendDoublingQuotes(out, checked(text));
    return out;
}

// A folder name in a value the compiler expands constants in (DestDir, the
// [Dirs] names): each "{" is written "{{", so a folder named "a{b" is
// created as it is named instead of ending the compile with an unclosed
// constant. Source values are taken literally and need no doubling.
std::string withLiteralBraces(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        out += c;
        if (c == '{') {
            out += '{';
        }
    }
    return out;
}

void writeHeader(ScriptWriter& out) {
    out.line(";Tento soubor je vytvořen pro Inno Setup 5.1.12");
    out.line(";Vytvořeno programem Tornavel");
    out.line(" ");
    out.line("[Languages]");
    for (const auto l : kLanguageLines) {
        out.line(l);
    }
    out.line(" ");
}

// A group with nothing selected (only a hand-edited project has one) gets the
// compiler's own default for its family, 4.0, so that the line keeps both
// pieces the compiler expects and restricts nothing that was not chosen.
std::string_view minVersionPiece(const std::array<std::string_view, 5>& pieces, int position,
                                 std::string_view unselected) {
    if (position < 0 || position >= static_cast<int>(pieces.size())) {
        return unselected;
    }
    return pieces[static_cast<std::size_t>(position)];
}

std::string minVersionLine(int win, int winNT) {
    return std::string(minVersionPiece(kWinPieces, win, "MinVersion=4.0")) +
           std::string(minVersionPiece(kWinNTPieces, winNT, ",4.0")) + " ";
}

void writeDiskSpanning(ScriptWriter& out, const ProjectSettings& p) {
    out.line("DiskSpanning=yes");
    const std::int64_t size = ParseInteger32(p.DiskSize);
    if (size >= kSmallestSlice && size < std::numeric_limits<std::int32_t>::max()) {
        out.line("DiskSliceSize=" + checked(p.DiskSize));
    }
    const std::int64_t reserve = ParseInteger32(p.ReserveBytes);
    if (reserve < size - 1) {
        out.line("ReserveBytes=" + checked(p.ReserveBytes));
    }
}

// The folder DefaultDirName is proposed in: Program Files, the user's own
// programs folder for a per-user install (the folder Windows 7 and later
// name {userpf}; the constant is newer than the compilers we write for), or
// the root of the system drive.
std::string_view installFolderBase(const ProjectSettings& p) {
    if (!p.InstallToProgramFiles) {
        return "{sd}\\";
    }
    return p.PerUserInstall ? "{localappdata}\\Programs\\" : "{pf}\\";
}

// A version the compiler takes as a file version: 1 to 4 numbers from 0 to
// 65535 joined by dots ("1", "1.2.3.4").
bool isFileVersion(std::string_view text) {
    int parts = 0;
    for (std::size_t start = 0; start <= text.size(); ++parts) {
        const std::size_t end = std::min(text.find('.', start), text.size());
        unsigned number = 0;
        const auto [stop, error] = std::from_chars(text.data() + start, text.data() + end, number);
        if (end == start || error != std::errc() || stop != text.data() + end || number > 65535) {
            return false;
        }
        start = end + 1;
    }
    return parts <= 4;
}

// The uninstall entry's icon: icon 1's icon file in the application folder
// (the checks made sure it has one), with its index as Windows reads it,
// a decimal number.
std::string uninstallDisplayIcon(const IconEntry& icon) {
    const auto index = ParseCompilerInteger(icon.IconIndex);
    return "{app}\\" + checked(icon.IconFile) + "," + std::to_string(index.value_or(0));
}

// The [Setup] lines of the section "Vydání", each only when its field is
// set, so that a project without them gives the script it always gave. The
// version info is no constant's place: the compiler writes it as it stands.
void writePublishingSetup(ScriptWriter& out, const ProjectSettings& p) {
    if (!p.AppVersion.empty()) {
        out.line("AppVersion=" + checked(p.AppVersion));
        if (isFileVersion(p.AppVersion)) {
            out.line("VersionInfoVersion=" + p.AppVersion);
        }
        out.line("VersionInfoProductName=" + LiteralText(checked(p.AppName)));
    }
    if (!p.AppPublisher.empty()) {
        out.line("AppPublisher=" + checked(p.AppPublisher));
        out.line("VersionInfoCompany=" + LiteralText(p.AppPublisher));
    }
    if (!p.AppPublisherURL.empty()) {
        for (const char* directive : {"AppPublisherURL=", "AppSupportURL=", "AppUpdatesURL="}) {
            out.line(directive + checked(p.AppPublisherURL));
        }
    }
    if (!p.SetupIconFile.empty()) {
        out.line("SetupIconFile=" + checked(p.SetupIconFile));
    }
    if (p.UninstallDisplayIcon) {
        out.line("UninstallDisplayIcon=" + uninstallDisplayIcon(p.Icons[0]));
    }
    if (p.Install64Bit) {
        out.line("ArchitecturesAllowed=x64");
        out.line("ArchitecturesInstallIn64BitMode=x64");
    }
    if (p.PerUserInstall) {
        out.line("PrivilegesRequired=lowest");
    }
}

void writeSetup(ScriptWriter& out, ProjectSettings& p, ChangeLog* log) {
    out.line("[Setup]");
    if (p.ShowLanguageDialog) {
        out.line("ShowLanguageDialog=yes");
        out.line("ShowUndisplayableLanguages=yes");
    } else {
        out.line("ShowLanguageDialog=no");
    }
    if (!p.Password.empty()) {
        out.line("Password=" + checked(p.Password));
    }
    out.line(p.WindowVisible ? "WindowVisible=yes" : "WindowVisible=no");
    out.line("AppName=" + checked(p.AppName));
    if (p.AppVerName.empty()) {
        setText(p, FieldId::AppVerName, p.AppName, log);
    }
    out.line("AppVerName=" + checked(p.AppVerName));
    out.line("OutputBaseFilename=" + InstallerBaseName(p));
    out.line("DefaultDirName=" + std::string(installFolderBase(p)) + checked(p.DefaultDirName));
    out.line("DefaultGroupName=" + checked(p.DefaultGroupName));
    out.line("AppCopyright=" + checked(p.AppCopyright));
    if (!p.LicenceFile.empty()) {
        out.line("LicenseFile=" + checked(p.LicenceFile));
    }
    if (!p.InfoBeforeFile.empty()) {
        out.line("InfoBeforeFile=" + checked(p.InfoBeforeFile));
    }
    if (!p.InfoAfterFile.empty()) {
        out.line("InfoAfterFile=" + checked(p.InfoAfterFile));
    }
    const bool knownColor = p.BackgroundColor >= 0 && p.BackgroundColor < kBackgroundColorCount;
    out.line(BackgroundColors[static_cast<std::size_t>(knownColor ? p.BackgroundColor
                                                                  : kFallbackBackgroundColor)]
                 .scriptLine);
    out.line(p.BackSolid ? "BackSolid=0" : "BackSolid=1");
    if (p.BackColorDirection) {
        out.line("BackColorDirection=lefttoright");
    }
    out.line(p.AlwaysRestart ? "AlwaysRestart=1" : "AlwaysRestart=0");
    out.line(p.AlwaysRestart ? "UninstallRestartComputer=1" : "UninstallRestartComputer=0");
    if (p.Uninstallable) {
        out.line("Uninstallable=0");
    }
    if (p.DisableDirPage) {
        out.line("DisableDirPage=1");
    }
    out.line(p.AllowNoIcons ? "AllowNoIcons=1" : "AllowNoIcons=0");
    if (p.DisableProgramGroupPage) {
        out.line("DisableProgramGroupPage=1");
    }
    out.line(minVersionLine(p.Win, p.WinNT));
    if (p.DiskSpanning) {
        writeDiskSpanning(out, p);
    }
    writePublishingSetup(out, p);
    out.line("");
}

// The shortcut line of one icon; the hot key goes only onto the group line.
std::string iconLine(std::string_view place, const IconEntry& icon, const std::string& hotKey) {
    std::string line = "Name: \"" + std::string(place) + "\\" + quoted(icon.Name) +
                       "\"; Filename: \"{app}\\" + quoted(icon.FileName) + "\"; Parameters: \"" +
                       quoted(icon.Parameters);
    if (hotKey.empty()) {
        line += "\"; WorkingDir: \"{app}\"; IconFilename: \"{app}\\";
    } else {
        line += "\"; WorkingDir: \"{app}\"; HotKey: \"" + hotKey + "\"; IconFilename: \"{app}\\";
    }
    return line + quoted(icon.IconFile) + "\"; IconIndex: " + checked(icon.IconIndex);
}

// With DesktopIconOptional the desktop shortcuts are a task of the wizard,
// unticked: only when there is one.
bool desktopIconIsTask(const ProjectSettings& p) {
    return p.DesktopIconOptional && std::any_of(p.Icons.begin(), p.Icons.end(), [](const auto& i) {
               return !i.Name.empty() && i.OnDesktop;
           });
}

constexpr std::string_view kDesktopTask = "desktopicon";

void writeTasks(ScriptWriter& out, const ProjectSettings& p) {
    if (!desktopIconIsTask(p)) {
        return;
    }
    out.line("[Tasks]");
    out.line("Name: " + std::string(kDesktopTask) +
             "; Description: \"{cm:CreateDesktopIcon}\"; GroupDescription: "
             "\"{cm:AdditionalIcons}\"; Flags: unchecked");
    out.line("");
}

void writeIcons(ScriptWriter& out, const ProjectSettings& p) {
    out.line("[Icons]");
    const std::string desktopTask =
        desktopIconIsTask(p) ? "; Tasks: " + std::string(kDesktopTask) : std::string();
    for (const auto& icon : p.Icons) {
        if (icon.Name.empty()) {
            continue;
        }
        out.line(iconLine("{group}", icon, hotKeyText(icon.HotKey)));
        if (icon.OnDesktop) {
            out.line(iconLine("{userdesktop}", icon, {}) + desktopTask);
        }
        if (icon.InStartup) {
            out.line(iconLine("{userstartup}", icon, {}));
        }
    }
}

void writeIni(ScriptWriter& out, const ProjectSettings& p) {
    out.line("");
    out.line("[INI]");
    if (p.IniFileName.empty()) {
        return;
    }
    const std::array<std::pair<const std::string*, const std::string*>, 2> entries = {
        std::pair{&p.IniKey1, &p.IniValue1}, std::pair{&p.IniKey2, &p.IniValue2}};
    for (const auto& [key, value] : entries) {
        if (key->empty()) {
            continue;
        }
        if (p.IniLocation < 0 || p.IniLocation >= static_cast<int>(kIniFolderPieces.size())) {
            throw ListIndexError(p.IniLocation);
        }
        out.line(std::string(kIniFolderPieces[static_cast<std::size_t>(p.IniLocation)]) +
                 quoted(p.IniFileName) + "\"; Section: \"" + quoted(p.IniSection) + "\"; Key: \"" +
                 quoted(*key) + "\"; String: \"" + quoted(*value) +
                 (p.IniDeleteOnUninstall ? "\"; Flags: uninsdeleteentry" : "\""));
    }
}

// Whether it wrote a [Files] line: a font without a name is left out.
bool writeRootFile(ScriptWriter& out, ProjectSettings& p, const std::string& root,
                   const std::string& file, Prompts& prompts, ChangeLog* log) {
    if (IsTrueTypeFontName(file)) {
        const std::string fontName = ReadFontName(root + file, prompts);
        setText(p, FieldId::Font, fontName, log);
        if (fontName.empty()) {
            prompts.message("Nezadal jste jméno fontu pro jeho registraci v systému Windows.\r\n"
                            "Písmo " +
                            file + " nebude nainstalováno!");
            return false;
        }
        if (!isCp1250Encodable(fontName)) {
            // The name alone would not tell the user which file to look at.
            throw Error(Error::Kind::ProjectRefused,
                        "Písmo " + file + " se ve Windows jmenuje „" + fontName +
                            "“ a toto jméno obsahuje znaky, které kódování Windows-1250 neumí "
                            "zapsat, takže ho skript instalace nemůže uvést.");
        }
        out.line("Source: \"" + quoted(file) + "\"; DestDir: \"{fonts}\"; FontInstall: \"" +
                 quoted(fontName) + "\"; Flags: promptifolder");
        return true;
    }
    out.line("Source: \"" + quoted(file) + "\"; DestDir: \"{app}\"; Flags: ignoreversion");
    return true;
}

// The [Files] lines of one folder whose names TreeNameCheck passed: its two
// pieces encoded once, the file names between them.
void writeFolderFiles(ScriptWriter& out, const ScannedFolder& folder) {
    const std::string quotedEntry = quoted(std::string(folder.entry));
    const std::string source = ScriptWriter::encode("Source: \"" + quotedEntry + "\\");
    const std::string destination = ScriptWriter::encode(
        "\"; DestDir: \"{app}\\" + withLiteralBraces(quotedEntry) + "\"; Flags: ignoreversion");
    for (const ScannedFile& file : folder.files) {
        // TreeNameCheck passed every name here: Windows-1250 without quotes
        // or control characters, so it needs encoding at most.
        if (isPlainScriptText(file.name)) {
            out.encodedLine({source, file.name, destination});
        } else {
            out.encodedLine({source, toCp1250(file.name), destination});
        }
    }
}

// An argument of a custom message ("{cm:LaunchProgram,…}") ends at a comma,
// a bar or a closing brace: they, and the percent sign, are %-encoded.
std::string customMessageArgument(std::string_view text) {
    constexpr std::string_view kHex = "0123456789abcdef";
    std::string out;
    for (const char c : text) {
        if (std::string_view("%,|}").find(c) == std::string_view::npos) {
            out += c;
        } else {
            out += {'%', kHex[static_cast<unsigned char>(c) >> 4], kHex[c & 0xF]};
        }
    }
    return out;
}

// Whether Windows starts a file itself; any other one is opened with the
// program its type belongs to.
bool isProgramFile(std::string_view name) {
    const std::string_view extension = name.substr(std::min(name.rfind('.'), name.size()));
    return std::any_of(kProgramExtensions.begin(), kProgramExtensions.end(),
                       [&](std::string_view e) { return EqualIgnoringAsciiCase(extension, e); });
}

// The program of the icon RunAfterInstall names, offered on the wizard's last
// page as its shortcut starts it.
void writeRun(ScriptWriter& out, const ProjectSettings& p) {
    if (p.RunAfterInstall < 1 || p.RunAfterInstall > kIconCount) {
        return;
    }
    const IconEntry& icon = p.Icons[static_cast<std::size_t>(p.RunAfterInstall - 1)];
    out.line("");
    out.line("[Run]");
    out.line("Filename: \"{app}\\" + quoted(icon.FileName) + "\"; Parameters: \"" +
             quoted(icon.Parameters) + "\"; WorkingDir: \"{app}\"; Description: \"" +
             "{cm:LaunchProgram," + customMessageArgument(quoted(p.AppName)) +
             "}\"; Flags: postinstall skipifsilent nowait" +
             (isProgramFile(icon.FileName) ? "" : " shellexec"));
}

ContentSummary writeFilesAndDirs(ScriptWriter& out, ProjectSettings& p,
                                 const std::string& sourceFolder, Prompts& prompts, ChangeLog* log,
                                 FileSizes sizes, const std::function<void()>& beforeEachFolder) {
    out.line("");
    out.line("[Files]");
    const std::string root = withTrailingSeparator(sourceFolder);
    TreeNameCheck names;
    OutsideLinks links(sourceFolder);
    std::vector<std::string> folders; // for [Dirs]
    ContentSummary summary;
    summary.leftOut = WalkSourceTree(
        sourceFolder,
        [&](const ScannedFolder& folder) {
            if (beforeEachFolder) {
                beforeEachFolder();
            }
            if (folder.listError != 0) {
                throw InOutError::fromErrno(folder.listError, std::string(folder.native));
            }
            // A refused name stops the script; the walk goes on to find them all.
            const bool clean = names.checkFolder(folder) && names.passed();
            links.checkFolder(folder);
            if (folder.index == 0) {
                for (const ScannedFile& file : folder.files) {
                    if (clean &&
                        writeRootFile(out, p, root, std::string(file.name), prompts, log)) {
                        summary.fileSizes.push_back(file.size);
                    }
                }
                return;
            }
            if (clean) {
                folders.push_back(quoted(std::string(folder.entry)));
                writeFolderFiles(out, folder);
                for (const ScannedFile& file : folder.files) {
                    summary.fileSizes.push_back(file.size);
                }
            }
        },
        sizes);
    if (!names.passed()) {
        throw Error(Error::Kind::ProjectRefused, names.message());
    }
    summary.outsideLinks = links.found();

    out.line("");
    out.line("[Dirs]");
    for (const auto& folder : folders) {
        out.line("Name: \"{app}\\" + withLiteralBraces(folder) + "\"");
    }
    return summary;
}

} // namespace

bool IsTrueTypeFontName(std::string_view name) {
    const auto dot = name.rfind('.');
    return dot != std::string_view::npos && EqualIgnoringAsciiCase(name.substr(dot), ".TTF");
}

std::string ScriptWriter::encode(std::string_view utf8) {
    std::string bytes;
    appendEncoded(bytes, utf8);
    return bytes;
}

void ScriptWriter::line(std::string_view utf8) {
    const std::size_t before = bytes_.size();
    try {
        appendEncoded(bytes_, utf8);
    } catch (...) {
        bytes_.resize(before); // no half line stays behind
        throw;
    }
    lineEnded();
}

void ScriptWriter::encodedLine(std::initializer_list<std::string_view> cp1250Pieces) {
    for (const auto piece : cp1250Pieces) {
        bytes_ += piece;
    }
    lineEnded();
}

void ScriptWriter::lineEnded() {
    bytes_ += "\r\n";
    if (sink_ && bytes_.size() >= kPieceSize) {
        sink_(bytes_);
        bytes_.clear();
    }
}

void ScriptWriter::finish() {
    if (sink_ && !bytes_.empty()) {
        sink_(bytes_);
        bytes_.clear();
    }
}

int ParseInteger32(const std::string& text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) {
        throw ConvertError(text);
    }
    const std::int64_t limit = negative ? -std::int64_t{std::numeric_limits<std::int32_t>::min()}
                                        : std::int64_t{std::numeric_limits<std::int32_t>::max()};
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') {
            throw ConvertError(text);
        }
        value = value * 10 + (c - '0');
        if (value > limit) {
            throw ConvertError(text);
        }
    }
    return static_cast<int>(negative ? -value : value);
}

std::string_view TrimmedAsCompilerReads(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<int> ParseCompilerInteger(std::string_view text) {
    std::string spelled(TrimmedAsCompilerReads(text));
    const std::size_t digits = !spelled.empty() && (spelled[0] == '+' || spelled[0] == '-');
    if (spelled.size() > digits && (spelled[digits] == 'x' || spelled[digits] == 'X')) {
        spelled[digits] = '$';
    }
    const auto number = parseProfileInteger(spelled);
    return number ? std::optional<int>(static_cast<int>(*number)) : std::nullopt;
}

std::string InstallerBaseName(const ProjectSettings& project) {
    if (!project.OutputBaseFilename.empty()) {
        return project.OutputBaseFilename;
    }
    return project.AppVerName.empty() ? project.AppName : project.AppVerName;
}

void WriteSetupSections(ScriptWriter& out, ProjectSettings& project, ChangeLog* log) {
    writeHeader(out);
    writeSetup(out, project, log);
}

ContentSummary WriteContentSections(ScriptWriter& out, ProjectSettings& project,
                                    const std::string& sourceFolder, Prompts& prompts,
                                    ChangeLog* log, FileSizes sizes,
                                    const std::function<void()>& beforeEachFolder) {
    writeTasks(out, project);
    writeIcons(out, project);
    writeIni(out, project);
    ContentSummary summary =
        writeFilesAndDirs(out, project, sourceFolder, prompts, log, sizes, beforeEachFolder);
    writeRun(out, project);
    return summary;
}

} // namespace tornavel
