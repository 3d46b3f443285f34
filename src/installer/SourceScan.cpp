#include "installer/SourceScan.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/FolderReadAhead.h"
#include "platform/Paths.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <utility>

namespace tornavel {
namespace {

// How every script begins (ScriptGenerator's first line, in its ASCII part).
constexpr std::string_view kScriptStart = ";Tento soubor je vytvo";

bool isInstalledFolder(const FolderEntryView& e) {
    // A dot anywhere rules a folder out, so "Data.old" and "Setup.2" are left
    // out together with everything below them.
    return PassesFilter(e, EntryFilter::VisibleFolders) &&
           e.name.find('.') == std::string_view::npos;
}

// Identity of a folder on disk, to tell when a link leads back into the
// folders above it.
struct FolderId {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FolderId&) const = default;
};

std::optional<FolderId> folderIdOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return std::nullopt;
    }
    return FolderId{st.st_dev, st.st_ino};
}

struct Folder {
    std::string entry;  // "A\B", as the script writes it; moved out once listed
    std::string native; // absolute native path, ending with the separator
    int parent;         // index of the folder above, -1 for the source folder
    bool link = false;  // reached through a symbolic link
    std::optional<FolderId> id{};
    bool idKnown = false;
};

// Walks the tree level by level. Every folder is read at most once; with
// wantFiles the folders of the deepest level are read too, for their files,
// and each read folder is handed to visit.
class Walker {
public:
    Walker(const std::string& sourceFolder, const std::function<void(const ScannedFolder&)>* visit,
           FileSizes sizes)
        : visit_(visit), readAhead_(sizes) {
        folders_.push_back({"", withTrailingSeparator(sourceFolder), -1});
        readAhead_.request(folders_.front().native, {});
    }

    // The folders' entries in scan order, when asked for; the left-out ones.
    std::vector<std::string> run(std::vector<std::string>* entries = nullptr) {
        std::vector<int> level;
        if (!read(0, true, &level) && !visit_) {
            return {}; // a missing source folder has no sub-folders
        }
        for (int depth = 1; depth <= kDeepestScannedLevel && !level.empty(); ++depth) {
            const bool deepest = depth == kDeepestScannedLevel;
            // The sub-folders found now are read next, unless they are the
            // deepest level of a walk that does not want its files.
            listChildren_ = visit_ || depth + 1 != kDeepestScannedLevel;
            std::vector<int> next;
            for (const int index : level) {
                if (visit_ || !deepest) {
                    read(index, !deepest, &next);
                }
                Folder& folder = folders_[static_cast<std::size_t>(index)];
                if (entries) {
                    entries->push_back(std::move(folder.entry));
                }
                // Only the walk below needs a folder's path, and only while
                // it may still be an ancestor of what is read.
                folder.entry = {};
            }
            level = std::move(next);
        }
        return std::move(leftOut_);
    }

private:
    // Reads one folder: its files (when visiting), its installed sub-folders
    // (when wanted) appended to the folder list and to next; then visits it.
    // False when it could not be listed.
    bool read(int index, bool wantFolders, std::vector<int>* next) {
        const std::string native = folders_[static_cast<std::size_t>(index)].native;
        const std::size_t firstChild = folders_.size();
        files_.clear();
        places_.clear();
        fileTexts_.clear();
        subFolders_.clear();
        const FolderListing listing = readAhead_.next();
        const int error = listing.error();
        if (error == 0) {
            listing.forEach([&](const FolderEntryView& e) {
                if (index == 0 && IsOwnWorkingEntry(native, e)) {
                    return;
                }
                if (!e.folder) {
                    if (visit_) {
                        addFile(e);
                    }
                    return;
                }
                if (!wantFolders || !isInstalledFolder(e)) {
                    // Only the walk for the script reads the deepest level,
                    // and only it needs to tell the user what stays out.
                    if (visit_) {
                        leftOut_.push_back(entryOf(index, e.name));
                    }
                    return;
                }
                std::string childNative = native;
                childNative.append(e.name) += kNativeSeparator;
                if (e.link && leadsBackUp(index, childNative)) {
                    return;
                }
                next->push_back(static_cast<int>(folders_.size()));
                if (listChildren_) {
                    readAhead_.request(childNative, native);
                }
                folders_.push_back({entryOf(index, e.name), std::move(childNative), index, e.link});
            });
        }
        if (visit_) {
            const std::string_view texts(fileTexts_);
            for (const FilePlace& place : places_) {
                files_.push_back({texts.substr(place.nameAt, place.keyAt - place.nameAt),
                                  texts.substr(place.keyAt, place.end - place.keyAt), place.oddity,
                                  place.link, place.size});
            }
            // The order of CompareNamesIgnoringCase, each name folded once.
            std::sort(files_.begin(), files_.end(), [](const ScannedFile& a, const ScannedFile& b) {
                const int keys = a.key.compare(b.key);
                return keys != 0 ? keys < 0 : a.name < b.name;
            });
            for (std::size_t c = firstChild; c < folders_.size(); ++c) {
                // The name as the folder holds it: the entry cannot tell a
                // separator from a backslash in the name ("p\q").
                const std::string& path = folders_[c].native;
                subFolders_.push_back(
                    {std::string_view(path).substr(native.size(), path.size() - native.size() - 1),
                     static_cast<int>(c), folders_[c].link});
            }
            const Folder& folder = folders_[static_cast<std::size_t>(index)];
            visit_->operator()({index, folder.entry, folder.native, files_, subFolders_, error});
        }
        return error == 0;
    }

