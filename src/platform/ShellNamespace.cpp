#include "platform/ShellNamespace.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>
#include <sys/stat.h>
#include <system_error>
#ifdef __linux__
#include <sys/vfs.h>
#endif

namespace tornavel::shell {
namespace {

// Byte counts are read and written with memcpy: identifiers lie end to end, so
// a count need not be aligned.
std::uint16_t countAt(ConstIdPtr id) {
    std::uint16_t count = 0;
    std::memcpy(&count, id, sizeof count);
    return count;
}

void setCountAt(IdPtr id, std::uint16_t count) {
    std::memcpy(id, &count, sizeof count);
}

// Writes a one-identifier list naming `name` at `at`, which holds
// kIdHeaderSize + name.size() + kIdCountSize bytes; the name fits a count.
void writeItemList(IdPtr at, std::string_view name, bool folder) {
    setCountAt(at, static_cast<std::uint16_t>(kIdHeaderSize + name.size()));
    at[kIdCountSize] = folder ? kIdFolder : 0;
    std::memcpy(at + kIdHeaderSize, name.data(), name.size());
    setCountAt(at + kIdHeaderSize + name.size(), 0);
}

std::string quoted(const std::string& path) {
    return "„" + path + "“";
}

// Why a folder could not be opened, in the user's words.
std::string reasonFor(const InOutError& e) {
    switch (e.code()) {
    case 2:
        return "neexistuje";
    case 3:
        return "není to platná složka";
    case 4:
        return "je otevřeno příliš mnoho souborů";
    case 5:
        return "přístup byl odepřen";
    case 0:
        if (e.systemError() == ENOTDIR) {
            return "není to platná složka";
        }
        return "chyba vstupu/výstupu " + std::to_string(e.systemError()) + " (" +
               std::generic_category().message(e.systemError()) + ")";
    default:
        return "chyba vstupu/výstupu " + std::to_string(e.code());
    }
}

[[noreturn]] void throwFolderError(const std::string& path, const InOutError& e) {
    throw Error(Error::Kind::InputOutput,
                "Složku " + quoted(path) + " nelze otevřít: " + reasonFor(e));
}

std::int64_t nanoseconds(const timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// Whether the folder lies on a local file system that sets a folder's times at
// every change of its entries. Network and user-space file systems may answer
// from a cache that lags, so their folders are always listed again.
bool keepsFolderTimes(const std::filesystem::path& folder) {
#ifdef __linux__
    struct statfs fs {};
    if (::statfs(folder.c_str(), &fs) != 0) {
        return false;
    }
    switch (static_cast<unsigned long>(fs.f_type)) {
    case 0xEF53:     // ext2, ext3, ext4
    case 0x58465342: // xfs
    case 0x9123683E: // btrfs
    case 0x01021994: // tmpfs
    case 0xF2F52010: // f2fs
    case 0x2FC12FC1: // zfs
    case 0x794C7630: // overlayfs
    case 0xCA451A4E: // bcachefs
        return true;
    default:
        return false;
    }
#else
    (void)folder;
    return false;
#endif
}

// A change within this time before a listing may have left the folder's time
// as it was (file systems with one- or two-second times, a coarse kernel clock).
constexpr std::int64_t kClockDoubtNs = 2'000'000'000;

} // namespace

// ---- ID lists ----------------------------------------------------------------

std::size_t IdListSize(ConstIdPtr list) {
    if (!list) {
        return 0;
    }
    std::size_t size = 0;
    for (ConstIdPtr id = list; countAt(id) != 0; id = NextId(id)) {
        size += countAt(id);
    }
    return size + kIdCountSize;
}

ConstIdPtr NextId(ConstIdPtr id) {
    return id + countAt(id);
}

IdPtr NextId(IdPtr id) {
    return id + countAt(id);
}

void RemoveLastId(IdPtr list) {
    if (!list || countAt(list) == 0) {
        return;
    }
    IdPtr last = list;
    for (IdPtr next = NextId(last); countAt(next) != 0; next = NextId(next)) {
        last = next;
    }
    setCountAt(last, 0);
}

IdPtr AllocIdList(std::size_t n) {
    void* block = std::calloc(n == 0 ? 1 : n, 1);
    if (!block) {
        throw std::bad_alloc();
    }
    return static_cast<IdPtr>(block);
}

IdPtr CopyIdList(ConstIdPtr list) {
    const std::size_t size = list ? IdListSize(list) : kIdCountSize;
    IdPtr copy = AllocIdList(size);
    if (list) {
        std::memcpy(copy, list, size);
    }
    return copy;
}

IdPtr JoinIdLists(ConstIdPtr a, ConstIdPtr b) {
    if (!a) {
        return CopyIdList(b);
    }
    const std::size_t sizeA = IdListSize(a) - kIdCountSize;
    const std::size_t sizeB = b ? IdListSize(b) : kIdCountSize;
    IdPtr joined = AllocIdList(sizeA + sizeB);
    std::memcpy(joined, a, sizeA);
    if (b) {
        std::memcpy(joined + sizeA, b, sizeB);
    }
    return joined;
}

void FreeIdList(IdPtr list) {
    std::free(list);
}

IdList MakeItemId(std::string_view name, bool folder) {
    // A name longer than an identifier can hold cannot come from the file
    // system (names are limited to a few hundred bytes); cut it rather than
    // write a count that wraps.
    const std::size_t nameSize = std::min<std::size_t>(name.size(), 0xFFFF - kIdHeaderSize);
    IdList list(AllocIdList(kIdHeaderSize + nameSize + kIdCountSize));
    writeItemList(list.get(), name.substr(0, nameSize), folder);
    return list;
}

ConstIdPtr LastId(ConstIdPtr list) {
    if (IdListIsEmpty(list)) {
        return nullptr;
    }
    ConstIdPtr last = list;
    for (ConstIdPtr next = NextId(last); countAt(next) != 0; next = NextId(next)) {
        last = next;
    }
    return last;
}

bool IdListIsEmpty(ConstIdPtr list) {
    return !list || countAt(list) == 0;
}

// ---- A folder's children in one block -------------------------------------------

std::uint32_t IdListBlock::append(std::string_view name, bool folder) {
    const std::size_t nameSize = std::min(name.size(), kChunkSize - kIdHeaderSize - kIdCountSize);
    const std::size_t listSize = kIdHeaderSize + nameSize + kIdCountSize;
    if (used_ + listSize > kChunkSize) {
        // Offsets are 32 bits: 65,536 blocks of names at the most.
        if (chunks_.size() >= (std::size_t{1} << 32) / kChunkSize) {
            throw std::bad_alloc();
        }
        chunks_.push_back(std::make_unique_for_overwrite<std::uint8_t[]>(kChunkSize));
        used_ = 0;
    }
    writeItemList(chunks_.back().get() + used_, name.substr(0, nameSize), folder);
    const auto offset = static_cast<std::uint32_t>((chunks_.size() - 1) * kChunkSize + used_);
    used_ += listSize;
    return offset;
}

// ---- Folder objects ------------------------------------------------------------

std::filesystem::path ShellFolder::childPath(ConstIdPtr list) const {
    std::filesystem::path p = path_;
    for (ConstIdPtr id = list; id && countAt(id) != 0; id = NextId(id)) {
        p /= std::string(IdName(id));
    }
    return p;
}

IdList ShellFolder::parseDisplayName(const std::string& path) const {
    const std::filesystem::path given(path);
    if (!given.is_absolute()) {
        throw Error(Error::Kind::InputOutput,
                    "Cesta " + quoted(path) + " není úplná (musí začínat kořenem)");
    }
    const std::filesystem::path normal = given.lexically_normal();
    struct stat st {};
    if (::stat(normal.c_str(), &st) != 0) {
        throwFolderError(path, InOutError::fromErrno(errno));
    }
    // Each name of the path becomes one identifier; every name but the last
    // is a folder, since the path was reached through it.
    std::vector<std::string> names;
    for (const auto& part : normal.relative_path()) {
        if (!part.empty()) {
            names.push_back(part.string());
        }
    }
    IdList result(CopyIdList(nullptr));
    for (std::size_t i = 0; i < names.size(); ++i) {
        const bool folder = i + 1 < names.size() || S_ISDIR(st.st_mode);
        const IdList id = MakeItemId(names[i], folder);
        result.reset(JoinIdLists(result.get(), id.get()));
    }
    return result;
}

ShellFolder ShellFolder::bindToObject(ConstIdPtr list) const {
    const std::filesystem::path p = childPath(list);
    std::error_code ec;
    const auto status = std::filesystem::status(p, ec);
    if (ec) {
        throwFolderError(p.string(), InOutError::fromErrno(ec.value()));
    }
    if (!std::filesystem::is_directory(status)) {
        throwFolderError(p.string(), InOutError(3));
    }
    return ShellFolder(p);
}

FolderEnumeration ShellFolder::enumObjects() const {
    FolderListing listing;
    try {
        ForEachEntry(path_.string(), [&listing](const FolderEntryView& e) {
            listing.entries.push_back(listing.ids.append(e.name, e.folder));
        });
    } catch (const InOutError& e) {
        throwFolderError(path_.string(), e);
    }
    return FolderEnumeration(std::move(listing));
}

FolderStamp ShellFolder::stamp() const {
    FolderStamp stamp;
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    stamp.takenNs = nanoseconds(now);
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        return stamp;
    }
    stamp.device = static_cast<std::uint64_t>(st.st_dev);
    stamp.inode = static_cast<std::uint64_t>(st.st_ino);
    stamp.modifiedNs = nanoseconds(st.st_mtim);
    stamp.changedNs = nanoseconds(st.st_ctim);
    stamp.trusted = keepsFolderTimes(path_);
    return stamp;
}

bool ListingStillHolds(const FolderStamp& listed, const FolderStamp& now) {
    return listed.trusted && now.trusted && listed.device == now.device &&
           listed.inode == now.inode && listed.modifiedNs == now.modifiedNs &&
           listed.changedNs == now.changedNs && now.takenNs >= listed.takenNs &&
           listed.modifiedNs < listed.takenNs - kClockDoubtNs;
}

std::string NormalFolderPath(const std::string& path) {
    std::string normal = std::filesystem::path(path).lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/') {
        normal.pop_back();
    }
    return normal;
}

