#pragma once

#include "platform/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The file browser's view of the file system, shaped like a shell namespace:
// every folder and file is named by an item-identifier list, a folder object
// enumerates its children, gives their names, tells folders from files and
// reads their find data. The browser keeps its algorithms on these operations.
namespace tornavel::shell {

// ---- Item-identifier lists ---------------------------------------------------
//
// An ID list is one memory block of identifiers laid end to end. Each
// identifier starts with an unsigned 16-bit byte count that includes the count
// field itself; a count of 0 (two zero bytes) ends the list. Here an identifier
// holds one name of a path: a flag byte (kIdFolder for a folder) followed by the
// name's bytes as the file system spells them. The empty list (just the
// terminator) names the root of the file system, which plays the part of the
// namespace's root.

using IdPtr = std::uint8_t*;
using ConstIdPtr = const std::uint8_t*;

inline constexpr std::uint8_t kIdFolder = 0x01;
// An identifier's byte count, and the count with the flag byte after it.
inline constexpr std::size_t kIdCountSize = 2;
inline constexpr std::size_t kIdHeaderSize = kIdCountSize + 1;

// 0 for no list; else the byte counts of all identifiers plus 2 for the terminator.
std::size_t IdListSize(ConstIdPtr list);
// The identifier that starts after this one's byte count.
ConstIdPtr NextId(ConstIdPtr id);
IdPtr NextId(IdPtr id);
// Turns the last identifier into the terminator; an empty list stays empty.
void RemoveLastId(IdPtr list);
// n zeroed bytes; throws std::bad_alloc when no memory is left.
IdPtr AllocIdList(std::size_t n);
// A block of IdListSize(list) bytes holding a copy of list (an empty list for no list).
IdPtr CopyIdList(ConstIdPtr list);
// a's identifiers without a's terminator, then all of b; with no a, a copy of b.
IdPtr JoinIdLists(ConstIdPtr a, ConstIdPtr b);
// Gives the block back; nothing for no list.
void FreeIdList(IdPtr list);

struct IdListDeleter {
    void operator()(IdPtr list) const { FreeIdList(list); }
};
// An owned ID list, released with FreeIdList.
using IdList = std::unique_ptr<std::uint8_t[], IdListDeleter>;

inline IdList Owned(IdPtr list) {
    return IdList(list);
}

// A one-identifier list naming `name` (a file or folder within its parent).
IdList MakeItemId(std::string_view name, bool folder);
// The name bytes of one identifier (inline: a sort asks for them millions of times).
inline std::string_view IdName(ConstIdPtr id) {
    std::uint16_t count = 0;
    std::memcpy(&count, id, sizeof count);
    return count < kIdHeaderSize
               ? std::string_view()
               : std::string_view(reinterpret_cast<const char*>(id + kIdHeaderSize),
                                  count - kIdHeaderSize);
}
inline bool IdIsFolder(ConstIdPtr id) {
    std::uint16_t count = 0;
    std::memcpy(&count, id, sizeof count);
    return count >= kIdHeaderSize && (id[kIdCountSize] & kIdFolder) != 0;
}
// The last identifier of a list, or null for an empty list.
ConstIdPtr LastId(ConstIdPtr list);
bool IdListIsEmpty(ConstIdPtr list);

// ---- A folder's children in one block ----------------------------------------

// The relative ID lists of a folder's children laid end to end in blocks of
// 64 KiB, each a complete list with its terminator: one allocation per block
// instead of one per child. A list is named by its offset, valid as long as the
// block is.
class IdListBlock {
public:
    // Appends the one-identifier list naming `name` and returns its offset. A
    // name longer than a block can hold is cut; no file system gives one.
    std::uint32_t append(std::string_view name, bool folder);
    ConstIdPtr at(std::uint32_t offset) const {
        return chunks_[offset / kChunkSize].get() + offset % kChunkSize;
    }

