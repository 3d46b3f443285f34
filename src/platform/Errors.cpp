#include "platform/Errors.h"

#include <cerrno>

namespace tornavel {

std::string InOutError::textFor(int code) {
    switch (code) {
    case 2:
        return "File not found";
    case 3:
        return "Invalid filename";
    case 4:
        return "Too many open files";
    case 5:
        return "File access denied";
    case 100:
        return "Read beyond end of file";
    case 101:
        return "Disk full";
    default:
        return "I/O error " + std::to_string(code);
    }
}

InOutError::InOutError(int code) : Error(Kind::InputOutput, textFor(code)), code_(code) {}

int inOutCodeFromErrno(int err) {
    switch (err) {
    case ENOENT:
        return 2;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
        return 3;
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EBUSY:
    case ETXTBSY:
        return 5;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return 101;
    case ENOTEMPTY:
    case EEXIST:
        return 145; // the folder is not empty
    default:
        return err;
    }
}

ConvertError::ConvertError(const std::string& text)
    : Error(Kind::ProjectRefused, "'" + text + "' is not a valid integer value") {}

IniWriteError::IniWriteError(const std::string& path)
    : Error(Kind::InputOutput, "Unable to write to " + path) {}

ListIndexError::ListIndexError(long long index)
    : Error(Kind::ProjectRefused, "List index out of bounds (" + std::to_string(index) + ")") {}

EncodingError::EncodingError(const std::string& text)
    : Error(Kind::ProjectRefused,
            "Text „" + text + "“ obsahuje znaky, které kódování Windows-1250 neumí zapsat."),
      text_(text) {}

} // namespace tornavel
