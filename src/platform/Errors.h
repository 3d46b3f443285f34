#pragma once

#include <stdexcept>
#include <string>

namespace tornavel {

// Every failure the core reports is an Error carrying the text the user sees
// (UTF-8). The kind tells a front end how to react (the CLI maps it to its exit
// status); the GUI shows every kind the same way.
class Error : public std::runtime_error {
public:
    enum class Kind {
        ProjectRefused, // validation, a bad number, a text that cannot be encoded
        InputOutput,    // a file or folder operation failed
        ProcessFailed,  // a started program could not run or failed
    };

    Error(Kind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

// An input/output error: "File not found", "Disk full", "I/O error 145"...
// With a path the message names the file: the text, ": " and the path.
class InOutError : public Error {
public:
    // The error by its Windows number (2, 3, 4, 5, 100 and 101 have texts of
    // their own, any other number reads "I/O error N").
    explicit InOutError(int code, const std::string& path = {});

    // The error the C library reported as errno. Errors with a true Windows
    // counterpart read as that number's text (see inOutCodeFromErrno); any
    // other reads "I/O error N (the system's own text)", N being errno.
    static InOutError fromErrno(int err, const std::string& path = {});

    // The Windows number, or 0 when the system's error has none (then
    // systemError() tells which it was).
    int code() const { return code_; }
    // The errno the error came from; 0 when it was made from a number.
    int systemError() const { return systemError_; }

    static std::string textFor(int code);

private:
    InOutError(int code, int systemError, const std::string& message);

    int code_;
    int systemError_ = 0;
};

// The Windows number of the input/output error the C library reports as err:
// ENOENT 2, EMFILE/ENFILE 4, EACCES/EPERM 5, ENOSPC/EDQUOT 101 (the numbers of
// the error texts) and ENOTEMPTY 145 (a folder that is not empty); 0 for every
// other error, which has no Windows counterpart of the same meaning.
int inOutCodeFromErrno(int err);

// "'%s' is not a valid integer value"
class ConvertError : public Error {
public:
    explicit ConvertError(const std::string& text);
};

// "Unable to write to %s", and the reason in the system's words when the
// error number is known: "Unable to write to /p/x.ipr (No space left on device)".
class IniWriteError : public Error {
public:
    explicit IniWriteError(const std::string& path, int systemError = 0);
};

// "List index out of bounds (%d)"
class ListIndexError : public Error {
public:
    explicit ListIndexError(long long index);
};

// A text that Windows-1250 cannot hold; the message names the text.
class EncodingError : public Error {
public:
    explicit EncodingError(const std::string& text);
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

} // namespace tornavel
