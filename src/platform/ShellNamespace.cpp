#include "platform/ShellNamespace.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sys/stat.h>
#include <system_error>

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

constexpr std::size_t kCountSize = 2;
constexpr std::size_t kHeaderSize = kCountSize + 1; // count, flag byte

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
    return size + kCountSize;
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
    const std::size_t size = list ? IdListSize(list) : kCountSize;
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
    const std::size_t sizeA = IdListSize(a) - kCountSize;
    const std::size_t sizeB = b ? IdListSize(b) : kCountSize;
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
    const std::size_t nameSize = std::min<std::size_t>(name.size(), 0xFFFF - kHeaderSize);
    const std::size_t idSize = kHeaderSize + nameSize;
    IdList list(AllocIdList(idSize + kCountSize));
    setCountAt(list.get(), static_cast<std::uint16_t>(idSize));
    list[kCountSize] = folder ? kIdFolder : 0;
    std::memcpy(list.get() + kHeaderSize, name.data(), nameSize);
    return list;
}

std::string_view IdName(ConstIdPtr id) {
    const std::size_t count = countAt(id);
    if (count < kHeaderSize) {
        return {};
    }
    return {reinterpret_cast<const char*>(id + kHeaderSize), count - kHeaderSize};
}

bool IdIsFolder(ConstIdPtr id) {
    return countAt(id) >= kHeaderSize && (id[kCountSize] & kIdFolder) != 0;
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

// ---- Folder objects ------------------------------------------------------------

std::filesystem::path ShellFolder::childPath(ConstIdPtr list) const {
    std::filesystem::path p = path_;
    for (ConstIdPtr id = list; id && countAt(id) != 0; id = NextId(id)) {
        p /= std::string(IdName(id));
    }
    return p;
}

IdList ShellFolder::ParseDisplayName(const std::string& path) const {
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

ShellFolder ShellFolder::BindToObject(ConstIdPtr list) const {
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

FolderEnumeration ShellFolder::EnumObjects() const {
    try {
        return FolderEnumeration(ReadFolder(path_.string()));
    } catch (const InOutError& e) {
        throwFolderError(path_.string(), e);
    }
}

std::string ShellFolder::GetDisplayNameOf(ConstIdPtr list, NameForm form) const {
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

bool ShellFolder::IsFolder(ConstIdPtr relative) const {
    const ConstIdPtr last = LastId(relative);
    return last && IdIsFolder(last);
}

FindData ShellFolder::GetFindData(ConstIdPtr relative) const {
    FindData data;
    const std::string p = childPath(relative).string();
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0) {
        return data;
    }
    const FileAttributes a = GetFileAttributes(p);
    data.attributes = (a.readOnly ? kAttrReadOnly : 0) | (a.hidden ? kAttrHidden : 0) |
                      (a.system ? kAttrSystem : 0) | (a.folder ? kAttrDirectory : 0) |
                      (a.archive ? kAttrArchive : 0);
    data.hasWriteTime = true;
    data.writeTimeSeconds = st.st_mtim.tv_sec;
    data.writeTimeNanoseconds = static_cast<std::int32_t>(st.st_mtim.tv_nsec);
    data.size = S_ISDIR(st.st_mode) ? 0 : static_cast<std::uint64_t>(st.st_size);
    return data;
}

IdList FolderEnumeration::Next() {
    if (next_ >= entries_.size()) {
        return nullptr;
    }
    const FolderEntry& entry = entries_[next_++];
    return MakeItemId(entry.name, entry.folder);
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
