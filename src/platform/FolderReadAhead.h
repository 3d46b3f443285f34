#pragma once

#include "platform/FileDescriptor.h"
#include "platform/FileSystem.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tornavel {

// One folder's entries as ForEachEntryAt gives them, kept whole.
class FolderListing {
public:
    // The system's error when the folder could not be listed, else 0.
    int error() const { return error_; }
    // Calls visit for every entry, in the order the file system gave them.
    template <typename Visit> void forEach(Visit&& visit) const {
        const std::string_view names(names_);
        for (const Entry& e : entries_) {
            visit(FolderEntryView{names.substr(e.nameAt, e.nameSize), e.folder, e.hidden, e.link,
                                  e.oddity, e.size});
        }
    }

private:
    friend class FolderReadAhead;
    struct Entry {
        std::size_t nameAt = 0;
        std::size_t nameSize = 0;
        bool folder = false;
        bool hidden = false;
        bool link = false;
        EntryOddity oddity = EntryOddity::None;
        std::uint64_t size = 0;
    };
    std::string names_;
    std::vector<Entry> entries_;
    int error_ = 0;
};

// Lists folders on a thread of its own while the caller works on the ones
// listed before: a walk whose time is split between the system's listing and
// its own work on the names then takes the longer of the two, not their sum.
// Listings come back in the order they were asked for; at most a bounded
// number wait, so a wide tree is not held whole.
class FolderReadAhead {
public:
    // sizes: whether the listings give each file's size.
    explicit FolderReadAhead(FileSizes sizes = FileSizes::Skip);
    ~FolderReadAhead(); // stops the thread, whatever is still asked for
    FolderReadAhead(const FolderReadAhead&) = delete;
    FolderReadAhead& operator=(const FolderReadAhead&) = delete;

    // Asks for the folder native (absolute, ending with the separator);
    // parentNative, when not empty, is its parent folder's path, which the
    // thread keeps open while its sub-folders are listed one after another.
    void request(std::string native, std::string parentNative);

    // The next listing asked for, waiting for it when it is not read yet.
    // An error other than the folder's own (no memory) is thrown here.
    FolderListing next();

private:
    struct Request {
        std::string native;
        std::string parentNative;
    };
    void run();
    FolderListing list(const Request& request);

    static constexpr std::size_t kMostWaiting = 64;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Request> requests_;
    std::deque<FolderListing> listed_;
    std::exception_ptr failure_;
    bool stopping_ = false;
    const FileSizes sizes_;

    std::string openParent_; // the thread's own: the folder parentFd_ holds
    UniqueFd parentFd_;
    std::thread thread_; // last: started once the rest is made
};

} // namespace tornavel
