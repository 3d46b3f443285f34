#pragma once

#include <string>
#include <string_view>

namespace tornavel {

// Writes data to path whole and atomically: a temporary file beside it is
// written, flushed to disk and renamed over path. On failure the temporary
// file is removed, the file at path is exactly as it was, and InOutError
// (the input/output error number of the cause) is thrown.
void WriteFileAtomically(const std::string& path, std::string_view data);

} // namespace tornavel
