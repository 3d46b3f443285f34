#pragma once

#include "platform/FileDescriptor.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace tornavel::iscc {

// The compiler's own folder for one compilation, made in the system's folder
// for temporary files and removed with the object: the copy of the script the
// compiler gets, and "source", a link to the script's folder, which the copy
// names as its SourceDir. So every relative name of the script (files, the
// licence, Output) means what it meant, while the compiler reaches the folder
// by a path of plain characters: a folder whose path holds a double quote, a
// backslash or another character Windows cannot hold in a name compiles as
// any other, and nothing of ours is ever written into the user's folder
// (where a file of the user's must reach the compiler changed, its changed
// copy is kept here too).
//
// The folder is locked while the object lives; a work folder nobody locks is
// a killed adapter's, and the next one removes it.
class WorkFolder {
public:
    // script: the absolute path of the script the user gave. Throws
    // AdapterFailure naming the temporary folder when it cannot be made.
    explicit WorkFolder(const std::filesystem::path& script);
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    // The link to the script's folder, as the copy names it for SourceDir.
    static constexpr const char* kSourceLink = "source";

    // Writes the copy the compiler reads.
    void writeScript(const std::string& text) const;

    // Writes a file the copy names instead of one of the user's (a text file
    // given a byte-order mark); returns its path.
    std::filesystem::path writeFile(const std::string& name, const std::string& bytes) const;

    // The compiler as the script's version had it, without the preprocessor
    // that later packages carry (ISPP.dll, which the compiler loads from its
    // own folder when it is there): a folder "compiler" of links to every
    // other file of compiler's folder. Returns the link to compiler itself.
    std::filesystem::path compilerWithoutPreprocessor(const std::filesystem::path& compiler) const;
    static constexpr const char* kCompilerLinks = "compiler";

    const std::filesystem::path& folder() const { return folder_; }
    // The copy, as the compiler is given it.
    const std::filesystem::path& scriptCopy() const { return copy_; }
    // The script's own folder.
    const std::filesystem::path& userFolder() const { return userFolder_; }

    // The compiler's output with the work folder's paths turned back into the
    // user's folder, so that messages name the script and the installer
    // where the user has them. Both in the Windows form the compiler prints.
    std::string workPathPrefix() const;
    std::string userPathPrefix() const;

private:
    UniqueFd lock_;
    std::filesystem::path folder_;
    std::filesystem::path copy_;
    std::filesystem::path userFolder_;
};

} // namespace tornavel::iscc