    static constexpr std::size_t kChunkSize = std::size_t{1} << 16;

private:
    std::vector<std::unique_ptr<std::uint8_t[]>> chunks_;
    std::size_t used_ = kChunkSize; // bytes taken in the last block
};

// One listing of a folder: its children's lists, and their offsets in the
// order the file system gave them.
struct FolderListing {
    IdListBlock ids;
    std::vector<std::uint32_t> entries;
};

// ---- Folder objects ----------------------------------------------------------

enum class NameForm {
    Normal,     // the item's own name
    ForParsing, // the full path, with no trailing separator except for the root
};

// What a directory listing tells of an entry.
struct FindData {
    std::uint32_t attributes = 0; // kAttr* bits
    bool hasWriteTime = false;    // false when the entry could not be read
    std::int64_t writeTimeSeconds = 0;
    std::int32_t writeTimeNanoseconds = 0;
    std::uint64_t size = 0;
};

inline constexpr std::uint32_t kAttrReadOnly = 0x01;
inline constexpr std::uint32_t kAttrHidden = 0x02;
inline constexpr std::uint32_t kAttrSystem = 0x04;
inline constexpr std::uint32_t kAttrDirectory = 0x10;
inline constexpr std::uint32_t kAttrArchive = 0x20;

// What tells whether a folder's children may have changed since a listing:
// the folder's identity and the times of its last changes, read just before
// the listing, with the clock at that moment.
struct FolderStamp {
    bool trusted = false; // read, and on a local file system that keeps folder times
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t modifiedNs = 0; // last change of the entries
    std::int64_t changedNs = 0;  // last change of the folder's own record
    std::int64_t takenNs = 0;    // the clock when the stamp was read
};

// Whether a listing made just after `listed` was read still shows the folder
// whose stamp is now `now`. In doubt it does not: a stamp that could not be
// read or comes from a file system whose folder times may lag (network or
// user-space file systems), or a folder changed shortly before the listing,
// within the time a coarse file-system clock could leave unchanged.
bool ListingStillHolds(const FolderStamp& listed, const FolderStamp& now);

// A path as the namespace names the folder: no "." or "..", no doubled
// separators, no trailing separator except for the root. Nothing is read.
std::string NormalFolderPath(const std::string& path);

class FolderEnumeration;

// A folder of the file system, reached through ID lists. The default object is
// the root, which plays the desktop's part.
class ShellFolder {
public:
    ShellFolder() = default;
    const std::filesystem::path& path() const { return path_; }

    // An absolute path ("/home/u/Projekt" or "/home/u/Projekt/") as an absolute
    // ID list. Throws Error when the path is not absolute or does not exist.
    IdList parseDisplayName(const std::string& path) const;
    // The folder named by a list relative to this one (absolute on the root).
    // Throws Error when it is no existing folder.
    ShellFolder bindToObject(ConstIdPtr list) const;
    // Reads the folder's listing, hidden entries included, before anything is
    // handed out. Throws Error when the folder cannot be listed.
    FolderEnumeration enumObjects() const;
    // The folder's stamp, read now; to be read before a listing.
    FolderStamp stamp() const;
    // The name of the item `list` (relative to this folder) in the given form.
    std::string getDisplayNameOf(ConstIdPtr list, NameForm form) const;
    // Whether the child named by a relative list is a folder.
    bool isFolder(ConstIdPtr relative) const;
    // The child's attributes, last-write time and size; all zero when it
    // cannot be read (it may have gone since the listing).
    FindData getFindData(ConstIdPtr relative) const;

private:
    explicit ShellFolder(std::filesystem::path path) : path_(std::move(path)) {}
    std::filesystem::path childPath(ConstIdPtr list) const;

    std::filesystem::path path_ = std::filesystem::path("/");
};

// The children of one folder, one relative ID list per call.
class FolderEnumeration {
public:
    // The next child, or no list when the enumeration has ended.
    IdList next();
    // The children that Next has not handed out, in one block.
    FolderListing takeAll();

private:
    friend class ShellFolder;
    explicit FolderEnumeration(FolderListing listing) : listing_(std::move(listing)) {}
    FolderListing listing_;
    std::size_t next_ = 0;
};

// ---- Texts the browser shows -------------------------------------------------

// Size in thousands of bytes, remainder dropped, at least 1.
std::int64_t SizeInKB(std::uint64_t bytes);
// "1KB", "2048KB": no space, no thousands separator.
std::string SizeText(std::int64_t sizeKB);
// "R", "H", "S", "A" for the read-only, hidden, system and archive bits, in
// this order; other bits show nothing.
std::string AttributeLetters(std::uint32_t attributes);

} // namespace tornavel::shell