std::string ShellFolder::getDisplayNameOf(ConstIdPtr list, NameForm form) const {
    if (form == NameForm::ForParsing) {
        return childPath(list).string();
    }
    const ConstIdPtr last = LastId(list);
    if (!last) {
        // The folder itself: its own name, or the root's path.
        const auto name = path_.filename().string();
        return name.empty() ? path_.string() : name;
    }
    return std::string(IdName(last));
}

bool ShellFolder::isFolder(ConstIdPtr relative) const {
    const ConstIdPtr last = LastId(relative);
    return last && IdIsFolder(last);
}

FindData ShellFolder::getFindData(ConstIdPtr relative) const {
    FindData data;
    const std::string p = childPath(relative).string();
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0) {
        return data;
    }
    const FileAttributes a = FileAttributesFromStat(p, st);
    data.attributes = (a.readOnly ? kAttrReadOnly : 0) | (a.hidden ? kAttrHidden : 0) |
                      (a.system ? kAttrSystem : 0) | (a.folder ? kAttrDirectory : 0) |
                      (a.archive ? kAttrArchive : 0);
    data.hasWriteTime = true;
    data.writeTimeSeconds = st.st_mtim.tv_sec;
    data.writeTimeNanoseconds = static_cast<std::int32_t>(st.st_mtim.tv_nsec);
    data.size = S_ISDIR(st.st_mode) ? 0 : static_cast<std::uint64_t>(st.st_size);
    return data;
}

