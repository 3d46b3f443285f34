#pragma once

#include "installer/SourceScan.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tornavel {

// The characters Windows refuses in a file or folder name, besides the
// control characters: the two folder separators first, then the rest.
inline constexpr std::string_view kForbiddenInWindowsNames = "\\/:*?\"<>|";

// The device Windows takes a file or folder name for, in capitals, or
// nothing: the name's part before its first dot, without trailing blanks, in
// any letter case, is CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM1-COM9 or
// LPT1-LPT9 ("con", "Com1.txt", "NUL .log"). Neither the compiler nor the
// installer can make a file or folder of such a name.
std::string WindowsDeviceName(std::string_view name);

// Why Windows cannot hold a name as it stands; nothing when it can. The
// reasons: a character Windows-1250 lacks, a control character, one of
// \ / : * ? " < > |, a trailing dot or blank, a device name
// (WindowsDeviceName).
std::string WindowsNameProblem(std::string_view name);

// Checks the names of a source tree as the walk hands its folders over,
// against what an installer can put on Windows: each installed file and
// folder name (WindowsNameProblem), names in one folder that Windows takes
// for the same (letter case only: file against file, folder against folder,
// file against folder), at the top the build's own names Output and ISS in
// another letter case (wine would take one for the other), and entries that
// are neither a plain file nor a folder. Keeps the first offending paths and
// counts them all.
class TreeNameCheck {
public:
    // Checks one folder's files and installed sub-folders. True when the
    // folder's own path and all of them are fine, so its script lines can
    // be written.
    bool checkFolder(const ScannedFolder& folder);

    bool passed() const { return count_ == 0; }

    // The refusal: how many names, then the first ones, each as a path
    // relative to the source folder with its reason.
    std::string message() const;

private:
    void report(std::string_view entry, std::string_view name, std::string reason);

    static constexpr std::size_t kListed = 10;
    std::vector<std::string> listed_;
    std::size_t count_ = 0;
    std::vector<bool> badFolder_; // by scan index: the path holds a refused name
};

} // namespace tornavel