    // Keeps a file's name and key in the folder's one text, so that no file
    // costs an allocation of its own; the views are made once it is whole.
    void addFile(const FolderEntryView& e) {
        FilePlace place;
        place.nameAt = fileTexts_.size();
        fileTexts_ += e.name;
        place.keyAt = fileTexts_.size();
        AppendFoldedNameKey(fileTexts_, e.name);
        place.end = fileTexts_.size();
        place.oddity = e.oddity;
        place.link = e.link;
        place.size = e.size;
        places_.push_back(place);
    }

    // The entry of the folder name inside the folder at index.
    std::string entryOf(int index, std::string_view name) const {
        std::string entry;
        if (index != 0) {
            entry = folders_[static_cast<std::size_t>(index)].entry + '\\';
        }
        entry += name;
        return entry;
    }

    // A link to a folder is followed like any folder, except when it leads to
    // the folder that holds it or to one above: such a loop would repeat the
    // same files down to the deepest level, and more than one would multiply
    // them with every level.
    bool leadsBackUp(int index, const std::string& linkPath) {
        const auto target = folderIdOf(linkPath);
        if (!target) {
            return true;
        }
        for (int a = index; a >= 0; a = folders_[static_cast<std::size_t>(a)].parent) {
            Folder& f = folders_[static_cast<std::size_t>(a)];
            if (!f.idKnown) {
                f.id = folderIdOf(f.native);
                f.idKnown = true;
            }
            if (f.id == target) {
                return true;
            }
        }
        return false;
    }

    const std::function<void(const ScannedFolder&)>* visit_;
    std::vector<Folder> folders_;
    struct FilePlace {
        std::size_t nameAt, keyAt, end;
        EntryOddity oddity;
        bool link;
        std::uint64_t size;
    };
    std::vector<FilePlace> places_;            // of the folder being read
    std::string fileTexts_;                    // their names and keys
    std::vector<ScannedFile> files_;           // views of them, in order
    std::vector<ScannedSubFolder> subFolders_; // of the folder being read
    std::vector<std::string> leftOut_;
    bool listChildren_ = true; // whether the sub-folders found are read later
    // Last: its thread ends before the rest goes.
    FolderReadAhead readAhead_;
};

} // namespace

std::vector<std::string> ScanSourceFolders(const std::string& sourceFolder) {
    if (sourceFolder.empty()) {
        return {};
    }
    std::vector<std::string> folders;
    Walker(sourceFolder, nullptr, FileSizes::Skip).run(&folders);
    return folders;
}

std::vector<std::string> WalkSourceTree(const std::string& sourceFolder,
                                        const std::function<void(const ScannedFolder&)>& visit,
                                        FileSizes sizes) {
    return Walker(sourceFolder, &visit, sizes).run();
}

