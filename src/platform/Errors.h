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

// An input/output error by number: "File not found", "Disk full", "I/O error 145"...
class InOutError : public Error {
public:
    explicit InOutError(int code);
    int code() const { return code_; }
    static std::string textFor(int code);

private:
    int code_;
};

// Maps the C library's errno after a failed file operation to the input/output
// error numbers the program reports.
int inOutCodeFromErrno(int err);

// "'%s' is not a valid integer value"
class ConvertError : public Error {
public:
    explicit ConvertError(const std::string& text);
};

// "Unable to write to %s"
class IniWriteError : public Error {
public:
    explicit IniWriteError(const std::string& path);
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
