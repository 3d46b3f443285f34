#pragma once

#include "installer/Prompts.h"
#include "project/ProjectSettings.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tornavel {

// Collects the script's lines as Windows-1250 bytes, CR LF after every line.
// The whole script is built in memory and written in one piece afterwards, so
// a generation that fails leaves no half-written script behind.
class ScriptWriter {
public:
    // Throws EncodingError naming the text when Windows-1250 cannot hold it,
    // and Error when it holds a line break (it would split the line).
    void line(std::string_view utf8);
    const std::string& bytes() const { return bytes_; }

    // For the many lines that repeat the same pieces (one per installed
    // file): pieces encoded once with encode() are joined into a line
    // without being encoded again. encode() checks as line() does.
    static std::string encode(std::string_view utf8);
    void encodedLine(std::initializer_list<std::string_view> cp1250Pieces);
    // Room for at least this many more bytes, when the size is known ahead.
    void reserve(std::size_t moreBytes) { bytes_.reserve(bytes_.size() + moreBytes); }

private:
    std::string bytes_;
};

// Header comment, [Languages], [Setup] (through the empty line that ends it). Fills an
// empty AppVerName with AppName, logged in log. Throws ConvertError when disk spanning
// is on and DiskSize or ReserveBytes is not a whole number that fits in 32 bits.
void WriteSetupSections(ScriptWriter& out, ProjectSettings& project, ChangeLog* log);

// [Icons], [INI], [Files], [Dirs]. rootFiles: ListFolderFiles(sourceFolder) as the build
// read it after clearing Output. Sets project.Font per .TTF root file (logged). Font
// messages go through prompts. Returns the sub-folders the scan left out
// (SourceTree::leftOut), for the build to tell the user.
//
// Throws ListIndexError when an INI line is due and IniLocation selects no
// folder, InOutError when a scanned sub-folder cannot be listed, EncodingError
// naming a file, folder or font name that Windows-1250 cannot hold.
std::vector<std::string> WriteContentSections(ScriptWriter& out, ProjectSettings& project,
                                              const std::string& sourceFolder,
                                              const std::vector<std::string>& rootFiles,
                                              Prompts& prompts, ChangeLog* log);

// Reads a signed 32-bit decimal whole number: an optional sign and digits,
// nothing else. Throws ConvertError ("'%s' is not a valid integer value").
int ParseInteger32(const std::string& text);

} // namespace tornavel
