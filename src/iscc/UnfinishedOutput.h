#pragma once

#include <filesystem>
#include <string>

namespace tornavel::iscc {

// The folder the compiler writes the installer into, inside the installer's
// own folder (named kUnfinishedOutputPrefix and six random characters), so that
// nothing unfinished ever bears the installer's name: a compile that fails,
// is stopped or is killed leaves at most this folder, which the next build
// removes. publish() moves what the compiler made into the installer's
// folder, the slices first and the installer last, each by one rename, so a
// reader never sees the installer without its slices either. The object
// removes the folder with whatever it still holds, and the installer's folder
// too when it made it and it stayed empty.
class UnfinishedOutput {
public:
    // installerFolder: where the installer goes, as a path of this system;
    // name: the folder's name in it, which no other compile uses. Throws
    // AdapterFailure naming the folder when it cannot be made.
    UnfinishedOutput(std::filesystem::path installerFolder, const std::string& name);
    ~UnfinishedOutput();
    UnfinishedOutput(const UnfinishedOutput&) = delete;
    UnfinishedOutput& operator=(const UnfinishedOutput&) = delete;

    std::string name() const { return folder_.filename().string(); }
    const std::filesystem::path& folder() const { return folder_; }

    // Moves every file the compiler made into the installer's folder, the one
    // named installerName last. Throws AdapterFailure naming the file that
    // cannot be moved.
    void publish(const std::string& installerName) const;

private:
    std::filesystem::path installerFolder_;
    std::filesystem::path folder_;
    bool madeInstallerFolder_ = false;
};

} // namespace tornavel::iscc
