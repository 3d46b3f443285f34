#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tornavel::test {

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder as the program holds folders: native path with a trailing separator.
    std::string folder() const;

    // Creates a file (and its parent folders) relative to the folder.
    std::filesystem::path writeFile(std::string_view relative, std::string_view bytes = {}) const;
    std::filesystem::path makeDir(std::string_view relative) const;

private:
    std::filesystem::path path_;
};

// The whole content of a file as bytes.
std::string readFileBytes(const std::filesystem::path& path);

// A TrueType font of the system's for tests that need a real one: `name` in
// TORNAVEL_TEST_FONT_DIR, or in DejaVu's folder when that is not set.
std::filesystem::path testFont(const char* name);

} // namespace tornavel::test
