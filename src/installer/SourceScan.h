#pragma once

#include "platform/FileSystem.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tornavel {

// The deepest folder level below the source folder that a build installs.
inline constexpr int kDeepestScannedLevel = 19;

// The sub-folders of sourceFolder (native path, with or without trailing
// separator) that a build installs, as entries relative to it with "\" between
// the folder names ("Data", "Data\Img"). Breadth-first: all of level 1, then
// all of level 2, ... down to level 19; within a level grouped by parent in the
// order of the parents; within one parent in the order the file system gives
// them. A folder that is hidden or system, or whose name holds a ".", is left
// out with everything below it. A link to a folder counts as a folder, unless
// it leads back to a folder above it (a loop). A folder that cannot be listed
// contributes nothing; an empty or missing source folder gives an empty list.
std::vector<std::string> ScanSourceFolders(const std::string& sourceFolder);

// The names of every file directly in folder (native path), hidden and system
// files included, no folders, sorted case-insensitively as a file list box
// sorts them. Throws InOutError when the folder cannot be listed.
//
// Unlike a file list box on Windows, this never changes the process's current
// folder: whoever needs a file of the folder (the font name reader) is given
// its full path.
std::vector<std::string> ListFolderFiles(const std::string& folder);

// A file as the walk saw it: its name, its FoldedNameKey (the files of a
// folder come sorted by it), what it is when not a plain file, whether it is
// a symbolic link, and its size (of what a link leads to; 0 unless the walk
// was asked for sizes).
struct ScannedFile {
    std::string_view name;
    std::string_view key;
    EntryOddity oddity = EntryOddity::None;
    bool link = false;
    std::uint64_t size = 0;
};

// A sub-folder the walk installs, and the index it will be visited under.
struct ScannedSubFolder {
    std::string_view name; // as the folder holds it, a backslash in it included
    int index = 0;
    bool link = false; // a symbolic link to a folder
};

// One folder of the tree, as the walk hands it over as soon as it has read
// it; the views are valid during the call only.
struct ScannedFolder {
    int index = 0;                                // 0 for the source folder, then the scan order
    std::string_view entry;                       // empty for the source folder, else "Data\Img"
    std::string_view native;                      // absolute, ending with the separator
    std::span<const ScannedFile> files;           // every file, sorted as ListFolderFiles sorts
    std::span<const ScannedSubFolder> subFolders; // the installed ones, in scan order
    int listError = 0;                            // the errno of a folder that could not be listed
};

// Reads the source folder and then, in the order of ScanSourceFolders, every
// folder it installs, each exactly once, and hands each to visit as soon as
// it is read; nothing of the tree is held but the folders still to be read.
// Entries of the source folder that are the program's own
// (IsOwnWorkingEntry) are skipped. The files' sizes are read only when
// asked for (a stat each). Returns the folders met and not taken,
// as entries in scan order: hidden ones, those whose name holds a ".", and
// those of level 20 (the folders below these are not visited, so they are
// not named).
std::vector<std::string> WalkSourceTree(const std::string& sourceFolder,
                                        const std::function<void(const ScannedFolder&)>& visit,
                                        FileSizes sizes = FileSizes::Skip);

// The walk gathered whole, for callers that want it so: folders[i] is the i-th
// entry of ScanSourceFolders, files[i] what ListFolderFiles gives for it, and
// listError[i] the errno of a listing that failed (0 when it was listed).
struct SourceTree {
    std::vector<std::string> folders;
    std::vector<std::vector<std::string>> files;
    std::vector<int> listError;
    std::vector<std::string> leftOut;
};
SourceTree ScanSourceTree(const std::string& sourceFolder);

// Whether an entry of the source folder's top level (folder: native, with
// its separator) is the program's own rather than the user's: the script
// ISS, the folder Output (emptied and made anew by every build), the folder
// .tornavel-iscc an earlier compiler adapter kept there, and a temporary file
// ISS.tmp-XXXXXX of the script's writing that a killed build left (empty or
// holding a script's beginning). These are never installed nor reported as
// left out; a user's file of such a name is.
bool IsOwnWorkingEntry(const std::string& folder, const FolderEntryView& entry);

// The links of a source tree that lead out of it: the build packs what they
// lead to, so it names each one before compiling. Fed the walk's folders as
// they come.
class OutsideLinks {
public:
    explicit OutsideLinks(const std::string& sourceFolder);

    // Notes the folder's files and installed sub-folders that are links to
    // something outside the source folder.
    void checkFolder(const ScannedFolder& folder);

    // Where path (a file or folder under the source folder, native) really
    // lies when that is outside the source folder; empty when it lies inside
    // or cannot be resolved.
    std::string targetOutside(const std::string& path) const;

    // Each as "Data/x → /elsewhere/x" (native separators), in walk order.
    const std::vector<std::string>& found() const { return found_; }

private:
    void note(const ScannedFolder& folder, std::string_view name);

    std::string root_; // the source folder's real path, with its separator
    std::vector<std::string> found_;
};

// The notice that tells the user which folders the installer leaves out:
// the first ten of them (native separators) and how many there are.
std::string LeftOutFoldersNotice(const std::vector<std::string>& folders);

} // namespace tornavel
