#pragma once

#include "support/TempDir.h"

#include <filesystem>
#include <optional>

namespace tornavel::test {

// Copies the stand-in compiler (its path is in TORNAVEL_FAKE_ISCC) to the
// given path, creating its folder. Returns the path.
std::filesystem::path copyFakeCompiler(const std::filesystem::path& to);

// Copies the stand-in compiler (its path is in TORNAVEL_FAKE_ISCC) into the
// folder under the name iscc, so every test has a compiler of its own. With an
// exit code it ends with that code and writes nothing. Returns its path.
std::filesystem::path installFakeCompiler(const std::filesystem::path& folder,
                                          std::optional<int> exitCode = std::nullopt);

} // namespace tornavel::test
