#pragma once

#include "platform/FileDescriptor.h"

#include <string>

namespace tornavel {

// An exclusive lock on a folder that lasts as long as the object, and never
// longer than the process that took it: the system drops it with the process,
// however that ends, so a killed build leaves nothing to clean up and nothing
// is written into the folder. Another lock on the same folder, from this
// process or any other, is refused while it is held.
class FolderLock {
public:
    // Tries once, without waiting. A folder that cannot be opened is not
    // locked, and busy() is false: whoever uses it reports why.
    explicit FolderLock(const std::string& folder);

    // Whether someone else holds the folder's lock.
    bool busy() const { return busy_; }

private:
    UniqueFd fd_;
    bool busy_ = false;
};

} // namespace tornavel
