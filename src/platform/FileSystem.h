#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <vector>

namespace tornavel {

// Folder listings with the attribute filters and wildcard patterns of the
// Windows directory enumeration the program was designed around. On POSIX an
// entry is hidden when its name starts with "."; nothing is ever a system or
// archive entry. A symbolic link counts as what it points to (a link to a
// folder is a folder), as a junction does on Windows; a dangling link is a
// file.

// Which entries a listing keeps.
enum class EntryFilter {
    VisibleFolders, // folders without the hidden or system attribute (the folder scan)
    AllFiles,       // every non-folder entry, hidden and system ones included
    VisibleFiles, // non-folder entries without hidden or system attribute (output folder, choosers)
};

// Windows wildcard matching, case-insensitive as on Windows: '*', '?', "*.*" also
// matches names without a dot. pattern may be a list separated by ';' ("*.txt;*.rtf").
bool MatchesWildcard(std::string_view name, std::string_view pattern);

// Names (no path) of the entries of folder (native path, with or without trailing
// separator) that match pattern and pass filter, in the order the file system gives
// them. Never lists "." or "..". Throws InOutError when the folder cannot be listed.
std::vector<std::string> ListEntries(const std::string& folder, std::string_view pattern,
                                     EntryFilter filter);

// Attributes as Windows would report them (POSIX: hidden = name starts with ".";
// read-only = owner may not write; system never; archive never).
struct FileAttributes {
    bool exists = false, folder = false, readOnly = false, hidden = false, system = false,
         archive = false;
};
FileAttributes GetFileAttributes(const std::string& path);
// The same from what stat already reported for path.
FileAttributes FileAttributesFromStat(std::string_view path, const struct stat& st);

// ---------------------------------------------------------------------------
// Lower-level pieces for callers that need more than one filter of a folder
// from a single pass over it (the source scan), and the name order of sorted
// file lists.

struct FolderEntry {
    std::string name;
    bool folder = false;
    bool hidden = false;
    bool link = false; // a symbolic link (folder and hidden describe what it points to)
};

// What a non-folder entry is when it is not a plain file (or a link to one).
enum class EntryOddity : unsigned char {
    None,
    DanglingLink, // a link to nothing
    LinkLoop,     // links that lead back to each other
    Special,      // a pipe, a socket or a device
};

// An entry as ForEachEntry hands it over; name is valid during the call only.
struct FolderEntryView {
    std::string_view name;
    bool folder = false;
    bool hidden = false;
    bool link = false;
    EntryOddity oddity = EntryOddity::None;
    std::uint64_t size = 0; // a file's size (what a link leads to), when asked for
};

// Whether a listing reads each file's size, which costs a stat per file.
enum class FileSizes : bool { Skip, Read };

// Calls visit for every entry of folder except "." and "..", in the order the
// file system gives them, without copying names it does not keep. Throws
// InOutError when the folder cannot be listed.
void ForEachEntry(const std::string& folder,
                  const std::function<void(const FolderEntryView&)>& visit);

// The same for the folder name inside the open folder parentFd (AT_FDCWD: a
// path), so that a walk need not look every folder up from the root;
// messages name the folder as folder.
void ForEachEntryAt(int parentFd, const std::string& name, const std::string& folder,
                    const std::function<void(const FolderEntryView&)>& visit,
                    FileSizes sizes = FileSizes::Skip);

// Every entry of folder except "." and "..", in the order the file system gives
// them. Throws InOutError when the folder cannot be listed.
std::vector<FolderEntry> ReadFolder(const std::string& folder);

// The whole content of the file at path. Throws InOutError with the system's
// error when it cannot be opened or read (a folder is EISDIR).
std::string ReadWholeFile(const std::string& path);

// Whether an entry passes a filter.
bool PassesFilter(bool folder, bool hidden, EntryFilter filter);
inline bool PassesFilter(const FolderEntry& e, EntryFilter filter) {
    return PassesFilter(e.folder, e.hidden, filter);
}
inline bool PassesFilter(const FolderEntryView& e, EntryFilter filter) {
    return PassesFilter(e.folder, e.hidden, filter);
}

// Case-insensitive comparison of two names (UTF-8), as a sorted file list box
// orders them: letters are compared without regard to case (ASCII and the
// Latin, Greek and Cyrillic letters), names equal but for case are ordered by
// their bytes so the order is total. Negative, zero or positive.
int CompareNamesIgnoringCase(std::string_view a, std::string_view b);

// Whether two names differ in letter case only (or not at all): the same
// name to Windows.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

// The name folded as CompareNamesIgnoringCase folds it, as UTF-8: keys
// compared byte by byte order names as it does (ties broken by the names'
// own bytes), and equal keys mean SameNameIgnoringCase. For sorting many
// names, where folding each once is cheaper than folding at every comparison.
std::string FoldedNameKey(std::string_view name);
// The same appended to out, for keys gathered in one text.
void AppendFoldedNameKey(std::string& out, std::string_view name);

// Sorts names with CompareNamesIgnoringCase.
void SortNamesIgnoringCase(std::vector<std::string>& names);

} // namespace tornavel
