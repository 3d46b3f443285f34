#include "platform/FolderReadAhead.h"

#include "platform/Errors.h"

#include <cerrno>
#include <fcntl.h>
#include <utility>

namespace tornavel {

FolderReadAhead::FolderReadAhead(FileSizes sizes) : sizes_(sizes), thread_([this] { run(); }) {}

FolderReadAhead::~FolderReadAhead() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void FolderReadAhead::request(std::string native, std::string parentNative) {
    {
        const std::lock_guard lock(mutex_);
        requests_.push_back({std::move(native), std::move(parentNative)});
    }
    changed_.notify_all();
}

FolderListing FolderReadAhead::next() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !listed_.empty() || failure_; });
    if (listed_.empty()) {
        std::rethrow_exception(failure_);
    }
    FolderListing listing = std::move(listed_.front());
    listed_.pop_front();
    lock.unlock();
    changed_.notify_all();
    return listing;
}

void FolderReadAhead::run() {
    try {
        while (true) {
            Request request;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [this] {
                    return stopping_ || (!requests_.empty() && listed_.size() < kMostWaiting);
                });
                if (stopping_) {
                    return;
                }
                request = std::move(requests_.front());
                requests_.pop_front();
            }
            FolderListing listing = list(request);
            {
                const std::lock_guard lock(mutex_);
                listed_.push_back(std::move(listing));
            }
            changed_.notify_all();
        }
    } catch (...) {
        {
            const std::lock_guard lock(mutex_);
            failure_ = std::current_exception();
        }
        changed_.notify_all();
    }
}

FolderListing FolderReadAhead::list(const Request& request) {
    // A folder is opened from its open parent when it has one: its siblings
    // follow one another, so no folder is looked up from the root but the
    // parents.
    int from = AT_FDCWD;
    std::string name = request.native;
    if (!request.parentNative.empty() && request.native.size() > request.parentNative.size() + 1) {
        if (openParent_ != request.parentNative) {
            openParent_.clear();
            parentFd_.reset(
                ::open(request.parentNative.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            if (parentFd_.valid()) {
                openParent_ = request.parentNative;
            }
        }
        if (parentFd_.valid()) {
            from = parentFd_.get();
            name = request.native.substr(request.parentNative.size(),
                                         request.native.size() - request.parentNative.size() - 1);
        }
    }
    FolderListing listing;
    try {
        ForEachEntryAt(
            from, name, request.native,
            [&listing](const FolderEntryView& e) {
                listing.entries_.push_back({listing.names_.size(), e.name.size(), e.folder,
                                            e.hidden, e.link, e.oddity, e.size});
                listing.names_ += e.name;
            },
            sizes_);
    } catch (const InOutError& e) {
        // Listings fail with the system's error; keep it whole.
        listing = {};
        listing.error_ = e.systemError() != 0 ? e.systemError() : EIO;
    }
    return listing;
}

} // namespace tornavel
