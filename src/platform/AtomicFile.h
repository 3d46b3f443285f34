#pragma once

#include <string>
#include <string_view>

namespace tornavel {

// Writes data to path whole and atomically: a temporary file beside it is
// written, flushed to disk and renamed over path. On failure the temporary
// file is removed, the file at path is exactly as it was, and InOutError
// (the input/output error of the cause, naming path) is thrown.
//
// A symbolic link at path is followed: its target is replaced and the link
// stays a link. When the folder cannot be written but an existing file can
// (a program folder of a system-wide install with a writable settings file),
// the file is written in place instead: its space is reserved first, so that a
// full disk leaves it as it was, then it is overwritten whole and flushed.
void WriteFileAtomically(const std::string& path, std::string_view data);

} // namespace tornavel
