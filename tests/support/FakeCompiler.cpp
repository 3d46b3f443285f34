#include "support/FakeCompiler.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace tornavel::test {

std::filesystem::path copyFakeCompiler(const std::filesystem::path& to) {
    const char* source = std::getenv("TORNAVEL_FAKE_ISCC");
    if (!source) {
        throw std::runtime_error("TORNAVEL_FAKE_ISCC is not set");
    }
    std::filesystem::create_directories(to.parent_path());
    std::filesystem::copy_file(source, to, std::filesystem::copy_options::overwrite_existing);
    return to;
}

std::filesystem::path installFakeCompiler(const std::filesystem::path& folder,
                                          std::optional<int> exitCode) {
    const auto copy = copyFakeCompiler(folder / "iscc");
    if (exitCode) {
        std::ofstream(folder / "iscc.exitcode") << *exitCode;
    }
    return copy;
}

} // namespace tornavel::test