IdList FolderEnumeration::next() {
    if (next_ >= listing_.entries.size()) {
        return nullptr;
    }
    return IdList(CopyIdList(listing_.ids.at(listing_.entries[next_++])));
}

FolderListing FolderEnumeration::takeAll() {
    listing_.entries.erase(listing_.entries.begin(),
                           listing_.entries.begin() + static_cast<std::ptrdiff_t>(next_));
    next_ = 0;
    FolderListing all = std::move(listing_);
    listing_ = FolderListing();
    return all;
}

// ---- Texts -------------------------------------------------------------------

std::int64_t SizeInKB(std::uint64_t bytes) {
    const std::uint64_t kb = bytes / 1000;
    return kb == 0 ? 1 : static_cast<std::int64_t>(kb);
}

std::string SizeText(std::int64_t sizeKB) {
    return std::to_string(sizeKB) + "KB";
}

std::string AttributeLetters(std::uint32_t attributes) {
    std::string letters;
    if (attributes & kAttrReadOnly) {
        letters += 'R';
    }
    if (attributes & kAttrHidden) {
        letters += 'H';
    }
    if (attributes & kAttrSystem) {
        letters += 'S';
    }
    if (attributes & kAttrArchive) {
        letters += 'A';
    }
    return letters;
}

} // namespace tornavel::shell
