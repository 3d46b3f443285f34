#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace tornavel::test {

// Runs operation in a forked child that file permissions stop as they stop
// any user: run as root, the child first becomes "nobody" (supplementary
// groups dropped, then setresgid and setresuid); run as anyone else it stays
// that user. Returns what the operation returned; an exception that escapes it
// comes back as "exception: " and its text. The child never returns into the
// test, so the operation must not use the test framework's assertions.
//
// That user must be able to reach the folders the operation uses: a TempDir
// is private to its owner, so give it the permissions the test needs (for
// example 0755, or 0555 for a folder it may not write) and call
// requireReachable on it first.
std::string runUnprivileged(const std::function<std::string()>& operation);

// Throws std::runtime_error naming the first folder on the way to path that
// others may not pass through, e.g. a TMPDIR inside root's home folder.
void requireReachable(const std::filesystem::path& path);

} // namespace tornavel::test
