#include "platform/FolderLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>

namespace tornavel {

FolderLock::FolderLock(const std::string& folder)
    : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (!fd_.valid()) {
        return;
    }
    // flock, unlike a record lock, belongs to the open folder rather than to
    // the process, so a second lock from this same process is refused too.
    int rc = 0;
    while ((rc = ::flock(fd_.get(), LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    if (rc != 0) {
        busy_ = errno == EWOULDBLOCK;
        fd_.reset();
    }
}

} // namespace tornavel