std::vector<std::string> ListFolderFiles(const std::string& folder) {
    std::vector<std::string> names;
    ForEachEntry(folder, [&names](const FolderEntryView& e) {
        if (PassesFilter(e, EntryFilter::AllFiles)) {
            names.emplace_back(e.name);
        }
    });
    SortNamesIgnoringCase(names);
    return names;
}

SourceTree ScanSourceTree(const std::string& sourceFolder) {
    SourceTree tree;
    if (sourceFolder.empty()) {
        return tree;
    }
    tree.leftOut = WalkSourceTree(sourceFolder, [&tree](const ScannedFolder& folder) {
        if (folder.index == 0) {
            return; // the source folder's own files are the build's root listing
        }
        tree.folders.emplace_back(folder.entry);
        std::vector<std::string>& files = tree.files.emplace_back();
        for (const ScannedFile& file : folder.files) {
            files.emplace_back(file.name);
        }
        tree.listError.push_back(folder.listError);
    });
    return tree;
}

bool IsOwnWorkingEntry(const std::string& folder, const FolderEntryView& entry) {
    const std::string_view name = entry.name;
    if (name == "ISS" || name == "Output") {
        return true;
    }
    if (name == ".tornavel-iscc") {
        return entry.folder; // what earlier adapters kept; a file of that name is the user's
    }
    constexpr std::string_view kScriptTemporary = "ISS.tmp-"; // WriteFileAtomically's name
    if (entry.folder || entry.link || entry.oddity != EntryOddity::None ||
        name.size() != kScriptTemporary.size() + 6 || !name.starts_with(kScriptTemporary)) {
        return false;
    }
    // A killed build left it: empty (the script goes in pieces of 256 KiB) or
    // a script's beginning. Anything else is the user's file of that name.
    std::ifstream file(folder + std::string(name), std::ios::binary);
    std::string start(kScriptStart.size(), '\0');
    file.read(start.data(), static_cast<std::streamsize>(start.size()));
    return file.gcount() == 0 || start == kScriptStart;
}

OutsideLinks::OutsideLinks(const std::string& sourceFolder) {
    std::error_code ec;
    root_ = withTrailingSeparator(std::filesystem::canonical(sourceFolder, ec).string());
}

std::string OutsideLinks::targetOutside(const std::string& path) const {
    std::error_code ec;
    const std::string target = std::filesystem::canonical(path, ec).string();
    if (ec || root_.size() <= 1 || withTrailingSeparator(target).starts_with(root_)) {
        return {};
    }
    return target;
}

void OutsideLinks::checkFolder(const ScannedFolder& folder) {
    for (const ScannedFile& file : folder.files) {
        if (file.link) {
            note(folder, file.name);
        }
    }
    for (const ScannedSubFolder& sub : folder.subFolders) {
        if (sub.link) {
            note(folder, sub.name);
        }
    }
}

void OutsideLinks::note(const ScannedFolder& folder, std::string_view name) {
    const std::string target = targetOutside(std::string(folder.native) + std::string(name));
    if (!target.empty()) {
        std::string entry = toNativeSeparators(folder.entry);
        found_.push_back(entry + (entry.empty() ? "" : std::string(1, kNativeSeparator)) +
                         std::string(name) + " → " + target);
    }
}

std::string LeftOutFoldersNotice(const std::vector<std::string>& folders) {
    constexpr std::size_t kListed = 10;
    std::string text =
        "Složky vynechané z instalace (název s tečkou, skrytá složka nebo více než " +
        std::to_string(kDeepestScannedLevel) +
        " úrovní pod zdrojovým adresářem), "
        "celkem " +
        std::to_string(folders.size()) + ": ";
    for (std::size_t i = 0; i < folders.size() && i < kListed; ++i) {
        text += (i > 0 ? ", " : "") + toNativeSeparators(folders[i]);
    }
    if (folders.size() > kListed) {
        const std::size_t more = folders.size() - kListed;
        text += " a " + std::to_string(more) + (more < 5 ? " další" : " dalších");
    }
    return text + ".";
}

} // namespace tornavel
