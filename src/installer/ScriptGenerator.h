#pragma once

#include "installer/Prompts.h"
#include "platform/FileSystem.h"
#include "project/ProjectSettings.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tornavel {

// Collects the script's lines as Windows-1250 bytes, CR LF after every line,
// in memory or handed on in pieces (the build streams them into the
// temporary file that becomes ISS only when the script is whole, so a
// generation that fails leaves no half-written script behind).
class ScriptWriter {
public:
    // Keeps the whole script (bytes()).
    ScriptWriter() = default;
    // Hands the script to sink in pieces of about kPieceSize as it grows, so
    // that it is never held whole; finish() hands over the rest.
    explicit ScriptWriter(std::function<void(std::string_view)> sink) : sink_(std::move(sink)) {}

    // Throws EncodingError naming the text when Windows-1250 cannot hold it,
    // and Error when it holds a line break (it would split the line).
    void line(std::string_view utf8);
    // Without a sink: everything written so far.
    const std::string& bytes() const { return bytes_; }

    // For the many lines that repeat the same pieces (one per installed
    // file): pieces encoded once with encode() are joined into a line
    // without being encoded again. encode() checks as line() does.
    static std::string encode(std::string_view utf8);
    void encodedLine(std::initializer_list<std::string_view> cp1250Pieces);

    void finish();

    static constexpr std::size_t kPieceSize = std::size_t{256} * 1024;

private:
    void lineEnded();

    std::function<void(std::string_view)> sink_;
    std::string bytes_;
};

// Header comment, [Languages], [Setup] (through the empty line that ends it). Fills an
// empty AppVerName with AppName, logged in log. Throws ConvertError when disk spanning
// is on and DiskSize or ReserveBytes is not a whole number that fits in 32 bits. The
// fields of the section "Vydání" add their lines only when set.
void WriteSetupSections(ScriptWriter& out, ProjectSettings& project, ChangeLog* log);

// The installer's file name without ".exe": OutputBaseFilename, else
// AppVerName, else AppName (with which the script fills an empty AppVerName).
std::string InstallerBaseName(const ProjectSettings& project);

// A parameter's value as the compiler reads it: without outer blanks and
// control characters.
std::string_view TrimmedAsCompilerReads(std::string_view text);

// A number as the compiler reads IconIndex (Delphi's StrToInt): outer blanks
// and control characters trimmed, an optional sign, then decimal digits or
// hexadecimal after "$", "0x" or "x", within 32 bits.
std::optional<int> ParseCompilerInteger(std::string_view text);

// What the [Files] section holds beyond its lines: the sub-folders the scan
// left out and the links that lead out of the source folder (OutsideLinks),
// for the build to tell the user, and how many files go in.
struct ContentSummary {
    std::vector<std::string> leftOut;
    std::vector<std::string> outsideLinks;
    std::vector<std::uint64_t> fileSizes; // of the [Files] lines, in their order
};

// [Tasks] (the optional desktop shortcuts), [Icons], [INI], [Files], [Dirs]
// and [Run] (the program offered at the end); [Files] and [Dirs] from one walk of sourceFolder
// (WalkSourceTree) whose every name is checked as it is read
// (TreeNameCheck). Sets project.Font per .TTF root file (logged). Font
// messages go through prompts.
//
// Throws ListIndexError when an INI line is due and IniLocation selects no
// folder, InOutError naming a folder that cannot be listed, Error
// (Kind::ProjectRefused) with TreeNameCheck's message when a name cannot be
// installed, EncodingError naming a font name that Windows-1250 cannot hold.
// What was written by then is not a script: the caller discards it.
// The files' sizes cost a stat each and are read only when asked for (a
// build that shows its progress); otherwise fileSizes holds zeros.
// beforeEachFolder (when given) runs before each folder of the walk is
// written; what it throws ends the walk (a build stopped meanwhile).
ContentSummary WriteContentSections(ScriptWriter& out, ProjectSettings& project,
                                    const std::string& sourceFolder, Prompts& prompts,
                                    ChangeLog* log, FileSizes sizes = FileSizes::Skip,
                                    const std::function<void()>& beforeEachFolder = {});

// Whether a file of the source folder's top level is a TrueType font, which
// the script installs into the fonts folder: its extension is ".TTF" in any
// letter case.
bool IsTrueTypeFontName(std::string_view name);

// Reads a signed 32-bit decimal whole number: an optional sign and digits,
// nothing else. Throws ConvertError ("'%s' is not a valid integer value").
int ParseInteger32(const std::string& text);

} // namespace tornavel
