#include "platform/Errors.h"

#include <cerrno>
#include <system_error>

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

namespace {

std::string withPath(std::string text, const std::string& path) {
    return path.empty() ? text : text + ": " + path;
}

} // namespace

InOutError::InOutError(int code, const std::string& path)
    : InOutError(code, 0, withPath(textFor(code), path)) {}

InOutError::InOutError(int code, int systemError, const std::string& message)
    : Error(Kind::InputOutput, message), code_(code), systemError_(systemError) {}

InOutError InOutError::fromErrno(int err, const std::string& path) {
    if (const int code = inOutCodeFromErrno(err); code != 0) {
        // The numbered text alone does not say what happened.
        const std::string words =
            code == 145 ? " (" + std::generic_category().message(err) + ")" : std::string();
        return InOutError(code, err, withPath(textFor(code) + words, path));
    }
    const std::string text =
        "I/O error " + std::to_string(err) + " (" + std::generic_category().message(err) + ")";
    return InOutError(0, err, withPath(text, path));
}

int inOutCodeFromErrno(int err) {
    switch (err) {
    case ENOENT:
        return 2;
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
        return 5;
    case ENOSPC:
    case EDQUOT:
        return 101;
    case ENOTEMPTY:
        return 145; // the folder is not empty
    default:
        return 0;
    }
}

ConvertError::ConvertError(const std::string& text)
    : Error(Kind::ProjectRefused, "'" + text + "' is not a valid integer value") {}

IniWriteError::IniWriteError(const std::string& path, int systemError)
    : Error(Kind::InputOutput,
            "Unable to write to " + path +
                (systemError != 0 ? " (" + std::generic_category().message(systemError) + ")"
                                  : std::string())) {}

ListIndexError::ListIndexError(long long index)
    : Error(Kind::ProjectRefused, "List index out of bounds (" + std::to_string(index) + ")") {}

EncodingError::EncodingError(const std::string& text)
    : Error(Kind::ProjectRefused,
            "Text „" + text + "“ obsahuje znaky, které kódování Windows-1250 neumí zapsat."),
      text_(text) {}

} // namespace tornavel
