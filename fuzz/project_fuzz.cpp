// Feeds arbitrary bytes to the project and settings readers as a project file
// and as "Tornavel.ini", saves what was read and reads it again: the two
// records must be equal, and saving the second must not change a byte of the
// file. Any difference aborts. Seeds: fuzz/corpus/project.
#include "platform/Cp1250.h"
#include "platform/ProfileFile.h"
#include "project/ProgramSettings.h"
#include "project/ProjectFile.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// The run's own folder, on tmpfs where there is one: the saves flush every
// file, which costs nothing there and would dominate the run on a disk.
class ScratchFolder {
public:
    ScratchFolder() {
        std::error_code ec;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, ec)) {
            base = std::filesystem::temp_directory_path();
        }
        std::string pattern = (base / "tornavel-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) {
            std::abort();
        }
        folder_ = pattern + "/";
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& folder() const { return folder_; }

private:
    std::string folder_;
};

const std::string& scratch() {
    static const ScratchFolder folder;
    return folder.folder();
}

void writeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out) {
        std::abort();
    }
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void projectRoundTrip(const std::uint8_t* data, std::size_t size) {
    const std::string path = scratch() + "projekt.ipr";
    writeFile(path, data, size);
    tornavel::ProjectSettings first;
    try {
        tornavel::LoadProject(path, first);
    } catch (const tornavel::Error&) {
        return; // not a project: refused before anything was read
    }
    tornavel::SaveProject(first, path, tornavel::SaveOrder::Save); // never fails
    tornavel::ProjectSettings second;
    tornavel::LoadProject(path, second);
    if (!(second == first)) {
        std::abort();
    }
    const std::string saved = readFile(path);
    tornavel::SaveProject(second, path, tornavel::SaveOrder::SaveAs);
    if (readFile(path) != saved) {
        std::abort();
    }
}

void settingsRoundTrip(const std::uint8_t* data, std::size_t size) {
    writeFile(tornavel::SettingsFilePath(scratch()), data, size);
    const tornavel::ProgramSettings first = tornavel::ReadProgramSettings(scratch());
    try {
        tornavel::WriteProgramSettings(scratch(), first);
    } catch (const tornavel::ValueTooLongError&) {
        // Only a folder that reading itself lengthened (its separator added
        // to a value of the longest length) may be refused.
        if (tornavel::toCp1250(first.sourceFolder).size() <= tornavel::kMaxProfileValueLength) {
            std::abort();
        }
        return;
    } catch (const tornavel::Error&) {
        // Only a file that could not be read as Windows-1250 (a UTF-8 or
        // UTF-16 one with a character it lacks) may be kept from a rewrite.
        try {
            tornavel::ProfileFile(tornavel::SettingsFilePath(scratch())).throwReadFailure();
        } catch (const tornavel::Error&) {
            return;
        }
        std::abort();
    }
    const tornavel::ProgramSettings second = tornavel::ReadProgramSettings(scratch());
    if (second.sourceFolder != first.sourceFolder || second.viewStyle != first.viewStyle) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    projectRoundTrip(data, size);
    settingsRoundTrip(data, size);
    return 0;
}
